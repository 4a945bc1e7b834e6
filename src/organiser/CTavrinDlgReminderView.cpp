#include "organiser/CTavrinDlgReminderView.h"

#include "app/DiaryState.h"
#include "organiser/CTavrinDlgReminder.h"
#include "organiser/DueReminders.h"
#include "organiser/logic/ReminderSchedule.h"
#include "platform/Clock.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/Sound.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CPrintListCtrl.h"
#include "ui/SkinnedWidgets.h"
#include "ui/WindowEffects.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrin::organiser {

CTavrinDlgReminderView::CTavrinDlgReminderView(const std::vector<int>& due, QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), list_(new ui::CCustomListCtrl(this)),
      ringing_(new QLabel(this)), minute_(new QTimer(this)) {
    setObjectName("currentRemindersWindow");
    setWindowTitle(kTitle);
    setModal(true);

    list_->setObjectName("currentReminderList");
    list_->insertColumn("Description", 256);
    list_->insertColumn("Interval", 64);
    list_->insertColumn("Occurence", 192);
    list_->setMinimumSize(256 + 64 + 192 + 24, 180);

    std::vector<ReminderRecord> table;
    if (app::DiaryState::instance().isOpen() && DueReminders::readTable(table) && !table.empty()) {
        QList<QStringList> rows;
        for (int p : due)
            if (p >= 0 && std::size_t(p) < table.size()) {
                rows << CTavrinDlgReminder::rowTexts(table[std::size_t(p)]);
                rowDue_.push_back(p);
            }
        list_->addRows(rows);
    }
    ringing_->setObjectName("ringingLine");
    ui::skinnedText(ringing_);
    ringing_->setTextFormat(Qt::PlainText);
    ringing_->setVisible(false);
    markRinging(false); // what rings now, the showing of the window sounds for
    // Checked at the start of every minute, as the main window's timer does.
    minute_->setSingleShot(true);
    connect(minute_, &QTimer::timeout, this, [this] {
        checkAlarm();
        minute_->start(60 * 1000);
    });
    minute_->start(int(60 - platform::Clock::now() % 60) * 1000);

    auto* ok = new ui::CCustomButton("OK", this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* printButton = new ui::CCustomButton("Print", this);
    printButton->setObjectName("printButton");
    printButton->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(printButton, &QPushButton::clicked, this, &CTavrinDlgReminderView::print);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { platform::Help::openTopic(DueReminders::kHelpTopic, this); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(printButton);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(ringing_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
}

void CTavrinDlgReminderView::announce() {
    if (settings::read(settings::RemindersSound) != 0)
        platform::Sound::playAsync(settings::read(settings::RemindersSoundFile));
    else
        platform::Sound::beep();
}

QString CTavrinDlgReminderView::ringingLine() const {
    return rungNames_.isEmpty() ? QString() : "Ringing: " + rungNames_.join(", ");
}

void CTavrinDlgReminderView::checkAlarm() {
    markRinging(true);
}

void CTavrinDlgReminderView::markRinging(bool sound) {
    std::vector<ReminderRecord> table;
    if (!app::DiaryState::instance().isOpen() || !DueReminders::readTable(table)) return;
    // The rows show the table as the window opened; a reminder whose record changed since is
    // not rung for another.
    int first = -1;
    for (int p : ReminderSchedule::ringing(table, rowDue_, platform::Clock::now())) {
        const auto row = std::find(rowDue_.begin(), rowDue_.end(), p);
        if (row == rowDue_.end() || !rung_.insert(p).second) continue;
        const int r = int(row - rowDue_.begin());
        if (list_->itemText(r, 0) != CTavrinDlgReminder::rowTexts(table[std::size_t(p)]).first())
            continue;
        rungNames_ << list_->itemText(r, 0);
        if (first < 0) first = r;
    }
    if (first < 0) return;
    ringing_->setText(ringingLine());
    ringing_->setVisible(true);
    list_->selectRow(first);
    list_->ensureVisible(first);
    if (!sound) return;
    announce();
    QApplication::alert(this, 1000);
}

void CTavrinDlgReminderView::showEvent(QShowEvent* event) {
    if (!announced_) {
        announced_ = true;
        ui::WindowEffects::closeSplash();
        announce();
    }
    ui::CCustomDialog::showEvent(event); // centred on the main window, faded in
    raise();
    activateWindow();
    list_->setFocus();
    QApplication::alert(this, 1000);
}

void CTavrinDlgReminderView::print() {
    if (list_->rowCount() == 0) {
        platform::MessageBox::warning(CTavrinDlgReminder::kPrintNone, this);
        return;
    }
    ui::CPrintListCtrl(list_).print(kPrintTitle);
}

} // namespace tavrin::organiser
