// Rich text as other programs write it: each case is read by the document reader (what the
// preview and the editor show) and by the search scanner (what search looks through), and both
// must give the text the writing program shows.

#include "rtf/RtfCodec.h"
#include "rtf/RtfSearchText.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using tavrin::diary::RtfCodec;
using tavrin::diary::RtfSearchText;

namespace {

QByteArray deeplyNested(int depth) {
    QByteArray rtf = "{\\rtf1\\ansi before ";
    rtf += QByteArray(depth, '{') + "deep" + QByteArray(depth, '}');
    rtf += " after\\par}";
    return rtf;
}

} // namespace

class TestRtfFaults : public QObject {
    Q_OBJECT

private slots:
    void readsWhatTheWriterShows_data() {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("shown");
        // Double-byte code pages, per document and per font, as rich-edit controls write them.
        QTest::newRow("Japanese, document code page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil MS Gothic;}}"
                          "\\f0 \\'82\\'b1\\'82\\'f1\\'82\\'c9\\'82\\'bf\\'82\\'cd\\par}")
            << QString::fromUtf8("こんにちは");
        QTest::newRow("Japanese, font charset, half-width katakana")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}"
                          "{\\f1\\fnil\\fcharset128 MS Mincho;}}\\f0 caf\\'e9 \\f1 \\'93\\'fa"
                          "\\'96\\'7b\\'b1\\f0  \\'e9\\par}")
            << QString::fromUtf8("café 日本ｱ é");
        QTest::newRow("Chinese, simplified")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}"
                          "\\f0 \\'c4\\'e3\\'ba\\'c3\\par}")
            << QString::fromUtf8("你好");
        QTest::newRow("Chinese, traditional")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset136 MingLiU;}}"
                          "\\f0 \\'a7\\'41\\'a6\\'6e\\par}")
            << QString::fromUtf8("你好");
        QTest::newRow("Korean, raw bytes")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset129 Gulim;}}"
                          "\\f0 \xbe\xc8\xb3\xe7\\par}")
            << QString::fromUtf8("안녕");
        QTest::newRow("Unicode with a double-byte fallback")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932\\uc2 \\u26085\\'93\\'fa!\\par}")
            << QString::fromUtf8("日!");
        // \* only marks a destination at the start of its group.
        QTest::newRow("\\* before an unknown word inside a group")
            << QByteArray("{\\rtf1\\ansi {\\b\\*\\pgdscno0 The only sentence.}\\par}")
            << QStringLiteral("The only sentence.");
        QTest::newRow("ignorable destination")
            << QByteArray("{\\rtf1\\ansi Shown{\\*\\unknownthing not shown}.\\par}")
            << QStringLiteral("Shown.");
        QTest::newRow("nested table fallback")
            << QByteArray("{\\rtf1\\ansi outer\\cell{\\nonesttables inner as text}\\par}")
            << QStringLiteral("outer");
        QTest::newRow("deeper than the group limit")
            << deeplyNested(3000) << QStringLiteral("before deep after");
        QTest::newRow("\\upr takes the Unicode text")
            << QByteArray("{\\rtf1\\ansi {\\upr{old text}{\\*\\ud{\\u8364?uro text}}}\\par}")
            << QString::fromUtf8("€uro text");
        QTest::newRow("footnote reference numbers")
            << QByteArray("{\\rtf1\\ansi One{\\super\\chftn{\\footnote\\pard{\\super\\chftn} Note"
                          " one.}} two{\\super\\chftn{\\footnote{\\super\\chftn} Note two.}}."
                          "\\par}")
            << QStringLiteral("One1 two2.");
    }

    void readsWhatTheWriterShows() {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, shown);
        QTextDocument doc;
        RtfCodec::toDocument(rtf, &doc);
        QCOMPARE(doc.toPlainText().trimmed(), shown);
        QCOMPARE(RtfCodec::plainText(rtf).trimmed(), shown);
        const std::string_view bytes(rtf.constData(), std::size_t(rtf.size()));
        QCOMPARE(QString::fromStdString(RtfSearchText::visible(bytes)).trimmed(), shown);
        QCOMPARE(QString::fromStdString(RtfSearchText::of(bytes)).trimmed(), shown.toCaseFolded());
    }

    // Only a size the user chose is written: a plain-text body stays without one, and reads back
    // in the editor's default size.
    void aPlainBodyGetsNoFontSize() {
        QTextDocument doc;
        RtfCodec::toDocument("Plain text from an old diary", &doc);
        const QByteArray written = RtfCodec::fromDocument(&doc);
        QVERIFY2(!written.contains("\\fs"), written.constData());
        QTextDocument again;
        RtfCodec::toDocument(written, &again);
        QVERIFY(
            !again.begin().begin().fragment().charFormat().hasProperty(QTextFormat::FontPointSize));
        QCOMPARE(again.toPlainText(), QStringLiteral("Plain text from an old diary"));
    }

    // A search term is folded like the texts it is looked for in; only a whole surrogate pair
    // makes one character, a stray half never swallows its neighbour.
    void aSearchTermKeepsItsCharactersApart() {
        const QString pair = QString::fromUcs4(U"\U0001F600");
        QCOMPARE(RtfSearchText::needle("Ab" + pair), std::string("ab\xF0\x9F\x98\x80"));
        const std::string stray = RtfSearchText::needle(QString("a") + QChar(0xDC00) + "b");
        QCOMPARE(stray.substr(0, 1), std::string("a"));
        QCOMPARE(stray.substr(stray.size() - 1), std::string("b"));
        QCOMPARE(RtfSearchText::needle(QString("x") + QChar(0xD800)).substr(0, 1),
                 std::string("x"));
    }
};

QTEST_MAIN(TestRtfFaults)
#include "tst_rtffaults.moc"
