#include "organiser/CTavrinDlgReminderView.h"

#include "app/DiaryState.h"
#include "organiser/CTavrinDlgReminder.h"
#include "organiser/DueReminders.h"
#include "organiser/logic/ReminderSchedule.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/Sound.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CPrintListCtrl.h"
#include "ui/WindowEffects.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

namespace tavrin::organiser {

CTavrinDlgReminderView::CTavrinDlgReminderView(const std::vector<int>& due, QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), list_(new ui::CCustomListCtrl(this)) {
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
            if (p >= 0 && std::size_t(p) < table.size())
                rows << CTavrinDlgReminder::rowTexts(table[std::size_t(p)]);
        list_->addRows(rows);
    }

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
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
}

void CTavrinDlgReminderView::showEvent(QShowEvent* event) {
    if (!announced_) {
        announced_ = true;
        ui::WindowEffects::closeSplash();
        if (settings::read(settings::RemindersSound) != 0)
            platform::Sound::playAsync(settings::read(settings::RemindersSoundFile));
        else
            platform::Sound::beep();
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
