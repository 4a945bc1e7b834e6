#pragma once
// "Reset Diary Password": the diary's security questions, answered to set a new password when
// the old one is forgotten. Accepted once the diary was re-keyed under the new password.

#include "ui/CCustomDialog.h"

#include <array>

class QLineEdit;

namespace tavrin {
class EntryRecord;
}

namespace tavrin::app {

class CTavrinDlgResetPassword : public ui::CCustomDialog {
    Q_OBJECT
public:
    // The diary is the one at `path` (empty: no diary, the fields stay empty).
    CTavrinDlgResetPassword(const QString& path, int extOffset, QWidget* parent = nullptr);

    QString question(int i) const;
    void setAnswer(int i, const QString& a);

    // Whether typed answers open the diary's reset: every pair with a question and an answer
    // must match its field exactly, checked in order, and at least one such pair must exist.
    static bool answersMatch(const EntryRecord& first, const std::array<QString, 3>& typed);

public slots:
    void validate();

private:
    QString path_;
    int ext_;
    std::array<QLineEdit*, 3> questions_{};
    std::array<QLineEdit*, 3> answers_{};
};

} // namespace tavrin::app
