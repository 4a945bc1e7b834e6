// Round trips of everything the entry editor can put into a text, through the stored RTF and
// back, and the bytes that are stored.

#include "RtfTestSupport.h"
#include "rtf/RtfCodec.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <memory>

using tavrin::diary::RtfCodec;

namespace {

using tavrin::test::blockOf;
using tavrin::test::formatOf;

std::unique_ptr<QTextDocument> reread(const QByteArray& stored) {
    auto doc = std::make_unique<QTextDocument>();
    RtfCodec::toDocument(stored, doc.get());
    return doc;
}

std::unique_ptr<QTextDocument> roundTrip(const QTextDocument& doc) {
    return reread(RtfCodec::fromDocument(&doc));
}

void append(QTextCursor& c, const QString& text, const QTextCharFormat& f = {}) {
    c.insertText(text, f);
}

} // namespace

class TestRtfCodec : public QObject {
    Q_OBJECT

private slots:
    void characterFormatsSurvive();
    void paragraphFormatsSurvive();
    void linksSurvive();
    void charactersSurvive();
    void nonLatin1IsEscapedInStoredBytes();
    void paragraphStructureSurvives();
    void listsSurvive();
    void plainStoredTextIsShownAsText();
    void plainTextOfStoredRtf();
    void loadingIsNotAnUndoStep();
    void pastedTablesAndImagesKeepTheirText();
};

void TestRtfCodec::characterFormatsSurvive() {
    QTextDocument doc;
    doc.setDefaultFont(QFont("Liberation Sans", 12));
    QTextCursor c(&doc);
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    QTextCharFormat under;
    under.setFontUnderline(true);
    QTextCharFormat strike;
    strike.setFontStrikeOut(true);
    QTextCharFormat sup;
    sup.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    QTextCharFormat sub;
    sub.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    QTextCharFormat red;
    red.setForeground(QColor(200, 10, 20));
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 255, 0));
    QTextCharFormat face;
    face.setFontFamilies({QStringLiteral("DejaVu Serif")});
    face.setFontPointSize(18);
    QTextCharFormat half;
    half.setFontPointSize(10.5);
    QTextCharFormat all = bold;
    all.merge(italic);
    all.merge(under);
    all.setForeground(QColor(0, 0, 255));
    all.setFontFamilies({QStringLiteral("Liberation Mono")});
    all.setFontPointSize(9);

    append(c, "plain ", plain);
    append(c, "BOLD", bold);
    append(c, " ", plain);
    append(c, "ITALIC", italic);
    append(c, " ", plain);
    append(c, "UNDER", under);
    append(c, " ", plain);
    append(c, "STRIKE", strike);
    append(c, " x", plain);
    append(c, "SUP", sup);
    append(c, " H", plain);
    append(c, "SUB", sub);
    append(c, " ", plain);
    append(c, "RED", red);
    append(c, " ", plain);
    append(c, "MARKED", marked);
    append(c, " ", plain);
    append(c, "FACE", face);
    append(c, " ", plain);
    append(c, "HALF", half);
    append(c, " ", plain);
    append(c, "ALL", all);
    QTextCharFormat odd;
    odd.setFontFamilies({QStringLiteral("Odd;Name")});
    append(c, " ODD", odd);
    append(c, " end", plain);

    const auto back = roundTrip(doc);
    QCOMPARE(back->toPlainText(), doc.toPlainText());

    const QTextCharFormat p = formatOf(*back, "plain");
    QCOMPARE(p.fontWeight(), int(QFont::Normal));
    QVERIFY(!p.fontItalic() && !p.fontUnderline() && !p.fontStrikeOut());
    QCOMPARE(p.verticalAlignment(), QTextCharFormat::AlignNormal);
    QVERIFY(!p.hasProperty(QTextFormat::FontPointSize)); // no size chosen: the default
    QCOMPARE(p.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Sans"));
    QVERIFY(!p.hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(!p.hasProperty(QTextFormat::BackgroundBrush));

    QCOMPARE(formatOf(*back, "BOLD").fontWeight(), int(QFont::Bold));
    QVERIFY(!formatOf(*back, "BOLD").fontItalic());
    QVERIFY(formatOf(*back, "ITALIC").fontItalic());
    QCOMPARE(formatOf(*back, "ITALIC").fontWeight(), int(QFont::Normal));
    QVERIFY(formatOf(*back, "UNDER").fontUnderline());
    QVERIFY(formatOf(*back, "STRIKE").fontStrikeOut());
    QCOMPARE(formatOf(*back, "SUP").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatOf(*back, "SUB").verticalAlignment(), QTextCharFormat::AlignSubScript);
    QCOMPARE(formatOf(*back, "RED").foreground().color(), QColor(200, 10, 20));
    QCOMPARE(formatOf(*back, "MARKED").background().color(), QColor(255, 255, 0));
    QVERIFY(!formatOf(*back, "MARKED").hasProperty(QTextFormat::ForegroundBrush));
    QCOMPARE(formatOf(*back, "FACE").fontFamilies().toStringList().value(0),
             QStringLiteral("DejaVu Serif"));
    QCOMPARE(formatOf(*back, "FACE").fontPointSize(), 18.0);
    QCOMPARE(formatOf(*back, "HALF").fontPointSize(), 10.5);

    const QTextCharFormat a = formatOf(*back, "ALL");
    QCOMPARE(a.fontWeight(), int(QFont::Bold));
    QVERIFY(a.fontItalic() && a.fontUnderline());
    QCOMPARE(a.foreground().color(), QColor(0, 0, 255));
    QCOMPARE(a.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Mono"));
    QCOMPARE(a.fontPointSize(), 9.0);

    // A semicolon would end the name early in the font table and spill into the text.
    QCOMPARE(formatOf(*back, "ODD").fontFamilies().toStringList().value(0),
             QStringLiteral("Odd,Name"));

    // Formats end where they ended: the text after the last run is plain again.
    QCOMPARE(formatOf(*back, "end").fontWeight(), int(QFont::Normal));
    QCOMPARE(formatOf(*back, "end").fontFamilies().toStringList().value(0),
             QStringLiteral("Liberation Sans"));
}

void TestRtfCodec::paragraphFormatsSurvive() {
    QTextDocument doc;
    QTextCursor c(&doc);
    auto paragraph = [&](const QString& text, const QTextBlockFormat& bf) {
        if (!c.atStart()) c.insertBlock();
        c.setBlockFormat(bf);
        c.insertText(text);
    };
    QTextBlockFormat left;
    left.setAlignment(Qt::AlignLeft);
    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    QTextBlockFormat justify;
    justify.setAlignment(Qt::AlignJustify);
    QTextBlockFormat oneHalf;
    oneHalf.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    QTextBlockFormat twice;
    twice.setLineHeight(200, QTextBlockFormat::ProportionalHeight);
    QTextBlockFormat fixed;
    fixed.setLineHeight(30, QTextBlockFormat::FixedHeight);
    QTextBlockFormat indented;
    indented.setLeftMargin(48);
    indented.setRightMargin(24);
    indented.setTextIndent(-16);
    indented.setTopMargin(10);
    indented.setBottomMargin(6);
    QTextBlockFormat tabbed;
    tabbed.setTabPositions(
        {QTextOption::Tab(96, QTextOption::LeftTab), QTextOption::Tab(288, QTextOption::RightTab)});
    QTextBlockFormat newPage;
    newPage.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);

    paragraph("LEFT", left);
    paragraph("CENTRE", centre);
    paragraph("RIGHT", right);
    paragraph("JUSTIFY", justify);
    paragraph("ONEHALF", oneHalf);
    paragraph("TWICE", twice);
    paragraph("FIXED", fixed);
    paragraph("INDENTED", indented);
    paragraph("TABBED\tcolumn\tright", tabbed);
    paragraph("NEWPAGE", newPage);

    const auto back = roundTrip(doc);
    QCOMPARE(back->blockCount(), doc.blockCount());
    QCOMPARE(back->toPlainText(), doc.toPlainText());

    auto align = [&](const char* t) {
        return blockOf(*back, t).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(align("LEFT"), Qt::AlignLeft);
    QCOMPARE(align("CENTRE"), Qt::AlignHCenter);
    QCOMPARE(align("RIGHT"), Qt::AlignRight);
    QCOMPARE(align("JUSTIFY"), Qt::AlignJustify);

    QCOMPARE(blockOf(*back, "LEFT").blockFormat().lineHeightType(),
             int(QTextBlockFormat::SingleHeight));
    const QTextBlockFormat h15 = blockOf(*back, "ONEHALF").blockFormat();
    QCOMPARE(h15.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(h15.lineHeight(), 150.0);
    QCOMPARE(blockOf(*back, "TWICE").blockFormat().lineHeight(), 200.0);
    const QTextBlockFormat fx = blockOf(*back, "FIXED").blockFormat();
    QCOMPARE(fx.lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QCOMPARE(fx.lineHeight(), 30.0);

    const QTextBlockFormat in = blockOf(*back, "INDENTED").blockFormat();
    QCOMPARE(in.leftMargin(), 48.0);
    QCOMPARE(in.rightMargin(), 24.0);
    QCOMPARE(in.textIndent(), -16.0);
    QCOMPARE(in.topMargin(), 10.0);
    QCOMPARE(in.bottomMargin(), 6.0);
    QCOMPARE(blockOf(*back, "LEFT").blockFormat().leftMargin(), 0.0);

    const QList<QTextOption::Tab> tabs = blockOf(*back, "TABBED").blockFormat().tabPositions();
    QCOMPARE(tabs.size(), 2);
    QCOMPARE(tabs[0].position, 96.0);
    QCOMPARE(tabs[0].type, QTextOption::LeftTab);
    QCOMPARE(tabs[1].position, 288.0);
    QCOMPARE(tabs[1].type, QTextOption::RightTab);

    QVERIFY(blockOf(*back, "NEWPAGE").blockFormat().pageBreakPolicy() &
            QTextFormat::PageBreak_AlwaysBefore);
    QVERIFY(!(blockOf(*back, "TABBED").blockFormat().pageBreakPolicy() &
              QTextFormat::PageBreak_AlwaysBefore));
}

void TestRtfCodec::linksSurvive() {
    QTextDocument doc;
    QTextCursor c(&doc);
    auto link = [](const QString& href) {
        QTextCharFormat f;
        f.setAnchor(true);
        f.setAnchorHref(href);
        f.setForeground(QColor(0, 0, 238));
        f.setFontUnderline(true);
        return f;
    };
    append(c, "Go to ");
    append(c, "WEB", link("https://example.org/a?b=c&d=%20e#top"));
    append(c, ", ");
    QTextCharFormat boldLink = link("mailto:me@example.org");
    boldLink.setFontWeight(QFont::Bold);
    append(c, "MAIL", link("mailto:me@example.org"));
    append(c, "BOLDMAIL", boldLink);
    append(c, " ");
    append(c, "FILE", link("file:///C:\\dir\\my \"quoted\" file.txt"));
    append(c, " ");
    append(c, "ANCHOR", link("#section-2"));
    append(c, "NEXT", link("https://example.org/next"));
    append(c, " after");

    const auto back = roundTrip(doc);
    QCOMPARE(back->toPlainText(), doc.toPlainText());
    QCOMPARE(formatOf(*back, "WEB").anchorHref(),
             QStringLiteral("https://example.org/a?b=c&d=%20e#top"));
    QVERIFY(formatOf(*back, "WEB").isAnchor());
    QCOMPARE(formatOf(*back, "WEB").foreground().color(), QColor(0, 0, 238));
    QVERIFY(formatOf(*back, "WEB").fontUnderline());
    // One link made of two differently formatted runs keeps both its target and its formats.
    QCOMPARE(formatOf(*back, "MAIL").anchorHref(), QStringLiteral("mailto:me@example.org"));
    QCOMPARE(formatOf(*back, "BOLDMAIL").anchorHref(), QStringLiteral("mailto:me@example.org"));
    QCOMPARE(formatOf(*back, "BOLDMAIL").fontWeight(), int(QFont::Bold));
    QCOMPARE(formatOf(*back, "MAIL").fontWeight(), int(QFont::Normal));
    QCOMPARE(formatOf(*back, "FILE").anchorHref(),
             QStringLiteral("file:///C:\\dir\\my \"quoted\" file.txt"));
    QCOMPARE(formatOf(*back, "ANCHOR").anchorHref(), QStringLiteral("#section-2"));
    // Two links side by side stay two links.
    QCOMPARE(formatOf(*back, "NEXT").anchorHref(), QStringLiteral("https://example.org/next"));
    QVERIFY(!formatOf(*back, "after").isAnchor());
    QVERIFY(formatOf(*back, "after").anchorHref().isEmpty());
    QVERIFY(!formatOf(*back, "Go to").isAnchor());

    // Search finds the link text and nothing of the target.
    const QString plain = RtfCodec::plainText(RtfCodec::fromDocument(&doc));
    QCOMPARE(plain, doc.toPlainText());
    QVERIFY(!plain.contains(QStringLiteral("example.org")));
}

void TestRtfCodec::charactersSurvive() {
    // Euro, e acute and sharp s are in Windows-1252; alpha, the ellipsis-free CJK and the
    // emoji are not. Tabs, a soft line break, a no-break space and the markup characters of
    // RTF itself must come back as they were.
    const QString text = QString::fromUtf8("€5, café, Straße; α and 中 and 😀\ttab") +
                         QChar(QChar::LineSeparator) +
                         QString::fromUtf8("next line with a\u00A0no-break space, \\ { } ; ' \"");
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(text);
    c.insertBlock();
    c.insertText(QString::fromUtf8("Œuvre – “quoted” ‘single’ • … ™ ÿ Ÿ"));

    const QByteArray stored = RtfCodec::fromDocument(&doc);
    const auto back = reread(stored);
    QCOMPARE(back->firstBlock().text(), text);
    QCOMPARE(back->lastBlock().text(), QString::fromUtf8("Œuvre – “quoted” ‘single’ • … ™ ÿ Ÿ"));
    QCOMPARE(back->blockCount(), 2);

    const QString plain = RtfCodec::plainText(stored);
    QVERIFY(plain.contains(QString::fromUtf8("€5, café, Straße; α and 中 and 😀\ttab\nnext line")));
    QVERIFY(plain.contains(QStringLiteral("with a no-break space, \\ { } ; ' \"\n")));
}

void TestRtfCodec::nonLatin1IsEscapedInStoredBytes() {
    QTextDocument doc;
    doc.setPlainText(QString::fromUtf8("€ é ß α 😀"));
    const QByteArray stored = RtfCodec::fromDocument(&doc);
    QVERIFY(stored.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    for (char ch : stored)
        QVERIFY2(uchar(ch) < 0x80, "stored RTF is 7-bit text");
    QVERIFY(stored.contains("\\'80 \\'e9 \\'df \\u945?"));
    // A character beyond the 16-bit range is written as its two UTF-16 halves.
    QVERIFY(stored.contains("\\u-10179?\\u-8704?"));
    int depth = 0;
    for (int i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\\')
            ++i;
        else if (stored[i] == '{')
            ++depth;
        else if (stored[i] == '}')
            QVERIFY(--depth >= 0);
    }
    QCOMPARE(depth, 0);
}

void TestRtfCodec::paragraphStructureSurvives() {
    QTextDocument empty;
    const QByteArray storedEmpty = RtfCodec::fromDocument(&empty);
    QVERIFY(RtfCodec::isRtf(storedEmpty));
    QCOMPARE(reread(storedEmpty)->toPlainText(), QString());
    QCOMPARE(reread(storedEmpty)->blockCount(), 1);

    for (const QString& text :
         {QStringLiteral("one"), QStringLiteral("one\n\ntwo"), QStringLiteral("\nleading"),
          QStringLiteral("trailing\n\n"), QStringLiteral("\n"), QStringLiteral("a\nb\nc\n")}) {
        QTextDocument doc;
        doc.setPlainText(text);
        const auto back = roundTrip(doc);
        QCOMPARE(back->toPlainText(), text);
        QCOMPARE(back->blockCount(), doc.blockCount());
        QCOMPARE(RtfCodec::plainText(RtfCodec::fromDocument(&doc)), text);
    }

    // An empty paragraph keeps the size it was given, so the line keeps its height.
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText("big");
    QTextCharFormat big;
    big.setFontPointSize(30);
    c.insertBlock(QTextBlockFormat(), big);
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    c.insertText("after");
    const auto back = roundTrip(doc);
    QCOMPARE(back->blockCount(), 3);
    QCOMPARE(back->findBlockByNumber(1).charFormat().fontPointSize(), 30.0);
}

void TestRtfCodec::listsSurvive() {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText("before");
    c.insertBlock();
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    c.insertList(bullets);
    c.insertText("apple");
    c.insertBlock();
    c.insertText("pear");
    c.insertBlock(QTextBlockFormat());
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListDecimal);
    c.insertList(numbers);
    c.insertText("first");
    c.insertBlock();
    c.insertText("second");
    QTextListFormat inner;
    inner.setStyle(QTextListFormat::ListLowerAlpha);
    inner.setIndent(2);
    c.insertBlock();
    c.createList(inner);
    c.insertText("nested");
    c.insertBlock(QTextBlockFormat());
    c.insertText("after");

    const auto back = roundTrip(doc);
    QCOMPARE(back->toPlainText(), doc.toPlainText());
    QTextList* fruit = blockOf(*back, "apple").textList();
    QVERIFY(fruit);
    QCOMPARE(fruit->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockOf(*back, "pear").textList(), fruit);
    QCOMPARE(fruit->count(), 2);
    QTextList* ordered = blockOf(*back, "first").textList();
    QVERIFY(ordered && ordered != fruit);
    QCOMPARE(ordered->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(blockOf(*back, "second").textList(), ordered);
    QCOMPARE(ordered->itemText(blockOf(*back, "second")), QStringLiteral("2."));
    QTextList* nested = blockOf(*back, "nested").textList();
    QVERIFY(nested && nested != ordered);
    QCOMPARE(nested->format().style(), QTextListFormat::ListLowerAlpha);
    QCOMPARE(nested->format().indent(), 2);
    QVERIFY(!blockOf(*back, "before").textList());
    QVERIFY(!blockOf(*back, "after").textList());
    // The bullets and numbers are the list's, not text typed into the paragraphs.
    QCOMPARE(RtfCodec::plainText(RtfCodec::fromDocument(&doc)), doc.toPlainText());
}

void TestRtfCodec::plainStoredTextIsShownAsText() {
    QTextDocument doc;
    doc.setHtml("<b>old content</b>");
    RtfCodec::toDocument(QByteArray("Dear diary,\r\nit cost \x80"
                                    "5 at the caf\xe9.\rEnd {\\b x}"),
                         &doc);
    QCOMPARE(doc.toPlainText(),
             QString::fromUtf8("Dear diary,\nit cost €5 at the café.\nEnd {\\b x}"));
    QCOMPARE(doc.blockCount(), 3);
    QCOMPARE(formatOf(doc, "Dear").fontWeight(), int(QFont::Normal));
    QCOMPARE(RtfCodec::plainText("Dear diary,\r\nit cost \x80"
                                 "5"),
             QString::fromUtf8("Dear diary,\nit cost €5"));

    // Only a text that starts with the RTF signature is RTF.
    QVERIFY(!RtfCodec::isRtf(" {\\rtf1 x}"));
    QVERIFY(!RtfCodec::isRtf("{\\rt"));
    QVERIFY(!RtfCodec::isRtf(""));
    QVERIFY(RtfCodec::isRtf("{\\rtf1 x}"));
    QCOMPARE(RtfCodec::plainText(" {\\rtf1 x}"), QStringLiteral(" {\\rtf1 x}"));
    RtfCodec::toDocument(QByteArray(), &doc);
    QVERIFY(doc.isEmpty());
    QCOMPARE(RtfCodec::plainText(QByteArray("ab\0", 3)), QStringLiteral("ab"));
}

void TestRtfCodec::pastedTablesAndImagesKeepTheirText() {
    // The editor makes neither, but a paste can bring them: cell texts stay, as paragraphs.
    QTextDocument doc;
    doc.setHtml("<p>before <img src='missing.png'> after</p>"
                "<table><tr><td>one</td><td>two</td></tr><tr><td>three</td><td>four</td></tr>"
                "</table><p>end</p>");
    const QByteArray stored = RtfCodec::fromDocument(&doc);
    const auto back = reread(stored);
    // The empty paragraph is the one a QTextDocument always keeps after a table.
    QCOMPARE(back->toPlainText(), QStringLiteral("before  after\none\ntwo\nthree\nfour\n\nend"));
    QCOMPARE(RtfCodec::plainText(stored), back->toPlainText());
}

void TestRtfCodec::plainTextOfStoredRtf() {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.insertText("Morning ");
    c.insertText("run", bold);
    c.insertText(QString::fromUtf8(", 5 km in 30\u00A0min"));
    c.insertBlock();
    c.insertText("Evening\tquiet");
    const QString plain = RtfCodec::plainText(RtfCodec::fromDocument(&doc));
    QCOMPARE(plain, QStringLiteral("Morning run, 5 km in 30 min\nEvening\tquiet"));
}

void TestRtfCodec::loadingIsNotAnUndoStep() {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText("typed before");
    QVERIFY(doc.isUndoAvailable());
    RtfCodec::toDocument("{\\rtf1 loaded}", &doc);
    QCOMPARE(doc.toPlainText(), QStringLiteral("loaded"));
    QVERIFY(!doc.isUndoAvailable());
    QVERIFY(!doc.isModified());
    QVERIFY(doc.isUndoRedoEnabled());
}

QTEST_MAIN(TestRtfCodec)
#include "tst_rtfcodec.moc"
