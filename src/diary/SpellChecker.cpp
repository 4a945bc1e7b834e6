#include "diary/SpellChecker.h"

#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell/hunspell.hxx>

#include <algorithm>

namespace tavrin::diary {
namespace {

QString g_dictionaryDir;

QStringList dictionaryDirs() {
    if (!g_dictionaryDir.isEmpty()) return {g_dictionaryDir};
    return {"/usr/share/hunspell", "/usr/local/share/hunspell", "/usr/share/myspell/dicts"};
}

// A word is letters and digits, with apostrophes inside it ("don't").
const QRegularExpression& wordPattern() {
    static const QRegularExpression re(
        QStringLiteral(R"([\p{L}\p{N}]+(?:['\x{2019}][\p{L}\p{N}]+)*)"));
    return re;
}

// Runs of characters without spaces that hold a domain name, a web address or a mail address.
const QRegularExpression& domainPattern() {
    static const QRegularExpression re(
        QStringLiteral(
            R"((?:[a-z][a-z0-9+.-]*://\S+)|(?:[\w.+-]+@[\w-]+(?:\.[\w-]+)+)|(?:\b(?:[\w-]+\.)+[a-z]{2,}\b(?:/\S*)?))"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return re;
}

bool hasDigit(const QString& w) {
    return std::any_of(w.begin(), w.end(), [](QChar c) { return c.isDigit(); });
}
bool allCaps(const QString& w) {
    bool letter = false;
    for (QChar c : w) {
        if (c.isLower()) return false;
        letter = letter || c.isLetter();
    }
    return letter && w.size() > 1;
}
bool capitalized(const QString& w) {
    return !w.isEmpty() && w.front().isUpper();
}
// A capital after the first letter, and a small letter somewhere: "iPhone", "McKay".
bool mixedCase(const QString& w) {
    bool upperInside = false, lower = false;
    for (int i = 0; i < w.size(); ++i) {
        if (i > 0 && w[i].isUpper()) upperInside = true;
        if (w[i].isLower()) lower = true;
    }
    return upperInside && lower;
}

// English spellings that sound alike: each rule rewrites one spot of the word.
const std::pair<const char*, const char*> kSoundAlike[] = {
    {"ph", "f"},  {"f", "ph"},  {"ck", "k"},    {"k", "ck"},    {"c", "k"},   {"k", "c"},
    {"c", "s"},   {"s", "c"},   {"z", "s"},     {"s", "z"},     {"ee", "ea"}, {"ea", "ee"},
    {"ie", "ei"}, {"ei", "ie"}, {"oo", "u"},    {"u", "oo"},    {"gh", "f"},  {"f", "gh"},
    {"j", "g"},   {"g", "j"},   {"x", "ks"},    {"ks", "x"},    {"w", "wh"},  {"wh", "w"},
    {"er", "or"}, {"or", "er"}, {"ant", "ent"}, {"ent", "ant"}, {"y", "i"},   {"i", "y"},
};

constexpr StringSetting kSpellLanguage{"SpellLanguage", SpellChecker::kDefaultLanguage};

} // namespace

SpellOptions SpellOptions::fromSettings() {
    using namespace settings;
    SpellOptions o;
    o.autoCorrect = read(AutoCorrect) != 0;
    o.caseSensitive = read(CaseSensitive) != 0;
    o.catchDoubledWords = read(CatchDoubledWords) != 0;
    o.ignoreAllCapsWords = read(IgnoreAllCapsWords) != 0;
    o.ignoreCapitalizedWords = read(IgnoreCapitalizedWords) != 0;
    o.ignoreDomainNames = read(IgnoreDomainNames) != 0;
    o.ignoreMixedCaseWords = read(IgnoreMixedCaseWords) != 0;
    o.ignoreWordsWithDigits = read(IgnoreWordsWithDigits) != 0;
    o.phoneticSuggestions = read(PhoneticSuggestions) != 0;
    o.typographicalSuggestions = read(TypographicalSuggestions) != 0;
    return o;
}

void SpellOptions::toSettings() const {
    using namespace settings;
    write(AutoCorrect, autoCorrect);
    write(CaseSensitive, caseSensitive);
    write(CatchDoubledWords, catchDoubledWords);
    write(IgnoreAllCapsWords, ignoreAllCapsWords);
    write(IgnoreCapitalizedWords, ignoreCapitalizedWords);
    write(IgnoreDomainNames, ignoreDomainNames);
    write(IgnoreMixedCaseWords, ignoreMixedCaseWords);
    write(IgnoreWordsWithDigits, ignoreWordsWithDigits);
    write(PhoneticSuggestions, phoneticSuggestions);
    write(TypographicalSuggestions, typographicalSuggestions);
}

SpellChecker& SpellChecker::instance() {
    static SpellChecker checker;
    if (!checker.isReady()) {
        checker.setOptions(SpellOptions::fromSettings());
        if (!checker.setLanguage(settings::read(kSpellLanguage)))
            checker.setLanguage(kDefaultLanguage);
    }
    return checker;
}

SpellChecker::SpellChecker() = default;
SpellChecker::~SpellChecker() = default;

void SpellChecker::setDictionaryDir(const QString& dir) {
    g_dictionaryDir = dir;
}

QStringList SpellChecker::installedLanguages() {
    QStringList out;
    for (const QString& dir : dictionaryDirs()) {
        for (const QFileInfo& f : QDir(dir).entryInfoList({"*.dic"}, QDir::Files)) {
            const QString name = f.completeBaseName();
            if (QFileInfo::exists(f.dir().filePath(name + ".aff")) && !out.contains(name))
                out << name;
        }
    }
    out.sort();
    return out;
}

bool SpellChecker::setLanguage(const QString& language) {
    for (const QString& dir : dictionaryDirs()) {
        const QString aff = QDir(dir).filePath(language + ".aff");
        const QString dic = QDir(dir).filePath(language + ".dic");
        if (!QFileInfo::exists(aff) || !QFileInfo::exists(dic)) continue;
        dict_ = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                           QFile::encodeName(dic).constData());
        encoding_ = QByteArray::fromStdString(dict_->get_dict_encoding());
        if (encoding_.isEmpty()) encoding_ = "ISO-8859-1";
        language_ = language;
        settings::write(kSpellLanguage, language);
        loadUserList();
        return true;
    }
    return false;
}

std::string SpellChecker::encode(const QString& word) const {
    QStringEncoder enc(encoding_.constData());
    if (!enc.isValid()) return word.toStdString();
    const QByteArray b = enc.encode(word);
    return b.toStdString();
}

QString SpellChecker::decode(const std::string& word) const {
    QStringDecoder dec(encoding_.constData());
    if (!dec.isValid()) return QString::fromStdString(word);
    return dec.decode(QByteArray::fromStdString(word));
}

bool SpellChecker::dictionaryKnows(const QString& word) const {
    if (!dict_) return true; // nothing to check with: nothing is marked
    if (ignored_.contains(word) || userWords_.contains(word)) return true;
    if (dict_->spell(encode(word))) return true;
    if (!options_.caseSensitive) {
        const QString lower = word.toLower();
        if (ignored_.contains(lower) || userWords_.contains(lower)) return true;
        QString title = lower;
        if (!title.isEmpty()) title[0] = title[0].toUpper();
        for (const QString& w : {lower, title, word.toUpper()})
            if (w != word && dict_->spell(encode(w))) return true;
    }
    return false;
}

bool SpellChecker::isCorrect(const QString& word) const {
    return dictionaryKnows(word);
}

bool SpellChecker::skipped(const QString& w) const {
    return (options_.ignoreWordsWithDigits && hasDigit(w)) ||
           (options_.ignoreAllCapsWords && allCaps(w)) ||
           (options_.ignoreCapitalizedWords && capitalized(w)) ||
           (options_.ignoreMixedCaseWords && mixedCase(w));
}

QList<SpellIssue> SpellChecker::check(const QString& text) const {
    QList<SpellIssue> out;
    // Spans of domain names are not words.
    QList<QPair<int, int>> domains;
    if (options_.ignoreDomainNames) {
        auto it = domainPattern().globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            domains << qMakePair(int(m.capturedStart()), int(m.capturedEnd()));
        }
    }
    auto inDomain = [&](int pos) {
        return std::any_of(domains.begin(), domains.end(),
                           [pos](const auto& d) { return pos >= d.first && pos < d.second; });
    };
    QString previous;
    int previousEnd = -1;
    auto it = wordPattern().globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const int start = int(m.capturedStart());
        const QString word = m.captured();
        if (inDomain(start)) {
            previous.clear();
            continue;
        }
        // The same word twice with nothing but spaces between them.
        const bool onlySpaces = previousEnd >= 0 && start > previousEnd &&
                                text.mid(previousEnd, start - previousEnd).trimmed().isEmpty() &&
                                !text.mid(previousEnd, start - previousEnd).contains(QChar('\n'));
        if (options_.catchDoubledWords && onlySpaces && !hasDigit(word) &&
            word.compare(previous, Qt::CaseInsensitive) == 0) {
            out << SpellIssue{start, int(word.size()), SpellIssue::Doubled, word};
        } else if (!skipped(word) && !dictionaryKnows(word)) {
            out << SpellIssue{start, int(word.size()), SpellIssue::Misspelled, word};
        }
        previous = word;
        previousEnd = start + int(word.size());
    }
    return out;
}

QStringList SpellChecker::suggestions(const QString& word) const {
    QStringList out;
    if (!dict_) return out;
    if (options_.typographicalSuggestions) {
        for (const std::string& s : dict_->suggest(encode(word)))
            out << decode(s);
    }
    if (options_.phoneticSuggestions) {
        // One or two sound-alike rewrites that give a word the dictionary knows.
        const QString lower = word.toLower();
        QStringList once;
        for (const auto& [from, to] : kSoundAlike) {
            const QString f = QString::fromLatin1(from), t = QString::fromLatin1(to);
            for (int at = lower.indexOf(f); at >= 0; at = lower.indexOf(f, at + 1)) {
                QString v = lower;
                v.replace(at, f.size(), t);
                once << v;
            }
        }
        QStringList candidates = once;
        for (const QString& v : once)
            for (const auto& [from, to] : kSoundAlike) {
                const QString f = QString::fromLatin1(from);
                const int at = v.indexOf(f);
                if (at >= 0)
                    candidates << QString(v).replace(at, f.size(), QString::fromLatin1(to));
            }
        for (QString c : candidates) {
            if (capitalized(word) && !c.isEmpty()) c[0] = c[0].toUpper();
            if (c != word && !out.contains(c) && dict_->spell(encode(c))) out << c;
        }
    }
    return out;
}

void SpellChecker::ignoreAll(const QString& word) {
    ignored_.insert(word);
}

QString SpellChecker::userListPath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath("Halcyrn Ostevelder/Tavrin/spelling-words.txt");
}

void SpellChecker::loadUserList() {
    QFile f(userListPath());
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QString w = QString::fromUtf8(line).trimmed();
        if (w.isEmpty()) continue;
        userWords_.insert(w);
        if (dict_) dict_->add(encode(w));
    }
}

bool SpellChecker::addToUserList(const QString& word) {
    const QString w = word.trimmed();
    if (w.isEmpty()) return false;
    userWords_.insert(w);
    if (dict_) dict_->add(encode(w));
    QStringList words(userWords_.begin(), userWords_.end());
    words.sort(Qt::CaseInsensitive);
    const QString path = userListPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    // The whole list goes to a new file that replaces the old one only once it is complete.
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    f.write(words.join('\n').toUtf8() + '\n');
    return f.commit();
}

void SpellChecker::rememberChange(const QString& from, const QString& to) {
    if (!from.isEmpty() && from != to) changes_.insert(from, to);
}

QString SpellChecker::autoCorrection(const QString& word) const {
    return options_.autoCorrect ? changes_.value(word) : QString();
}

} // namespace tavrin::diary
