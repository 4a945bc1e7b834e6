#include "diary/CTavrinDlgDiary.h"

#include "app/DiaryState.h"
#include "diary/CTavrinPPViewDiary.h"
#include "diary/CTavrinPSView.h"
#include "diary/EntryEditor.h"
#include "diary/EntryPrinting.h"
#include "platform/DateChooser.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "storage/Cp1252.h"
#include "storage/LocalTime.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomRichEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>
#include <optional>
#include <vector>

namespace tavrin::diary {
namespace {

using platform::MessageBox;

constexpr const char* kDeleteSeveral = "You cannot delete more than one entry at a time!";
constexpr const char* kDeleteNone = "You must have an entry selected in order to delete it!";
constexpr const char* kDeleteConfirm = "Delete current entry?";
constexpr const char* kEditNone = "You must have an entry selected in order to edit it!";
constexpr const char* kChangedElsewhere =
    "The diary was changed by another program. The list now shows the entries as they are: "
    "please choose the entry again.";
constexpr const char* kApply = "Apply";
constexpr const char* kAgain = "Again";

// The wait cursor for as long as the list is being built.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString localText(const std::string& s) {
    return QString::fromLocal8Bit(s);
}

ui::CCustomButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new ui::CCustomButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// The five type names of the current diary (the defaults without a diary).
QStringList typeNames() {
    DiaryConfig config;
    config.applyDefaults();
    auto& state = app::DiaryState::instance();
    if (state.hasPath()) {
        auto tn = state.makeTN();
        if (tn->ReadConfiguration()) config = tn->config;
    }
    QStringList names;
    for (int i = 0; i < DiaryConfig::kTypes; ++i)
        names << QString::fromStdString(cp1252::toUtf8(config.typeName(i)));
    return names;
}

} // namespace

CTavrinDlgDiary::CTavrinDlgDiary(QWidget* parent)
    : ui::CCustomDialog(BackMain, parent), list_(new ui::CCustomListCtrl(this)),
      preview_(new CTavrinPSView(this)), modes_(new QComboBox(this)),
      searchText_(new QLineEdit(this)), typingPause_(new QTimer(this)) {
    setWindowFlags(Qt::Widget);
    setObjectName("diaryPage");

    auto* newButton = makeButton("New", "newButton", this);
    auto* editButton = makeButton("Edit", "editButton", this);
    auto* deleteButton = makeButton("Delete", "deleteButton", this);
    auto* printButton = makeButton("Print", "printButton", this);
    auto* first = makeButton("<<", "firstButton", this);
    auto* previous = makeButton("<", "previousButton", this);
    auto* next = makeButton(">", "nextButton", this);
    auto* last = makeButton(">>", "lastButton", this);
    apply_ = makeButton(kApply, "applyButton", this);
    auto* reset = makeButton("Reset", "resetButton", this);
    // Everything on one row within the main window's card.
    for (auto* b : {newButton, editButton, deleteButton, printButton, apply_, reset})
        b->setFixedWidth(56);
    for (auto* b : {first, previous, next, last})
        b->setFixedWidth(30);
    modes_->setObjectName("searchMode");
    modes_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    modes_->setMinimumContentsLength(12); // the list drops down wider when it needs to
    searchText_->setObjectName("searchText");
    searchText_->setPlaceholderText(EntrySearch::kPlaceholder);
    searchText_->setMinimumWidth(70);

    list_->setObjectName("entryList");
    list_->setMultiSelect(true);
    list_->insertColumn("Date", 110);
    list_->insertColumn("Time", 58);
    list_->insertColumn("Description", 66);
    list_->insertColumn("V", 19, Qt::AlignHCenter);
    for (int t = 1; t <= EntryRecord::kTypeTexts; ++t)
        list_->insertColumn(QString::number(t), 19, Qt::AlignHCenter);
    list_->restoreWidths(settings::RecordsList);

    auto* commands = new QHBoxLayout;
    commands->setSpacing(4);
    for (auto* b : {newButton, editButton, deleteButton, printButton})
        commands->addWidget(b);
    commands->addSpacing(8);
    for (auto* b : {first, previous, next, last})
        commands->addWidget(b);
    commands->addSpacing(8);
    commands->addWidget(modes_);
    commands->addWidget(searchText_, 1);
    commands->addWidget(apply_);
    commands->addWidget(reset);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(commands);
    list_->setMinimumHeight(120);
    layout->addWidget(list_, 1);
    // The preview's pages scroll up and down when they need more room than the card leaves
    // them; its tabs stay in place.
    layout->addWidget(preview_, 2);

    connect(newButton, &QPushButton::clicked, this, &CTavrinDlgDiary::newEntry);
    connect(editButton, &QPushButton::clicked, this, &CTavrinDlgDiary::editEntry);
    connect(deleteButton, &QPushButton::clicked, this, &CTavrinDlgDiary::deleteEntry);
    connect(printButton, &QPushButton::clicked, this, &CTavrinDlgDiary::printEntries);
    connect(first, &QPushButton::clicked, this, &CTavrinDlgDiary::selectFirst);
    connect(previous, &QPushButton::clicked, this, &CTavrinDlgDiary::selectPrevious);
    connect(next, &QPushButton::clicked, this, &CTavrinDlgDiary::selectNext);
    connect(last, &QPushButton::clicked, this, &CTavrinDlgDiary::selectLastEntry);
    connect(apply_, &QPushButton::clicked, this, &CTavrinDlgDiary::applySearch);
    connect(reset, &QPushButton::clicked, this, &CTavrinDlgDiary::resetSearch);
    connect(modes_, &QComboBox::currentIndexChanged, this, &CTavrinDlgDiary::modeChosen);
    // The list narrows as the user types, once typing pauses.
    typingPause_->setSingleShot(true);
    typingPause_->setInterval(kTypingPauseMs);
    connect(searchText_, &QLineEdit::textEdited, typingPause_, qOverload<>(&QTimer::start));
    connect(typingPause_, &QTimer::timeout, this, &CTavrinDlgDiary::searchAsTyped);
    // The preview follows the current row, also when it was selected already (a click into a
    // selection of several rows, "<" onto a selected row); a range selected with Shift reads
    // only the row clicked.
    connect(list_, &ui::CCustomListCtrl::selectedRowsChanged, this,
            &CTavrinDlgDiary::followSelection);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CTavrinDlgDiary::followSelection);
    // A double-click or Enter on a row edits its entry, as Edit does.
    connect(list_, &ui::CCustomListCtrl::rowDoubleClicked, this, &CTavrinDlgDiary::editEntry);
    connect(list_, &ui::CCustomListCtrl::returnPressed, this, &CTavrinDlgDiary::editEntry);

    auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] {
        // Inside the preview (the medication list has its own Delete) the key must not take
        // the diary entry with it.
        const QWidget* f = QApplication::focusWidget();
        if (f && preview_->isAncestorOf(f)) return;
        deleteEntry();
    });
    shortcut(QKeySequence::HelpContents, [this] { platform::Help::openTopic(kHelpTopic, this); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_G), [this] { goToDate(); });
    const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5};
    for (int i = 0; i < 5; ++i)
        shortcut(QKeySequence(Qt::ALT | digits[i]), [this, i] { pasteShortcut(i); });

    rebuildModes();
    resetSearchText();
    clearEntryList();
}

CTavrinDlgDiary::~CTavrinDlgDiary() = default;

QStringList CTavrinDlgDiary::rowTexts(const EntryRecord& e, bool openFormat) {
    QStringList t;
    t.reserve(4 + EntryRecord::kTypeTexts);
    t << localText(LocalTime::format(e.dateTime(), "%d - %b - %Y, %a"))
      << localText(LocalTime::format(e.dateTime(), openFormat ? "%H:%M:%S" : "%X"));
    const std::string description = e.description();
    t << (description.empty() ? QStringLiteral("n/a")
                              : QString::fromStdString(cp1252::toUtf8(description)));
    const QString mark = QStringLiteral("X");
    t << (e.voiceFlag() == 1 ? mark : QString());
    for (int i = 0; i < EntryRecord::kTypeTexts; ++i)
        t << (e.typeLength(i) != 0 ? mark : QString());
    return t;
}

// ---- filling ----

void CTavrinDlgDiary::clearEntryList() {
    list_->clear();
    list_->setEnabled(false);
    // The list no longer names the entry: it must not stay on screen (another diary may be
    // opened next, or none).
    previewed_ = -1;
    preview_->clearEntry();
}

void CTavrinDlgDiary::fillEntryList(bool openFormat) {
    applied_.clear();
    filterAgain_ = false;
    apply_->setText(kApply);
    refill(openFormat);
}

void CTavrinDlgDiary::refill(bool openFormat) {
    typingPause_->stop();
    refillWith(applied_, openFormat, false);
}

void CTavrinDlgDiary::refillWith(const QList<EntrySearch>& chain, bool openFormat, bool typing) {
    // While the user types, the cursor stays as it is and the focus stays in the search text.
    std::optional<WaitCursor> wait;
    if (!typing) wait.emplace();
    list_->clear();
    previewed_ = -1; // the entry at an index may have changed: the next selection reads it anew
    auto& state = app::DiaryState::instance();
    if (!state.hasPath()) {
        list_->setEnabled(false);
        return;
    }
    std::vector<EntrySearch::Found> found;
    auto tn = state.makeTN();
    listed_ = FileStamp::of(tn->files().indexPath());
    const EntrySearch::Walk walk = EntrySearch::find(*tn, chain, found, &searchCache());
    if (walk.read == 0) { // no entry could be read: an empty diary
        list_->setEnabled(false);
        return;
    }
    list_->setEnabled(true);
    QList<QStringList> rows;
    rows.reserve(qsizetype(found.size()));
    for (const EntrySearch::Found& f : found)
        rows << rowTexts(f.record, openFormat);
    list_->setRedraw(false);
    const int firstRow = list_->addRows(rows);
    for (std::size_t i = 0; i < found.size(); ++i)
        list_->setItemData(firstRow + int(i), found[i].index);
    list_->setRedraw(true);
    list_->ensureVisible(list_->rowCount() - 1);
    if (!typing) list_->setFocus();
}

EntrySearchCache& CTavrinDlgDiary::searchCache() {
    // One cache per open diary: another diary's texts are dropped, not kept beside it.
    const QString path = app::DiaryState::instance().path();
    if (path != cachedPath_) {
        searchCache_.clear();
        cachedPath_ = path;
    }
    return searchCache_;
}

void CTavrinDlgDiary::searchAsTyped() {
    const int mode = modes_->currentIndex();
    if (!EntrySearch::takesText(mode)) return;
    // What Apply or Again would list: the searches applied so far, and the one being typed.
    QList<EntrySearch> chain = applied_;
    if (!searchText_->text().isEmpty()) chain.append(EntrySearch(mode, searchText_->text()));
    refillWith(chain, false, true);
    selectLastEntry();
}

void CTavrinDlgDiary::narrow(const EntrySearch& search) {
    const int rows = list_->rowCount();
    if (rows == 0) return;
    std::vector<int> indexes(std::size_t(rows), -1);
    for (int r = 0; r < rows; ++r)
        indexes[std::size_t(r)] = int(list_->itemData(r));
    std::vector<bool> keep;
    WaitCursor wait;
    auto tn = app::DiaryState::instance().makeTN();
    // Nothing could be read: the rows stay. Entries that could not be read (reported) while
    // the others were go, as a fresh walk leaves them out too.
    const EntrySearch::Walk walk = EntrySearch::narrow(*tn, search, indexes, keep, &searchCache());
    if (!walk.ok && walk.read == 0) return;
    QList<QStringList> kept;
    QList<qint64> rowData;
    const int columns = list_->columnCount();
    for (int r = 0; r < rows; ++r) {
        if (!keep[std::size_t(r)]) continue;
        QStringList texts;
        for (int c = 0; c < columns; ++c)
            texts << list_->itemText(r, c);
        kept << texts;
        rowData << list_->itemData(r);
    }
    if (kept.size() == rows) return;
    // Rebuilt in one go: removing thousands of rows one by one is slow.
    list_->setRedraw(false);
    list_->clear();
    list_->addRows(kept);
    for (int r = 0; r < kept.size(); ++r)
        list_->setItemData(r, rowData[r]);
    list_->setRedraw(true);
    list_->ensureVisible(list_->rowCount() - 1);
    list_->setFocus();
}

// ---- selection and preview ----

void CTavrinDlgDiary::selectLastEntry() {
    const int rows = list_->rowCount();
    if (rows == 0) {
        // Nothing is listed (an empty diary, or a search that found nothing): nothing is
        // previewed either.
        previewed_ = -1;
        preview_->clearEntry();
        return;
    }
    list_->clearSelection();
    list_->selectRow(rows - 1);
    list_->ensureVisible(rows - 1);
}

void CTavrinDlgDiary::selectFirst() {
    if (list_->rowCount() == 0) return;
    list_->clearSelection();
    list_->selectRow(0);
    list_->ensureVisible(0);
}

void CTavrinDlgDiary::selectPrevious() {
    const int rows = list_->rowCount();
    if (rows == 0) return;
    const int row = list_->selectedRow();
    const int to = row < 0 ? 0 : std::max(0, row - 1);
    list_->selectRow(to);
    list_->ensureVisible(to);
}

void CTavrinDlgDiary::selectNext() {
    const int rows = list_->rowCount();
    if (rows == 0) return;
    const int row = list_->selectedRow();
    const int to = row < 0 ? 0 : std::min(rows - 1, row + 1);
    list_->selectRow(to);
    list_->ensureVisible(to);
}

int CTavrinDlgDiary::shownRow() const {
    const QList<int> selected = list_->selectedRows();
    if (selected.isEmpty()) return -1;
    const int current = list_->currentIndex().row();
    return selected.contains(current) ? current : selected.first();
}

void CTavrinDlgDiary::followSelection() {
    const int row = shownRow();
    if (row < 0) return; // the preview keeps the entry until another is chosen
    if (int(list_->itemData(row)) != previewed_) showPreview(row);
}

void CTavrinDlgDiary::showPreview(int row) {
    if (row < 0 || row >= list_->rowCount()) {
        previewed_ = -1;
        preview_->clearEntry();
        return;
    }
    const int index = int(list_->itemData(row));
    auto tn = app::DiaryState::instance().makeTN(index);
    tn->ReadConfiguration();
    if (!tn->ReadEntry(true)) {
        previewed_ = -1;
        preview_->clearEntry();
        return;
    }
    previewed_ = index;
    preview_->showEntry(*tn);
}

void CTavrinDlgDiary::printEntries() {
    // The text the preview shows is the one printed; "Voice" has none, so the body goes.
    const int slot = preview_->textPage()->typeChooser()->currentIndex();
    EntryPrinting::run(list_, slot >= 0 && slot < EntryPrinter::kSlots ? slot : 0, this);
}

void CTavrinDlgDiary::refreshPreview() {
    showPreview(shownRow());
}

bool CTavrinDlgDiary::selectPreviewPage(int page) {
    return preview_->selectPage(page);
}

void CTavrinDlgDiary::selectSubPage(int which) {
    switch (which) {
    case kDiaryText:
        selectPreviewPage(CTavrinPSView::TextPage);
        break;
    case kDiaryBody:
        selectPreviewPage(CTavrinPSView::BodyPage);
        break;
    case kDiaryMedication:
        selectPreviewPage(CTavrinPSView::MedicationPage);
        break;
    case kDiaryFibro:
        selectPreviewPage(CTavrinPSView::ParamsPage);
        break;
    default:
        break;
    }
}

// ---- commands ----

void CTavrinDlgDiary::newEntry() {
    if (!app::DiaryState::instance().hasPath()) {
        MessageBox::warning(texts::kNoDiary, this);
        return;
    }
    if (!EntryEditor::newEntry(this)) return;
    refill();
    selectLastEntry();
}

void CTavrinDlgDiary::editEntry() {
    if (!app::DiaryState::instance().hasPath()) {
        MessageBox::warning(texts::kNoDiary, this);
        return;
    }
    const int row = shownRow(); // the entry the preview shows
    if (row < 0) {
        MessageBox::plain(kEditNone, this);
        return;
    }
    if (!listIsCurrent()) return;
    if (!EntryEditor::editEntry(this, int(list_->itemData(row)))) return;
    refill();
    selectLastEntry();
}

void CTavrinDlgDiary::deleteEntry() {
    if (list_->rowCount() == 0) return;
    const QList<int> rows = list_->selectedRows();
    if (rows.size() > 1) {
        MessageBox::plain(kDeleteSeveral, this);
        return;
    }
    if (rows.isEmpty()) {
        MessageBox::plain(kDeleteNone, this);
        return;
    }
    if (!listIsCurrent()) return;
    if (settings::read(settings::DeleteEntry) == 1 && !MessageBox::question(kDeleteConfirm, this))
        return;
    const int index = int(list_->itemData(rows.first()));
    auto& state = app::DiaryState::instance();
    auto tn = state.makeTN(index);
    if (!tn->DeleteEntry(index)) return; // the storage layer has said why
    list_->clear();
    if (tn->entryCount > 0) {
        refill();
        selectLastEntry();
        return;
    }
    // The last entry took the diary's password with it: the next entry asks for a new one.
    state.setEmptyDiary(true);
    list_->setEnabled(false);
    previewed_ = -1;
    preview_->clearEntry();
}

bool CTavrinDlgDiary::listIsCurrent() {
    auto& state = app::DiaryState::instance();
    if (!state.hasPath() || FileStamp::of(state.makeTN()->files().indexPath()) == listed_)
        return true;
    MessageBox::warning(kChangedElsewhere, this);
    refill();
    selectLastEntry();
    return false;
}

// ---- search ----

void CTavrinDlgDiary::rebuildModes() {
    const QSignalBlocker block(modes_);
    modes_->clear();
    modes_->addItems(EntrySearch::modeTexts(typeNames()));
    modes_->setCurrentIndex(EntrySearch::All);
    modeChosen(EntrySearch::All);
}

void CTavrinDlgDiary::resetSearchText() {
    searchText_->clear();
    searchText_->setEnabled(EntrySearch::takesText(modes_->currentIndex()));
}

void CTavrinDlgDiary::modeChosen(int mode) {
    searchText_->setEnabled(EntrySearch::takesText(mode));
    if (EntrySearch::takesText(mode) && !searchText_->text().isEmpty()) typingPause_->start();
}

void CTavrinDlgDiary::applySearch() {
    if (EntrySearch::takesText(modes_->currentIndex()) && searchText_->text().isEmpty()) {
        MessageBox::warning(kNoSearchText, this);
        searchText_->setFocus();
        return;
    }
    typingPause_->stop();
    apply_->setText(kAgain);
    const EntrySearch search(modes_->currentIndex(), searchText_->text());
    if (filterAgain_) {
        applied_.append(search);
        narrow(search);
    } else {
        applied_ = {search};
        refill();
    }
    filterAgain_ = true;
    selectLastEntry();
}

void CTavrinDlgDiary::resetSearch() {
    {
        const QSignalBlocker block(modes_);
        modes_->setCurrentIndex(EntrySearch::All);
    }
    searchText_->setEnabled(false);
    searchText_->clear();
    filterAgain_ = false;
    applied_.clear();
    apply_->setText(kApply);
    refill();
    selectLastEntry();
}

void CTavrinDlgDiary::goToDate() {
    const int rows = list_->rowCount();
    if (rows == 0) return;
    std::vector<EntryRecord> records;
    auto tn = app::DiaryState::instance().makeTN();
    if (!tn->ReadAllIndexRecords(records)) return; // the storage layer has said why
    auto dayOf = [&records](qint64 index) {
        if (index < 0 || index >= qint64(records.size())) return QDate();
        const LocalDateTime t = LocalTime::fromTime(records[std::size_t(index)].dateTime());
        return QDate(t.year, t.month, t.day);
    };
    const int from = std::max(list_->selectedRow(), 0);
    const std::optional<QDate> day =
        platform::DateChooser::choose(kGoToDateTitle, dayOf(list_->itemData(from)), this);
    if (!day) return;
    // The first row of the nearest day.
    int best = -1;
    qint64 bestDistance = 0;
    for (int r = 0; r < rows; ++r) {
        const QDate d = dayOf(list_->itemData(r));
        if (!d.isValid()) continue;
        const qint64 distance = std::abs(day->daysTo(d));
        if (best < 0 || distance < bestDistance) { // rows go by date: ties keep the earlier
            best = r;
            bestDistance = distance;
        }
    }
    if (best < 0) return;
    list_->selectRow(best);
    list_->ensureVisible(best);
    list_->setFocus();
}

// ---- the page in the main window ----

void CTavrinDlgDiary::pageShown() {
    if (!shownOnce_) {
        shownOnce_ = true;
        selectLastEntry();
    }
    auto& state = app::DiaryState::instance();
    // Entries changed by another page, or by another program since the list was filled.
    const bool changed = state.takeEntriesChanged();
    if (changed || (state.hasPath() && list_->rowCount() > 0 &&
                    FileStamp::of(state.makeTN()->files().indexPath()) != listed_)) {
        refill();
        selectLastEntry();
    }
    rebuildModes(); // the type names may have changed in the options
    resetSearchText();
}

void CTavrinDlgDiary::keyPressEvent(QKeyEvent* event) {
    // Escape reaches here when no child wanted it (an open drop-down closes first). The
    // dialog's own handling is skipped: Escape would hide the page, Enter press a button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        minimiseWindow();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CTavrinDlgDiary::minimiseWindow() {
    window()->showMinimized();
}

void CTavrinDlgDiary::pasteShortcut(int which) {
    // Through the clipboard, as everywhere in the program; fields that take no text are left.
    const QStringList& texts = app::DiaryState::instance().shortcuts();
    if (which >= 0 && which < texts.size()) ui::CCustomRichEdit::pasteIntoFocus(texts.at(which));
}

} // namespace tavrin::diary
