// The nutrition computations without a display: the kilocalorie rule, scaling into a recipe,
// the working list's limit, the daily sums, the units calculator, the default catalogue and the
// shopping checklist.
#include "DiaryFixture.h"
#include "nutrition/logic/DailyTally.h"
#include "nutrition/logic/IngredientCatalogue.h"
#include "nutrition/logic/NutritionNumbers.h"
#include "nutrition/logic/RecipeBook.h"
#include "nutrition/logic/ShoppingList.h"
#include "nutrition/logic/UnitsCalculator.h"
#include "storage/TN.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

using namespace tavrin;
using namespace tavrin::nutrition;

namespace {

QString one(float v) {
    return QString::fromStdString(NutritionNumbers::oneDecimal(v));
}

IngredientRecord sample(float kcal = 190) {
    return IngredientCatalogue::makeRecord("Sample", 10, 20, 5, kcal);
}

std::unique_ptr<TN> freshDiary(const char* name) {
    const QString path = test::makeDiary(name, "secret", 0);
    return std::make_unique<TN>(0, path.toStdString(), test::extOffsetOf(path));
}

} // namespace

class TestNutritionLogic : public QObject {
    Q_OBJECT
private slots:
    void numbers() {
        QCOMPARE(one(NutritionNumbers::kcal(10, 20, 5)), QString("190.0"));

        // A line of 150 g of the sample and the totals of a list holding only it.
        const IngredientLineRecord l = RecipeBook::scale(sample(), 150);
        QCOMPARE(QStringList({one(l.fat()), one(l.carbohydrate()), one(l.protein()), one(l.kcal()),
                              one(RecipeBook::totals({l}).weight)}),
                 QStringList({"15.0", "30.0", "7.5", "285.0", "150.0"}));

        struct Case {
            const char* what;
            float got;
            const char* shown;
        };
        const Case units[] = {
            {"3 teaspoons", UnitsCalculator::grams(UnitsCalculator::Teaspoon, 3), "14.79"},
            {"1 pint", UnitsCalculator::grams(UnitsCalculator::Pint, 1), "473.2"},
            {"2 pounds", UnitsCalculator::grams(UnitsCalculator::Pound, 2), "907.18"},
            {"0 cups", UnitsCalculator::grams(UnitsCalculator::Cup, 0), "0"},
        };
        for (const Case& c : units)
            QVERIFY2(UnitsCalculator::shown(c.got) == c.shown, c.what);
        const Case calories[] = {
            {"MALE Active",
             UnitsCalculator::maintenanceCalories(60, UnitsCalculator::Male,
                                                  UnitsCalculator::Active),
             "1260.00"},
            {"FEMALE Sedentary",
             UnitsCalculator::maintenanceCalories(60, UnitsCalculator::Female,
                                                  UnitsCalculator::Sedentary),
             "840.00"},
        };
        for (const Case& c : calories)
            QVERIFY2(NutritionNumbers::twoDecimals(c.got) == c.shown, c.what);

        // Typed amounts are read as atof reads them, whatever the locale.
        const struct {
            const char* text;
            double value;
            bool whole;
        } typed[] = {{"12.5", 12.5, true}, {" 7", 7, true},     {"12abc", 12, false},
                     {"", 0, false},       {"abc", 0, false},   {".5", 0.5, true},
                     {"+3", 3, true},      {"1e2g", 100, false}};
        for (const auto& t : typed) {
            QCOMPARE(NutritionNumbers::leading(t.text), t.value);
            QVERIFY2(NutritionNumbers::isNumber(t.text) == t.whole, t.text);
        }
    }

    void dailyTally() {
        // 400 g of recipe made of 400 g of the sample, eaten at 100 g: a quarter of it.
        const RecipeRecord recipe =
            RecipeBook::makeRecipe("Stew", "", "", {RecipeBook::scale(sample(), 400)});
        QCOMPARE(one(recipe.weight()), QString("400.0"));
        const RecipeRecord empty = RecipeBook::makeRecipe("Water", "", "", {});

        struct Case {
            const char* what;
            std::function<void(DailyTally&)> tick;
            const char* status;
        };
        const Case cases[] = {
            {"nothing ticked", [](DailyTally&) {}, "NOTHING SELECTED!"},
            {"an ingredient at 200 g", [](DailyTally& t) { t.addIngredient(sample(), 200); },
             "FAT: 20.00 - CARBOHYDRATE: 40.00 - PROTEIN: 10.00 - WEIGHT: 200.00 - KCALORIES: "
             "380.00"},
            {"kilocalories overridden by hand still follow the rule",
             [](DailyTally& t) { t.addIngredient(sample(999), 200); },
             "FAT: 20.00 - CARBOHYDRATE: 40.00 - PROTEIN: 10.00 - WEIGHT: 200.00 - KCALORIES: "
             "380.00"},
            {"value times amount, then over 100",
             [](DailyTally& t) {
                 t.addIngredient(IngredientCatalogue::makeRecord("Trace", 0.1f, 0, 0, 1), 45);
             },
             "FAT: 0.05 - CARBOHYDRATE: 0.00 - PROTEIN: 0.00 - WEIGHT: 45.00 - KCALORIES: 0.41"},
            {"a ticked row at 0 g counts", [](DailyTally& t) { t.addIngredient(sample(), 0); },
             "FAT: 0.00 - CARBOHYDRATE: 0.00 - PROTEIN: 0.00 - WEIGHT: 0.00 - KCALORIES: 0.00"},
            {"a quarter of a 400 g recipe", [&](DailyTally& t) { t.addRecipe(recipe, 100); },
             "FAT: 10.00 - CARBOHYDRATE: 20.00 - PROTEIN: 5.00 - WEIGHT: 100.00 - KCALORIES: "
             "190.00"},
            {"a recipe without ingredients adds its weight only",
             [&](DailyTally& t) { t.addRecipe(empty, 250); },
             "FAT: 0.00 - CARBOHYDRATE: 0.00 - PROTEIN: 0.00 - WEIGHT: 250.00 - KCALORIES: "
             "0.00"},
        };
        for (const Case& c : cases) {
            DailyTally t;
            c.tick(t);
            QVERIFY2(t.statusText() == c.status, c.what);
        }
    }

    void catalogueAndWorkingList() {
        const auto defaults = IngredientCatalogue::defaults();
        QCOMPARE(int(defaults.size()), 100);
        const auto peanuts = std::find_if(defaults.begin(), defaults.end(), [](const auto& r) {
            return r.name() == "Peanuts (roasted salted)";
        });
        QVERIFY(peanuts != defaults.end());
        QCOMPARE(one(peanuts->kcal()), QString("603.4"));
        QCOMPARE(peanuts->fat(), float(std::atof("53")));
        QCOMPARE(peanuts->carbohydrate(), float(std::atof("7.1")));

        auto tn = freshDiary("logic1");
        QVERIFY(IngredientCatalogue::addDefaults(*tn));
        QVERIFY(IngredientCatalogue::addDefaults(*tn));
        std::vector<IngredientRecord> recs;
        QVERIFY(tn->ingredients.ReadAll(recs));
        QCOMPARE(int(recs.size()), 200);
        QCOMPARE(recs[0].name(), std::string("Apple (raw)"));
        QCOMPARE(recs[1].name(), std::string("Apple (raw)"));
        QCOMPARE(recs[199].name(), std::string("Zuccini (raw)"));

        // Thirty lines and no more; the recipe keeps all thirty.
        for (int i = 0; i < 30; ++i)
            QVERIFY(RecipeBook::addLine(*tn, RecipeBook::scale(recs[std::size_t(i)], 10)) ==
                    RecipeBook::AddResult::Added);
        QVERIFY(RecipeBook::addLine(*tn, RecipeBook::scale(recs[30], 10)) ==
                RecipeBook::AddResult::Full);
        std::vector<IngredientLineRecord> lines;
        QVERIFY(RecipeBook::readLines(*tn, lines));
        QCOMPARE(int(lines.size()), 30);
        QVERIFY(RecipeBook::save(*tn, RecipeBook::makeRecipe("Big", "", "", lines)));
        QVERIFY(RecipeBook::save(*tn, RecipeBook::makeRecipe("big", "", "", {})));
        std::vector<RecipeRecord> recipes;
        QVERIFY(tn->recipes.ReadAll(recipes));
        QCOMPARE(int(recipes.size()), 2);
        QCOMPARE(recipes[0].lineCount(), 30);
        QVERIFY(RecipeBook::clearLines(*tn));
        QCOMPARE(tn->tempIngredients.Count(), 0);
        QVERIFY(!QFile::exists(QString::fromStdString(tn->tempIngredients.path())));
    }

    void printText() {
        const RecipeRecord r =
            RecipeBook::makeRecipe("Stew", "Warm", "Cook it.", {RecipeBook::scale(sample(), 150)});
        QCOMPARE(QString::fromStdString(RecipeBook::printText(r)),
                 QString("Tavelle (tm) Suite Nutrition (Cookbook) Recipe\n"
                         "------------------------------\nStew\n\nWarm\n\n"
                         "Totals (g): FAT=15.00 CARBOHYDRATE=30.00 PROTEIN=7.50 WEIGHT=150.00\n"
                         "\nIngredients:\n- Sample: FAT=15.00 CARBOHYDRATE=30.00 PROTEIN=7.50 "
                         "CALORIES= 285.00 WEIGHT=150.00\n\nRecipe:\nCook it."));
    }

    void shoppingChecklist() {
        const std::vector<ShoppingList::Item> items = {
            {"Bread", "1 loaf", false},        {"Milk", "", false},
            {"Apple (raw)", "<amount>", true}, {"Banana (raw)", " 6 ", true},
            {"Two\nlines", "", false},         {"", "", false},
        };
        QCOMPARE(QString::fromStdString(ShoppingList::checklist(items)),
                 QString("- [ ] Bread, 1 loaf\n- [ ] Milk\n- [ ] Banana (raw), 6\n"
                         "- [ ] Two lines\n"));
    }
};

QTEST_GUILESS_MAIN(TestNutritionLogic)
#include "tst_nutritionlogic.moc"
