// The ingredients and cookbook pages after another program (tavrin-cli) added records that sort
// before the one listed: the row on screen no longer names the record at its position, so
// Delete must not delete that record; the page says the diary changed and lists it again.
#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "app/ListedTables.h"
#include "nutrition/CTavrinDlgCooking.h"
#include "nutrition/CTavrinPPCookingCookbook.h"
#include "nutrition/CTavrinPPCookingIngredients.h"
#include "nutrition/CTavrinPSCooking.h"
#include "nutrition/logic/IngredientCatalogue.h"
#include "nutrition/logic/RecipeBook.h"
#include "platform/MessageBox.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"

#include <QPushButton>
#include <QTest>

using namespace tavrin;
using namespace tavrin::nutrition;
using platform::MessageBox;
using platform::MsgAnswer;

class TestOutsideChange : public QObject {
    Q_OBJECT
private slots:
    void deleteAfterAnOutsideAdd_data() {
        QTest::addColumn<bool>("recipes");
        QTest::newRow("ingredients") << false;
        QTest::newRow("recipes") << true;
    }
    void deleteAfterAnOutsideAdd() {
        QFETCH(bool, recipes);
        test::clearSettings();
        const QString path = test::makeDiary(recipes ? "recipes" : "ingredients", "secret", 1);
        auto& state = app::DiaryState::instance();
        state.choose(path, test::extOffsetOf(path));
        state.setOpen(true);
        auto add = [&](const char* name) {
            auto tn = state.makeTN();
            return recipes ? RecipeBook::save(*tn, RecipeBook::makeRecipe(name, "", "", {}))
                           : IngredientCatalogue::add(
                                 *tn, IngredientCatalogue::makeRecord(name, 1, 2, 3, 4));
        };
        auto stored = [&] {
            QStringList names;
            auto tn = state.makeTN();
            if (recipes) {
                std::vector<RecipeRecord> all;
                tn->recipes.ReadAll(all);
                for (const auto& r : all)
                    names << QString::fromStdString(r.name());
            } else {
                std::vector<IngredientRecord> all;
                tn->ingredients.ReadAll(all);
                for (const auto& r : all)
                    names << QString::fromStdString(r.name());
            }
            return names;
        };

        QVERIFY(add("Oats"));
        CTavrinDlgCooking window;
        window.pageShown();
        window.selectSubPage(recipes ? app::SubPageSelector::kCookbook
                                     : app::SubPageSelector::kIngredients);
        QWidget* page = recipes ? static_cast<QWidget*>(window.sheet()->cookbook())
                                : window.sheet()->ingredients();
        auto* list =
            page->findChild<ui::CCustomListCtrl*>(recipes ? "recipeList" : "ingredientsList");
        QCOMPARE(list->rowCount(), 1);
        QVERIFY(add("Apples"));
        QVERIFY(add("Bread"));

        MessageBox::clearRecorded();
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        list->selectRow(0); // Oats on screen, Apples in the table
        page->findChild<QPushButton*>(recipes ? "deleteRecipeButton" : "deleteButton")->click();
        QCOMPARE(stored(), QStringList({"Apples", "Bread", "Oats"}));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{app::ListedTables::kChangedElsewhere});
        QCOMPARE(list->rowCount(), 3);
        QCoreApplication::processEvents(); // a selection's check waits for its signal's end

        // Chosen again from the list as it is now, Delete asks about Oats and deletes it.
        MessageBox::clearRecorded();
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        list->selectRow(2);
        page->findChild<QPushButton*>(recipes ? "deleteRecipeButton" : "deleteButton")->click();
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"Are you sure you wish to delete Oats?"});
        QCOMPARE(stored(), QStringList({"Apples", "Bread"}));
    }
};

QTEST_MAIN(TestOutsideChange)
#include "tst_outsidechange.moc"
