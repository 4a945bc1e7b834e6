#include "app/CTavrinDlgSecConfirm.h"

#include "platform/MessageBox.h"
#include "storage/ProgramTexts.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrin::app {

using platform::MessageBox;

CTavrinDlgSecConfirm::CTavrinDlgSecConfirm(QWidget* parent) : CCustomDialog(BackAll, parent) {
    setWindowTitle("Confirm your password");
    setObjectName("confirmPasswordDialog");
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 16, 16, 16);
    auto* grid = new QGridLayout;
    grid->addWidget(new ui::CCustomStatic("Please confirm your password:", this), 0, 0);
    password_ = new QLineEdit(this);
    password_->setObjectName("confirmPassword");
    password_->setEchoMode(QLineEdit::Password);
    password_->setMaxLength(29);
    grid->addWidget(password_, 0, 1);
    auto* explain = new ui::CCustomStatic(
        "Please enter questions and answers that will allow you to reset your password in case you "
        "forget it.\nYou have to provide at least one full question and answer pair. They cannot "
        "be "
        "changed later.",
        this);
    explain->setWordWrap(true);
    grid->addWidget(explain, 1, 0, 1, 2);
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        questions_[i] = new QLineEdit(this);
        questions_[i]->setObjectName("question" + n);
        questions_[i]->setMaxLength(29);
        answers_[i] = new QLineEdit(this);
        answers_[i]->setObjectName("answer" + n);
        answers_[i]->setMaxLength(29);
        grid->addWidget(new ui::CCustomStatic("Question " + n + ":", this), 2 + 2 * i, 0);
        grid->addWidget(questions_[i], 2 + 2 * i, 1);
        grid->addWidget(new ui::CCustomStatic("Answer " + n + ":", this), 3 + 2 * i, 0);
        grid->addWidget(answers_[i], 3 + 2 * i, 1);
    }
    grid->setColumnMinimumWidth(1, 220);
    top->addLayout(grid);
    auto* ok = new ui::CCustomButton("Confirm", this);
    ok->setObjectName("confirmButton");
    ok->setDefault(true);
    top->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &CTavrinDlgSecConfirm::confirm);
}

QString CTavrinDlgSecConfirm::password() const {
    return password_->text();
}
QString CTavrinDlgSecConfirm::question(int i) const {
    return questions_[size_t(i)]->text();
}
QString CTavrinDlgSecConfirm::answer(int i) const {
    return answers_[size_t(i)]->text();
}

void CTavrinDlgSecConfirm::confirm() {
    if (password_->text().size() < 3) {
        MessageBox::warning(texts::kTooShortPassword, this);
        return;
    }
    // A question without its answer (or the reverse) cannot reset anything: both go.
    bool anyFull = false;
    for (int i = 0; i < 3; ++i) {
        if (questions_[i]->text().isEmpty() || answers_[i]->text().isEmpty()) {
            questions_[i]->clear();
            answers_[i]->clear();
        } else {
            anyFull = true;
        }
    }
    if (!anyFull) {
        MessageBox::warning("You must provide at least one full pair of question and answer!",
                            this);
        return;
    }
    accept();
}

} // namespace tavrin::app
