// The nutrition window on a diary: kilocalories following the typed values, Generate Default,
// the cookbook's working list and its limit, a recipe printed over more than one page, the
// daily sheet's status line and the shopping list's checklist.
#include "DiaryFixture.h"
#include "PdfText.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "nutrition/CTavrinDlgCooking.h"
#include "nutrition/CTavrinPPCookingCalculator.h"
#include "nutrition/CTavrinPPCookingCookbook.h"
#include "nutrition/CTavrinPPCookingDaily.h"
#include "nutrition/CTavrinPPCookingIngredients.h"
#include "nutrition/CTavrinPPCookingShopping.h"
#include "nutrition/CTavrinPSCooking.h"
#include "nutrition/NumberField.h"
#include "nutrition/logic/IngredientCatalogue.h"
#include "nutrition/logic/RecipeBook.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Settings.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace tavrin;
using namespace tavrin::nutrition;
using platform::MessageBox;
using platform::MsgAnswer;

namespace {

void click(QWidget* page, const char* name) {
    auto* b = page->findChild<QAbstractButton*>(name);
    QVERIFY2(b, name);
    b->click();
}

QStringList row(ui::CCustomListCtrl* list, int r) {
    QStringList out;
    for (int c = 0; c < list->columnCount(); ++c)
        out << list->itemText(r, c);
    return out;
}

} // namespace

class TestCookingPages : public QObject {
    Q_OBJECT
    std::unique_ptr<CTavrinDlgCooking> window;
    CTavrinPSCooking* sheet() { return window->sheet(); }

private slots:
    void init() {
        static int n = 0;
        test::clearSettings();
        MessageBox::clearRecorded();
        const QString path = test::makeDiary(QString("cooking%1").arg(++n), "secret", 1);
        auto& s = app::DiaryState::instance();
        s.choose(path, test::extOffsetOf(path));
        s.setOpen(true);
        window = std::make_unique<CTavrinDlgCooking>();
        window->pageShown();
    }
    void cleanup() { window.reset(); }

    void ingredientsPage() {
        window->selectSubPage(app::SubPageSelector::kIngredients);
        CTavrinPPCookingIngredients* page = sheet()->ingredients();
        QCOMPARE(sheet()->activePage(), page);
        QTest::keyClicks(page->fatInput(), "10");
        QTest::keyClicks(page->carbohydrateInput(), "20");
        QTest::keyClicks(page->proteinInput(), "5");
        QCOMPARE(page->kcalInput()->text(), QString("190.0"));
        // Kilocalories typed afterwards are the ones stored.
        page->kcalInput()->clear();
        QTest::keyClicks(page->kcalInput(), "200");
        page->nameInput()->setText("apple");
        click(page, "addButton");
        QCOMPARE(row(page->list(), 0), QStringList({"apple", "10.0", "20.0", "5.0", "200.0"}));
        QCOMPARE(page->fatInput()->text(), QString("0"));

        click(page, "generateDefaultButton");
        click(page, "generateDefaultButton");
        QCOMPARE(page->list()->rowCount(), 201);
        // Name order without regard to letter case: "apple" before "Apple (raw)".
        QCOMPARE(page->list()->itemText(0, 0), QString("apple"));
        QCOMPARE(page->list()->itemText(1, 0), QString("Apple (raw)"));
        QCOMPARE(page->list()->itemText(2, 0), QString("Apple (raw)"));
        QVERIFY(MessageBox::recorded().isEmpty());

        // Two rows selected: only the first goes, after the question.
        page->list()->setRowSelected(0, true);
        page->list()->setRowSelected(3, true);
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        click(page, "deleteButton");
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({"Are you sure you wish to delete apple?"}));
        QCOMPARE(page->list()->rowCount(), 200);
    }

    void cookbookWorkingListAndLimit() {
        {
            auto tn = app::DiaryState::instance().makeTN();
            QVERIFY(IngredientCatalogue::add(
                *tn, IngredientCatalogue::makeRecord("Sample", 10, 20, 5, 190)));
        }
        CTavrinPPCookingCookbook* page = sheet()->cookbook();
        page->reload();
        QCOMPARE(page->ingredientChoice()->currentIndex(), -1);
        // Nothing chosen: nothing added, the quantity back to 0.
        page->quantityInput()->setText("150");
        click(page, "addIngredientButton");
        QCOMPARE(page->ingredientList()->rowCount(), 1);
        QCOMPARE(page->quantityInput()->text(), QString("0"));

        page->ingredientChoice()->setCurrentIndex(0);
        page->quantityInput()->setText("150");
        click(page, "addIngredientButton");
        QCOMPARE(row(page->ingredientList(), 0),
                 QStringList({"TOTALS:", "150.0 g.", "15.0", "30.0", "7.5", "285.0"}));
        QCOMPARE(row(page->ingredientList(), 1),
                 QStringList({"Sample", "150.0 g.", "15.0", "30.0", "7.5", "285.0"}));
        // The totals row is not an ingredient to remove.
        page->ingredientList()->selectRow(0);
        click(page, "removeIngredientButton");
        QCOMPARE(MessageBox::recordedTexts(), QStringList({CTavrinPPCookingCookbook::kRemoveNone}));

        for (int i = 1; i < 30; ++i) {
            page->ingredientChoice()->setCurrentIndex(0);
            page->quantityInput()->setText("10");
            click(page, "addIngredientButton");
        }
        QCOMPARE(page->ingredientList()->rowCount(), 31);
        MessageBox::clearRecorded();
        page->ingredientChoice()->setCurrentIndex(0);
        page->quantityInput()->setText("10");
        click(page, "addIngredientButton");
        QCOMPARE(MessageBox::recordedTexts(), QStringList({CTavrinPPCookingCookbook::kTooMany}));
        QCOMPARE(page->ingredientList()->rowCount(), 31);

        page->nameInput()->setText("Stew");
        click(page, "saveRecipeButton");
        QCOMPARE(page->recipeList()->rowCount(), 1);
        QCOMPARE(app::DiaryState::instance().makeTN()->recipes.Count(), 1);

        // A shown recipe is not the working list: saving at once asks, as the list is empty.
        page->recipeList()->selectRow(0);
        QCOMPARE(page->ingredientList()->rowCount(), 31);
        MessageBox::clearRecorded();
        click(page, "saveRecipeButton");
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({CTavrinPPCookingCookbook::kNoIngredients}));
        QCOMPARE(page->recipeList()->rowCount(), 1);

        // New Recipe empties the list; the next ingredient comes alone under its totals.
        click(page, "newRecipeButton");
        QCOMPARE(page->ingredientList()->rowCount(), 0);
        page->quantityInput()->setText("10");
        click(page, "addIngredientButton");
        QCOMPARE(page->ingredientList()->rowCount(), 2);
        QCOMPARE(page->ingredientList()->itemText(0, 1), QString("10.0 g."));
    }

    // A number field takes a decimal comma as a point; any text that is no number from 0 to
    // 100000 is refused with the message, and the field's number stays what it was.
    void numberFieldsRefuseWhatIsNoAmount() {
        {
            auto tn = app::DiaryState::instance().makeTN();
            QVERIFY(IngredientCatalogue::add(
                *tn, IngredientCatalogue::makeRecord("Sample", 10, 20, 5, 190)));
        }
        CTavrinPPCookingCookbook* page = sheet()->cookbook();
        page->reload();
        const struct {
            const char* typed;
            const char* quantity; // none: refused
        } quantities[] = {{"2,5", "2.5 g."},         {"100000", "100000.0 g."}, {" 7 ", "7.0 g."},
                          {"-5", nullptr},           {"1e9", nullptr},          {"abc", nullptr},
                          {"999999999999", nullptr}, {"1,000.5", nullptr}};
        int rows = 1;
        for (const auto& c : quantities) {
            MessageBox::clearRecorded();
            page->ingredientChoice()->setCurrentIndex(0);
            page->quantityInput()->setText(c.typed);
            click(page, "addIngredientButton");
            if (c.quantity) ++rows;
            QCOMPARE(page->ingredientList()->rowCount(), rows);
            QCOMPARE(MessageBox::recordedTexts(),
                     c.quantity ? QStringList() : QStringList({NumberField::kNotANumber}));
            if (c.quantity) QCOMPARE(page->ingredientList()->itemText(rows - 1, 1), c.quantity);
        }

        // Typed into the units calculator, each key at a time: a number not yet finished waits.
        window->selectSubPage(app::SubPageSelector::kUnits);
        CTavrinPPCookingCalculator* calc = sheet()->calculator();
        NumberField* cup = calc->input(UnitsCalculator::Cup);
        const struct {
            const char* typed;
            const char* shown;
            const char* grams;
            int messages;
        } typing[] = {{"2,5", "2,5", "591.5", 0},
                      {"1e", "1e", "236.6", 0},
                      {"-5", "0", "0", 1},
                      {"1e9", "1", "236.6", 1},
                      {"1a", "1", "236.6", 1}};
        for (const auto& c : typing) {
            MessageBox::clearRecorded();
            cup->clear();
            QTest::keyClicks(cup, c.typed);
            QCOMPARE(cup->text(), QString(c.shown));
            QCOMPARE(calc->result(UnitsCalculator::Cup)->text(), QString(c.grams));
            QCOMPARE(MessageBox::recorded().size(), c.messages);
        }
    }

    void recipeTallerThanThePageGoesOnOverMorePages() {
        settings::write(settings::PrintListSize, 30);
        QString method;
        for (int i = 0; method.size() < 1900; ++i)
            method += QString("Step %1 stir gently. ").arg(i);
        method += "Serve warm.";
        {
            auto tn = app::DiaryState::instance().makeTN();
            QVERIFY(RecipeBook::save(
                *tn, RecipeBook::makeRecipe("Long", "Very long", method.toStdString(), {})));
        }
        CTavrinPPCookingCookbook* page = sheet()->cookbook();
        page->reload();
        page->recipeList()->selectRow(0);
        const QString pdf = test::scratchDir() + "/recipe.pdf";
        platform::PrintDialog::setNextPdf(pdf);
        click(page, "printRecipeButton");
        const QStringList pages = test::pdfPages(pdf);
        QVERIFY2(pages.size() > 1, qPrintable(QString::number(pages.size())));
        QVERIFY(pages.first().simplified().startsWith("Tavelle (tm) Suite Nutrition (Cookbook)"));
        QVERIFY(pages.last().contains("Serve warm."));
        for (const QString& p : pages)
            QVERIFY(!p.trimmed().isEmpty());
    }

    void dailySheetAndShoppingList() {
        {
            auto tn = app::DiaryState::instance().makeTN();
            QVERIFY(IngredientCatalogue::add(
                *tn, IngredientCatalogue::makeRecord("Sample", 10, 20, 5, 999)));
            QVERIFY(RecipeBook::save(
                *tn, RecipeBook::makeRecipe(
                         "Stew", "", "",
                         {RecipeBook::scale(
                             IngredientCatalogue::makeRecord("Sample", 10, 20, 5, 190), 400)})));
        }
        window->selectSubPage(app::SubPageSelector::kDailyCalories);
        CTavrinPPCookingDaily* daily = sheet()->daily();
        QCOMPARE(daily->list()->rowCount(), 2);
        QCOMPARE(daily->statusLine()->text(), QString("Nothing selected!"));
        // Ticked, then the amount typed into its cell: the status line follows the edit.
        ui::CCustomListCtrl* list = daily->list();
        list->setChecked(0, true);
        const QRect cell =
            list->visualRect(list->model()->index(0, CTavrinPPCookingDaily::kAmountColumn));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(list->activeEditor());
        QTest::keyClicks(list->activeEditor(), "200");
        QTest::keyClick(list->activeEditor(), Qt::Key_Return);
        QCOMPARE(list->itemText(0, CTavrinPPCookingDaily::kAmountColumn), QString("200"));
        QCOMPARE(daily->statusLine()->text(),
                 QString("FAT: 20.00 - CARBOHYDRATE: 40.00 - PROTEIN: 10.00 - WEIGHT: 200.00 - "
                         "KCALORIES: 380.00"));
        daily->list()->setItemText(1, CTavrinPPCookingDaily::kAmountColumn, "100abc");
        daily->list()->setChecked(1, true);
        daily->recompute();
        QCOMPARE(daily->statusLine()->text(),
                 QString("FAT: 30.00 - CARBOHYDRATE: 60.00 - PROTEIN: 15.00 - WEIGHT: 300.00 - "
                         "KCALORIES: 570.00"));
        daily->list()->setChecked(0, false);
        daily->list()->setChecked(1, false);
        daily->recompute();
        QCOMPARE(daily->statusLine()->text(), QString("NOTHING SELECTED!"));

        window->selectSubPage(app::SubPageSelector::kShoppingList);
        CTavrinPPCookingShopping* shop = sheet()->shopping();
        QCOMPARE(shop->list()->rowCount(), 1);
        shop->itemInput()->setText("Bread");
        shop->amountInput()->setText("1 loaf");
        QTest::keyClick(shop->amountInput(), Qt::Key_Return);
        shop->itemInput()->setText("Milk");
        shop->amountInput()->clear();
        click(shop, "addButton");
        shop->list()->setItemText(2, 1, "500 g");
        QCOMPARE(shop->list()->itemText(0, 0), QString("Milk"));
        // Another tab and back: the list stays as it was left.
        window->selectSubPage(app::SubPageSelector::kUnits);
        window->selectSubPage(app::SubPageSelector::kShoppingList);
        QCOMPARE(shop->list()->rowCount(), 3);
        click(shop, "copyButton");
        QCOMPARE(QApplication::clipboard()->text(),
                 QString("- [ ] Milk\n- [ ] Bread, 1 loaf\n- [ ] Sample, 500 g\n"));
        // Saved as text: the same lines, in a file for its owner only.
        const QString txt = test::scratchDir() + "/Shopping list.txt";
        platform::FileChooser::setNextFileName(txt);
        click(shop, "saveTextButton");
        QFile saved(txt);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(),
                 QByteArray("- [ ] Milk\n- [ ] Bread, 1 loaf\n- [ ] Sample, 500 g\n"));
        QCOMPARE(test::fileMode(txt), 0600);
        click(shop, "resetButton");
        QCOMPARE(shop->list()->rowCount(), 1);
        QCOMPARE(shop->list()->itemText(0, 1), QString("<amount>"));
    }

    // Another diary opened: the shopping list starts from that diary's catalogue.
    void shoppingListFollowsTheOpenDiary() {
        const auto addIngredient = [](const char* name) {
            auto tn = app::DiaryState::instance().makeTN();
            QVERIFY(
                IngredientCatalogue::add(*tn, IngredientCatalogue::makeRecord(name, 1, 1, 1, 17)));
        };
        addIngredient("First's");
        window->selectSubPage(app::SubPageSelector::kShoppingList);
        CTavrinPPCookingShopping* shop = sheet()->shopping();
        QCOMPARE(shop->list()->itemText(0, 0), QString("First's"));

        const QString other = test::makeDiary("cookingOther", "secret", 1);
        auto& s = app::DiaryState::instance();
        s.close();
        s.choose(other, test::extOffsetOf(other));
        s.setOpen(true);
        addIngredient("Other's");
        window->pageShown();
        QCOMPARE(shop->list()->rowCount(), 1);
        QCOMPARE(shop->list()->itemText(0, 0), QString("Other's"));
    }

    void unitsCalculatorFollowsTyping() {
        window->selectSubPage(app::SubPageSelector::kUnits);
        CTavrinPPCookingCalculator* page = sheet()->calculator();
        const struct {
            UnitsCalculator::Unit unit;
            const char* typed;
            const char* grams;
        } cases[] = {{UnitsCalculator::Teaspoon, "3", "14.79"},
                     {UnitsCalculator::Pint, "1", "473.2"},
                     {UnitsCalculator::Pound, "2", "907.18"},
                     {UnitsCalculator::Cup, ".", "0"}};
        for (const auto& c : cases) {
            page->input(c.unit)->clear();
            QTest::keyClicks(page->input(c.unit), c.typed);
            QCOMPARE(page->result(c.unit)->text(), QString(c.grams));
        }
        // Emptied: 0 without a word.
        QTest::keyClick(page->input(UnitsCalculator::Teaspoon), Qt::Key_Backspace);
        QCOMPARE(page->result(UnitsCalculator::Teaspoon)->text(), QString("0"));
        QVERIFY(MessageBox::recorded().isEmpty());

        page->weightInput()->clear();
        QTest::keyClicks(page->weightInput(), "60");
        QCOMPARE(page->caloriesResult()->text(), QString("1260.00"));
        page->sexChoice()->setCurrentIndex(1);
        page->activityChoice()->setCurrentIndex(1);
        QCOMPARE(page->caloriesResult()->text(), QString("840.00"));
    }
};

QTEST_MAIN(TestCookingPages)
#include "tst_cookingpages.moc"
