#include "organiser/CTavrinDlgReminder.h"

#include "app/DiaryState.h"
#include "organiser/DeleteChosen.h"
#include "organiser/DueReminders.h"
#include "organiser/logic/ReminderSchedule.h"
#include "platform/Clock.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "storage/Cp1252.h"
#include "storage/DiaryFileSet.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomRichEdit.h"
#include "ui/CCustomStatic.h"
#include "ui/CPrintListCtrl.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrin::organiser {
namespace {

using platform::MessageBox;

QString fromRecord(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}

QDateTime toDateTime(std::int64_t t) {
    const LocalDateTime l = LocalTime::fromTime(t);
    return QDateTime(QDate(l.year, l.month, l.day), QTime(l.hour, l.minute, l.second));
}

std::int64_t toSeconds(const QDateTime& d) {
    return LocalTime::toTime({d.date().year(), d.date().month(), d.date().day(), d.time().hour(),
                              d.time().minute(), d.time().second()});
}

ui::CCustomButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new ui::CCustomButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// The kind buttons sit on the page's picture: their text takes the skin's label colour.
QRadioButton* kindButton(int kind, QButtonGroup* group, QWidget* parent) {
    const QString name = QString::fromStdString(ReminderSchedule::kindName(kind));
    auto* r = new QRadioButton(name, parent);
    r->setObjectName(name.toLower() + "Button");
    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    QPalette pal = r->palette();
    pal.setColor(QPalette::WindowText, skin.staticText());
    pal.setColor(QPalette::Base, skin.listBackground());
    pal.setColor(QPalette::Text, skin.listText());
    r->setPalette(pal);
    group->addButton(r, kind);
    return r;
}

} // namespace

CTavrinDlgReminder::CTavrinDlgReminder(DueReminders& due, QWidget* parent)
    : ui::CCustomDialog(BackMain, parent), due_(due), kinds_(new QButtonGroup(this)),
      date_(new QDateTimeEdit(this)), time_(new QDateTimeEdit(this)), day_(new QComboBox(this)),
      description_(new QLineEdit(this)), preview_(new QLineEdit(this)),
      list_(new ui::CCustomListCtrl(this)), listed_{DiaryFileSet::kReminders} {
    setWindowFlags(Qt::Widget);
    setObjectName("remindersPage");

    // ---- the kind and its inputs ----
    auto* kindFrame = new ui::CCustomStatic("Interval", this, ui::CCustomStatic::Group);
    kindFrame->setObjectName("kindGroup");
    auto* kindLayout = new QVBoxLayout(kindFrame);
    kindLayout->setSpacing(3);
    for (int k = 0; k < ReminderSchedule::kKinds; ++k)
        kindLayout->addWidget(kindButton(k, kinds_, kindFrame));

    date_->setObjectName("reminderDate");
    date_->setDisplayFormat("dd MMMM yyyy");
    date_->setCalendarPopup(true);
    date_->setDateRange(QDate(1971, 1, 1), QDate(2199, 12, 31));
    time_->setObjectName("reminderTime");
    time_->setDisplayFormat("HH:mm");
    day_->setObjectName("dayOfWeek");
    for (int d = 0; d < 7; ++d)
        day_->addItem(QString::fromStdString(ReminderSchedule::dayName(d)));
    description_->setObjectName("description");
    description_->setMaxLength(ReminderSchedule::kMaxDescription);
    preview_->setObjectName("preview");
    preview_->setReadOnly(true);
    preview_->setFocusPolicy(Qt::NoFocus);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    fields->setVerticalSpacing(4);
    auto label = [this](const char* text) { return new ui::CCustomStatic(text, this); };
    fields->addWidget(label("Date:"), 0, 0);
    fields->addWidget(date_, 0, 1);
    fields->addWidget(label("Time:"), 0, 2);
    fields->addWidget(time_, 0, 3);
    fields->addWidget(label("Day:"), 0, 4);
    fields->addWidget(day_, 0, 5);
    fields->addWidget(label("Description:"), 1, 0);
    fields->addWidget(description_, 1, 1, 1, 5);
    fields->addWidget(label("Preview:"), 2, 0);
    fields->addWidget(preview_, 2, 1, 1, 5);
    fields->setColumnStretch(1, 2);
    fields->setColumnStretch(5, 1);

    // ---- commands ----
    auto* add = makeButton("Add", "addButton", this);
    modify_ = makeButton("Modify", "modifyButton", this);
    auto* remove = makeButton("Delete", "deleteButton", this);
    auto* print = makeButton("Print", "printButton", this);
    auto* current = makeButton("Show Current Reminders", "showCurrentButton", this);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(4);
    for (auto* b : {add, modify_, remove, print})
        commands->addWidget(b);
    commands->addStretch(1);
    commands->addWidget(current);

    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(kindFrame);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch(1);
    right->addLayout(commands);
    top->addLayout(right, 1);

    list_->setObjectName("reminderList");
    list_->setMultiSelect(true);
    list_->insertColumn("Description", 256);
    list_->insertColumn("Interval", 64);
    list_->insertColumn("Occurence", 192);
    list_->restoreWidths(settings::RemindersList);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addWidget(list_, 1);

    connect(add, &QPushButton::clicked, this, &CTavrinDlgReminder::addReminder);
    connect(modify_, &QPushButton::clicked, this, &CTavrinDlgReminder::modifyReminder);
    connect(remove, &QPushButton::clicked, this, &CTavrinDlgReminder::deleteReminders);
    connect(print, &QPushButton::clicked, this, &CTavrinDlgReminder::printList);
    connect(current, &QPushButton::clicked, this, &CTavrinDlgReminder::showCurrent);
    connect(kinds_, &QButtonGroup::idClicked, this, &CTavrinDlgReminder::chooseKind);
    connect(date_, &QDateTimeEdit::dateTimeChanged, this, &CTavrinDlgReminder::updatePreview);
    connect(time_, &QDateTimeEdit::dateTimeChanged, this, &CTavrinDlgReminder::updatePreview);
    connect(day_, &QComboBox::currentIndexChanged, this, &CTavrinDlgReminder::updatePreview);
    // A range selected with Shift reports every row; the row clicked is the one read.
    connect(list_, &ui::CCustomListCtrl::rowSelected, this, [this](int row) {
        if (list_->currentIndex().row() == row) rowChosen(row);
    });

    addShortcuts();

    modify_->setEnabled(false);
    resetToNow();
    chooseKind(ReminderRecord::Yearly);
    day_->setCurrentIndex(0);
    due_.computeDue();
    description_->setFocus();
}

CTavrinDlgReminder::~CTavrinDlgReminder() = default;

void CTavrinDlgReminder::addShortcuts() {
    auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), [this] { addReminder(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] { addReminder(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { deleteReminders(); });
    shortcut(QKeySequence::HelpContents,
             [this] { platform::Help::openTopic(DueReminders::kHelpTopic, this); });
    const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5};
    for (int i = 0; i < 5; ++i)
        shortcut(QKeySequence(Qt::ALT | digits[i]), [this, i] { pasteShortcut(i); });
}

QStringList CTavrinDlgReminder::rowTexts(const ReminderRecord& r) {
    return {fromRecord(r.description()),
            QString::fromStdString(ReminderSchedule::kindName(r.kind())),
            fromRecord(ReminderSchedule::occurrence(r))};
}

// ---- inputs ----

void CTavrinDlgReminder::resetToNow() {
    const QDateTime now = toDateTime(platform::Clock::now());
    date_->setDateTime(now);
    time_->setDateTime(now);
}

void CTavrinDlgReminder::chooseKind(int kind) {
    if (QAbstractButton* b = kinds_->button(kind)) b->setChecked(true);
    date_->setEnabled(kind == ReminderRecord::Yearly || kind == ReminderRecord::Monthly);
    time_->setEnabled(kind == ReminderRecord::Weekly || kind == ReminderRecord::Daily);
    day_->setEnabled(kind == ReminderRecord::Weekly);
    updatePreview();
}

int CTavrinDlgReminder::kind() const {
    return kinds_->checkedId() < 0 ? int(ReminderRecord::Yearly) : kinds_->checkedId();
}

QString CTavrinDlgReminder::previewText() const {
    return fromRecord(ReminderSchedule::occurrence(
        kind(), toSeconds(date_->dateTime()), toSeconds(time_->dateTime()), day_->currentIndex()));
}

void CTavrinDlgReminder::updatePreview() {
    preview_->setText(previewText());
}

ReminderRecord CTavrinDlgReminder::inputs(bool fillEmpty) const {
    return ReminderSchedule::makeRecord(
        kind(), toSeconds(date_->dateTime()), toSeconds(time_->dateTime()), day_->currentIndex(),
        cp1252::fromUtf8(description_->text().toStdString()), fillEmpty);
}

void CTavrinDlgReminder::rowChosen(int row) {
    if (!listed_.currentLater(this, [this] { refresh(); })) return;
    auto tn = app::DiaryState::instance().makeTN();
    tn->reminders.index = row;
    if (!tn->reminders.Read()) return;
    const ReminderRecord& r = tn->reminders.record;
    description_->setText(fromRecord(r.description()));
    date_->setDateTime(toDateTime(r.date()));
    time_->setDateTime(toDateTime(r.time()));
    day_->setCurrentIndex(r.dayOfWeek() < 7 ? r.dayOfWeek() : 0);
    if (r.kind() < ReminderSchedule::kKinds) chooseKind(r.kind());
    updatePreview();
    chosen_ = row;
    chosenRecord_ = std::make_unique<ReminderRecord>(r);
    modify_->setEnabled(true);
}

// ---- the list ----

void CTavrinDlgReminder::pageShown() {
    resetToNow();
    description_->clear();
    refresh();
    description_->setFocus();
}

void CTavrinDlgReminder::refresh() {
    auto& state = app::DiaryState::instance();
    if (!state.hasPath()) return;
    std::vector<ReminderRecord> table;
    listed_.remember();
    DueReminders::readTable(table);
    QList<QStringList> rows;
    rows.reserve(qsizetype(table.size()));
    for (const ReminderRecord& r : table)
        rows << rowTexts(r);
    list_->setRedraw(false);
    list_->clear();
    list_->addRows(rows);
    if (chosenRecord_) {
        const auto at = std::find_if(table.begin(), table.end(), [&](const ReminderRecord& r) {
            return r.bytes == chosenRecord_->bytes;
        });
        chosen_ = at == table.end() ? -1 : int(at - table.begin());
        if (chosen_ < 0) chosenRecord_.reset(); // deleted: nothing left to modify
        modify_->setEnabled(chosen_ >= 0);
    }
    due_.computeDue();
    list_->setRedraw(true);
}

void CTavrinDlgReminder::afterChange() {
    refresh();
    description_->clear();
    description_->setFocus();
}

// ---- commands ----

void CTavrinDlgReminder::addReminder() {
    if (!app::DiaryState::instance().hasPath()) return;
    auto tn = app::DiaryState::instance().makeTN();
    tn->reminders.record = inputs(true);
    tn->reminders.AddSorted(); // failures are reported by the storage layer
    afterChange();
}

void CTavrinDlgReminder::modifyReminder() {
    if (chosen_ < 0 || !app::DiaryState::instance().hasPath()) return;
    if (!listed_.current(this, [this] { refresh(); })) return;
    auto tn = app::DiaryState::instance().makeTN();
    tn->reminders.replacement = inputs(false);
    if (tn->reminders.Replace(chosen_)) {
        *chosenRecord_ = tn->reminders.replacement;
        tn->reminders.Sort();
    }
    afterChange();
}

void CTavrinDlgReminder::deleteReminders() {
    const QList<int> rows = list_->selectedRows();
    if (rows.isEmpty()) {
        MessageBox::warning(kDeleteNone, this);
        return;
    }
    if (!listed_.current(this, [this] { refresh(); })) return;
    const bool ask = settings::read(settings::DeleteReminder) == 1;
    auto tn = app::DiaryState::instance().makeTN();
    deleteChosen(
        tn->reminders, rows, ask,
        [this](int row) {
            return QString::fromLatin1(kDeleteConfirm)
                .arg(list_->itemText(row, 0), list_->itemText(row, 2));
        },
        [](int row) { return row; }, this);
    refresh();
    description_->setFocus();
}

void CTavrinDlgReminder::printList() {
    if (list_->rowCount() == 0) {
        MessageBox::warning(kPrintNone, this);
        return;
    }
    list_->saveWidths();
    ui::CPrintListCtrl(list_).print(kPrintTitle);
    list_->restoreWidths(settings::RemindersList);
}

void CTavrinDlgReminder::showCurrent() {
    due_.computeDue();
    if (app::ShellCommands* shell = app::ShellHooks::shell())
        shell->showCurrentReminders(); // with the main window's timer stopped meanwhile
    else
        due_.showCurrentReminders(this);
    description_->setFocus();
}

// ---- keys ----

void CTavrinDlgReminder::keyPressEvent(QKeyEvent* event) {
    // The page lives in the main window: Escape minimises it rather than hiding the page.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        window()->showMinimized();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CTavrinDlgReminder::pasteShortcut(int which) {
    const auto& state = app::DiaryState::instance();
    if (!state.usable()) return;
    const QStringList& texts = state.shortcuts();
    if (which >= 0 && which < texts.size()) ui::CCustomRichEdit::pasteIntoFocus(texts.at(which));
}

} // namespace tavrin::organiser
