#include "diary/CTavrinDlgSpelling.h"

#include "platform/MessageBox.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrin::diary {
namespace {

struct OptionBox {
    const char* name;
    const char* text;
    bool SpellOptions::*member;
};
const OptionBox kOptions[10] = {
    {"autoCorrect", "Correct words changed before as they are typed", &SpellOptions::autoCorrect},
    {"caseSensitive", "Case sensitive", &SpellOptions::caseSensitive},
    {"catchDoubledWords", "Catch doubled words", &SpellOptions::catchDoubledWords},
    {"ignoreAllCapsWords", "Ignore words in capitals", &SpellOptions::ignoreAllCapsWords},
    {"ignoreCapitalizedWords", "Ignore capitalized words", &SpellOptions::ignoreCapitalizedWords},
    {"ignoreDomainNames", "Ignore domain names", &SpellOptions::ignoreDomainNames},
    {"ignoreMixedCaseWords", "Ignore mixed-case words", &SpellOptions::ignoreMixedCaseWords},
    {"ignoreWordsWithDigits", "Ignore words with digits", &SpellOptions::ignoreWordsWithDigits},
    {"phoneticSuggestions", "Suggest words that sound alike", &SpellOptions::phoneticSuggestions},
    {"typographicalSuggestions", "Suggest words for typing errors",
     &SpellOptions::typographicalSuggestions},
};

ui::CCustomButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new ui::CCustomButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

CTavrinDlgSpelling::CTavrinDlgSpelling(QTextEdit* edit, SpellChecker& checker, QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), edit_(edit), checker_(checker), what_(new QLabel(this)),
      word_(new QLineEdit(this)), change_(new QLineEdit(this)), suggestions_(new QListWidget(this)),
      language_(new QComboBox(this)) {
    setObjectName("spellingWindow");
    setWindowTitle(kTitle);
    setModal(true);

    what_->setObjectName("issueKind");
    word_->setObjectName("word");
    word_->setReadOnly(true);
    change_->setObjectName("changeTo");
    suggestions_->setObjectName("suggestions");
    suggestions_->setMaximumHeight(suggestions_->fontMetrics().height() * 7 + 8);
    language_->setObjectName("language");
    language_->addItems(SpellChecker::installedLanguages());
    language_->setCurrentText(checker_.language());

    auto* ignoreButton = button("Ignore", "ignoreButton", this);
    auto* ignoreAllButton = button("Ignore All", "ignoreAllButton", this);
    auto* addButton = button("Add", "addButton", this);
    auto* changeButton = button("Change", "changeButton", this);
    changeButton->setDefault(true);
    auto* closeButton = button("Close", "closeButton", this);

    auto* grid = new QGridLayout;
    grid->addWidget(what_, 0, 0);
    grid->addWidget(word_, 0, 1);
    grid->addWidget(new ui::CCustomStatic("Change to:", this), 1, 0);
    grid->addWidget(change_, 1, 1);
    grid->addWidget(new ui::CCustomStatic("Suggestions:", this), 2, 0, Qt::AlignTop);
    grid->addWidget(suggestions_, 2, 1);
    grid->addWidget(new ui::CCustomStatic("Language:", this), 3, 0);
    grid->addWidget(language_, 3, 1);
    auto* buttons = new QVBoxLayout;
    for (auto* b : {ignoreButton, ignoreAllButton, addButton, changeButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto* top = new QHBoxLayout;
    top->addLayout(grid, 1);
    top->addLayout(buttons);

    auto* group = new QGroupBox("Options", this);
    auto* boxes = new QGridLayout(group);
    const SpellOptions& o = checker_.options();
    for (int i = 0; i < 10; ++i) {
        auto* box = new QCheckBox(kOptions[i].text, group);
        box->setObjectName(kOptions[i].name);
        box->setChecked(o.*(kOptions[i].member));
        boxes->addWidget(box, i / 2, i % 2);
        options_[std::size_t(i)] = box;
        connect(box, &QCheckBox::toggled, this, &CTavrinDlgSpelling::optionToggled);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(top);
    layout->addWidget(group);

    connect(ignoreButton, &QPushButton::clicked, this, &CTavrinDlgSpelling::ignore);
    connect(ignoreAllButton, &QPushButton::clicked, this, &CTavrinDlgSpelling::ignoreAll);
    connect(addButton, &QPushButton::clicked, this, &CTavrinDlgSpelling::addWord);
    connect(changeButton, &QPushButton::clicked, this, &CTavrinDlgSpelling::change);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(suggestions_, &QListWidget::currentTextChanged, change_, &QLineEdit::setText);
    connect(suggestions_, &QListWidget::itemDoubleClicked, this, &CTavrinDlgSpelling::change);
    connect(language_, &QComboBox::activated, this, &CTavrinDlgSpelling::languageChosen);
}

void CTavrinDlgSpelling::run(QTextEdit* edit, SpellChecker& checker, QWidget* parent) {
    if (!checker.isReady()) {
        platform::MessageBox::warning(kNoDictionary, parent);
        return;
    }
    CTavrinDlgSpelling dlg(edit, checker, parent);
    if (dlg.findNext(0)) dlg.exec();
}

bool CTavrinDlgSpelling::findNext(int from) {
    QTextDocument* doc = edit_->document();
    for (QTextBlock b = doc->findBlock(std::max(0, from)); b.isValid(); b = b.next()) {
        for (const SpellIssue& issue : checker_.check(b.text())) {
            const int at = b.position() + issue.start;
            if (at < from) continue;
            issueStart_ = at;
            issueLength_ = issue.length;
            kind_ = issue.kind;
            QTextCursor c(doc);
            c.setPosition(at);
            c.setPosition(at + issue.length, QTextCursor::KeepAnchor);
            edit_->setTextCursor(c);
            edit_->ensureCursorVisible();
            keepWordVisible();
            what_->setText(kind_ == SpellIssue::Doubled ? "Doubled word:" : "Not in dictionary:");
            word_->setText(issue.word);
            suggestions_->clear();
            if (kind_ == SpellIssue::Doubled) {
                change_->clear(); // changing to nothing takes the second word out
            } else {
                const QString automatic = checker_.autoCorrection(issue.word);
                QStringList s = checker_.suggestions(issue.word);
                if (!automatic.isEmpty()) s.prepend(automatic);
                s.removeDuplicates();
                suggestions_->addItems(s);
                change_->setText(s.isEmpty() ? issue.word : s.first());
                if (!s.isEmpty()) suggestions_->setCurrentRow(0);
            }
            return true;
        }
    }
    finish();
    return false;
}

void CTavrinDlgSpelling::showEvent(QShowEvent* event) {
    ui::CCustomDialog::showEvent(event);
    // After the window has found its place beside the main window.
    QTimer::singleShot(0, this, &CTavrinDlgSpelling::keepWordVisible);
}

void CTavrinDlgSpelling::keepWordVisible() {
    if (!isVisible() || !hasIssue()) return;
    // The word in question stays in sight: the window moves below it, or above it.
    const QRect word(edit_->viewport()->mapToGlobal(edit_->cursorRect().topLeft()),
                     edit_->cursorRect().size());
    QRect frame = frameGeometry();
    if (!frame.intersects(word.adjusted(-200, -4, 200, 4))) return;
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect();
    QPoint to(frame.x(), word.bottom() + 12);
    if (screen.isValid() && to.y() + frame.height() > screen.bottom())
        to.setY(std::max(screen.top(), word.top() - 12 - frame.height()));
    move(to);
}

void CTavrinDlgSpelling::finish() {
    issueStart_ = -1;
    if (finished_) return;
    finished_ = true;
    platform::MessageBox::information(kComplete, this);
    if (isVisible()) accept();
}

void CTavrinDlgSpelling::ignore() {
    if (!hasIssue()) return;
    findNext(issueStart_ + issueLength_);
}

void CTavrinDlgSpelling::ignoreAll() {
    if (!hasIssue()) return;
    if (kind_ == SpellIssue::Misspelled) checker_.ignoreAll(word_->text());
    findNext(issueStart_ + issueLength_);
}

void CTavrinDlgSpelling::addWord() {
    if (!hasIssue()) return;
    if (kind_ == SpellIssue::Misspelled && !checker_.addToUserList(word_->text()))
        platform::MessageBox::warning(kNotSaved, this);
    findNext(issueStart_ + issueLength_);
}

void CTavrinDlgSpelling::change() {
    if (!hasIssue()) return;
    QTextCursor c(edit_->document());
    int start = issueStart_;
    const QString to = change_->text();
    if (kind_ == SpellIssue::Doubled && to.isEmpty()) {
        // The second of the two words goes with the spaces before it.
        const QString text = edit_->document()->toPlainText();
        while (start > 0 && text.at(start - 1).isSpace() && text.at(start - 1) != QChar(0x2029))
            --start;
    }
    c.setPosition(start);
    c.setPosition(issueStart_ + issueLength_, QTextCursor::KeepAnchor);
    c.insertText(to);
    if (kind_ == SpellIssue::Misspelled) checker_.rememberChange(word_->text(), to);
    findNext(start + int(to.size()));
}

void CTavrinDlgSpelling::optionToggled() {
    SpellOptions o = checker_.options();
    for (int i = 0; i < 10; ++i)
        o.*(kOptions[i].member) = options_[std::size_t(i)]->isChecked();
    checker_.setOptions(o);
    if (hasIssue()) findNext(issueStart_);
}

void CTavrinDlgSpelling::languageChosen(int index) {
    if (index < 0 || !checker_.setLanguage(language_->itemText(index))) return;
    if (hasIssue()) findNext(issueStart_);
}

} // namespace tavrin::diary
