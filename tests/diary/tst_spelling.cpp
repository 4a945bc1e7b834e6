// Spelling: which words the ten options let through, the suggestions they ask for, and the
// user's word list kept across runs. Needs the English Hunspell dictionary (hunspell-en-us).

#include "TestEnvironment.h"
#include "diary/CTavrinDlgSpelling.h"
#include "diary/EntrySpelling.h"
#include "diary/SpellChecker.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "ui/CCustomRichEdit.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

using namespace tavrin;
using namespace tavrin::diary;

namespace {

bool SpellOptions::*optionNamed(const QString& name) {
    static const QHash<QString, bool SpellOptions::*> members = {
        {"caseSensitive", &SpellOptions::caseSensitive},
        {"catchDoubledWords", &SpellOptions::catchDoubledWords},
        {"ignoreAllCapsWords", &SpellOptions::ignoreAllCapsWords},
        {"ignoreCapitalizedWords", &SpellOptions::ignoreCapitalizedWords},
        {"ignoreDomainNames", &SpellOptions::ignoreDomainNames},
        {"ignoreMixedCaseWords", &SpellOptions::ignoreMixedCaseWords},
        {"ignoreWordsWithDigits", &SpellOptions::ignoreWordsWithDigits},
        {"phoneticSuggestions", &SpellOptions::phoneticSuggestions},
        {"typographicalSuggestions", &SpellOptions::typographicalSuggestions},
    };
    return members.value(name);
}

// Misspelled words as they are, doubled ones as "2:word".
QStringList issues(const SpellChecker& c, const QString& text) {
    QStringList out;
    for (const SpellIssue& i : c.check(text)) {
        if (text.mid(i.start, i.length) != i.word) out << "span off: " + i.word;
        out << (i.kind == SpellIssue::Doubled ? "2:" + i.word : i.word);
    }
    return out;
}

} // namespace

class TestSpelling : public QObject {
    Q_OBJECT
    SpellChecker checker;
private slots:
    void initTestCase() {
        QFile::remove(SpellChecker::userListPath());
        QVERIFY2(checker.setLanguage("en_US"), "the en_US Hunspell dictionary is not installed");
        QVERIFY(SpellChecker::installedLanguages().contains("en_US"));
    }
    void init() { checker.setOptions(SpellOptions{}); }

    void options_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QStringList>("found");

        const QString digits = "Room B12x has zq3rk in it";
        QTest::newRow("digits ignored")
            << digits << "ignoreWordsWithDigits" << true << QStringList{};
        QTest::newRow("digits checked")
            << digits << "ignoreWordsWithDigits" << false << QStringList{"B12x", "zq3rk"};
        const QString caps = "The NATOX report came";
        QTest::newRow("capitals ignored") << caps << "ignoreAllCapsWords" << true << QStringList{};
        QTest::newRow("capitals checked")
            << caps << "ignoreAllCapsWords" << false << QStringList{"NATOX"};
        const QString capitalized = "We met Zorblat today";
        QTest::newRow("capitalized ignored")
            << capitalized << "ignoreCapitalizedWords" << true << QStringList{};
        QTest::newRow("capitalized checked")
            << capitalized << "ignoreCapitalizedWords" << false << QStringList{"Zorblat"};
        const QString doubled = "We went to the the shop. The the end. To the\nthe";
        QTest::newRow("doubled caught")
            << doubled << "catchDoubledWords" << true << QStringList{"2:the", "2:the"};
        QTest::newRow("doubled let through")
            << doubled << "catchDoubledWords" << false << QStringList{};
        const QString mixed = "my ZorBlat broke";
        QTest::newRow("mixed case ignored")
            << mixed << "ignoreMixedCaseWords" << true << QStringList{};
        QTest::newRow("mixed case checked")
            << mixed << "ignoreMixedCaseWords" << false << QStringList{"ZorBlat"};
        const QString domains = "see www.zorblat.org or mail qux@zorblat.org";
        QTest::newRow("domains ignored") << domains << "ignoreDomainNames" << true << QStringList{};
        QTest::newRow("domains checked") << domains << "ignoreDomainNames" << false
                                         << QStringList{"www", "zorblat", "qux", "zorblat"};
        const QString city = "we met in paris";
        QTest::newRow("case sensitive") << city << "caseSensitive" << true << QStringList{"paris"};
        QTest::newRow("case insensitive") << city << "caseSensitive" << false << QStringList{};
    }
    void options() {
        QFETCH(QString, text);
        QFETCH(QString, option);
        QFETCH(bool, on);
        QFETCH(QStringList, found);
        SpellOptions o;
        o.*optionNamed(option) = on;
        checker.setOptions(o);
        QCOMPARE(issues(checker, text), found);
    }

    void suggestions_data() {
        QTest::addColumn<bool>("typographical");
        QTest::addColumn<bool>("phonetic");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("expected"); // empty: no suggestion at all
        QTest::newRow("typing error") << true << false << "speling"
                                      << "spelling";
        QTest::newRow("sound-alike") << false << true << "fone"
                                     << "phone";
        QTest::newRow("neither") << false << false << "speling"
                                 << "";
    }
    void suggestions() {
        QFETCH(bool, typographical);
        QFETCH(bool, phonetic);
        QFETCH(QString, word);
        QFETCH(QString, expected);
        SpellOptions o;
        o.typographicalSuggestions = typographical;
        o.phoneticSuggestions = phonetic;
        checker.setOptions(o);
        const QStringList s = checker.suggestions(word);
        if (expected.isEmpty())
            QVERIFY(s.isEmpty());
        else
            QVERIFY2(s.contains(expected), qPrintable(s.join(", ")));
    }

    void addedWordIsKeptForTheNextRun() {
        QVERIFY(!checker.isCorrect("Zorblat"));
        QVERIFY(checker.addToUserList("Zorblat"));
        QVERIFY(checker.isCorrect("Zorblat"));
        QVERIFY(checker.addToUserList("quxwerk"));
        QFile f(SpellChecker::userListPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("quxwerk\nZorblat\n"));

        SpellChecker next;
        QVERIFY(next.setLanguage("en_US"));
        QVERIFY(next.isCorrect("Zorblat"));
        QVERIFY(next.check("a quxwerk day").isEmpty());
    }

    // The window walks the text: Change mends a word and remembers it, an empty Change takes a
    // doubled word out, Ignore goes on, and the end is said once.
    void windowWalksAndMendsTheText() {
        QTextEdit edit;
        edit.setPlainText("Teh cat sat on the the mat.\nTeh end.");
        CTavrinDlgSpelling dlg(&edit, checker);
        platform::MessageBox::clearRecorded();
        QVERIFY(dlg.findNext(0));
        QCOMPARE(dlg.wordField()->text(), QString("Teh"));
        QCOMPARE(edit.textCursor().selectedText(), QString("Teh"));
        dlg.changeField()->setText("The");
        dlg.change();
        QCOMPARE(dlg.wordField()->text(), QString("the"));
        QCOMPARE(dlg.changeField()->text(), QString());
        dlg.change();
        QCOMPARE(dlg.wordField()->text(), QString("Teh"));
        // The earlier change comes first now.
        QCOMPARE(dlg.suggestionList()->item(0)->text(), QString("The"));
        dlg.ignore();
        QVERIFY(!dlg.hasIssue());
        QCOMPARE(edit.toPlainText(), QString("The cat sat on the mat.\nTeh end."));
        QCOMPARE(platform::MessageBox::recordedTexts(), QStringList{CTavrinDlgSpelling::kComplete});
    }

    // As-you-type marks follow AutoSpelling, and the box writes it.
    void marksFollowAutoSpelling_data() {
        QTest::addColumn<int>("setting");
        QTest::newRow("on") << 1;
        QTest::newRow("off") << 0;
    }
    void marksFollowAutoSpelling() {
        QFETCH(int, setting);
        settings::write(settings::AutoSpelling, setting);
        QWidget page;
        auto* edit = new ui::CCustomRichEdit(&page);
        auto* doc = new QTextDocument(&page);
        doc->setPlainText("Teh cat sat");
        edit->showDocument(doc);
        auto* spelling = new EntrySpelling(edit, {doc}, &page);
        auto* box = spelling->makeControls(&page)->findChild<QCheckBox*>("autoSpellingBox");
        QVERIFY(box);
        QCOMPARE(box->isChecked(), setting == 1);
        auto wavy = [doc] {
            QStringList marked;
            const QTextBlock b = doc->firstBlock();
            for (const QTextLayout::FormatRange& r : b.layout()->formats())
                if (r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                    marked << b.text().mid(r.start, r.length);
            return marked;
        };
        QCOMPARE(wavy(), setting ? QStringList{"Teh"} : QStringList{});
        box->toggle();
        QCOMPARE(settings::read(settings::AutoSpelling), 1 - setting);
        QCOMPARE(wavy(), setting ? QStringList{} : QStringList{"Teh"});
    }

    // Another installed dictionary can be chosen; its own encoding is honoured.
    void anotherLanguage() {
        const QString dir = test::scratchDir() + "/dicts";
        QVERIFY(QDir().mkpath(dir));
        QFile aff(dir + "/xx_XX.aff"), dic(dir + "/xx_XX.dic");
        QVERIFY(aff.open(QIODevice::WriteOnly) && dic.open(QIODevice::WriteOnly));
        aff.write("SET ISO8859-1\nTRY abc\n");
        dic.write("2\nflimp\nk\xE4se\n"); // "käse" in Latin-1
        aff.close();
        dic.close();
        SpellChecker::setDictionaryDir(dir);
        SpellChecker other;
        QCOMPARE(SpellChecker::installedLanguages(), QStringList{"xx_XX"});
        QVERIFY(other.setLanguage("xx_XX"));
        QVERIFY(!other.setLanguage("en_US")); // not in that folder
        QCOMPARE(other.language(), QString("xx_XX"));
        QCOMPARE(issues(other, QString::fromUtf8("flimp k\u00e4se house")), QStringList{"house"});
        SpellChecker::setDictionaryDir({});
    }

    void ignoreAllHoldsForThisChecker() {
        QVERIFY(!checker.isCorrect("blorptastic"));
        checker.ignoreAll("blorptastic");
        QVERIFY(checker.check("so blorptastic").isEmpty());
    }
};

QTEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
