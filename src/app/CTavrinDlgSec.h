#pragma once
// The password prompt. Opening a diary asks its password; creating the first entry of a new
// diary chooses one (then the confirmation window collects the three security pairs; Cancel
// abandons that entry).

#include "ui/CCustomDialog.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace tavrin::app {

class CTavrinDlgSec : public ui::CCustomDialog {
    Q_OBJECT
public:
    // `diaryPath`/`extOffset` name the diary whose password may be reset from here.
    CTavrinDlgSec(const QString& diaryName, bool creating, QWidget* parent = nullptr,
                  const QString& diaryPath = QString(), int extOffset = 0);

    QString password() const;
    bool resetDone() const { return resetDone_; }
    // Filled from the confirmation window when creating.
    QString question(int i) const { return questions_[size_t(i)]; }
    QString answer(int i) const { return answers_[size_t(i)]; }

public slots:
    void accept() override;
    void reject() override;
    void resetPassword();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool creating_;
    bool resetDone_ = false;
    QString path_;
    int ext_;
    QLineEdit* name_;
    QLineEdit* password_;
    QPushButton* cancel_;
    QPushButton* reset_;
    std::array<QString, 3> questions_, answers_;
};

} // namespace tavrin::app
