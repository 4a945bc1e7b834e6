#include "app/CTavrinDlgResetPassword.h"

#include "app/CTavrinDlgChangePassword.h"
#include "platform/MessageBox.h"
#include "storage/Cp1252.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrin::app {

using platform::MessageBox;

namespace {
QString fromDiary(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}
std::string toDiary(const QString& s) {
    return cp1252::fromUtf8(s.toStdString());
}
} // namespace

CTavrinDlgResetPassword::CTavrinDlgResetPassword(const QString& path, int extOffset,
                                                 QWidget* parent)
    : CCustomDialog(BackAll, parent), path_(path), ext_(extOffset) {
    setWindowTitle("Reset Diary Password");
    setObjectName("resetPasswordDialog");
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 16, 16, 16);
    auto* text = new ui::CCustomStatic(
        "Please provide answers to the following questions.\nPlease remember that your answers are "
        "case sEnSiTiVe and must be entered exactly the same way you entered them the first time.",
        this);
    text->setWordWrap(true);
    top->addWidget(text);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        questions_[i] = new QLineEdit(this);
        questions_[i]->setReadOnly(true);
        // Only read: drawn as text on the window's colour, without the frame of a field, and
        // passed over by Tab, unlike the answers.
        questions_[i]->setFrame(false);
        questions_[i]->setFocusPolicy(Qt::NoFocus);
        QPalette readOnly = questions_[i]->palette();
        readOnly.setColor(QPalette::Base, readOnly.color(QPalette::Window));
        questions_[i]->setPalette(readOnly);
        questions_[i]->setObjectName("question" + n);
        answers_[i] = new QLineEdit(this);
        answers_[i]->setObjectName("answer" + n);
        answers_[i]->setMaxLength(29);
        grid->addWidget(new ui::CCustomStatic("Question " + n + ":", this), 2 * i, 0);
        grid->addWidget(questions_[i], 2 * i, 1);
        grid->addWidget(new ui::CCustomStatic("Answer " + n + ":", this), 2 * i + 1, 0);
        grid->addWidget(answers_[i], 2 * i + 1, 1);
    }
    grid->setColumnMinimumWidth(1, 240);
    top->addLayout(grid);
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* validateButton = new ui::CCustomButton("Validate Answers", this);
    validateButton->setObjectName("validateButton");
    validateButton->setDefault(true);
    auto* cancel = new ui::CCustomButton("Cancel", this);
    cancel->setObjectName("cancelButton");
    row->addWidget(validateButton);
    row->addWidget(cancel);
    top->addLayout(row);
    connect(validateButton, &QPushButton::clicked, this, &CTavrinDlgResetPassword::validate);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    answers_[0]->setFocus(); // the questions are only read
    if (!path_.isEmpty()) {
        // The questions are in the index record: an entry text that cannot be read is no reason
        // to lock the user out.
        TN tn(0, path_.toStdString(), ext_);
        if (tn.ReadIndexRecord())
            for (int i = 0; i < 3; ++i)
                questions_[i]->setText(fromDiary(tn.entry.question(i)));
    }
}

QString CTavrinDlgResetPassword::question(int i) const {
    return questions_[size_t(i)]->text();
}
void CTavrinDlgResetPassword::setAnswer(int i, const QString& a) {
    answers_[size_t(i)]->setText(a);
}

bool CTavrinDlgResetPassword::answersMatch(const EntryRecord& first,
                                           const std::array<QString, 3>& typed) {
    bool matched = false;
    for (int i = 0; i < 3; ++i) {
        // Only a pair with both a question and an answer counts; the field of an empty pair
        // is ignored whatever it holds.
        if (first.question(i).empty() || first.answer(i).empty()) continue;
        if (first.answer(i) != toDiary(typed[size_t(i)])) return false;
        matched = true;
    }
    return matched;
}

void CTavrinDlgResetPassword::validate() {
    if (path_.isEmpty()) {
        MessageBox::warning("The answers do not match!", this);
        return;
    }
    TN tn(0, path_.toStdString(), ext_);
    std::array<QString, 3> typed = {answers_[0]->text(), answers_[1]->text(), answers_[2]->text()};
    if (!tn.ReadIndexRecord() || !answersMatch(tn.entry, typed)) {
        MessageBox::warning("The answers do not match!", this);
        return;
    }
    MessageBox::information("You can now change your password!", this);
    CTavrinDlgChangePassword change(this);
    if (change.exec() != QDialog::Accepted) return; // back to the questions
    if (tn.ReKey(toDiary(change.newPassword()))) {
        MessageBox::information("The password has been changed successfully!", this);
        accept();
    } else {
        MessageBox::warning("The password was not changed!", this);
    }
}

} // namespace tavrin::app
