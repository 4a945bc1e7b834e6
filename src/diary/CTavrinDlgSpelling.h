#pragma once
// "Check spelling": walks the rich text from its start to each misspelled or doubled word,
// selects it in the editor and offers the dictionary's suggestions, with Ignore, Ignore All, Add
// (to the user's word list), Change and Close. The dictionary's language and the ten spelling
// options can be changed here; the walk goes on with them at once.

#include "diary/SpellChecker.h"
#include "ui/CCustomDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTextEdit;

namespace tavrin::ui {
class CCustomButton;
}

namespace tavrin::diary {

class CTavrinDlgSpelling : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Check spelling";
    static constexpr const char* kComplete = "The spelling check is complete.";
    static constexpr const char* kNoDictionary =
        "No spelling dictionary is installed. Install one (for example hunspell-en-us) to check "
        "spelling.";
    static constexpr const char* kNotSaved = "The word could not be saved in your word list.";

    CTavrinDlgSpelling(QTextEdit* edit, SpellChecker& checker, QWidget* parent = nullptr);

    // Shows the window when the text has something to mend; tells the user when it has not.
    static void run(QTextEdit* edit, SpellChecker& checker, QWidget* parent);

    // Goes to the first word to mend at or after `from`; false (and the window closes) at the end.
    bool findNext(int from);
    bool hasIssue() const { return issueStart_ >= 0; }

    QLineEdit* wordField() const { return word_; }
    QLineEdit* changeField() const { return change_; }
    QListWidget* suggestionList() const { return suggestions_; }
    QComboBox* languageChooser() const { return language_; }

public slots:
    void ignore();
    void ignoreAll();
    void addWord();
    void change();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void keepWordVisible();
    void optionToggled();
    void languageChosen(int index);
    void finish();

    QTextEdit* edit_;
    SpellChecker& checker_;
    int issueStart_ = -1;
    int issueLength_ = 0;
    SpellIssue::Kind kind_ = SpellIssue::Misspelled;
    bool finished_ = false;

    QLabel* what_;
    QLineEdit* word_;
    QLineEdit* change_;
    QListWidget* suggestions_;
    QComboBox* language_;
    std::array<QCheckBox*, 10> options_{};
};

} // namespace tavrin::diary
