#include "organiser/CTavrinDlgBackup.h"

#include "app/DiaryState.h"
#include "organiser/DestinationButtons.h"
#include "organiser/OrganiserLook.h"
#include "organiser/logic/DiaryBackup.h"
#include "platform/CDirDialog.h"
#include "platform/MessageBox.h"
#include "storage/Reporter.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QVBoxLayout>

namespace tavrin::organiser {
namespace {
std::string diaryPath() {
    return QFile::encodeName(app::DiaryState::instance().path()).toStdString();
}
} // namespace

CTavrinDlgBackup::CTavrinDlgBackup(QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), progress_(new QProgressBar(this)),
      status_(new QLabel(this)), destinationLabel_(new QLabel(kNoDestination, this)),
      total_(new QLabel(this)), start_(new ui::CCustomButton("Start", this)) {
    setObjectName("backupWindow");
    setWindowTitle(kTitle);
    setModal(true);

    progress_->setObjectName("backupProgress");
    progress_->setRange(0, DiaryBackup::kSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    status_->setObjectName("backupStatus");
    destinationLabel_->setObjectName("backupDestination");
    destinationLabel_->setFrameShape(QFrame::StyledPanel);
    skinnedField(destinationLabel_);
    destinationLabel_->setAutoFillBackground(true);
    total_->setObjectName("backupTotal");
    for (QLabel* l : {status_, total_})
        skinnedText(l);

    if (app::DiaryState::instance().usable()) {
        DiaryBackup backup(diaryPath(), Reporter::global());
        total_->setText(QString::fromStdString(DiaryBackup::totalText(backup.totalSize())));
    }

    auto* to = skinnedText(new ui::CCustomStatic("Destination:", this));
    auto* where = new QHBoxLayout;
    where->addWidget(to);
    where->addWidget(destinationLabel_, 1);
    QHBoxLayout* buttons = DestinationButtons::make(
        this, start_, kHelpTopic, [this] { chooseDestination(); }, [this] { start(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(total_);
    layout->addLayout(where);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addLayout(buttons);
    setMinimumWidth(460);
}

QString CTavrinDlgBackup::status() const {
    return status_->text();
}

QString CTavrinDlgBackup::destinationText() const {
    return destinationLabel_->text();
}

QString CTavrinDlgBackup::totalText() const {
    return total_->text();
}

void CTavrinDlgBackup::chooseDestination() {
    platform::CDirDialog dlg;
    dlg.setTitle(kChooseTitle);
    dlg.setInitialDirectory(QFileInfo(app::DiaryState::instance().path()).absolutePath());
    if (!dlg.doBrowse(this)) return;
    destination_ = QString::fromStdString(
        DiaryBackup::destination(QFile::encodeName(dlg.path()).toStdString()));
    destinationLabel_->setText(" " + destination_ + " ");
    start_->setEnabled(true);
}

void CTavrinDlgBackup::start() {
    if (destination_.isEmpty() || !app::DiaryState::instance().usable()) return;
    DiaryBackup backup(diaryPath(), Reporter::global());
    const DiaryBackup::Outcome outcome = backup.run(
        QFile::encodeName(destination_).toStdString(), [this](int step, const std::string& status) {
            if (!status.empty()) status_->setText(QString::fromStdString(status));
            progress_->setValue(step);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    const QString text = QString::fromStdString(outcome.text());
    if (outcome.refused) { // nothing was copied: another folder may be chosen
        start_->setEnabled(false);
        destination_.clear();
        destinationLabel_->setText(kNoDestination);
        platform::MessageBox::warning(text, this);
        return;
    }
    status_->setText(outcome.ok() ? DiaryBackup::kSuccess : DiaryBackup::kFailure);
    progress_->setValue(0);
    start_->setEnabled(false);
    destination_.clear();
    platform::MessageBox::information(text + "\n\n" + DiaryBackup::kPadNotice, this);
}

} // namespace tavrin::organiser
