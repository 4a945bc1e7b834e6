// Reading RTF that other programs wrote: fixtures saved by a common word processor (made by
// scripts/make-rtf-fixtures, which also has that program re-save a text this codec wrote).

#include "RtfTestSupport.h"
#include "rtf/RtfCodec.h"

#include <QApplication>
#include <QFile>
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

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(TAVRIN_RTF_FIXTURES "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning() << "missing fixture" << f.fileName();
        return {};
    }
    return f.readAll();
}

std::unique_ptr<QTextDocument> load(const QByteArray& rtf) {
    auto doc = std::make_unique<QTextDocument>();
    RtfCodec::toDocument(rtf, doc.get());
    return doc;
}

Qt::Alignment alignmentOf(const QTextDocument& doc, const QString& text) {
    return blockOf(doc, text).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

QString familyOf(const QTextCharFormat& f) {
    return f.fontFamilies().toStringList().value(0);
}

// A text with every format of the entry editor, as this codec writes it; the word processor
// re-saves it for the last fixture.
std::unique_ptr<QTextDocument> sampleDocument() {
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 12));
    QTextCursor c(doc.get());
    auto chars = [](auto&& set) {
        QTextCharFormat f;
        set(f);
        return f;
    };
    auto block = [&](auto&& set) {
        QTextBlockFormat b;
        set(b);
        if (!c.atStart())
            c.insertBlock(b, QTextCharFormat());
        else
            c.setBlockFormat(b);
    };

    block([](QTextBlockFormat& b) { b.setAlignment(Qt::AlignHCenter); });
    c.insertText("Sample", chars([](QTextCharFormat& f) {
                     f.setFontWeight(QFont::Bold);
                     f.setFontPointSize(16);
                 }));
    c.insertText(" ", {});
    c.insertText("entry", chars([](QTextCharFormat& f) { f.setFontItalic(true); }));

    block([](QTextBlockFormat& b) {
        b.setAlignment(Qt::AlignRight);
        b.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    });
    c.insertText("Colours: ", {});
    c.insertText("crimson", chars([](QTextCharFormat& f) { f.setForeground(QColor(192, 0, 0)); }));
    c.insertText(" and ", {});
    c.insertText("marked", chars([](QTextCharFormat& f) { f.setBackground(QColor(255, 255, 0)); }));

    block([](QTextBlockFormat& b) {
        b.setAlignment(Qt::AlignJustify);
        b.setLineHeight(200, QTextBlockFormat::ProportionalHeight);
    });
    c.insertText("x", {});
    c.insertText("2", chars([](QTextCharFormat& f) {
                     f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
                 }));
    c.insertText(" H", {});
    c.insertText("2", chars([](QTextCharFormat& f) {
                     f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
                 }));
    c.insertText("O ", {});
    c.insertText("under", chars([](QTextCharFormat& f) { f.setFontUnderline(true); }));
    c.insertText(" ", {});
    c.insertText("struck", chars([](QTextCharFormat& f) { f.setFontStrikeOut(true); }));

    block([](QTextBlockFormat&) {});
    c.insertText("Faces: ", {});
    c.insertText("serif", chars([](QTextCharFormat& f) {
                     f.setFontFamilies({QStringLiteral("DejaVu Serif")});
                     f.setFontPointSize(14);
                 }));
    c.insertText(" ", {});
    c.insertText("mono", chars([](QTextCharFormat& f) {
                     f.setFontFamilies({QStringLiteral("Liberation Mono")});
                 }));

    block([](QTextBlockFormat&) {});
    c.insertText("Links: ", {});
    c.insertText("website", chars([](QTextCharFormat& f) {
                     f.setAnchor(true);
                     f.setAnchorHref(QStringLiteral("https://example.org/diary?day=1"));
                     f.setFontUnderline(true);
                     f.setForeground(QColor(0, 0, 255));
                 }));
    c.insertText(" ", {});
    c.insertText("mail", chars([](QTextCharFormat& f) {
                     f.setAnchor(true);
                     f.setAnchorHref(QStringLiteral("mailto:someone@example.org"));
                 }));

    block([](QTextBlockFormat&) {});
    c.insertText(QString::fromUtf8("Name\tValue\t€5 café Straße α"), {});

    block([](QTextBlockFormat& b) {
        b.setLeftMargin(48);
        b.setTextIndent(-24);
    });
    c.insertText("Indented paragraph", {});

    block([](QTextBlockFormat&) {});
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    c.createList(bullets);
    c.insertText("first item", {});
    c.insertBlock();
    c.insertText("second item", {});
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    c.insertText("Last line", {});
    return doc;
}

} // namespace

class TestRtfFixtures : public QObject {
    Q_OBJECT

private slots:
    void formatsFromHtml();
    void layoutFromOpenDocument();
    void ourTextResavedByAWordProcessor();
};

void TestRtfFixtures::formatsFromHtml() {
    const QByteArray rtf = fixture("libreoffice-formats.rtf");
    QVERIFY(RtfCodec::isRtf(rtf));
    const auto doc = load(rtf);
    const QString text = doc->toPlainText();
    QCOMPARE(text,
             QString::fromUtf8(
                 "Bold italic underlined struck x2 H2O\n"
                 "red text serif eighteen a web link mail me\n"
                 "first bullet\nsecond bullet\nfirst number\nsecond number\n"
                 "Café costs €5, Straße, αβγ and 中文\n"
                 "Justified paragraph with enough words to wrap over more than one line when it "
                 "is laid out on a page of ordinary width, so that justification shows.\n"
                 "cell one\tcell two\ncell three\nAfter the table."));
    // Search sees the same text, without the list markers the file also carries as text.
    QCOMPARE(RtfCodec::plainText(rtf), text);

    QCOMPARE(formatOf(*doc, "Bold").fontWeight(), int(QFont::Bold));
    QCOMPARE(formatOf(*doc, "italic").fontWeight(), int(QFont::Normal));
    QVERIFY(formatOf(*doc, "italic").fontItalic());
    QVERIFY(formatOf(*doc, "underlined").fontUnderline());
    QVERIFY(formatOf(*doc, "struck").fontStrikeOut());
    QCOMPARE(formatOf(*doc, "x2").verticalAlignment(), QTextCharFormat::AlignNormal);
    QCOMPARE(formatOf(*doc, "2 H").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatOf(*doc, "2O").verticalAlignment(), QTextCharFormat::AlignSubScript);
    QCOMPARE(alignmentOf(*doc, "Bold"), Qt::AlignHCenter);

    QCOMPARE(formatOf(*doc, "red text").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(familyOf(formatOf(*doc, "serif eighteen")), QStringLiteral("DejaVu Serif"));
    QCOMPARE(formatOf(*doc, "serif eighteen").fontPointSize(), 18.0);
    // No size in the file: the editor's default size, not one of its own.
    QVERIFY(!formatOf(*doc, "red text").hasProperty(QTextFormat::FontPointSize));
    QCOMPARE(formatOf(*doc, "a web link").anchorHref(),
             QStringLiteral("https://example.org/path?a=1&b=2"));
    QCOMPARE(formatOf(*doc, "mail me").anchorHref(), QStringLiteral("mailto:someone@example.org"));
    QVERIFY(!formatOf(*doc, "red text").isAnchor());

    QTextList* bullets = blockOf(*doc, "first bullet").textList();
    QVERIFY(bullets);
    QCOMPARE(bullets->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockOf(*doc, "second bullet").textList(), bullets);
    QTextList* numbers = blockOf(*doc, "first number").textList();
    QVERIFY(numbers && numbers != bullets);
    QCOMPARE(numbers->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(numbers->itemText(blockOf(*doc, "second number")), QStringLiteral("2."));

    QCOMPARE(alignmentOf(*doc, "Café"), Qt::AlignRight);
    QCOMPARE(blockOf(*doc, "Café").blockFormat().lineHeight(), 150.0);
    QCOMPARE(blockOf(*doc, "Café").blockFormat().lineHeightType(),
             int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(alignmentOf(*doc, "Justified"), Qt::AlignJustify);
    QVERIFY(!blockOf(*doc, "cell one").textList());
}

void TestRtfFixtures::layoutFromOpenDocument() {
    const QByteArray rtf = fixture("libreoffice-layout.rtf");
    QVERIFY(RtfCodec::isRtf(rtf));
    const auto doc = load(rtf);
    // The page header, the footnote and the comment are in the file but not in the text; the
    // footnote's reference number is.
    const QString expected = QString::fromUtf8("Centred blue bold line\nafter the break\n"
                                               "Name\tValue\nNote1 and comment end.\n"
                                               "See the target, m2 marked mono\n"
                                               "Ελληνικά Русский 日本語 Zürich naïve");
    QCOMPARE(doc->toPlainText(), expected);
    QCOMPARE(RtfCodec::plainText(rtf), expected);
    QVERIFY(rtf.contains("FOOTNOTE BODY") && rtf.contains("COMMENT BODY") &&
            rtf.contains("PAGE HEADER"));

    const QTextBlock centred = blockOf(*doc, "Centred");
    QCOMPARE(alignmentOf(*doc, "Centred"), Qt::AlignHCenter);
    QCOMPARE(centred.blockFormat().lineHeight(), 200.0);
    QCOMPARE(centred.blockFormat().lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    // The line break stays inside the paragraph.
    QCOMPARE(blockOf(*doc, "after the break"), centred);
    QVERIFY(centred.text().contains(QChar(QChar::LineSeparator)));
    QCOMPARE(formatOf(*doc, "blue bold").fontWeight(), int(QFont::Bold));
    QCOMPARE(formatOf(*doc, "blue bold").foreground().color(), QColor(0, 0, 255));
    QCOMPARE(formatOf(*doc, "Centred").fontWeight(), int(QFont::Normal));

    const QTextBlockFormat tabbed = blockOf(*doc, "Name").blockFormat();
    QCOMPARE(tabbed.leftMargin(), 96.0);  // 1 inch
    QCOMPARE(tabbed.rightMargin(), 48.0); // half an inch
    QCOMPARE(tabbed.textIndent(), -48.0);
    // RTF measures tab stops from the margin: the inch of indent plus the stop's two inches.
    const QList<QTextOption::Tab> tabs = tabbed.tabPositions();
    QCOMPARE(tabs.size(), 1);
    QCOMPARE(tabs[0].type, QTextOption::RightTab);
    QCOMPARE(tabs[0].position, 288.0);

    QCOMPARE(formatOf(*doc, "the target").anchorHref(), QStringLiteral("#Target"));
    QCOMPARE(formatOf(*doc, "m2").verticalAlignment(), QTextCharFormat::AlignNormal);
    QCOMPARE(formatOf(*doc, "2 marked").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatOf(*doc, "marked").background().color(), QColor(255, 255, 0));
    const QTextCharFormat mono = formatOf(*doc, "mono");
    QCOMPARE(familyOf(mono), QStringLiteral("Liberation Mono"));
    QCOMPARE(mono.fontPointSize(), 9.0);
    QVERIFY(mono.fontItalic());
}

void TestRtfFixtures::ourTextResavedByAWordProcessor() {
    // What this codec writes, another program reads with every format of the editor intact:
    // the fixture is that program's own RTF of it.
    const auto original = sampleDocument();
    const QByteArray rtf = fixture("libreoffice-resaved-sample.rtf");
    QVERIFY(RtfCodec::isRtf(rtf));
    const auto doc = load(rtf);
    QCOMPARE(doc->toPlainText(), original->toPlainText());
    QCOMPARE(RtfCodec::plainText(rtf), original->toPlainText());

    QCOMPARE(alignmentOf(*doc, "Sample"), Qt::AlignHCenter);
    QCOMPARE(formatOf(*doc, "Sample").fontWeight(), int(QFont::Bold));
    QCOMPARE(formatOf(*doc, "Sample").fontPointSize(), 16.0);
    QCOMPARE(familyOf(formatOf(*doc, "Sample")), QStringLiteral("Liberation Sans"));
    QVERIFY(formatOf(*doc, "entry").fontItalic());

    QCOMPARE(alignmentOf(*doc, "Colours"), Qt::AlignRight);
    QCOMPARE(blockOf(*doc, "Colours").blockFormat().lineHeight(), 150.0);
    QCOMPARE(formatOf(*doc, "crimson").foreground().color(), QColor(192, 0, 0));
    QCOMPARE(formatOf(*doc, "marked").background().color(), QColor(255, 255, 0));

    QCOMPARE(alignmentOf(*doc, "under"), Qt::AlignJustify);
    QCOMPARE(blockOf(*doc, "under").blockFormat().lineHeight(), 200.0);
    QCOMPARE(formatOf(*doc, "2 H").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(formatOf(*doc, "2O").verticalAlignment(), QTextCharFormat::AlignSubScript);
    QVERIFY(formatOf(*doc, "under").fontUnderline());
    QVERIFY(formatOf(*doc, "struck").fontStrikeOut());

    QCOMPARE(familyOf(formatOf(*doc, "serif")), QStringLiteral("DejaVu Serif"));
    QCOMPARE(formatOf(*doc, "serif").fontPointSize(), 14.0);
    QCOMPARE(familyOf(formatOf(*doc, "mono")), QStringLiteral("Liberation Mono"));

    QCOMPARE(formatOf(*doc, "website").anchorHref(),
             QStringLiteral("https://example.org/diary?day=1"));
    QCOMPARE(formatOf(*doc, "mail").anchorHref(), QStringLiteral("mailto:someone@example.org"));

    QCOMPARE(blockOf(*doc, "Indented").blockFormat().leftMargin(), 48.0);
    QCOMPARE(blockOf(*doc, "Indented").blockFormat().textIndent(), -24.0);
    QTextList* list = blockOf(*doc, "first item").textList();
    QVERIFY(list);
    QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockOf(*doc, "second item").textList(), list);
    QVERIFY(!blockOf(*doc, "Last line").textList());
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // scripts/make-rtf-fixtures asks for the sample text this way, to have it re-saved.
    const QString out = qEnvironmentVariable("TAVRIN_WRITE_RTF_SAMPLE");
    if (!out.isEmpty()) {
        QFile f(out);
        const QByteArray rtf = RtfCodec::fromDocument(sampleDocument().get());
        return f.open(QIODevice::WriteOnly) && f.write(rtf) == rtf.size() ? 0 : 1;
    }
    TestRtfFixtures test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_rtffixtures.moc"
