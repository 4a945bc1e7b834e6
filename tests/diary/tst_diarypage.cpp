// The diary page as the user works it: the entry list, search and narrowing, navigation,
// delete, the keys of the page, and the preview of the selected entry.

#include "DiaryFixture.h"
#include "ModalDriver.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "app/ProgramResources.h"
#include "app/SkinLayout.h"
#include "diary/CTavrinDlgDiary.h"
#include "diary/CTavrinPPDiary.h"
#include "diary/CTavrinPPViewDiary.h"
#include "diary/CTavrinPSDiary.h"
#include "diary/CTavrinPSView.h"
#include "diary/logic/EntrySearch.h"
#include "platform/Clock.h"
#include "platform/DateChooser.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "platform/ShellOpen.h"
#include "rtf/RtfCodec.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomRichEdit.h"
#include "ui/CCustomStatic.h"
#include "ui/CCustomTabCtrl.h"
#include "ui/CustomListModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include <array>
#include <functional>
#include <string>
#include <vector>

using namespace tavrin;
using namespace tavrin::diary;
using namespace tavrin::test;
using platform::MessageBox;
using platform::MsgAnswer;

namespace {

struct Sample {
    std::int64_t dateTime;
    std::string description;
    std::string body;
    std::array<std::string, 5> types{};
    bool voice = false;
    std::function<void(EntryRecord&)> more = {};
};

std::int64_t at(int y, int mo, int d, int h, int mi, int s) {
    return LocalTime::toTime({y, mo, d, h, mi, s});
}

QString diaryWith(const QString& name, const std::vector<Sample>& samples) {
    const QString path = makeDiary(name, "secret", 0);
    TN tn(0, path.toStdString(), extOffsetOf(path));
    for (const Sample& s : samples) {
        tn.entry.clear();
        tn.entry.setPassword("secret");
        tn.entry.setQuestion(0, "Pet?");
        tn.entry.setAnswer(0, "Rex");
        tn.entry.setDateTime(s.dateTime);
        tn.entry.setDescription(s.description);
        tn.entry.setVoiceFlag(s.voice ? 1 : 0);
        if (s.more) s.more(tn.entry);
        tn.body = s.body;
        tn.typeText = s.types;
        if (!tn.AddEntry()) return {};
    }
    return path;
}

void useDiary(const QString& path) {
    auto& s = app::DiaryState::instance();
    s.choose(path, extOffsetOf(path));
    s.setOpen(true);
    s.setEmptyDiary(false);
    s.reloadShortcuts();
}

// Six entries: plain and RTF bodies, voice notes and type texts.
QString sampleDiary(const QString& name) {
    return diaryWith(
        name,
        {
            {1'700'000'000,
             "Long WALK",
             "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 In the \\b Garden\\b0 .\\par}",
             {"", "", "", "", ""},
             false},
            {1'700'100'000, "", "Plain body about rain", {"bills", "", "", "", ""}, true},
            {1'700'200'000,
             "walk in rain",
             "{\\rtf1\\ansi\\f0 Rain all day\\par}",
             {"", "", "", "", "verse"},
             true},
            {1'700'300'000,
             "Shopping",
             "{\\rtf1\\ansi\\f0 garden centre\\par}",
             {"x", "draft", "", "", ""},
             false},
            {1'700'400'000, "walk", "Nothing", {"", "", "", "", ""}, true},
            {1'700'500'000, "Last", "{\\rtf1\\ansi\\f0 the end\\par}", {"", "", "", "", ""}, false},
        });
}

QStringList column(const ui::CCustomListCtrl* list, int c) {
    QStringList out;
    for (int r = 0; r < list->rowCount(); ++r)
        out << list->itemText(r, c);
    return out;
}

QList<qint64> entries(const ui::CCustomListCtrl* list) {
    QList<qint64> out;
    for (int r = 0; r < list->rowCount(); ++r)
        out << list->itemData(r);
    return out;
}

QPushButton* button(QWidget* w, const char* name) {
    auto* b = w->findChild<QPushButton*>(name);
    if (!b) qFatal("no button %s", name);
    return b;
}

void apply(CTavrinDlgDiary& page, int mode, const QString& text = {}) {
    page.searchModes()->setCurrentIndex(mode);
    if (!text.isNull()) page.searchText()->setText(text);
    button(&page, "applyButton")->click();
}

} // namespace

class TestDiaryPage : public QObject {
    Q_OBJECT
private slots:
    void init() {
        clearSettings();
        MessageBox::clearRecorded();
        platform::ShellOpen::clearRecorded();
        platform::Help::clearRecorded();
        app::DiaryState::instance().close();
        app::DiaryState::instance().setEmptyDiary(false);
        ui::ActiveSkin::setCurrent(ui::ActiveSkin::fallback());
    }

    void listColumnsAndMarks() {
        const std::int64_t summer = at(2024, 7, 1, 9, 5, 7);
        const QString path = diaryWith(
            "Columns", {
                           {1'700'000'000, "Long WALK", "body", {"", "", "", "", ""}, false},
                           {summer, "", "body", {"", "two", "", "", "five"}, true},
                       });
        useDiary(path);
        platform::SettingsStore::writeInt("recordsList 02", 150);
        {
            CTavrinDlgDiary page;
            page.fillEntryList(true);
            auto* list = page.entryList();
            QVERIFY(list->isEnabled());
            QCOMPARE(list->columnCount(), 9);
            QStringList titles;
            for (int c = 0; c < 9; ++c)
                titles << list->columnTitle(c);
            QCOMPARE(titles,
                     QStringList({"Date", "Time", "Description", "V", "1", "2", "3", "4", "5"}));
            QCOMPARE(list->columnWidth(0), 110);
            QCOMPARE(list->columnWidth(1), 58);
            QCOMPARE(list->columnWidth(2), 150); // the stored width wins
            for (int c = 3; c < 9; ++c) {
                QCOMPARE(list->columnWidth(c), 19);
                QCOMPARE(list->columnAlignment(c) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
            }
            // 1'700'000'000 is 22:13:20 UTC, an hour later in Berlin; summer time is two hours.
            QCOMPARE(list->rowCount(), 2);
            QCOMPARE(list->itemText(0, 0), QString("14 - Nov - 2023, Tue"));
            QCOMPARE(list->itemText(0, 1), QString("23:13:20"));
            QCOMPARE(list->itemText(1, 0), QString("01 - Jul - 2024, Mon"));
            QCOMPARE(list->itemText(1, 1), QString("09:05:07"));
            QCOMPARE(list->itemText(0, 2), QString("Long WALK"));
            QCOMPARE(list->itemText(1, 2), QString("n/a"));
            QCOMPARE(column(list, 3), QStringList({"", "X"}));
            QStringList marks;
            for (int c = 4; c < 9; ++c)
                marks << list->itemText(1, c);
            QCOMPARE(marks, QStringList({"", "X", "", "", "X"})); // empty type texts: no mark
            for (int c = 4; c < 9; ++c)
                QCOMPARE(list->itemText(0, c), QString());
            QCOMPARE(entries(list), QList<qint64>({0, 1}));
            list->setColumnWidth(0, 123);
        }
        // The widths outlive the page.
        QCOMPARE(platform::SettingsStore::readInt("recordsList 00", 0), 123);
        QCOMPARE(platform::SettingsStore::readInt("recordsList 08", 0), 19);
    }

    void anEmptyDiaryDisablesTheList() {
        useDiary(makeDiary("Empty", "secret", 0));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        page.selectLastEntry();
        QVERIFY(!page.entryList()->isEnabled());
        QCOMPARE(page.entryList()->rowCount(), 0);
        QCOMPARE(page.preview()->textPage()->textView()->toPlainText(),
                 QString("Tavelle Suite v3.10"));
        // Navigation has nothing to do.
        for (const char* b : {"firstButton", "previousButton", "nextButton", "lastButton"})
            button(&page, b)->click();
        QCOMPARE(page.previewedEntry(), -1);
    }

    void searchModesFollowTheTypeNames() {
        const QString path = sampleDiary("Modes");
        useDiary(path);
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        page.pageShown();
        auto* modes = page.searchModes();
        QCOMPARE(modes->count(), 10);
        QCOMPARE(modes->itemText(4), QString("Voice only"));
        QCOMPARE(modes->itemText(5), QString("1 - Finance only"));
        QCOMPARE(modes->itemText(9), QString("5 - Poetry only"));
        QVERIFY(page.searchText()->text().isEmpty());
        QCOMPARE(page.searchText()->placeholderText(), QString("<search string>"));
        for (int m = 0; m < 10; ++m) {
            modes->setCurrentIndex(m);
            QCOMPARE(page.searchText()->isEnabled(), m >= 1 && m <= 3);
        }
        // Renamed in the options: the list is rebuilt when the page is shown again.
        {
            TN tn(0, path.toStdString(), extOffsetOf(path));
            QVERIFY(tn.ReadConfiguration());
            tn.config.setTypeName(0, "Bills");
            QVERIFY(tn.WriteConfiguration());
        }
        modes->setCurrentIndex(2);
        page.searchText()->setText("typed");
        page.pageShown();
        QCOMPARE(modes->itemText(5), QString("1 - Bills only"));
        QCOMPARE(modes->currentIndex(), 0);
        QVERIFY(page.searchText()->text().isEmpty());
        QVERIFY(!page.searchText()->isEnabled());
    }

    void voiceOnlyListsTheRowsMarkedV() {
        useDiary(sampleDiary("Voice"));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        QList<qint64> marked;
        for (int r = 0; r < page.entryList()->rowCount(); ++r)
            if (page.entryList()->itemText(r, 3) == "X") marked << page.entryList()->itemData(r);
        apply(page, EntrySearch::VoiceOnly);
        QCOMPARE(entries(page.entryList()), marked);
        QCOMPARE(entries(page.entryList()), QList<qint64>({1, 2, 4}));
        QCOMPARE(page.previewedEntry(), 4); // Select last
    }

    void textSearchesIgnoreCase() {
        useDiary(sampleDiary("Text"));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        apply(page, EntrySearch::DescriptionText, "walk");
        QCOMPARE(entries(page.entryList()), QList<qint64>({0, 2, 4}));
        button(&page, "resetButton")->click();
        // Bodies: what the entry shows, not its markup.
        apply(page, EntrySearch::BodyText, "GARDEN");
        QCOMPARE(entries(page.entryList()), QList<qint64>({0, 3}));
        button(&page, "resetButton")->click();
        apply(page, EntrySearch::BodyText, "rtf");
        QCOMPARE(page.entryList()->rowCount(), 0);
        QVERIFY(page.entryList()->isEnabled()); // entries exist, none matched
        QCOMPARE(page.previewedEntry(), -1);    // and none is previewed
        button(&page, "resetButton")->click();
        apply(page, EntrySearch::BodyText, "par");
        QCOMPARE(page.entryList()->rowCount(), 0);
        button(&page, "resetButton")->click();
        apply(page, EntrySearch::BodyOrDescription, "rain");
        QCOMPARE(entries(page.entryList()), QList<qint64>({1, 2}));
    }

    void againNarrowsAndResetBringsEveryEntryBack() {
        useDiary(sampleDiary("Again"));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        auto* applyButton = button(&page, "applyButton");
        QCOMPARE(applyButton->text(), QString("Apply"));
        apply(page, EntrySearch::DescriptionText, "walk");
        QCOMPARE(applyButton->text(), QString("Again"));
        QVERIFY(page.filterAgain());
        QCOMPARE(entries(page.entryList()), QList<qint64>({0, 2, 4}));
        apply(page, EntrySearch::VoiceOnly);
        QCOMPARE(entries(page.entryList()), QList<qint64>({2, 4}));
        // A body mode narrows by the bodies of the rows that are left.
        apply(page, EntrySearch::BodyText, "RAIN");
        QCOMPARE(entries(page.entryList()), QList<qint64>({2}));
        QCOMPARE(page.previewedEntry(), 2);
        // Again with "All" keeps the rows.
        apply(page, EntrySearch::All);
        QCOMPARE(entries(page.entryList()), QList<qint64>({2}));

        button(&page, "resetButton")->click();
        QCOMPARE(entries(page.entryList()), QList<qint64>({0, 1, 2, 3, 4, 5}));
        QCOMPARE(applyButton->text(), QString("Apply"));
        QVERIFY(!page.filterAgain());
        QCOMPARE(page.searchModes()->currentIndex(), 0);
        QVERIFY(page.searchText()->text().isEmpty());
        QVERIFY(!page.searchText()->isEnabled());
        QCOMPARE(page.previewedEntry(), 5);
    }

    void bodyModeThenAgainWithAnotherBodySearch() {
        useDiary(sampleDiary("Bodies"));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        apply(page, EntrySearch::BodyOrDescription, "garden");
        QCOMPARE(entries(page.entryList()), QList<qint64>({0, 3}));
        apply(page, EntrySearch::BodyText, "centre");
        QCOMPARE(entries(page.entryList()), QList<qint64>({3}));
        apply(page, EntrySearch::BodyText, "garden");
        QCOMPARE(entries(page.entryList()), QList<qint64>({3}));
    }

    // An entry whose texts point outside the data file is left out (the storage reports it);
    // Again still narrows the other rows instead of keeping every one.
    void bodySearchAgainPastADamagedEntry() {
        const QString path = sampleDiary("Damaged");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.seek(420 + 360)); // entry 1's body offset
            QCOMPARE(f.write(QByteArray("\x00\xff\xff\xff", 4)), qint64(4));
        }
        useDiary(path);
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        apply(page, EntrySearch::DescriptionText, "walk");
        QCOMPARE(entries(page.entryList()), QList<qint64>({0, 2, 4}));
        apply(page, EntrySearch::BodyText, "RAIN");
        QCOMPARE(entries(page.entryList()), QList<qint64>({2}));
        QCOMPARE(page.previewedEntry(), 2);
        button(&page, "resetButton")->click();
        apply(page, EntrySearch::BodyOrDescription, "rain");
        QCOMPARE(entries(page.entryList()), QList<qint64>({2}));
    }

    // The hint is never searched for: modes 1 to 3 with nothing typed say so and list on.
    void applyWithoutSearchTextSaysSo() {
        useDiary(sampleDiary("NoText"));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        page.pageShown();
        for (int mode : {EntrySearch::BodyText, EntrySearch::DescriptionText,
                         EntrySearch::BodyOrDescription}) {
            MessageBox::clearRecorded();
            apply(page, mode, QString(""));
            QCOMPARE(MessageBox::recordedTexts(), QStringList{CTavrinDlgDiary::kNoSearchText});
            QCOMPARE(MessageBox::recorded().first().icon, platform::MsgIcon::Warning);
            QCOMPARE(page.entryList()->rowCount(), 6);
            QVERIFY(!page.filterAgain());
        }
        // The hint's own words are an ordinary search once typed.
        MessageBox::clearRecorded();
        apply(page, EntrySearch::BodyText, "<search string>");
        QVERIFY(MessageBox::recorded().isEmpty());
        QCOMPARE(page.entryList()->rowCount(), 0);
    }

    // The preview, Edit and the row the user clicked agree, also when the row clicked or
    // reached with "<" was selected already.
    void previewFollowsTheCurrentRow() {
        useDiary(sampleDiary("Current"));
        QWidget window;
        CTavrinDlgDiary page(&window);
        window.resize(760, 540);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        page.fillEntryList(true);
        auto* list = page.entryList();
        auto clickRow = [list](int row, Qt::KeyboardModifiers mods = {}) {
            const QRect r = list->visualRect(list->listModel()->index(row, 2));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, r.center());
        };
        clickRow(1);
        clickRow(3, Qt::ControlModifier);
        QCOMPARE(list->selectedRows(), QList<int>({1, 3}));
        QCOMPARE(page.previewedEntry(), 3);
        clickRow(1); // into the selection: only row 1 stays, and it is shown
        QCOMPARE(list->selectedRows(), QList<int>({1}));
        QCOMPARE(page.previewedEntry(), 1);

        clickRow(0);
        clickRow(3, Qt::ControlModifier);
        QCOMPARE(list->selectedRows(), QList<int>({0, 3}));
        QCOMPARE(page.previewedEntry(), 3);
        button(&page, "previousButton")->click(); // onto row 0, selected already
        QCOMPARE(list->selectedRows(), QList<int>({0}));
        QCOMPARE(page.previewedEntry(), 0);

        // With two rows selected, Edit takes the one the preview shows.
        clickRow(4, Qt::ControlModifier);
        QCOMPARE(page.previewedEntry(), 4);
        whenModal([](QWidget* w) {
            auto* sheet = qobject_cast<CTavrinPSDiary*>(w);
            QVERIFY(sheet);
            QCOMPARE(sheet->textPage()->descriptionEdit()->text(), QString("walk"));
            click(sheet, "cancelButton");
        });
        button(&page, "editButton")->click();
    }

    // A double-click on a row, or Enter in the list, edits that row's entry as Edit does.
    void doubleClickAndEnterEditTheRow() {
        useDiary(sampleDiary("Open"));
        CTavrinDlgDiary page;
        page.resize(760, 540);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.fillEntryList(true);
        auto* list = page.entryList();
        QStringList opened;
        auto record = [&opened](QWidget* w) {
            opened << qobject_cast<CTavrinPSDiary*>(w)->textPage()->descriptionEdit()->text();
            click(w, "cancelButton");
        };
        whenModal(record);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualRect(list->listModel()->index(3, 0)).center());
        list->selectRow(0);
        whenModal(record);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(opened, QStringList({"Shopping", "Long WALK"}));
    }

    // Ctrl+G: a calendar, then the first listed entry of the nearest day is selected.
    void goToDateSelectsTheNearestEntry() {
        // Entries on 3, 3, 10 and 20 March 2025 and 1 January 2026, at noon and in the evening.
        const QString path = diaryWith("GoTo", {{at(2025, 3, 3, 12, 0, 0), "3a", "x"},
                                                {at(2025, 3, 3, 21, 0, 0), "3b", "x"},
                                                {at(2025, 3, 10, 8, 0, 0), "10", "x"},
                                                {at(2025, 3, 20, 23, 59, 0), "20", "x"},
                                                {at(2026, 1, 1, 0, 0, 1), "new year", "x"}});
        useDiary(path);
        QWidget window;
        CTavrinDlgDiary page(&window);
        window.resize(760, 540);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        page.fillEntryList(true);
        page.selectLastEntry();
        const struct {
            QDate chosen;
            const char* selected;
        } cases[] = {
            {QDate(2025, 3, 3), "3a"},       // the day itself: its first entry
            {QDate(2025, 3, 6), "3a"},       // nearer the earlier day
            {QDate(2025, 3, 7), "10"},       // nearer the later
            {QDate(2025, 3, 15), "10"},      // five days either side: the earlier
            {QDate(2025, 3, 20), "20"},      // late in the day is still that day
            {QDate(1990, 1, 1), "3a"},       // before the first
            {QDate(2030, 6, 1), "new year"}, // after the last
            {QDate(2025, 6, 1), "20"},
        };
        for (const auto& c : cases) {
            platform::DateChooser::setNextDate(c.chosen);
            QTest::keyClick(page.entryList(), Qt::Key_G, Qt::ControlModifier);
            const QList<int> rows = page.entryList()->selectedRows();
            QCOMPARE(rows.size(), 1);
            QCOMPARE(page.entryList()->itemText(rows.first(), 2), QString(c.selected));
            QCOMPARE(page.previewedEntry(), int(page.entryList()->itemData(rows.first())));
        }
        // The calendar opens on the selected entry's day; cancelling changes nothing.
        platform::DateChooser::cancelNext();
        QTest::keyClick(page.entryList(), Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(platform::DateChooser::lastInitial(), QDate(2025, 3, 20));
        QCOMPARE(page.entryList()->itemText(page.entryList()->selectedRow(), 2), QString("20"));
    }

    // Each preview page fits the main window's card with the default font: the tabs stay put,
    // nothing scrolls sideways, and a page scrolls up and down only when it cannot fit.
    void previewsFitTheCard() {
        useDiary(sampleDiary("Fit"));
        QWidget window;
        CTavrinDlgDiary page(&window);
        page.setGeometry(0, 0, SkinLayout::kPageWidth, SkinLayout::kPageHeight);
        window.resize(page.size());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        page.fillEntryList(true);
        page.selectLastEntry();
        CTavrinPSView* sheet = page.preview();
        for (QWidget* w = sheet->tabCtrl(); w != &page; w = w->parentWidget())
            QVERIFY(!qobject_cast<QScrollArea*>(w));
        for (int i = 0; i < sheet->pageCount(); ++i) {
            QVERIFY(sheet->selectPage(i));
            QApplication::processEvents();
            ui::CCustomPropertyPage* shown = sheet->page(i);
            auto* scroller = qobject_cast<QScrollArea*>(shown->parentWidget()->parentWidget());
            QVERIFY(scroller && !scroller->horizontalScrollBar()->isVisible());
            QWidget* view = scroller->viewport();
            // Only the fibromyalgia ratings are too tall for the card, and only they scroll.
            const bool tooTall = shown->minimumSizeHint().height() > view->height();
            QCOMPARE(tooTall, i == CTavrinPSView::ParamsPage);
            QCOMPARE(scroller->verticalScrollBar()->isVisible(), tooTall);
            // Nothing is cut at the sides ("Worst" and the "10" buttons included).
            for (QWidget* c : shown->findChildren<QWidget*>()) {
                const QRect r(c->mapTo(view, QPoint(0, 0)), c->size());
                QVERIFY2(!c->isVisibleTo(shown) || (r.left() >= 0 && r.right() < view->width()),
                         qPrintable(shown->title() + ": " + c->metaObject()->className()));
            }
        }
    }

    void navigationAtBothEnds() {
        useDiary(sampleDiary("Navigate"));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        auto* list = page.entryList();
        // No selection: both "<" and ">" go to the first row.
        list->clearSelection();
        button(&page, "previousButton")->click();
        QCOMPARE(list->selectedRows(), QList<int>({0}));
        list->clearSelection();
        button(&page, "nextButton")->click();
        QCOMPARE(list->selectedRows(), QList<int>({0}));
        QCOMPARE(page.previewedEntry(), 0);
        button(&page, "previousButton")->click();
        QCOMPARE(list->selectedRows(), QList<int>({0}));
        button(&page, "nextButton")->click();
        button(&page, "nextButton")->click();
        QCOMPARE(list->selectedRows(), QList<int>({2}));
        QCOMPARE(page.previewedEntry(), 2);
        button(&page, "lastButton")->click();
        QCOMPARE(list->selectedRows(), QList<int>({5}));
        button(&page, "nextButton")->click();
        QCOMPARE(list->selectedRows(), QList<int>({5}));
        QCOMPARE(page.previewedEntry(), 5);
        button(&page, "firstButton")->click();
        QCOMPARE(list->selectedRows(), QList<int>({0}));
        QCOMPARE(page.previewedEntry(), 0);
        // A row picked in the list is previewed too.
        list->selectRow(3);
        QCOMPARE(page.previewedEntry(), 3);
    }

    void deleteAsksAndRefuses() {
        useDiary(sampleDiary("Delete"));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        auto* list = page.entryList();
        list->setRowSelected(1, true);
        list->setRowSelected(2, true);
        button(&page, "deleteButton")->click();
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({"You cannot delete more than one entry at a time!"}));
        list->clearSelection();
        button(&page, "deleteButton")->click();
        QCOMPARE(MessageBox::recorded().last().text,
                 QString("You must have an entry selected in order to delete it!"));
        QCOMPARE(MessageBox::recorded().last().icon, platform::MsgIcon::None);
        QCOMPARE(MessageBox::recorded().last().caption, QString("Tavelle Suite v3.10"));
        QCOMPARE(list->rowCount(), 6);

        MessageBox::clearRecorded();
        list->selectRow(2);
        MessageBox::setNextAnswer(MsgAnswer::No);
        button(&page, "deleteButton")->click();
        QCOMPARE(MessageBox::recordedTexts(), QStringList({"Delete current entry?"}));
        QCOMPARE(list->rowCount(), 6);

        MessageBox::setNextAnswer(MsgAnswer::Yes);
        button(&page, "deleteButton")->click();
        QCOMPARE(column(list, 2), QStringList({"Long WALK", "n/a", "Shopping", "walk", "Last"}));
        QCOMPARE(entries(list), QList<qint64>({0, 1, 2, 3, 4}));
        QCOMPARE(list->selectedRows(), QList<int>({4}));
        QCOMPARE(page.previewedEntry(), 4);

        // With confirmation off, nothing is asked.
        settings::write(settings::DeleteEntry, 0);
        MessageBox::clearRecorded();
        list->selectRow(0);
        button(&page, "deleteButton")->click();
        QVERIFY(MessageBox::recorded().isEmpty());
        QCOMPARE(column(list, 2), QStringList({"n/a", "Shopping", "walk", "Last"}));
    }

    // A filtered list stays filtered after a delete, and its rows still name the right entries
    // although the entries after the deleted one moved up.
    void deleteInANarrowedList() {
        useDiary(sampleDiary("DeleteNarrowed"));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        apply(page, EntrySearch::VoiceOnly);
        QCOMPARE(entries(page.entryList()), QList<qint64>({1, 2, 4}));
        page.entryList()->selectRow(0);
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        button(&page, "deleteButton")->click();
        QCOMPARE(entries(page.entryList()), QList<qint64>({1, 3}));
        QCOMPARE(column(page.entryList(), 2), QStringList({"walk in rain", "walk"}));
        QCOMPARE(page.previewedEntry(), 3);
        QCOMPARE(page.preview()->textPage()->typeChooser()->itemText(0), QString("walk"));
    }

    void deletingTheOnlyEntry() {
        useDiary(diaryWith("Only", {{1'700'000'000, "Only one", "text", {}, false}}));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        page.selectLastEntry();
        QCOMPARE(page.previewedEntry(), 0);
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        button(&page, "deleteButton")->click();
        QCOMPARE(page.entryList()->rowCount(), 0);
        QVERIFY(!page.entryList()->isEnabled());
        QCOMPARE(page.previewedEntry(), -1);
        QCOMPARE(page.preview()->textPage()->textView()->toPlainText(),
                 QString("Tavelle Suite v3.10"));
        QCOMPARE(page.preview()->textPage()->typeChooser()->count(), 0);
        QVERIFY(app::DiaryState::instance().isEmptyDiary());
        // Nothing left to delete: no message.
        MessageBox::clearRecorded();
        button(&page, "deleteButton")->click();
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void newAndEditNeedADiaryAndASelection() {
        CTavrinDlgDiary page;
        button(&page, "newButton")->click();
        button(&page, "editButton")->click();
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({"You must open or create a diary first!",
                              "You must open or create a diary first!"}));
        QCOMPARE(MessageBox::recorded().first().icon, platform::MsgIcon::Warning);
        useDiary(sampleDiary("EditNone"));
        page.fillEntryList(true);
        page.entryList()->clearSelection();
        MessageBox::clearRecorded();
        button(&page, "editButton")->click();
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({"You must have an entry selected in order to edit it!"}));
    }

    // A saved entry is listed at once and the latest entry is previewed; a cancelled sheet
    // changes nothing.
    void newAndEditRefillTheList() {
        useDiary(sampleDiary("NewEdit"));
        platform::Clock::setFixed(1'800'000'000);
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        whenModal([](QWidget* w) {
            auto* sheet = qobject_cast<CTavrinPSDiary*>(w);
            QVERIFY(sheet);
            sheet->textPage()->descriptionEdit()->setText("Written here");
            click(sheet, "okButton");
        });
        button(&page, "newButton")->click();
        platform::Clock::clearFixed();
        QCOMPARE(page.entryList()->rowCount(), 7);
        QCOMPARE(page.entryList()->itemText(6, 2), QString("Written here"));
        QCOMPARE(page.entryList()->selectedRows(), QList<int>({6}));
        QCOMPARE(page.previewedEntry(), 6);

        page.entryList()->selectRow(2);
        whenModal([](QWidget* w) {
            auto* sheet = qobject_cast<CTavrinPSDiary*>(w);
            QVERIFY(sheet);
            QCOMPARE(sheet->textPage()->descriptionEdit()->text(), QString("walk in rain"));
            sheet->textPage()->descriptionEdit()->setText("Edited here");
            click(sheet, "okButton");
        });
        button(&page, "editButton")->click();
        QCOMPARE(page.entryList()->rowCount(), 7);
        QCOMPARE(page.entryList()->itemText(2, 2), QString("Edited here"));
        QCOMPARE(page.previewedEntry(), 6);

        page.entryList()->selectRow(1);
        whenModal([](QWidget* w) { click(w, "cancelButton"); });
        button(&page, "editButton")->click();
        QCOMPARE(page.entryList()->selectedRows(), QList<int>({1}));
        QCOMPARE(page.previewedEntry(), 1);
    }

    void previewShowsTheEntry() {
        // Faces of a skin of our own, one colour per mood.
        const QString faces = QDir(scratchDir()).filePath("faces");
        QDir().mkpath(faces);
        for (int m = -3; m <= 3; ++m) {
            QImage img(48, 48, QImage::Format_RGB32);
            img.fill(QColor(100 + 20 * m, 50, 50));
            QVERIFY(img.save(QDir(faces).filePath(QString("face%1.bmp").arg(m)), "BMP"));
        }
        ui::ActiveSkin skin = ui::ActiveSkin::fallback();
        skin.pictureDir = faces;
        ui::ActiveSkin::setCurrent(skin);
        app::ProgramResources::loadMoodPictures();

        const QString path =
            diaryWith("Preview", {
                                     {1'700'000'000,
                                      "Caf\xe9",
                                      "{\\rtf1\\ansi{\\field{\\*\\fldinst HYPERLINK "
                                      "\"https://example.org/\"}{\\fldrslt a link}}\\par}",
                                      {"money", "", "", "", "a poem"},
                                      true,
                                      [](EntryRecord& e) {
                                          e.setMood(-1);
                                          e.setDream(2);
                                          e.setFatigue(-2);
                                          e.setShape(0);
                                          e.setMenstruation(1);
                                          e.setReal1(36.6f);
                                          e.setInt1(72);
                                          e.setWeather(3);
                                      }},
                                 });
        useDiary(path);
        QWidget window;
        CTavrinDlgDiary page(&window);
        window.resize(760, 540);
        page.resize(760, 540);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        page.fillEntryList(true);
        page.selectLastEntry();
        auto* text = page.preview()->textPage();
        QCOMPARE(text->headingLabel()->text(), QString("14 - Nov - 2023, Tue, at 23:13:20"));
        QStringList items;
        for (int i = 0; i < text->typeChooser()->count(); ++i)
            items << text->typeChooser()->itemText(i);
        // The entry has a voice note: "Voice" comes last.
        QCOMPARE(items, QStringList({"Café", "1 - Finance", "2 - Drafts", "3 - Journal",
                                     "4 - E-mails", "5 - Poetry", "Voice"}));
        QCOMPARE(text->typeChooser()->currentIndex(), 0);
        QCOMPARE(text->textView()->toPlainText(), QString("a link"));
        QVERIFY(text->textView()->isReadOnly());

        QCOMPARE(text->shownMood(), -1);
        const QImage face = text->moodPicture()->pixmap().toImage();
        QCOMPARE(face.size(), QSize(48, 48));
        QCOMPARE(QColor(face.pixel(10, 10)), QColor(80, 50, 50));

        auto* params = text->parameterList();
        QCOMPARE(params->columnTitle(0), QString("Description"));
        QCOMPARE(params->columnWidth(0), 96);
        QCOMPARE(params->columnTitle(1), QString("Value"));
        QCOMPARE(params->columnWidth(1), 64);
        QCOMPARE(column(params, 0),
                 QStringList({"Mood", "Dream", "Fatigue", "Shape", "Menstruus", "Copulation",
                              "Temperature", "Weight", "Weather"}));
        QCOMPARE(column(params, 1), QStringList({"Not Good", "Fun", "Exhausted", "Healthy", "YES",
                                                 "NO", "36.60", "72", "Rainy"}));

        // A type text is shown when chosen.
        text->typeChooser()->setCurrentIndex(5);
        emit text->typeChooser()->activated(5);
        QCOMPARE(text->textView()->toPlainText(), QString("a poem"));
        text->typeChooser()->setCurrentIndex(0);
        emit text->typeChooser()->activated(0);

        // Clicking the link hands it to the desktop.
        QTextCursor found = text->textView()->document()->find("a link");
        QVERIFY(!found.isNull());
        found.setPosition(found.selectionStart() + 2);
        const QPoint p = text->textView()->cursorRect(found).center();
        QTest::mouseClick(text->textView()->viewport(), Qt::LeftButton, {}, p);
        QCOMPARE(platform::ShellOpen::recorded().size(), 1);
        QCOMPARE(platform::ShellOpen::recorded().first().target, QString("https://example.org/"));
        QCOMPARE(text->textView()->toPlainText(), QString("a link")); // the view stayed

        // A disabled parameter is left out.
        {
            TN tn(0, path.toStdString(), extOffsetOf(path));
            QVERIFY(tn.ReadConfiguration());
            tn.config.setWeatherEnabled(false);
            QVERIFY(tn.WriteConfiguration());
        }
        page.refreshPreview();
        QCOMPARE(params->rowCount(), 8);
    }

    // The preview's pages in order, and the navigator's way to each.
    void previewPages() {
        CTavrinDlgDiary page;
        auto* sheet = page.preview();
        QStringList titles;
        for (int i = 0; i < sheet->pageCount(); ++i)
            titles << sheet->page(i)->title();
        QCOMPARE(titles, QStringList({"Diary Text and Basic Parameters", "Fibromyalgia Parameters",
                                      "Body Pain Map", "Medication"}));
        const struct {
            int which;
            const char* title;
        } routes[] = {{app::SubPageSelector::kDiaryBody, "Body Pain Map"},
                      {app::SubPageSelector::kDiaryMedication, "Medication"},
                      {app::SubPageSelector::kDiaryFibro, "Fibromyalgia Parameters"},
                      {app::SubPageSelector::kDiaryText, "Diary Text and Basic Parameters"}};
        for (const auto& r : routes) {
            page.selectSubPage(r.which);
            QCOMPARE(sheet->activePage()->title(), QString(r.title));
        }
        // The page fits the main window's card; a taller preview page scrolls instead.
        QVERIFY2(page.minimumSizeHint().width() <= SkinLayout::kPageWidth,
                 qPrintable(QString::number(page.minimumSizeHint().width())));
        QVERIFY(page.minimumSizeHint().height() <= SkinLayout::kPageHeight);
        // Escape and Enter cannot close the embedded sheet.
        sheet->reject();
        sheet->accept();
        QVERIFY(!sheet->isHidden());
    }

    void pageKeys() {
        useDiary(sampleDiary("Keys"));
        QWidget window;
        CTavrinDlgDiary page(&window);
        window.resize(760, 540);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        page.fillEntryList(true);
        page.pageShown();
        auto* list = page.entryList();

        // Alt+1 pastes the first text shortcut into the search text.
        page.searchModes()->setCurrentIndex(EntrySearch::BodyText);
        page.searchText()->clear();
        page.searchText()->setFocus();
        QTest::keyClick(page.searchText(), Qt::Key_3, Qt::AltModifier);
        QCOMPARE(page.searchText()->text(), QString("text for hotkey3"));

        // Ctrl+Delete deletes the selected entry.
        list->setFocus();
        list->selectRow(0);
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(MessageBox::recordedTexts(), QStringList({"Delete current entry?"}));
        QCOMPARE(list->rowCount(), 5);

        // Inside the preview (e.g. the medication list) the key leaves the entries alone.
        page.preview()->textPage()->textView()->setFocus();
        MessageBox::clearRecorded();
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        QTest::keyClick(page.preview()->textPage()->textView(), Qt::Key_Delete,
                        Qt::ControlModifier);
        QVERIFY(MessageBox::recorded().isEmpty());
        QCOMPARE(list->rowCount(), 5);
        MessageBox::clearRecorded();
        list->setFocus();

        // The help key opens the diary's topic.
        QTest::keyClick(list, Qt::Key_F1);
        QCOMPARE(platform::Help::lastTopic(), QString("hlpDiary.html"));

        // Escape in the mode list's open drop-down only closes the drop-down.
        page.searchModes()->showPopup();
        QWidget* popup = page.searchModes()->view();
        QTRY_VERIFY(popup->isVisible());
        QTest::keyClick(popup, Qt::Key_Escape);
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY(!window.isMinimized());

        // Escape minimises the main window, from the list as from the preview, and leaves the
        // page and its preview in place.
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(window.isMinimized());
        window.showNormal();
        QVERIFY(!window.isMinimized());
        page.preview()->textPage()->textView()->setFocus();
        QTest::keyClick(page.preview()->textPage()->textView(), Qt::Key_Escape);
        QVERIFY(window.isMinimized());
        QVERIFY(page.isVisibleTo(&window));
        QVERIFY(page.preview()->isVisibleTo(&window));
    }

    void firstShowAndChangedEntries() {
        const QString path = sampleDiary("Shown");
        useDiary(path);
        CTavrinDlgDiary page;
        page.fillEntryList(false);
        page.entryList()->clearSelection();
        page.pageShown(); // first show: Select last
        QCOMPARE(page.entryList()->selectedRows(), QList<int>({5}));
        page.entryList()->selectRow(1);
        page.pageShown(); // nothing changed: the selection stays
        QCOMPARE(page.entryList()->selectedRows(), QList<int>({1}));
        QVERIFY(addEntry(path, {1'800'000'000, "Added elsewhere", "x"}));
        app::DiaryState::instance().markEntriesChanged();
        page.pageShown();
        QCOMPARE(page.entryList()->rowCount(), 7);
        QCOMPARE(page.entryList()->itemText(6, 2), QString("Added elsewhere"));
        QCOMPARE(page.previewedEntry(), 6);
    }

    // Another program (tavrin-cli) deletes the first entry while the list is shown: every row
    // below it now names the next entry. Delete and Edit say so and list the diary again
    // instead of acting on the wrong entry; showing the page again lists it anew too.
    void changesByAnotherProgramAreSeenBeforeDeleteOrEdit() {
        const QString path = sampleDiary("Elsewhere");
        useDiary(path);
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        const QStringList before = column(page.entryList(), 2);
        QVERIFY(app::DiaryState::instance().makeTN(0)->DeleteEntry(0));
        int gone = 1;
        for (const char* command : {"deleteButton", "editButton"}) {
            page.entryList()->selectRow(2);
            MessageBox::clearRecorded();
            MessageBox::setNextAnswer(MsgAnswer::Yes);
            button(&page, command)->click();
            QCOMPARE(MessageBox::recordedTexts().size(), 1);
            QVERIFY(MessageBox::recordedTexts().first().startsWith(
                "The diary was changed by another program."));
            QCOMPARE(column(page.entryList(), 2), before.mid(gone));
            QVERIFY(app::DiaryState::instance().makeTN(0)->DeleteEntry(0));
            ++gone;
        }
        page.pageShown();
        QCOMPARE(column(page.entryList(), 2), before.mid(3));
    }

    void clearingTheListHidesTheEntry() {
        useDiary(sampleDiary("Clear"));
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        page.selectLastEntry();
        QCOMPARE(page.previewedEntry(), 5);
        page.clearEntryList();
        QVERIFY(!page.entryList()->isEnabled());
        QCOMPARE(page.previewedEntry(), -1);
        QCOMPARE(page.preview()->textPage()->textView()->toPlainText(),
                 QString("Tavelle Suite v3.10"));
    }

    // The demo diary the README points new users to: it opens with "demo", every entry reads
    // back whole, and the page lists and previews it. A copy is used; the source stays as it is.
    void theShippedDemoDiaryOpensWithItsPassword() {
        const QString demo = QStringLiteral(TAVRIN_DEMO_DIARY);
        const QString dir = QDir(scratchDir()).filePath("demo");
        QVERIFY(QDir().mkpath(dir + "/Demo"));
        const QString path = QDir(dir).filePath("Demo.tni");
        QVERIFY(QFile::copy(demo, path));
        QVERIFY(
            QFile::copy(QFileInfo(demo).dir().filePath("Demo/Demo.tnd"), dir + "/Demo/Demo.tnd"));

        TN tn(0, path.toStdString(), extOffsetOf(path));
        int entries = 0, whole = 0, withTypeText = 0, withPain = 0, rated = 0;
        std::int64_t first = 0, last = 0;
        QVERIFY(tn.ForEachEntry(true, [&](const EntryView& v) {
            if (++entries == 1) first = v.record.dateTime();
            last = v.record.dateTime();
            if (v.record.password() != "demo") return false;
            const QByteArray body(v.body.data(), qsizetype(v.body.size()));
            if (!RtfCodec::isRtf(body) || RtfCodec::plainText(body).trimmed().isEmpty())
                return false;
            ++whole;
            for (const auto& t : v.types)
                if (!t.empty()) ++withTypeText;
            for (int a = 0; a < EntryRecord::kPainAreas; ++a)
                if (v.record.pain(a) != 0) {
                    ++withPain;
                    break;
                }
            if (v.record.fibro(Fibro::PainMorning) >= 0) ++rated;
            return true;
        }));
        QCOMPARE(whole, tn.entryCount);
        QVERIFY(entries >= 20);
        QVERIFY(last - first > 60 * 86400); // a few months
        QVERIFY(withTypeText > 0 && withPain > 0 && rated > 0);

        useDiary(path);
        CTavrinDlgDiary page;
        page.fillEntryList(true);
        page.selectLastEntry();
        QCOMPARE(page.entryList()->rowCount(), entries);
        QCOMPARE(page.previewedEntry(), entries - 1);
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    // A sanity bound only; the benchmarks give the figures.
    void tenThousandEntriesListQuickly() {
        const QString path = makeDiary("Large", "secret", 1);
        QFile index(path);
        QVERIFY(index.open(QIODevice::ReadOnly));
        const QByteArray one = index.readAll();
        index.close();
        QCOMPARE(one.size(), 420);
        QVERIFY(index.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (int i = 0; i < 10'000; ++i)
            index.write(one);
        index.close();
        useDiary(path);

        CTavrinDlgDiary page;
        QElapsedTimer t;
        t.start();
        page.fillEntryList(true);
        page.selectLastEntry();
        const qint64 fill = t.elapsed();
        QCOMPARE(page.entryList()->rowCount(), 10'000);
        QCOMPARE(page.previewedEntry(), 9'999);
        t.restart();
        apply(page, EntrySearch::BodyText, "ENTRY 1");
        const qint64 search = t.elapsed();
        QCOMPARE(page.entryList()->rowCount(), 10'000);
        qInfo("fill %lld ms, body search %lld ms", fill, search);
        QVERIFY2(fill < 5000, qPrintable(QString("fill took %1 ms").arg(fill)));
        QVERIFY2(search < 10000, qPrintable(QString("search took %1 ms").arg(search)));
    }
};

QTEST_MAIN(TestDiaryPage)
#include "tst_diarypage.moc"
