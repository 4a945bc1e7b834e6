#pragma once
// "Change Password": the new password typed twice. The caller re-keys the diary with it.

#include "ui/CCustomDialog.h"

class QLineEdit;

namespace tavrin::app {

class CTavrinDlgChangePassword : public ui::CCustomDialog {
    Q_OBJECT
public:
    explicit CTavrinDlgChangePassword(QWidget* parent = nullptr);
    QString newPassword() const;

public slots:
    void change();

private:
    QLineEdit* first_;
    QLineEdit* second_;
};

// Changing the password of the open diary (tools panel): asks for the new password and
// re-keys every entry. Does nothing unless a diary is open. Returns whether it was changed.
bool changeOpenDiaryPassword(QWidget* parent);

} // namespace tavrin::app
