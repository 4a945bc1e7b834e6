// The shared list view: persisted widths, the empty notice, row colours, check boxes, and the
// in-place editors with their input filters, the spin squares and "TNSNotifySpin".

#include "TestEnvironment.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "platform/WindowMessages.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CInPlaceCombo.h"
#include "ui/CInPlaceEdit.h"
#include "ui/CInPlaceSpin.h"
#include "ui/CustomListDelegate.h"
#include "ui/CustomListModel.h"

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace tavrin;
using namespace tavrin::ui;
using platform::NamedMessage;
using platform::SettingsStore;

namespace {

// The window that owns a list: it records the spin messages the list sends to its parent.
struct Owner : QWidget {
    QList<QPair<qintptr, qintptr>> spins;
    QList<QKeyCombination> keys;
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() != Qt::Key_Control) keys.append(e->keyCombination());
    }
    bool event(QEvent* e) override {
        if (auto* m = NamedMessage::match(e, "TNSNotifySpin")) {
            spins.append({m->wParam(), m->lParam()});
            return true;
        }
        return QWidget::event(e);
    }
};

// A skin whose every slot has its own colour, so that a pixel tells which slot painted it.
ActiveSkin distinctSkin() {
    ActiveSkin s = ActiveSkin::fallback();
    s.backgrounds = {QColor(10, 10, 10),    QColor(20, 20, 20), QColor(30, 30, 30),
                     QColor(250, 250, 200), QColor(50, 50, 50), QColor(255, 255, 255),
                     QColor(90, 90, 90),    QColor(70, 70, 70), QColor(200, 240, 200)};
    s.controls = {QColor(0, 0, 80), QColor(255, 255, 0), QColor(180, 0, 0), QColor(0, 90, 0),
                  QColor(0, 0, 0),  QColor(0, 0, 0),     QColor(0, 0, 200)};
    return s;
}

const QStringList kMoods = {"Awful", "Bad", "Low", "So-so", "Fine", "Good", "Great"};

// The page of a module: an owner with a list of two columns, the second editable in place.
struct Page {
    std::unique_ptr<Owner> owner = std::make_unique<Owner>();
    CCustomListCtrl* list = new CCustomListCtrl(owner.get());
    Page(int rows = 3) {
        owner->resize(400, 300);
        list->setGeometry(0, 0, 400, 300);
        list->insertColumn("Description", 120);
        list->insertColumn("Value", 160);
        list->insertColumn("Note", 100);
        for (int r = 0; r < rows; ++r)
            list->addRow({QString("Param %1").arg(r), "", ""});
        list->setEditable(true);
        owner->show();
        owner->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(owner.get()));
    }
    QPoint centre(int row, int column) const {
        return list->visualRect(list->listModel()->index(row, column)).center();
    }
    void click(const QPoint& p) { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p); }
    void click(int row, int column) { click(centre(row, column)); }
};

} // namespace

class TestCustomList : public QObject {
    Q_OBJECT
private slots:
    void init() { ActiveSkin::setCurrent(ActiveSkin::fallback()); }

    void modelStaysConsistentThroughEveryChange() {
        CCustomListCtrl list;
        QAbstractItemModelTester tester(list.listModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.insertColumn("Planned Items", 128);
        list.insertColumn("Priority", 64, Qt::AlignRight);
        list.setCheckBoxes(true);
        QCOMPARE(list.addRow({"Buy milk", "Normal"}), 0);
        QCOMPARE(list.addRows({{"a", "Important"}, {"b"}, {"c", "Normal", "extra ignored"}}), 1);
        QCOMPARE(list.insertRow(0, {"top", "Normal"}), 0);
        QCOMPARE(list.insertRow(99, {"bottom"}), 5);
        QCOMPARE(list.rowCount(), 6);
        QCOMPARE(list.itemText(0, 0), QString("top"));
        QCOMPARE(list.itemText(3, 1), QString(""));
        QCOMPARE(list.itemText(4, 2), QString()); // the extra text has no column
        QVERIFY(list.setChecked(2, true));
        QVERIFY(list.isChecked(2));
        QVERIFY(list.setItemData(2, 4711));
        QCOMPARE(list.itemData(2), 4711);
        QVERIFY(list.setItemText(2, 1, "Normal"));
        QVERIFY(list.setListCell(1, 1, {"Normal", "Important"}, 1));
        list.insertColumn("Date", 196);
        QCOMPARE(list.itemText(1, 2), QString(""));
        QCOMPARE(list.cellValue(1, 1), 1);
        QVERIFY(list.deleteColumn(2));
        QVERIFY(!list.deleteColumn(2));
        QVERIFY(list.deleteRow(0));
        QVERIFY(!list.deleteRow(10));
        QCOMPARE(list.itemData(1), 4711); // data moves with its row
        QVERIFY(list.isChecked(1));
        QCOMPARE(list.listModel()
                         ->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole)
                         .value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        list.clear();
        QCOMPARE(list.rowCount(), 0);
        QCOMPARE(list.columnCount(), 2);
        QVERIFY(!list.setItemText(0, 0, "x"));
        QVERIFY(!list.setChecked(0, true));
    }

    void widthsSurviveANewInstanceOfTheList() {
        test::clearSettings();
        auto makeList = [](QWidget* owner) {
            auto* list = new CCustomListCtrl(owner);
            list->insertColumn("Date", 110);
            list->insertColumn("Time", 58);
            list->insertColumn("Description", 66);
            list->restoreWidths(settings::RecordsList);
            return list;
        };
        {
            QWidget owner;
            CCustomListCtrl* list = makeList(&owner);
            QCOMPARE(list->columnWidth(0), 110);
            QCOMPARE(list->columnWidth(1), 58);
            QCOMPARE(list->columnWidth(2), 66);
            // Reading a default writes nothing.
            QVERIFY(!SettingsStore::contains("recordsList 00"));
            list->setColumnWidth(0, 150);
            list->setColumnWidth(1, 0); // hidden
            list->setColumnWidth(2, 80);
        } // the owner goes, and the list saves its widths
        QCOMPARE(SettingsStore::readInt("recordsList 00", -1), 150);
        QCOMPARE(SettingsStore::readInt("recordsList 01", -1), 0);
        QCOMPARE(SettingsStore::readInt("recordsList 02", -1), 80);

        QWidget owner;
        CCustomListCtrl* list = makeList(&owner);
        QCOMPARE(list->columnWidth(0), 150);
        QCOMPARE(list->columnWidth(1), 0);
        QCOMPARE(list->columnWidth(2), 80);

        // A value that cannot be a width gives the defined width.
        SettingsStore::writeInt("recordsList 02", -7);
        list->restoreWidths(settings::RecordsList);
        QCOMPARE(list->columnWidth(2), 66);
        test::clearSettings();
    }

    void aListWithoutAKeyFormatStoresNothing() {
        test::clearSettings();
        {
            CCustomListCtrl list;
            list.insertColumn("Description", 256);
            QVERIFY(!list.saveWidths());
        }
        QVERIFY(!SettingsStore::contains("remindersList 00"));
    }

    // The notice is written in the middle of the list, in the window's text size, with no box
    // around it; short and tall lists alike.
    void emptyListShowsTheNoticeUntilARowIsAdded() {
        const ActiveSkin skin = distinctSkin();
        ActiveSkin::setCurrent(skin);
        for (const QSize size : {QSize(400, 200), QSize(300, 90), QSize(700, 420)}) {
            CCustomListCtrl list;
            list.insertColumn("Date", 150);
            list.insertColumn("Time", 80);
            list.resize(size);
            list.show();
            QVERIFY(QTest::qWaitForWindowExposed(&list));

            const QRect notice = list.emptyNoticeRect();
            QVERIFY(!notice.isNull());
            const QRect area = list.viewport()->rect();
            QVERIFY(qAbs(notice.center().x() - area.center().x()) <= 1);
            QVERIFY(qAbs(notice.center().y() - area.center().y()) <= 1);
            QVERIFY(list.emptyNoticeFont().pointSizeF() >= QApplication::font().pointSizeF());
            QVERIFY(list.emptyNoticeFont().pointSizeF() > list.font().pointSizeF());

            const QImage img = list.viewport()->grab().toImage();
            QCOMPARE(img.pixelColor(2, area.height() - 3), skin.emptyNoticeBackground());
            // No frame: the edges of the notice's place are background.
            for (int x = notice.left(); x <= notice.right(); x += 4) {
                QCOMPARE(img.pixelColor(x, notice.top()), skin.emptyNoticeBackground());
                QCOMPARE(img.pixelColor(x, notice.bottom()), skin.emptyNoticeBackground());
            }
            int textPixels = 0;
            for (int y = notice.top(); y <= notice.bottom(); ++y)
                for (int x = notice.left(); x <= notice.right(); ++x)
                    if (img.pixelColor(x, y) != skin.emptyNoticeBackground()) ++textPixels;
            QVERIFY(textPixels > 100);

            list.addRow({"7 - Dec - 2026, Mon", "10:00:00"});
            QVERIFY(list.emptyNoticeRect().isNull());
            const QImage rows = list.viewport()->grab().toImage();
            QCOMPARE(rows.pixelColor(2, area.height() - 3), skin.listBackground());
            QCOMPARE(rows.pixelColor(notice.center()), skin.listBackground());
            list.clear();
            QVERIFY(!list.emptyNoticeRect().isNull());
        }
    }

    void importantRowsUseTheHighlightColoursOnlyInListsWithCheckBoxes() {
        const ActiveSkin skin = distinctSkin();
        ActiveSkin::setCurrent(skin);
        CCustomListCtrl list;
        list.insertColumn("Planned Items", 150);
        list.insertColumn("Priority", 100);
        list.addRow({"Dentist", "Important"});
        list.addRow({"Walk", "Normal"});
        list.addRow({"Call", "Other"});
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        auto colourAt = [&](int row) {
            const QRect r = list.visualRect(list.listModel()->index(row, 1));
            return list.viewport()->grab().toImage().pixelColor(r.right() - 6, r.center().y());
        };
        QCOMPARE(colourAt(0), skin.listBackground()); // no check boxes: an ordinary row

        list.setCheckBoxes(true);
        QCOMPARE(colourAt(0), skin.listHighlightBackground());
        QCOMPARE(colourAt(1), skin.listBackground());
        QCOMPARE(colourAt(2), skin.listBackground());
        list.setItemText(1, 1, "Important");
        QCOMPARE(colourAt(1), skin.listHighlightBackground());

        list.selectRow(2);
        QCOMPARE(colourAt(2), skin.selectionBackground());
    }

    void clickingTheCheckBoxTogglesItWithoutSelecting() {
        CCustomListCtrl list;
        list.insertColumn("Planned Items", 150);
        list.insertColumn("Priority", 100);
        list.setCheckBoxes(true);
        list.addRow({"Dentist", "Normal"});
        list.addRow({"Walk", "Normal"});
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy toggled(&list, &CCustomListCtrl::checkToggled);
        QSignalSpy selected(&list, &CCustomListCtrl::rowSelected);
        const QRect cell = list.visualRect(list.listModel()->index(1, 0));
        const QPoint box = QRect(cell.left() + 4, cell.top(), 13, cell.height()).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 8, box.y()));
        QVERIFY(list.isChecked(1));
        QCOMPARE(toggled.count(), 1);
        QCOMPARE(toggled.at(0).at(0).toInt(), 1);
        QCOMPARE(toggled.at(0).at(1).toBool(), true);
        QVERIFY(list.selectedRows().isEmpty());
        QCOMPARE(selected.count(), 0);

        // Space toggles the selected rows; setChecked() alone does not report.
        list.setFocus();
        list.selectRow(0);
        QTest::keyClick(&list, Qt::Key_Space);
        QVERIFY(list.isChecked(0));
        QCOMPARE(toggled.count(), 2);
        list.setChecked(0, false);
        QCOMPARE(toggled.count(), 2);
    }

    // A tick on the row just selected by a click holds: the release of the press must not
    // toggle it back behind the owner's back. A double click is two toggles.
    void aTickHoldsOnTheSelectedRow() {
        Page page(2);
        CCustomListCtrl* list = page.list;
        list->setCheckBoxes(true);
        QSignalSpy toggled(list, &CCustomListCtrl::checkToggled);
        const QPoint box =
            CustomListDelegate::checkBoxRect(list->visualRect(list->listModel()->index(0, 0)))
                .center();
        page.click(page.centre(0, 0));
        QCOMPARE(list->selectedRow(), 0);
        for (bool ticked : {true, false, true}) {
            page.click(box);
            QCOMPARE(list->isChecked(0), ticked);
            QCOMPARE(toggled.last().at(1).toBool(), ticked);
        }
        page.click(box); // a double click: its first click, then the double click
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, box);
        QVERIFY(list->isChecked(0));
        QCOMPARE(toggled.count(), 5);
    }

    // One click on a value cell selects its row and opens the editor: no click that only
    // selects comes first.
    void oneClickSelectsTheRowAndOpensTheEditor() {
        Page page;
        CCustomListCtrl* list = page.list;
        QVERIFY(list->setTextCell(0, 1, "12", true));
        QVERIFY(list->setTextCell(1, 1, "free text"));
        QSignalSpy selected(list, &CCustomListCtrl::rowSelected);

        page.click(0, 1);
        QCOMPARE(list->selectedRows(), QList<int>{0});
        QCOMPARE(selected.count(), 1);
        auto* ed = qobject_cast<CInPlaceEdit*>(list->activeEditor());
        QVERIFY(ed);
        QCOMPARE(ed->text(), QString("12"));
        QCOMPARE(ed->selectedText(), QString("12"));
        QCOMPARE(ed->geometry(), list->visualRect(list->listModel()->index(0, 1)));
        QCOMPARE(ed->font(), list->font());
        QTest::keyClick(ed, Qt::Key_Escape);
        QVERIFY(!list->activeEditor());

        // The first column never edits, nor does a cell without a kind.
        page.click(0, 0);
        QVERIFY(!list->activeEditor());
        page.click(0, 2);
        QVERIFY(!list->activeEditor());
        QCOMPARE(list->selectedRows(), QList<int>{0});

        // A click on another row's cell moves the selection there and edits that cell.
        page.click(1, 1);
        QCOMPARE(list->selectedRows(), QList<int>{1});
        ed = qobject_cast<CInPlaceEdit*>(list->activeEditor());
        QVERIFY(ed);
        QCOMPARE(ed->text(), QString("free text"));
        QTest::keyClick(ed, Qt::Key_Escape);
        // With Ctrl the click only changes the selection.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, page.centre(0, 1));
        QVERIFY(!list->activeEditor());
        QCOMPARE(list->selectedRows(), QList<int>{0});

        // A list that does not allow editing never opens an editor.
        list->setEditable(false);
        page.click(1, 1);
        QVERIFY(!list->activeEditor());
    }

    void textEditorFiltersWhatIsTyped() {
        Page page;
        CCustomListCtrl* list = page.list;
        list->setTextCell(0, 1, "12", true);
        list->setTextCell(1, 1, "36.6", false, true);
        list->setTextCell(2, 1, "Sunny");
        QSignalSpy edited(list, &CCustomListCtrl::cellEdited);

        // Integer cell: letters and "." do nothing; digits and "-" go in.
        page.click(0, 1);
        auto* ed = qobject_cast<CInPlaceEdit*>(list->activeEditor());
        QVERIFY(ed);
        QTest::keyClick(ed, Qt::Key_A);
        QTest::keyClick(ed, Qt::Key_Period);
        QCOMPARE(ed->text(), QString("12"));
        QTest::keyClicks(ed, "-5");
        QCOMPARE(ed->text(), QString("-5"));
        ed->insert("x7"); // pasted text obeys the same filter
        QCOMPARE(ed->text(), QString("-5"));
        QTest::keyClick(ed, Qt::Key_Backspace);
        QTest::keyClicks(ed, "7");
        QTest::keyClick(ed, Qt::Key_Return);
        QVERIFY(!list->activeEditor());
        QCOMPARE(list->itemText(0, 1), QString("-7"));
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.at(0), (QVariantList{0, 1, false, QString("-7"), -1}));

        // Decimal cell: "." is accepted.
        page.click(1, 1);
        ed = qobject_cast<CInPlaceEdit*>(list->activeEditor());
        QVERIFY(ed);
        QTest::keyClicks(ed, "37.2");
        QTest::keyClick(ed, Qt::Key_A);
        QCOMPARE(ed->text(), QString("37.2"));
        // Losing the focus keeps the text.
        page.owner->setFocus();
        list->setFocus();
        QTRY_VERIFY(!list->activeEditor());
        QCOMPARE(list->itemText(1, 1), QString("37.2"));
        QCOMPARE(edited.count(), 2);
        QCOMPARE(edited.at(1).at(3).toString(), QString("37.2"));

        // Any-text cell takes letters; Escape cancels with no text and leaves the cell alone.
        page.click(2, 1);
        ed = qobject_cast<CInPlaceEdit*>(list->activeEditor());
        QVERIFY(ed);
        QTest::keyClicks(ed, "Rain.");
        QCOMPARE(ed->text(), QString("Rain."));
        QTest::keyClick(ed, Qt::Key_Escape);
        QCOMPARE(list->itemText(2, 1), QString("Sunny"));
        QCOMPARE(edited.count(), 3);
        QCOMPARE(edited.at(2).at(2).toBool(), true);
        QVERIFY(edited.at(2).at(3).toString().isNull());

        // A decimal cell showing a text that breaks the filter (a damaged value printed as
        // "nan"): backspace still deletes, letters still stay out, digits go in.
        list->setTextCell(2, 1, "nan", false, true);
        page.click(2, 1);
        ed = qobject_cast<CInPlaceEdit*>(list->activeEditor());
        QVERIFY(ed);
        QTest::keyClick(ed, Qt::Key_End);
        QTest::keyClick(ed, Qt::Key_Backspace);
        QCOMPARE(ed->text(), QString("na"));
        QTest::keyClick(ed, Qt::Key_X);
        QTest::keyClick(ed, Qt::Key_N);
        QCOMPARE(ed->text(), QString("na"));
        QTest::keyClick(ed, Qt::Key_Backspace);
        QTest::keyClick(ed, Qt::Key_Backspace);
        QTest::keyClicks(ed, "1.5");
        QCOMPARE(ed->text(), QString("1.5"));
        QTest::keyClick(ed, Qt::Key_Return);
        QCOMPARE(list->itemText(2, 1), QString("1.5"));
    }

    void cellMadeAnotherKindUnderItsEditorEndsCancelled() {
        Page page;
        CCustomListCtrl* list = page.list;
        list->setTextCell(0, 1, "12", true);
        QSignalSpy edited(list, &CCustomListCtrl::cellEdited);
        page.click(0, 1);
        auto* ed = qobject_cast<CInPlaceEdit*>(list->activeEditor());
        QVERIFY(ed);
        QTest::keyClicks(ed, "7");
        // The owner refills the row while the text editor is still open.
        QVERIFY(list->setSpinCell(0, 1, kMoods, 1, -3, 3, 3));
        QTest::keyClick(ed, Qt::Key_Return);
        QVERIFY(!list->activeEditor());
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.at(0).at(2).toBool(), true);
        QCOMPARE(list->itemText(0, 1), QString("Fine"));
        QCOMPARE(list->cellValue(0, 1), 1);
        QVERIFY(page.owner->spins.isEmpty());
    }

    void spinSquaresStepClampAndReportEveryPress() {
        Page page;
        CCustomListCtrl* list = page.list;
        // The mood row: values -3..+3, names at value + 3.
        QVERIFY(list->setSpinCell(0, 1, kMoods, 2, -3, 3, 3));
        QCOMPARE(list->itemText(0, 1), QString("Good"));
        QSignalSpy edited(list, &CCustomListCtrl::cellEdited);
        const QRect cell = list->visualRect(list->listModel()->index(0, 1));
        const QPoint right(cell.right() - 2, cell.center().y());
        const QPoint left(cell.left() + 2, cell.center().y());
        const QPoint middle = cell.center();

        page.click(middle); // between the squares: the row is selected, nothing steps
        QVERIFY(page.owner->spins.isEmpty());
        QCOMPARE(list->cellValue(0, 1), 2);

        page.click(right);
        QVERIFY(!list->activeEditor()); // the press ends the edit at once
        QCOMPARE(list->cellValue(0, 1), 3);
        QCOMPARE(list->itemText(0, 1), QString("Great"));
        QCOMPARE(page.owner->spins, (QList<QPair<qintptr, qintptr>>{{0, 3}}));
        QCOMPARE(edited.last(), (QVariantList{0, 1, false, QString("Great"), 3}));

        // At the highest value the right square keeps it there and still reports it.
        page.click(right);
        QCOMPARE(list->cellValue(0, 1), 3);
        QCOMPARE(page.owner->spins.size(), 2);
        QCOMPARE(page.owner->spins.last(), (QPair<qintptr, qintptr>{0, 3}));

        page.click(left);
        QCOMPARE(list->cellValue(0, 1), 2);
        QCOMPARE(list->itemText(0, 1), QString("Good"));
        QCOMPARE(page.owner->spins.last(), (QPair<qintptr, qintptr>{0, 2}));

        // Between the squares nothing changes; the editor waits for Enter, Escape or focus.
        page.click(middle);
        auto* spin = qobject_cast<CInPlaceSpin*>(list->activeEditor());
        QVERIFY(spin);
        QCOMPARE(list->cellValue(0, 1), 2);
        QCOMPARE(page.owner->spins.size(), 3);
        QTest::keyClick(spin, Qt::Key_Escape);
        QVERIFY(!list->activeEditor());
        QCOMPARE(page.owner->spins.size(), 3);
        QCOMPARE(edited.last().at(2).toBool(), true);

        // At the lowest value the left square stays.
        list->setSpinCell(1, 1, kMoods, -3, -3, 3, 3);
        page.click(1, 1);
        const QRect cell1 = list->visualRect(list->listModel()->index(1, 1));
        page.click(QPoint(cell1.left() + 2, cell1.center().y()));
        QCOMPARE(list->cellValue(1, 1), -3);
        QCOMPARE(list->itemText(1, 1), QString("Awful"));
        QCOMPARE(page.owner->spins.last(), (QPair<qintptr, qintptr>{1, -3}));
    }

    void spinEditorOnItsOwn() {
        // Reversed ends are put in order; a value without a name shows nothing.
        CInPlaceSpin spin(nullptr, {"a", "b", "c"}, 1, 2, 0, 0);
        spin.resize(100, 20);
        QVERIFY(!spin.press(QPoint(50, 10)));
        QVERIFY(!spin.isFinished());
        QVERIFY(spin.press(QPoint(95, 10)));
        QCOMPARE(spin.value(), 2);
        QCOMPARE(spin.shownText(), QString("c"));
        QVERIFY(spin.stepped());
        QVERIFY(!spin.press(QPoint(5, 10))); // finished: further presses do nothing
        QCOMPARE(spin.value(), 2);

        CInPlaceSpin shifted(nullptr, {"x"}, 4, 0, 9, 0);
        QCOMPARE(shifted.shownText(), QString());
    }

    void listCellDropsDownAndTakesTheChosenName() {
        Page page;
        CCustomListCtrl* list = page.list;
        QVERIFY(list->setListCell(0, 1, {"NO", "YES"}, 0));
        QCOMPARE(list->itemText(0, 1), QString("NO"));
        QSignalSpy edited(list, &CCustomListCtrl::cellEdited);

        page.click(0, 1);
        auto* combo = qobject_cast<CInPlaceCombo*>(list->activeEditor());
        QVERIFY(combo);
        QCOMPARE(combo->currentIndex(), 0);
        QTRY_VERIFY(combo->view()->isVisible()); // dropped down at once
        QTest::keyClick(combo->view(), Qt::Key_Down);
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QTRY_VERIFY(!list->activeEditor());
        QCOMPARE(list->cellValue(0, 1), 1);
        QCOMPARE(list->itemText(0, 1), QString("YES"));
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.at(0), (QVariantList{0, 1, false, QString("YES"), 1}));
        QVERIFY(page.owner->spins.isEmpty()); // list cells notify nobody else

        // Escape in the drop-down cancels the whole edit.
        page.click(0, 1);
        combo = qobject_cast<CInPlaceCombo*>(list->activeEditor());
        QVERIFY(combo);
        QTRY_VERIFY(combo->view()->isVisible());
        QTest::keyClick(combo->view(), Qt::Key_Up);
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        QTRY_VERIFY(!list->activeEditor());
        QCOMPARE(list->cellValue(0, 1), 1);
        QCOMPARE(list->itemText(0, 1), QString("YES"));
        QCOMPARE(edited.last().at(2).toBool(), true);
    }

    void settingCellsChecksTheRowAndColumn() {
        CCustomListCtrl list;
        list.insertColumn("Description", 72);
        list.insertColumn("Value", 96);
        list.addRow({"Mood"});
        QVERIFY(!list.setTextCell(1, 1, "x"));
        QVERIFY(!list.setTextCell(0, 2, "x"));
        QVERIFY(!list.setListCell(-1, 1, {"a"}, 0));
        QVERIFY(!list.setSpinCell(0, 5, {"a"}, 0, 0, 0, 0));
        QCOMPARE(list.itemText(0, 1), QString(""));
        // An index without a name shows nothing rather than reading past the names.
        QVERIFY(list.setListCell(0, 1, {"NO", "YES"}, 7));
        QCOMPARE(list.itemText(0, 1), QString(""));
        QVERIFY(list.setSpinCell(0, 1, kMoods, 5, -3, 3, 3));
        QCOMPARE(list.itemText(0, 1), QString(""));
        QCOMPARE(list.cellValue(0, 1), 5);
        QVERIFY(list.setTextCell(0, 1, "1.50", false, true));
        QCOMPARE(list.cellValue(0, 1), -1);
        QCOMPARE(list.itemText(0, 1), QString("1.50"));
    }

    void editingScrollsTheCellIntoView() {
        Page page;
        CCustomListCtrl* list = page.list;
        list->setColumnWidth(0, 100);
        list->setColumnWidth(1, 100);
        list->setColumnWidth(2, 150);
        page.list->resize(220, 200);
        QTest::qWait(0);
        list->setTextCell(0, 2, "far away");
        page.click(0, 0);
        const QRect before = list->visualRect(list->listModel()->index(0, 2));
        QVERIFY(before.left() < list->viewport()->width());
        QVERIFY(before.right() >= list->viewport()->width());
        page.click(QPoint(before.left() + 10, before.center().y()));
        QWidget* ed = list->activeEditor();
        QVERIFY(ed);
        QVERIFY(list->horizontalScrollBar()->value() > 0);
        const QRect after = list->visualRect(list->listModel()->index(0, 2));
        QVERIFY(after.right() < list->viewport()->width());
        QCOMPARE(ed->geometry(), after);
    }

    void enterAndDeleteGoToTheOwner() {
        Page page;
        CCustomListCtrl* list = page.list;
        list->setFocus();
        QSignalSpy enter(list, &CCustomListCtrl::returnPressed);
        QSignalSpy del(list, &CCustomListCtrl::deletePressed);
        QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(enter.count(), 1);
        QCOMPARE(del.count(), 1);
        QVERIFY(page.owner->keys.isEmpty());
        // Ctrl+Enter and Ctrl+Delete are the owner's.
        QTest::keyClick(list, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(enter.count(), 1);
        QCOMPARE(del.count(), 1);
        QCOMPARE(page.owner->keys, (QList<QKeyCombination>{Qt::ControlModifier | Qt::Key_Return,
                                                           Qt::ControlModifier | Qt::Key_Delete}));
    }

    void selectionApi() {
        CCustomListCtrl list;
        list.insertColumn("Description", 100);
        for (int i = 0; i < 6; ++i)
            list.addRow({QString::number(i)});
        QCOMPARE(list.selectedRow(), -1);
        list.selectRow(4);
        list.setRowSelected(1, true); // single selection: moves it
        QCOMPARE(list.selectedRows(), QList<int>{1});
        list.setMultiSelect(true);
        list.setRowSelected(5, true);
        list.setRowSelected(3, true);
        QCOMPARE(list.selectedRows(), (QList<int>{1, 3, 5}));
        QCOMPARE(list.selectedRow(), 1);
        list.setRowSelected(3, false);
        QCOMPARE(list.selectedRows(), (QList<int>{1, 5}));
        list.selectRow(99); // no such row: nothing changes
        QCOMPARE(list.selectedRows(), (QList<int>{1, 5}));
    }

    void removingTheEditedRowCancelsTheEdit() {
        Page page;
        CCustomListCtrl* list = page.list;
        list->setTextCell(1, 1, "5", true);
        QSignalSpy edited(list, &CCustomListCtrl::cellEdited);
        page.click(1, 1);
        QVERIFY(list->activeEditor());
        list->clear();
        QVERIFY(!list->activeEditor());
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.at(0).at(2).toBool(), true); // cancelled, and nothing was written
        QCOMPARE(list->rowCount(), 0);
    }

    void tenThousandRowsFillAndScroll() {
        CCustomListCtrl list;
        list.insertColumn("Date", 110);
        list.insertColumn("Time", 58);
        list.insertColumn("Description", 66);
        list.resize(400, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.setRedraw(false);
        for (int i = 0; i < 10000; ++i)
            list.addRow({QString("Day %1").arg(i), "10:00:00", "n/a"});
        list.setRedraw(true);
        list.ensureVisible(9999);
        QCoreApplication::processEvents();
        QCOMPARE(list.rowCount(), 10000);
        QVERIFY(
            list.visualRect(list.listModel()->index(9999, 0)).intersects(list.viewport()->rect()));
    }
};

QTEST_MAIN(TestCustomList)
#include "tst_customlist.moc"
