#pragma once
// "Confirm your password": the new password again and the three security pairs that allow a
// forgotten password to be reset. It has no Cancel: the diary cannot be created without them.

#include "ui/CCustomDialog.h"

#include <array>

class QLineEdit;

namespace tavrin::app {

class CTavrinDlgSecConfirm : public ui::CCustomDialog {
    Q_OBJECT
public:
    explicit CTavrinDlgSecConfirm(QWidget* parent = nullptr);

    QString password() const;
    QString question(int i) const;
    QString answer(int i) const;

public slots:
    void confirm();

private:
    QLineEdit* password_;
    std::array<QLineEdit*, 3> questions_{};
    std::array<QLineEdit*, 3> answers_{};
};

} // namespace tavrin::app
