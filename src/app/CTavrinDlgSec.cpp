#include "app/CTavrinDlgSec.h"

#include "app/CTavrinDlgResetPassword.h"
#include "app/CTavrinDlgSecConfirm.h"
#include "platform/MessageBox.h"
#include "storage/ProgramTexts.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"
#include "ui/WindowEffects.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace tavrin::app {

using platform::MessageBox;

CTavrinDlgSec::CTavrinDlgSec(const QString& diaryName, bool creating, QWidget* parent,
                             const QString& diaryPath, int extOffset)
    : CCustomDialog(BackAll, parent), creating_(creating), path_(diaryPath), ext_(extOffset) {
    // Without a name there is nothing to cancel back to nor to reset; only a new password asks
    // for its confirmation and the security pairs.
    const bool asNew = creating || diaryName.isEmpty();
    setWindowTitle(texts::kProgramTitle);
    setObjectName("passwordDialog");
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 16, 16, 16);
    auto* grid = new QGridLayout;
    name_ = new QLineEdit(asNew ? QString("You are creating a new diary") : diaryName, this);
    name_->setObjectName("diaryName");
    name_->setReadOnly(true);
    name_->setFocusPolicy(Qt::NoFocus);
    password_ = new QLineEdit(this);
    password_->setObjectName("password");
    password_->setEchoMode(QLineEdit::Password);
    password_->setMaxLength(29);
    password_->setMinimumWidth(220);
    grid->addWidget(new ui::CCustomStatic("Diary:", this), 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(new ui::CCustomStatic("Password:", this), 1, 0);
    grid->addWidget(password_, 1, 1);
    top->addLayout(grid);
    auto* row = new QHBoxLayout;
    reset_ = new ui::CCustomButton("Reset Password", this);
    reset_->setObjectName("resetPasswordButton");
    row->addWidget(reset_);
    row->addStretch();
    auto* ok = new ui::CCustomButton("OK", this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    cancel_ = new ui::CCustomButton("Cancel", this);
    cancel_->setObjectName("cancelButton");
    row->addWidget(ok);
    row->addWidget(cancel_);
    top->addLayout(row);
    // The first entry of a new diary may still be abandoned: Cancel then writes nothing.
    cancel_->setEnabled(!asNew || creating);
    reset_->setEnabled(!asNew);
    connect(ok, &QPushButton::clicked, this, &CTavrinDlgSec::accept);
    connect(cancel_, &QPushButton::clicked, this, &CTavrinDlgSec::reject);
    connect(reset_, &QPushButton::clicked, this, &CTavrinDlgSec::resetPassword);
}

QString CTavrinDlgSec::password() const {
    return password_->text();
}

void CTavrinDlgSec::showEvent(QShowEvent* event) {
    CCustomDialog::showEvent(event);
    ui::WindowEffects::closeSplash();
    raise();
    activateWindow();
    QTimer::singleShot(250, password_, [this] { password_->setFocus(); });
}

void CTavrinDlgSec::accept() {
    if (password_->text().size() < 3) {
        MessageBox::warning(texts::kTooShortPassword, this);
        return;
    }
    if (creating_) {
        CTavrinDlgSecConfirm confirm(this);
        // Closing the confirmation without confirming gives no security pairs: the prompt stays.
        if (confirm.exec() != QDialog::Accepted) return;
        if (confirm.password() != password_->text()) {
            MessageBox::warning("The passwords do not match!", this);
            return;
        }
        for (int i = 0; i < 3; ++i) {
            questions_[size_t(i)] = confirm.question(i);
            answers_[size_t(i)] = confirm.answer(i);
        }
    }
    CCustomDialog::accept();
}

void CTavrinDlgSec::reject() {
    if (!cancel_->isEnabled()) return; // nothing to go back to without a diary
    CCustomDialog::reject();
}

void CTavrinDlgSec::resetPassword() {
    CTavrinDlgResetPassword reset(path_, ext_, this);
    reset.exec();
    resetDone_ = true;
    password_->setFocus(); // the new password, or the old one remembered after all
}

} // namespace tavrin::app
