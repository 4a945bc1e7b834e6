// Reading RTF written by hand the way other programs write it: escapes and code pages, the
// parts of a file that are not text, fields, tables and lists; and input that is damaged or
// hostile, which must neither crash, nor hang, nor allocate without bound.

#include "RtfTestSupport.h"
#include "rtf/RtfCodec.h"
#include "rtf/RtfSearchText.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

using tavrin::diary::RtfCodec;

namespace {

using tavrin::test::blockOf;
using tavrin::test::formatOf;

// Reads the input both ways: as the plain text search uses, and into a document.
QString readBothWays(const QByteArray& rtf, QString* docResult = nullptr) {
    const QString plain = RtfCodec::plainText(rtf);
    QTextDocument doc;
    RtfCodec::toDocument(rtf, &doc);
    if (docResult) *docResult = doc.toPlainText();
    return plain;
}

} // namespace

class TestRtfReading : public QObject {
    Q_OBJECT

private slots:
    void escapesAndCodePages_data();
    void escapesAndCodePages();
    void hiddenPartsAreSkipped_data();
    void hiddenPartsAreSkipped();
    void hiddenMarksStillBreak_data();
    void hiddenMarksStillBreak();
    void plainTextMatchesDocumentText();
    void hyperlinkFields();
    void tablesBecomeTabSeparatedLines();
    void groupsScopeFormatting();
    void paragraphFormatsOfForeignRtf();
    void listsOfForeignRtf();
    void damagedInput_data();
    void damagedInput();
    void deepNestingIsCapped();
    void randomCorruptionNeverCrashes();
};

// The search scanner's text of a document, without case folding. The scanner keeps the last
// paragraph's mark, which a document shows as no line of its own.
QString scanned(const QByteArray& rtf) {
    const std::string_view bytes(rtf.constData(), std::size_t(rtf.size()));
    QString text = QString::fromStdString(tavrin::diary::RtfSearchText::visible(bytes));
    if (text.endsWith(u'\n')) text.chop(1);
    return text;
}

void TestRtfReading::escapesAndCodePages_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("hex escapes in 1252")
        << QByteArray("{\\rtf1\\ansi caf\\'e9 \\'80\\'DF}") << QString::fromUtf8("café €ß");
    QTest::newRow("bytes that 1252 leaves undefined")
        << QByteArray("{\\rtf1 a\\'81\\'8d\\'8f\\'90\\'9d\\u144?b}") << QStringLiteral("ab");
    QTest::newRow("hex without code page")
        << QByteArray("{\\rtf1 \\'e9}") << QString::fromUtf8("é");
    QTest::newRow("unicode with fallback skipped")
        << QByteArray("{\\rtf1\\uc1 a\\u945?b\\u8364\\'80c}") << QString::fromUtf8("aαb€c");
    QTest::newRow("two fallback characters")
        << QByteArray("{\\rtf1\\uc2 \\u20013\\'d6\\'d0x}") << QString::fromUtf8("中x");
    QTest::newRow("no fallback") << QByteArray("{\\rtf1\\uc0 \\u945\\u946 x}")
                                 << QString::fromUtf8("αβx");
    QTest::newRow("negative unicode")
        << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString::fromUtf8("😀");
    QTest::newRow("fallback does not run past a group")
        << QByteArray("{\\rtf1\\uc3 {\\u945?}bc}") << QString::fromUtf8("αbc");
    QTest::newRow("uc is scoped by groups")
        << QByteArray("{\\rtf1 {\\uc0 \\u945}\\u946?x}") << QString::fromUtf8("αβx");
    QTest::newRow("document code page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}") << QString::fromUtf8("Да");
    QTest::newRow("font charset")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Greek;}}"
                      "\\f0 \\'e1{\\f1 \\'e1}\\'e1}")
        << QString::fromUtf8("áαá");
    QTest::newRow("symbols")
        << QByteArray("{\\rtf1 \\{a\\}\\\\ \\emdash\\endash\\lquote x\\rquote\\ldblquote "
                      "y\\rdblquote\\bullet}")
        << QString::fromUtf8("{a}\\ —–‘x’“y”•");
    QTest::newRow("line breaks in the file are not text")
        << QByteArray("{\\rtf1 one\r\ntwo\nthree}") << QStringLiteral("onetwothree");
    QTest::newRow("control word delimiters")
        << QByteArray("{\\rtf1\\b  two spaces\\b0\\i1;semi\\i0-dash}")
        << QStringLiteral(" two spaces;semi-dash");
    QTest::newRow("tab line and paragraph")
        << QByteArray("{\\rtf1 a\\tab b\\line c\\par d\\\nd2}") << QStringLiteral("a\tb\nc\nd\nd2");
}

void TestRtfReading::escapesAndCodePages() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QString fromDoc;
    QCOMPARE(readBothWays(rtf, &fromDoc), text);
    QCOMPARE(fromDoc, text);
    QCOMPARE(scanned(rtf), text); // what search looks through
}

void TestRtfReading::hiddenPartsAreSkipped_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("tables of the header")
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Courier New;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;}"
                      "{\\stylesheet{\\s0 Normal;}{\\s1 Heading 1;}}"
                      "{\\info{\\title Secret title}{\\author Someone}}visible}")
        << QStringLiteral("visible");
    QTest::newRow("font table without inner groups")
        << QByteArray("{\\rtf1{\\fonttbl\\f0\\froman Times;\\f1\\fswiss Arial;}x}")
        << QStringLiteral("x");
    QTest::newRow("unknown starred destination")
        << QByteArray("{\\rtf1 a{\\*\\unknownthing hidden {nested hidden}}b}")
        << QStringLiteral("ab");
    QTest::newRow("known starred destinations")
        << QByteArray("{\\rtf1 a{\\*\\generator Writer 1.0;}{\\*\\bkmkstart mark}b"
                      "{\\*\\bkmkend mark}{\\*\\themedata 0102}c}")
        << QStringLiteral("abc");
    QTest::newRow("unknown words are ignored, their text kept")
        << QByteArray("{\\rtf1\\madeupword12 a\\anotherone b}") << QStringLiteral("ab");
    QTest::newRow("picture") << QByteArray("{\\rtf1 a{\\pict\\pngblip\\picw10 89504e470d0a}b}")
                             << QStringLiteral("ab");
    QTest::newRow("headers footers footnotes")
        << QByteArray("{\\rtf1{\\header Page head}{\\footer Page foot}body"
                      "{\\super\\chftn}{\\*\\footnote\\pard note text}.}")
        << QStringLiteral("body1."); // the footnote's reference number stays
    QTest::newRow("annotation")
        << QByteArray("{\\rtf1 a{\\*\\atnid me}{\\*\\atnauthor Me}\\chatn{\\*\\annotation "
                      "\\pard comment}b}")
        << QStringLiteral("ab");
    QTest::newRow("binary data") << QByteArray("{\\rtf1 a{\\*\\blob\\bin5 }{\\x}b}c}")
                                 << QStringLiteral("ac");
    QTest::newRow("binary data in text")
        << QByteArray("{\\rtf1 a\\bin3 {}\\b}") << QStringLiteral("ab");
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v hidden}b\\v c\\v0 d}")
                                 << QStringLiteral("abd");
    QTest::newRow("field instruction")
        << QByteArray("{\\rtf1 Page {\\field{\\*\\fldinst { PAGE }}{\\fldrslt 3}} of 9}")
        << QStringLiteral("Page 3 of 9");
    QTest::newRow("field instruction without star")
        << QByteArray("{\\rtf1 {\\field{\\fldinst DATE \\\\@ \"d\"}{\\fldrslt 1 May}}}")
        << QStringLiteral("1 May");
    QTest::newRow("old numbering text")
        << QByteArray("{\\rtf1\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1"
                      "{\\pntxtb\\'b7}}item\\par}")
        << QStringLiteral("item");
    QTest::newRow("text after the document")
        << QByteArray("{\\rtf1 in} out {more}") << QStringLiteral("in");
}

void TestRtfReading::hiddenPartsAreSkipped() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QString fromDoc;
    QCOMPARE(readBothWays(rtf, &fromDoc), text);
    QCOMPARE(fromDoc, text);
    QCOMPARE(scanned(rtf), text); // what search looks through
}

// The editor cannot hide a paragraph, row or cell mark: the document keeps the break, and so
// must the plain text and the search scanner. A line break is a character, hidden like text.
void TestRtfReading::hiddenMarksStillBreak_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("paragraph") << QByteArray("{\\rtf1\\ansi one\\v \\par\\v0 two}")
                               << QStringLiteral("one\ntwo");
    QTest::newRow("paragraph in a hidden group")
        << QByteArray("{\\rtf1 one{\\v\\par}two}") << QStringLiteral("one\ntwo");
    QTest::newRow("paragraph as an escaped line end")
        << QByteArray("{\\rtf1 one\\v\\\n\\v0 two}") << QStringLiteral("one\ntwo");
    QTest::newRow("page") << QByteArray("{\\rtf1 one\\v\\page\\v0 two}")
                          << QStringLiteral("one\ntwo");
    QTest::newRow("row") << QByteArray("{\\rtf1\\trowd a\\cell b\\v\\row\\v0 c}")
                         << QStringLiteral("a\tb\nc");
    QTest::newRow("cell") << QByteArray("{\\rtf1\\trowd a\\v\\cell\\v0 b}")
                          << QStringLiteral("a\tb");
    QTest::newRow("line break") << QByteArray("{\\rtf1 one\\v\\line\\v0 two}")
                                << QStringLiteral("onetwo");
}

void TestRtfReading::hiddenMarksStillBreak() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QString fromDoc;
    QCOMPARE(readBothWays(rtf, &fromDoc), text);
    QCOMPARE(fromDoc, text);
    QCOMPARE(scanned(rtf), text);
}

void TestRtfReading::plainTextMatchesDocumentText() {
    // What search sees is what the preview shows, paragraph for paragraph.
    const QByteArray rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\qc{\\b Title}\\par\\pard\\par "
        "First {\\i line}\\line second\\par\\pard\\li720 indented\\tab text\\par "
        "{\\field{\\*\\fldinst HYPERLINK \"https://x.org\"}{\\fldrslt link}}\\par}";
    QTextDocument doc;
    RtfCodec::toDocument(rtf, &doc);
    QString expected = doc.toPlainText();
    expected.replace(QChar(QChar::LineSeparator), u'\n');
    QCOMPARE(RtfCodec::plainText(rtf), expected);
    QCOMPARE(expected, QStringLiteral("Title\n\nFirst line\nsecond\nindented\ttext\nlink"));
}

void TestRtfReading::hyperlinkFields() {
    const QByteArray rtf =
        "{\\rtf1\\ansi{\\colortbl;\\red0\\green0\\blue255;}"
        "{\\field{\\*\\fldinst{\\rtlch HYPERLINK \"https://example.org/?q=1\" \\\\o \"tip\"}}"
        "{\\fldrslt{\\ul\\cf1 quoted}}} "
        "{\\field{\\*\\fldinst HYPERLINK http://bare.example.org/}{\\fldrslt bare}} "
        "{\\field{\\*\\fldinst HYPERLINK \\\\l \"chapter\"}{\\fldrslt local}} "
        "{\\field{\\*\\fldinst HYPERLINK \"file:///C:\\\\\\\\notes\\\\\\\\a.txt\"}{\\fldrslt "
        "path}} "
        "{\\field{\\*\\fldinst HYPERLINK \"https://outer.org\"}{\\fldrslt out{\\field{\\*\\fldinst"
        " PAGE}{\\fldrslt er}}}} "
        "{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}} "
        "{\\field{\\*\\fldinst hyperlink \"https://lower.org\"}{\\fldrslt lower}} after}";
    QTextDocument doc;
    RtfCodec::toDocument(rtf, &doc);
    QCOMPARE(doc.toPlainText(), QStringLiteral("quoted bare local path outer 7 lower after"));
    QCOMPARE(formatOf(doc, "quoted").anchorHref(), QStringLiteral("https://example.org/?q=1"));
    QVERIFY(formatOf(doc, "quoted").fontUnderline());
    QCOMPARE(formatOf(doc, "quoted").foreground().color(), QColor(0, 0, 255));
    QCOMPARE(formatOf(doc, "bare").anchorHref(), QStringLiteral("http://bare.example.org/"));
    QCOMPARE(formatOf(doc, "local").anchorHref(), QStringLiteral("#chapter"));
    QCOMPARE(formatOf(doc, "path").anchorHref(), QStringLiteral("file:///C:\\notes\\a.txt"));
    QCOMPARE(formatOf(doc, "out").anchorHref(), QStringLiteral("https://outer.org"));
    // A field inside a link's result is still part of the link.
    QCOMPARE(formatOf(doc, "er").anchorHref(), QStringLiteral("https://outer.org"));
    QVERIFY(!formatOf(doc, "7").isAnchor());
    QCOMPARE(formatOf(doc, "lower").anchorHref(), QStringLiteral("https://lower.org"));
    QVERIFY(!formatOf(doc, "after").isAnchor());
}

void TestRtfReading::tablesBecomeTabSeparatedLines() {
    const QByteArray rtf =
        "{\\rtf1 before\\par\\trowd\\cellx1000\\cellx2000\\cellx3000"
        "\\pard\\intbl a\\cell b\\cell c\\cell\\row"
        "\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl\\cell middle\\cell\\cell"
        "{\\trowd\\cellx1000\\cellx2000\\cellx3000\\row}\\pard after\\par}";
    const QString expected = QStringLiteral("before\na\tb\tc\n\tmiddle\nafter");
    QString fromDoc;
    QCOMPARE(readBothWays(rtf, &fromDoc), expected);
    QCOMPARE(fromDoc, expected);
}

void TestRtfReading::groupsScopeFormatting() {
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
                           "\\fs20 base {\\b bold {\\i both} boldagain} plainagain "
                           "\\b on\\b0 off \\ul u\\ulnone nu \\uldb dbl\\ul0 x "
                           "\\up6 up\\up0 mid \\dn4 down\\nosupersub flat "
                           "{\\f1\\fs32\\cf2 mono} {\\highlight1 lit}{\\cb2 shade} "
                           "\\b\\i\\cf1 all\\plain reset}";
    QTextDocument doc;
    RtfCodec::toDocument(rtf, &doc);
    QCOMPARE(formatOf(doc, "base").fontPointSize(), 10.0);
    QCOMPARE(formatOf(doc, "base").fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
    QCOMPARE(formatOf(doc, "bold ").fontWeight(), int(QFont::Bold));
    QVERIFY(formatOf(doc, "both").fontItalic());
    QCOMPARE(formatOf(doc, "both").fontWeight(), int(QFont::Bold));
    QVERIFY(!formatOf(doc, "boldagain").fontItalic());
    QCOMPARE(formatOf(doc, "plainagain").fontWeight(), int(QFont::Normal));
    QCOMPARE(formatOf(doc, "plainagain").fontPointSize(), 10.0);
    QCOMPARE(formatOf(doc, "on").fontWeight(), int(QFont::Bold));
    QCOMPARE(formatOf(doc, "off").fontWeight(), int(QFont::Normal));
    QVERIFY(formatOf(doc, "u").fontUnderline());
    QVERIFY(!formatOf(doc, "nu").fontUnderline());
    QVERIFY(formatOf(doc, "dbl").fontUnderline());
    QVERIFY(!formatOf(doc, "x").fontUnderline());
    QCOMPARE(formatOf(doc, "up").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatOf(doc, "mid").verticalAlignment(), QTextCharFormat::AlignNormal);
    QCOMPARE(formatOf(doc, "down").verticalAlignment(), QTextCharFormat::AlignSubScript);
    QCOMPARE(formatOf(doc, "flat").verticalAlignment(), QTextCharFormat::AlignNormal);
    const QTextCharFormat mono = formatOf(doc, "mono");
    QCOMPARE(mono.fontFamilies().toStringList().value(0), QStringLiteral("Courier New"));
    QCOMPARE(mono.fontPointSize(), 16.0);
    QCOMPARE(mono.foreground().color(), QColor(0, 128, 0));
    QCOMPARE(formatOf(doc, "lit").background().color(), QColor(255, 0, 0));
    QCOMPARE(formatOf(doc, "shade").background().color(), QColor(0, 128, 0));
    QCOMPARE(formatOf(doc, "all").foreground().color(), QColor(255, 0, 0));
    const QTextCharFormat reset = formatOf(doc, "reset");
    QCOMPARE(reset.fontWeight(), int(QFont::Normal));
    QVERIFY(!reset.fontItalic());
    QVERIFY(!reset.hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(!reset.hasProperty(QTextFormat::FontPointSize)); // \plain: back to the default
    QCOMPARE(reset.fontFamilies().toStringList().value(0), QStringLiteral("Arial"));

    // A colour or font number the tables do not have is no colour and no face.
    QTextDocument bad;
    RtfCodec::toDocument("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}\\cf9\\f7 x}", &bad);
    QVERIFY(!formatOf(bad, "x").hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(formatOf(bad, "x").fontFamilies().toStringList().isEmpty());
}

void TestRtfReading::paragraphFormatsOfForeignRtf() {
    const QByteArray rtf = "{\\rtf1\\ansi\\pard\\qc centred\\par"
                           "\\qr still centred? no: right\\par"
                           "\\pard plain left\\par"
                           "\\pard\\qj\\sl360\\slmult1 justified one and a half\\par"
                           "\\pard\\sl-480\\slmult0 exactly\\par"
                           "\\pard\\sl300\\slmult0 at least\\par"
                           "\\pard\\li1440\\ri720\\fi-720\\sb240\\sa120 indented\\par"
                           "\\pard\\tx720\\tqc\\tx2880\\tqdec\\tx4320 tabs\\par"
                           "\\pard before break\\page after break\\par"
                           "{\\pard\\qc scoped\\par}unscoped\\par}";
    QTextDocument doc;
    RtfCodec::toDocument(rtf, &doc);
    auto fmt = [&](const char* t) { return blockOf(doc, t).blockFormat(); };
    QCOMPARE(fmt("centred").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(fmt("right").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(fmt("plain left").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(fmt("justified").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    QCOMPARE(fmt("justified").lineHeight(), 150.0);
    QCOMPARE(fmt("justified").lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(fmt("exactly").lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QCOMPARE(fmt("exactly").lineHeight(), 32.0);
    QCOMPARE(fmt("at least").lineHeightType(), int(QTextBlockFormat::MinimumHeight));
    QCOMPARE(fmt("at least").lineHeight(), 20.0);
    QCOMPARE(fmt("plain left").lineHeightType(), int(QTextBlockFormat::SingleHeight));
    QCOMPARE(fmt("indented").leftMargin(), 96.0);
    QCOMPARE(fmt("indented").rightMargin(), 48.0);
    QCOMPARE(fmt("indented").textIndent(), -48.0);
    QCOMPARE(fmt("indented").topMargin(), 16.0);
    QCOMPARE(fmt("indented").bottomMargin(), 8.0);
    const QList<QTextOption::Tab> tabs = fmt("tabs").tabPositions();
    QCOMPARE(tabs.size(), 3);
    QCOMPARE(tabs[0].position, 48.0);
    QCOMPARE(tabs[1].type, QTextOption::CenterTab);
    QCOMPARE(tabs[2].type, QTextOption::DelimiterTab);
    QCOMPARE(tabs[2].position, 288.0);
    QVERIFY(fmt("after break").pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    QVERIFY(!(fmt("before break").pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore));
    QCOMPARE(fmt("scoped").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(fmt("unscoped").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(doc.blockCount(), 12);
}

void TestRtfReading::listsOfForeignRtf() {
    // Lists the modern way (list tables, \ls) and the old way (\pn), each with the bullet or
    // number also written as text for readers without lists.
    const QByteArray rtf =
        "{\\rtf1\\ansi{\\*\\listtable"
        "{\\list\\listtemplateid5{\\listlevel\\levelnfc23{\\leveltext \\'01\\u8226 ?;}"
        "{\\levelnumbers;}}{\\listlevel\\levelnfc4{\\leveltext \\'02\\'01.;}{\\levelnumbers\\'01;}}"
        "\\listid77}"
        "{\\list{\\listlevel\\levelnfc0{\\leveltext "
        "\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid88}}"
        "{\\listoverridetable{\\listoverride\\listid77\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid88\\listoverridecount0\\ls2}}"
        "\\pard{\\listtext\\'95\\tab}\\ls1\\li720\\fi-360 dot one\\par"
        "\\pard{\\listtext\\'95\\tab}\\ls1\\li720\\fi-360 dot two\\par"
        "\\pard{\\listtext a.\\tab}\\ls1\\ilvl1\\li1440\\fi-360 letter\\par"
        "\\pard{\\listtext 1.\\tab}\\ls2 number\\par"
        "\\pard{\\listtext 9.\\tab}\\ls9 unknown list\\par"
        "\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}old bullet\\par"
        "\\pard{\\pntext IV.\\tab}{\\*\\pn\\pnlvlbody\\pnucrm\\pnstart4{\\pntxta .}}old roman\\par"
        "\\pard normal\\par}";
    QTextDocument doc;
    RtfCodec::toDocument(rtf, &doc);
    QCOMPARE(doc.toPlainText(), QStringLiteral("dot one\ndot two\nletter\nnumber\n9.\tunknown "
                                               "list\nold bullet\nold roman\nnormal"));
    QTextList* dots = blockOf(doc, "dot one").textList();
    QVERIFY(dots);
    QCOMPARE(dots->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockOf(doc, "dot two").textList(), dots);
    // A list paragraph's indent comes from the list, not from the marker's hanging indent.
    QCOMPARE(blockOf(doc, "dot one").blockFormat().leftMargin(), 0.0);
    QTextList* letters = blockOf(doc, "letter").textList();
    QVERIFY(letters && letters != dots);
    QCOMPARE(letters->format().style(), QTextListFormat::ListLowerAlpha);
    QCOMPARE(letters->format().indent(), 2);
    QCOMPARE(blockOf(doc, "number").textList()->format().style(), QTextListFormat::ListDecimal);
    // A list we cannot resolve keeps its marker as text, so nothing is lost.
    QVERIFY(!blockOf(doc, "unknown list").textList());
    QCOMPARE(blockOf(doc, "old bullet").textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockOf(doc, "old roman").textList()->format().style(),
             QTextListFormat::ListUpperRoman);
    QVERIFY(!blockOf(doc, "normal").textList());
    QCOMPARE(RtfCodec::plainText(rtf), doc.toPlainText());
}

void TestRtfReading::damagedInput_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing closing braces") << QByteArray("{\\rtf1 a{\\b b{\\i c") << "abc";
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}b") << "a";
    QTest::newRow("closing brace first") << QByteArray("{\\rtf1 }x") << "";
    QTest::newRow("truncated control word") << QByteArray("{\\rtf1 a\\pa") << "a";
    QTest::newRow("truncated after backslash") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::newRow("truncated hex escape") << QByteArray("{\\rtf1 a\\'e") << "a";
    QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
    QTest::newRow("truncated unicode") << QByteArray("{\\rtf1 a\\u9") << "a\t";
    QTest::newRow("truncated negative") << QByteArray("{\\rtf1 a\\u-") << "a";
    QTest::newRow("huge binary count") << QByteArray("{\\rtf1 a\\bin999999999 xyz}") << "a";
    QTest::newRow("huge binary count, huger digits")
        << QByteArray("{\\rtf1 a\\bin99999999999999999999999999 xyz}") << "a";
    QTest::newRow("negative binary count") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
    QTest::newRow("huge font size") << QByteArray("{\\rtf1\\fs999999999999999999 big}") << "big";
    QTest::newRow("huge unicode skip")
        << QByteArray("{\\rtf1 {\\uc999999999\\u945 gone}kept}") << QString::fromUtf8("αkept");
    QTest::newRow("huge unicode value") << QByteArray("{\\rtf1 \\u99999999?x}") << "x";
    QTest::newRow("huge indents")
        << QByteArray("{\\rtf1\\li2147483647\\fi-2147483648\\sl-99999999999 x\\par}") << "x";
    QTest::newRow("huge tab count")
        << QByteArray("{\\rtf1 ") + QByteArray("\\tx100").repeated(10000) + "x}"
        << "x";
    QTest::newRow("endless control word")
        << QByteArray("{\\rtf1 \\") + QByteArray(100000, 'a') + " x}"
        << "x";
    QTest::newRow("endless number") << QByteArray("{\\rtf1 \\b") + QByteArray(100000, '7') + " x}"
                                    << "x";
    QTest::newRow("many fonts and colours")
        << QByteArray("{\\rtf1{\\fonttbl") + QByteArray("{\\f1 A;}").repeated(20000) +
               "}{\\colortbl" + QByteArray("\\red1;").repeated(20000) + "}x}"
        << "x";
    QTest::newRow("many open fields")
        << QByteArray("{\\rtf1 ") +
               QByteArray("{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt ").repeated(100) + "x}"
        << "x";
    QTest::newRow("long field instruction")
        << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"") + QByteArray(200000, 'u') +
               "\"}{\\fldrslt x}}}"
        << "x";
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 11) << "ab";
    QTest::newRow("only the signature") << QByteArray("{\\rtf") << "";
    QTest::newRow("star without destination") << QByteArray("{\\rtf1 a\\*b}") << "ab";
}

void TestRtfReading::damagedInput() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QString fromDoc;
    QCOMPARE(readBothWays(rtf, &fromDoc), text);
    QCOMPARE(fromDoc, text);
}

void TestRtfReading::deepNestingIsCapped() {
    // 10,000 nested groups: the deepest levels share one state, and every text is read.
    const QByteArray deep = QByteArray("{\\rtf1 before") + QByteArray(10000, '{') + "\\b deep" +
                            QByteArray(10000, '}') + "after}";
    QString fromDoc;
    QCOMPARE(readBothWays(deep, &fromDoc), QStringLiteral("beforedeepafter"));
    QCOMPARE(fromDoc, QStringLiteral("beforedeepafter"));
    QTextDocument doc;
    RtfCodec::toDocument(deep, &doc);
    QCOMPARE(formatOf(doc, "after").fontWeight(), int(QFont::Normal));

    // Moderate nesting, as real files have, keeps its text.
    const QByteArray nested =
        QByteArray("{\\rtf1 ") + QByteArray(100, '{') + "inner" + QByteArray(100, '}') + "}";
    QCOMPARE(readBothWays(nested), QStringLiteral("inner"));

    // Nesting that never closes, a megabyte of it.
    const QByteArray open = QByteArray("{\\rtf1 x") + QByteArray(1 << 20, '{');
    QCOMPARE(readBothWays(open), QStringLiteral("x"));
}

void TestRtfReading::randomCorruptionNeverCrashes() {
    // Damage a realistic entry at random places; every result must read without a crash.
    QTextDocument source;
    source.setHtml(QString::fromUtf8(
        "<p align=center><b>Title</b> <i>é€α</i></p><ul><li>one</li><li>two</li></ul>"
        "<p style='line-height:150%'><a href='https://x.org'>link</a>\tand <sup>up</sup></p>"));
    const QByteArray good = RtfCodec::fromDocument(&source);
    const QByteArray alphabet = "{}\\'*;0123456789-abu \"";
    QRandomGenerator rng(20240501);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bad = good;
        const int edits = 1 + int(rng.bounded(8));
        for (int e = 0; e < edits && !bad.isEmpty(); ++e) {
            const int at = int(rng.bounded(bad.size()));
            switch (rng.bounded(4)) {
            case 0:
                bad[at] = alphabet[int(rng.bounded(alphabet.size()))];
                break;
            case 1:
                bad.remove(at, 1 + int(rng.bounded(20)));
                break;
            case 2:
                bad.insert(at, alphabet[int(rng.bounded(alphabet.size()))]);
                break;
            default:
                bad.truncate(at + 5);
                break;
            }
        }
        if (!bad.startsWith("{\\rtf")) bad.prepend("{\\rtf1 ");
        QTextDocument doc;
        RtfCodec::toDocument(bad, &doc);
        // Search sees what the preview shows, however damaged the text.
        QString shown = doc.toPlainText();
        shown.replace(QChar(QChar::LineSeparator), u'\n').remove(QChar(0x00AD));
        QCOMPARE(RtfCodec::plainText(bad), shown);
        // What was read can be written and read again.
        const QByteArray again = RtfCodec::fromDocument(&doc);
        QTextDocument second;
        RtfCodec::toDocument(again, &second);
        QCOMPARE(second.toPlainText(), doc.toPlainText());
    }
}

QTEST_MAIN(TestRtfReading)
#include "tst_rtfreading.moc"
