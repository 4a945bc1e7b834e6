#include "organiser/CTavrinDlgPlanner.h"

#include "app/DiaryState.h"
#include "organiser/DeleteChosen.h"
#include "organiser/OrganiserLook.h"
#include "organiser/PlannerCalendar.h"
#include "organiser/PlannerStatistics.h"
#include "organiser/logic/PlannerItems.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "storage/Cp1252.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomRichEdit.h"
#include "ui/CCustomStatic.h"
#include "ui/CPrintListCtrl.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace tavrin::organiser {
namespace {

using platform::MessageBox;

constexpr const char* kDeleteNone =
    "You must have at least one planner entry selected in order to delete it!";
constexpr const char* kPrintEmpty =
    "You must have at least one planner present in order to print it!";
constexpr const char* kDeleteConfirm = "Are you sure you wish to delete %1?";
constexpr int kItemsColumnWidth = 256, kPriorityColumnWidth = 64, kDateColumnWidth = 196;

QString fromRecord(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}

ui::CCustomButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new ui::CCustomButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    // The whole text stays readable however narrow the page gets.
    b->setMinimumWidth(b->fontMetrics().horizontalAdvance(text) + 20);
    return b;
}

QLineEdit* statusLine(const char* name, QWidget* parent) {
    auto* e = skinnedField(new QLineEdit(parent));
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

} // namespace

CTavrinDlgPlanner::CTavrinDlgPlanner(QWidget* parent)
    : ui::CCustomDialog(BackMain, parent), calendar_(skinnedField(new PlannerCalendar(this))),
      list_(new ui::CCustomListCtrl(this)), description_(skinnedField(new QLineEdit(this))),
      normal_(skinnedText(new QRadioButton("Normal", this))),
      important_(skinnedText(new QRadioButton("Important", this))),
      modify_(makeButton("Modify", "modifyButton", this)),
      selectionStatus_(statusLine("selectionStatus", this)),
      totalStatus_(statusLine("totalStatus", this)) {
    setWindowFlags(Qt::Widget);
    setObjectName("plannerPage");

    description_->setObjectName("description");
    description_->setMaxLength(PlannerItems::kDescriptionLimit);
    normal_->setObjectName("normalButton");
    important_->setObjectName("importantButton");
    auto* priorities = new QButtonGroup(this);
    priorities->addButton(normal_, PlannerItems::kNormal);
    priorities->addButton(important_, PlannerItems::kImportant);
    normal_->setChecked(true);

    auto* add = makeButton("Add", "addButton", this);
    auto* remove = makeButton("Delete", "deleteButton", this);
    auto* all = makeButton("Show All Entries", "showAllButton", this);
    auto* print = makeButton("Print", "printButton", this);
    modify_->setEnabled(false);

    list_->setObjectName("plannerList");
    list_->setMultiSelect(true);
    list_->setCheckBoxes(true);
    list_->insertColumn("Planned Items", kItemsColumnWidth);
    list_->insertColumn("Priority", kPriorityColumnWidth, Qt::AlignRight);
    list_->restoreWidths(settings::PlannerList);

    // The calendar on the left; the inputs, commands and status lines beside it; the list
    // below both.
    auto* inputs = new QGridLayout;
    inputs->setHorizontalSpacing(8);
    inputs->setVerticalSpacing(6);
    inputs->addWidget(skinnedText(new ui::CCustomStatic("Priority:", this)), 0, 0);
    auto* priorityRow = new QHBoxLayout;
    priorityRow->addWidget(normal_);
    priorityRow->addWidget(important_);
    priorityRow->addStretch(1);
    inputs->addLayout(priorityRow, 0, 1);
    inputs->addWidget(skinnedText(new ui::CCustomStatic("Description:", this)), 1, 0);
    inputs->addWidget(description_, 1, 1);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(4);
    for (auto* b : {add, modify_, remove, all, print})
        commands->addWidget(b);
    commands->addStretch(1);
    inputs->addLayout(commands, 2, 1);
    inputs->addWidget(selectionStatus_, 3, 0, 1, 2);
    inputs->addWidget(totalStatus_, 4, 0, 1, 2);
    inputs->setRowStretch(5, 1);

    // The weekday names and week numbers in the skin's colours, like a list's header.
    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    QTextCharFormat header;
    header.setForeground(skin.listText());
    header.setBackground(skin.tabBackground());
    calendar_->setHeaderTextFormat(header);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    calendar_->setMinimumSize(280, 190);
    top->addWidget(calendar_);
    top->addLayout(inputs, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(list_, 1);

    connect(calendar_, &PlannerCalendar::rangeSelected, this, &CTavrinDlgPlanner::daysSelected);
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, [this] { updateBold(); });
    connect(priorities, &QButtonGroup::idClicked, this, &CTavrinDlgPlanner::setPriority);
    connect(add, &QPushButton::clicked, this, &CTavrinDlgPlanner::addItems);
    connect(modify_, &QPushButton::clicked, this, &CTavrinDlgPlanner::modifyItem);
    connect(remove, &QPushButton::clicked, this, &CTavrinDlgPlanner::deleteItems);
    connect(all, &QPushButton::clicked, this, &CTavrinDlgPlanner::showAllEntries);
    connect(print, &QPushButton::clicked, this, &CTavrinDlgPlanner::printList);
    connect(list_, &ui::CCustomListCtrl::rowSelected, this, &CTavrinDlgPlanner::rowSelected);
    connect(list_, &ui::CCustomListCtrl::checkToggled, this, &CTavrinDlgPlanner::checkToggled);

    auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), [this] { addItems(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] { addItems(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { deleteItems(); });
    shortcut(QKeySequence::HelpContents, [this] { platform::Help::openTopic(kHelpTopic, this); });
    const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5};
    for (int i = 0; i < 5; ++i)
        shortcut(QKeySequence(Qt::ALT | digits[i]), [this, i] { pasteShortcut(i); });

    description_->setFocus();
}

CTavrinDlgPlanner::~CTavrinDlgPlanner() = default;

QString CTavrinDlgPlanner::selectionLine() const {
    return selectionStatus_->text();
}

QString CTavrinDlgPlanner::totalLine() const {
    return totalStatus_->text();
}

bool CTavrinDlgPlanner::haveDiary() {
    if (app::DiaryState::instance().usable()) return true;
    MessageBox::warning(texts::kNoDiary, this);
    return false;
}

// ---- the working copy and what shows it ----

void CTavrinDlgPlanner::reload() {
    items_.clear();
    if (!app::DiaryState::instance().usable()) return;
    listed_.remember();
    auto tn = app::DiaryState::instance().makeTN();
    tn->planner.ReadAll(items_); // a table that cannot be read is reported and shows empty
}

void CTavrinDlgPlanner::pageShown() {
    {
        const QSignalBlocker block(calendar_);
        calendar_->setCurrentPage(QDate::currentDate().year(), QDate::currentDate().month());
    }
    reload();
    refreshDays();
    description_->setFocus();
}

void CTavrinDlgPlanner::refreshDays() {
    refreshing_ = true;
    list_->setRedraw(false);
    list_->clear();
    if (list_->columnCount() > 2) list_->deleteColumn(2);
    const QList<int> rows =
        PlannerStatistics::dayRows(items_, calendar_->first(), calendar_->last());
    for (int pos : rows) {
        const PlannerRecord& r = items_[std::size_t(pos)];
        const int row =
            list_->addRow({fromRecord(r.description()), PlannerItems::priorityName(r.priority())});
        list_->setChecked(row, r.done() != 0);
        list_->setItemData(row, pos);
    }
    list_->setRedraw(true);
    refreshing_ = false;
    updateBold();
    updateStatistics();
}

void CTavrinDlgPlanner::showAllEntries() {
    if (!haveDiary()) return;
    refreshing_ = true;
    list_->setRedraw(false);
    list_->clear();
    if (!items_.empty() && list_->columnCount() == 2) list_->insertColumn("Date", kDateColumnWidth);
    // Each item goes on top, so the newest record comes first.
    for (std::size_t pos = 0; pos < items_.size(); ++pos) {
        const PlannerRecord& r = items_[pos];
        if (r.isMarked()) continue;
        list_->insertRow(0, {fromRecord(r.description()), PlannerItems::priorityName(r.priority()),
                             PlannerStatistics::longDate(r.date())});
        list_->setChecked(0, r.done() != 0);
        list_->setItemData(0, qint64(pos));
    }
    list_->setRedraw(true);
    refreshing_ = false;
    description_->setFocus();
}

void CTavrinDlgPlanner::updateBold() {
    const int year = calendar_->yearShown(), month = calendar_->monthShown();
    calendar_->setBoldDays(year, month, PlannerStatistics::busyDays(items_, year, month));
}

void CTavrinDlgPlanner::updateStatistics() {
    const PlannerCounts c = PlannerStatistics::count(items_, calendar_->first(), calendar_->last());
    selectionStatus_->setText(PlannerStatistics::selectionLine(c));
    totalStatus_->setText(PlannerStatistics::totalLine(c));
}

// ---- inputs ----

void CTavrinDlgPlanner::daysSelected() {
    description_->clear();
    setPriority(PlannerItems::kNormal);
    // The item chosen last stays Modify's, unless the table changed and it may have moved.
    if (listed_.changed()) forgetRow();
    reload(); // tavrin-cli or the entry sheet may have changed the table meanwhile
    refreshDays();
}

void CTavrinDlgPlanner::setPriority(int priority) {
    priority_ = priority;
    (priority == PlannerItems::kNormal ? normal_ : important_)->setChecked(true);
    description_->setFocus();
}

// Another program changed the table since the list was filled: rows may name other items now.
bool CTavrinDlgPlanner::listIsCurrent(bool later) {
    auto refill = [this] {
        forgetRow();
        reload();
        refreshDays();
    };
    return later ? listed_.currentLater(this, refill) : listed_.current(this, refill);
}

void CTavrinDlgPlanner::forgetRow() {
    position_ = -1;
    modify_->setEnabled(false);
}

void CTavrinDlgPlanner::rowSelected(int row) {
    if (refreshing_ || !listIsCurrent(true)) return;
    const int pos = int(list_->itemData(row));
    auto tn = app::DiaryState::instance().makeTN();
    tn->planner.index = pos;
    if (!tn->planner.Read()) return;
    description_->setText(fromRecord(tn->planner.record.description()));
    priority_ = tn->planner.record.priority() == PlannerItems::kNormal ? PlannerItems::kNormal
                                                                       : PlannerItems::kImportant;
    (priority_ == PlannerItems::kNormal ? normal_ : important_)->setChecked(true);
    position_ = pos;
    modify_->setEnabled(true);
}

void CTavrinDlgPlanner::checkToggled(int row, bool checked) {
    if (refreshing_ || !app::DiaryState::instance().usable() || !listIsCurrent(true)) return;
    const int pos = int(list_->itemData(row));
    auto tn = app::DiaryState::instance().makeTN();
    tn->planner.index = pos;
    if (tn->planner.Read()) {
        tn->planner.replacement = tn->planner.record;
        tn->planner.replacement.setDone(checked ? 1 : 0);
        if (tn->planner.Replace(pos)) tn->planner.Purge();
    }
    reload();
    updateStatistics();
}

// ---- commands ----

void CTavrinDlgPlanner::addItems() {
    if (!haveDiary()) return;
    const QDate first = calendar_->first();
    const std::string text = cp1252::fromUtf8(description_->text().toStdString());
    auto tn = app::DiaryState::instance().makeTN();
    PlannerItems::add(*tn, PlannerItems::forDays({first.year(), first.month(), first.day()},
                                                 calendar_->days(), text, std::uint8_t(priority_)));
    description_->clear();
    setPriority(PlannerItems::kNormal);
    reload();
    refreshDays();
    description_->setFocus();
}

void CTavrinDlgPlanner::modifyItem() {
    if (!haveDiary() || position_ < 0 || !listIsCurrent(false)) return;
    auto tn = app::DiaryState::instance().makeTN();
    tn->planner.index = position_;
    if (tn->planner.Read()) {
        PlannerRecord& r = tn->planner.replacement;
        r = tn->planner.record; // date and done mark stay
        r.setPriority(std::uint8_t(priority_));
        r.setDescription(cp1252::fromUtf8(description_->text().toStdString()));
        if (tn->planner.Replace(position_)) tn->planner.Purge();
    }
    reload();
    refreshDays();
}

void CTavrinDlgPlanner::deleteItems() {
    if (!haveDiary()) return;
    const QList<int> rows = list_->selectedRows();
    if (rows.isEmpty()) {
        MessageBox::warning(kDeleteNone, this);
        return;
    }
    if (!listIsCurrent(false)) return;
    const bool ask = settings::read(settings::DeletePlanner) == 1;
    auto tn = app::DiaryState::instance().makeTN();
    deleteChosen(
        tn->planner, rows, ask,
        [this](int row) { return QString(kDeleteConfirm).arg(list_->itemText(row, 0)); },
        [this](int row) { return int(list_->itemData(row)); }, this);
    forgetRow();
    reload();
    refreshDays();
    list_->setFocus();
}

void CTavrinDlgPlanner::printList() {
    if (!haveDiary()) return;
    if (list_->rowCount() == 0) {
        MessageBox::warning(kPrintEmpty, this);
        return;
    }
    ui::CPrintListCtrl(list_).print(kPrintTitle);
    description_->setFocus();
    list_->restoreWidths(settings::PlannerList);
}

// ---- keys ----

void CTavrinDlgPlanner::keyPressEvent(QKeyEvent* event) {
    // The page lives in the main window: Escape minimises it, Enter presses nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        window()->showMinimized();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CTavrinDlgPlanner::pasteShortcut(int which) {
    if (!app::DiaryState::instance().usable()) return;
    const QStringList& texts = app::DiaryState::instance().shortcuts();
    if (which >= 0 && which < texts.size()) ui::CCustomRichEdit::pasteIntoFocus(texts.at(which));
}

} // namespace tavrin::organiser
