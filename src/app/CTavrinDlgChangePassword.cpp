#include "app/CTavrinDlgChangePassword.h"

#include "app/DiaryState.h"
#include "platform/MessageBox.h"
#include "storage/Cp1252.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrin::app {

using platform::MessageBox;

CTavrinDlgChangePassword::CTavrinDlgChangePassword(QWidget* parent)
    : CCustomDialog(BackAll, parent) {
    setWindowTitle("Change Password");
    setObjectName("changePasswordDialog");
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 16, 16, 16);
    auto* grid = new QGridLayout;
    first_ = new QLineEdit(this);
    second_ = new QLineEdit(this);
    first_->setObjectName("newPassword");
    second_->setObjectName("confirmNewPassword");
    for (auto* e : {first_, second_}) {
        e->setEchoMode(QLineEdit::Password);
        e->setMaxLength(29);
        e->setMinimumWidth(200);
    }
    grid->addWidget(new ui::CCustomStatic("Enter the new password:", this), 0, 0);
    grid->addWidget(first_, 0, 1);
    grid->addWidget(new ui::CCustomStatic("Confirm your new password:", this), 1, 0);
    grid->addWidget(second_, 1, 1);
    top->addLayout(grid);
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* ok = new ui::CCustomButton("Change password", this);
    ok->setObjectName("changePasswordButton");
    ok->setDefault(true);
    auto* discard = new ui::CCustomButton("Discard", this);
    discard->setObjectName("discardButton");
    row->addWidget(ok);
    row->addWidget(discard);
    top->addLayout(row);
    connect(ok, &QPushButton::clicked, this, &CTavrinDlgChangePassword::change);
    connect(discard, &QPushButton::clicked, this, &QDialog::reject);
}

QString CTavrinDlgChangePassword::newPassword() const {
    return first_->text();
}

void CTavrinDlgChangePassword::change() {
    if (first_->text().size() < 3 || second_->text().size() < 3) {
        MessageBox::warning(texts::kTooShortPassword, this);
        return;
    }
    if (first_->text() != second_->text()) {
        MessageBox::warning(
            "The passwords do not match! Please remember that the passwords are case "
            "SeNsItIvE!",
            this);
        return;
    }
    accept();
}

bool changeOpenDiaryPassword(QWidget* parent) {
    auto& state = DiaryState::instance();
    if (!state.hasPath() || !state.isOpen()) return false;
    CTavrinDlgChangePassword dlg(parent);
    if (dlg.exec() != QDialog::Accepted) return false;
    auto tn = state.makeTN();
    if (tn->ReKey(cp1252::fromUtf8(dlg.newPassword().toStdString()))) {
        MessageBox::information("The password has been changed successfully!", parent);
        return true;
    }
    MessageBox::warning("The password was not changed!", parent);
    return false;
}

} // namespace tavrin::app
