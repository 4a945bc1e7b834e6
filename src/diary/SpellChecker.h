#pragma once
// Spelling for the entry editor: Hunspell with an installed dictionary (English by default),
// the user's own word list, and the ten options of the settings store. Hunspell decides whether
// a word is spelled right and offers the typing-error suggestions; the options that pick which
// words are checked at all (capitals, digits, domain names, mixed case), doubled words,
// case-insensitive checking, sound-alike suggestions and automatic correction are done here.
//
// No widgets: the as-you-type marking and the spelling window both ask this class.

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

namespace tavrin::diary {

struct SpellOptions {
    bool autoCorrect = true;         // a word changed before is changed again as it is typed
    bool caseSensitive = true;       // "paris" is wrong when the dictionary knows "Paris"
    bool catchDoubledWords = true;   // "the the"
    bool ignoreAllCapsWords = false; // "NATO"
    bool ignoreCapitalizedWords = false;
    bool ignoreDomainNames = true; // "www.example.org", "me@example.org"
    bool ignoreMixedCaseWords = true;
    bool ignoreWordsWithDigits = true;
    bool phoneticSuggestions = false;     // words that sound alike
    bool typographicalSuggestions = true; // words a slip of the finger away

    static SpellOptions fromSettings();
    void toSettings() const;
    bool operator==(const SpellOptions&) const = default;
};

struct SpellIssue {
    enum Kind { Misspelled, Doubled };
    int start = 0;
    int length = 0;
    Kind kind = Misspelled;
    QString word;
};

class SpellChecker {
public:
    static constexpr const char* kDefaultLanguage = "en_US";

    // One checker per run: words ignored with "Ignore All" hold until the program ends.
    static SpellChecker& instance();

    SpellChecker();
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    // The languages with both an .aff and a .dic file in the dictionary folders ("en_US").
    static QStringList installedLanguages();
    // Loads that language's dictionary and the user's words; false when it is not installed.
    bool setLanguage(const QString& language);
    QString language() const { return language_; }
    bool isReady() const { return bool(dict_); }

    void setOptions(const SpellOptions& o) { options_ = o; }
    const SpellOptions& options() const { return options_; }

    // Misspelled and doubled words of one paragraph, in order.
    QList<SpellIssue> check(const QString& text) const;
    // Whether one word passes (the options that skip words are not applied here).
    bool isCorrect(const QString& word) const;
    QStringList suggestions(const QString& word) const;

    void ignoreAll(const QString& word);
    // Adds the word to the user's word list and saves the list (a whole new file renamed over
    // the old one). False when it could not be saved; the word is accepted for this run anyway.
    bool addToUserList(const QString& word);
    // Where the user's words are kept: "spelling-words.txt" in the user's data folder.
    static QString userListPath();

    // Automatic correction: a word the user changed in the spelling window.
    void rememberChange(const QString& from, const QString& to);
    QString autoCorrection(const QString& word) const;

    // Test seam: the folder the dictionaries are looked for in (empty: the usual ones).
    static void setDictionaryDir(const QString& dir);

private:
    bool dictionaryKnows(const QString& word) const;
    std::string encode(const QString& word) const;
    QString decode(const std::string& word) const;
    bool skipped(const QString& word) const;
    void loadUserList();

    std::unique_ptr<Hunspell> dict_;
    QString language_;
    QByteArray encoding_;
    SpellOptions options_;
    QSet<QString> ignored_;
    QSet<QString> userWords_;
    QHash<QString, QString> changes_;
};

} // namespace tavrin::diary
