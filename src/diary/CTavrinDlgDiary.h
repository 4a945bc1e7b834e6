#pragma once
// The diary page of the main window: the entries of the open diary as a list in date-time
// order, with New, Edit, Delete, four navigation buttons and a search that narrows the list,
// and the preview of the selected entry below it.
//
// Every row's item data is the entry's index in the entries table. The list is filled from one
// walk of the diary; the preview reads the one entry it shows.

#include "app/Module.h"
#include "app/ShellHooks.h"
#include "diary/logic/EntrySearch.h"
#include "diary/logic/EntrySearchCache.h"
#include "storage/FileStamp.h"
#include "ui/CCustomDialog.h"

#include <QList>

class QComboBox;
class QLineEdit;
class QTimer;

namespace tavrin {
class EntryRecord;
}

namespace tavrin::ui {
class CCustomButton;
class CCustomListCtrl;
} // namespace tavrin::ui

namespace tavrin::diary {

class CTavrinPSView;

class CTavrinDlgDiary : public ui::CCustomDialog,
                        public app::ModulePage,
                        public app::DiaryPageApi,
                        public app::SubPageSelector {
    Q_OBJECT
public:
    static constexpr const char* kHelpTopic = "hlpDiary.html";
    static constexpr const char* kNoSearchText =
        "Please type the text to search for, then press Apply.";
    static constexpr const char* kGoToDateTitle = "Go to date";

    explicit CTavrinDlgDiary(QWidget* parent = nullptr);
    ~CTavrinDlgDiary() override;

    // ---- what the main window asks of the page ----
    void clearEntryList() override;
    // A newly opened (or reopened) diary: the search starts over and every entry is listed.
    void fillEntryList(bool openFormat) override;
    void selectLastEntry() override;
    void refreshPreview() override;
    void pageShown() override;

    // The list's row texts for an entry: date, time ("%H:%M:%S" when `openFormat`, else the
    // locale's form), description or "n/a", and the "X" marks of the voice note and type texts.
    static QStringList rowTexts(const EntryRecord& e, bool openFormat);

    // Rebuilds the list from the diary, listing the entries that the applied searches let
    // through, then scrolls to the last row and focuses the list.
    void refill(bool openFormat = false);
    // Shows the entry of `row` in the preview (the banner when there is none).
    void showPreview(int row);
    // Makes a page of the preview current (CTavrinPSView::Page).
    bool selectPreviewPage(int page);
    // The navigator's choice of a preview page (SubPageSelector::DiaryPreview).
    void selectSubPage(int which) override;

    ui::CCustomListCtrl* entryList() const { return list_; }
    CTavrinPSView* preview() const { return preview_; }
    QComboBox* searchModes() const { return modes_; }
    QLineEdit* searchText() const { return searchText_; }
    // The entry the preview shows, -1 for none.
    int previewedEntry() const { return previewed_; }
    // Whether Apply narrows the current rows (it reads "Again" then).
    bool filterAgain() const { return filterAgain_; }

public slots:
    void newEntry();
    void editEntry();
    void deleteEntry();
    // Prints the listed or the selected entries with the text the preview shows.
    void printEntries();
    void selectFirst();
    void selectPrevious();
    void selectNext();
    void applySearch();
    void resetSearch();
    // Ctrl+G: a calendar; the listed entry nearest to the chosen day becomes the selected one.
    void goToDate();

protected:
    // The page lives inside the main window: Escape minimises the window instead of closing
    // the page, and Enter presses nothing.
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override {}
    void accept() override {}

private:
    // The row the preview shows and Edit edits: the current row when it is selected, else the
    // first selected row; -1 without a selection.
    int shownRow() const;
    void followSelection();
    void rebuildModes();
    void resetSearchText();
    void modeChosen(int mode);
    void narrow(const EntrySearch& search);
    // Lists the entries that pass `chain`; `typing` keeps the focus in the search text.
    void refillWith(const QList<EntrySearch>& chain, bool openFormat, bool typing);
    void searchAsTyped();
    EntrySearchCache& searchCache();
    // False, after saying so and listing the diary again, when another program (tavrin-cli)
    // changed the entry index since the list was filled: a row would name another entry.
    bool listIsCurrent();
    void pasteShortcut(int which);
    void minimiseWindow();

    ui::CCustomListCtrl* list_;
    CTavrinPSView* preview_;
    QComboBox* modes_;
    QLineEdit* searchText_;
    ui::CCustomButton* apply_;
    bool filterAgain_ = false;
    // The searches applied since the last reset; a refill lists what passes all of them.
    QList<EntrySearch> applied_;
    static constexpr int kTypingPauseMs = 150;
    QTimer* typingPause_;
    EntrySearchCache searchCache_; // the open diary's body texts, in memory only
    QString cachedPath_;
    bool shownOnce_ = false;
    int previewed_ = -1;
    FileStamp listed_; // the entry index as the list was filled from it
};

} // namespace tavrin::diary
