// The rich-text editor: the default format of empty texts, the formatting commands and the
// state they report, links written in the text or set as anchors, and pasting a text shortcut
// into the focused field.

#include "TestEnvironment.h"
#include "platform/ShellOpen.h"
#include "ui/CCustomRichEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

using namespace tavrin;
using namespace tavrin::ui;
using platform::ShellOpen;

namespace {

// Where the middle of character `pos` of the editor's text is drawn.
QPoint pointAt(CCustomRichEdit& edit, int pos) {
    QTextCursor c(edit.document());
    c.setPosition(pos);
    const QRect left = edit.cursorRect(c);
    c.setPosition(pos + 1);
    const QRect right = edit.cursorRect(c);
    return QPoint((left.center().x() + right.center().x()) / 2, left.center().y());
}

void clickAt(CCustomRichEdit& edit, int pos) {
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, pointAt(edit, pos));
}

// WCAG contrast ratio of two colours (1 to 21).
double contrast(const QColor& a, const QColor& b) {
    const auto lum = [](const QColor& c) {
        const auto ch = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * ch(c.redF()) + 0.7152 * ch(c.greenF()) + 0.0722 * ch(c.blueF());
    };
    const double x = lum(a), y = lum(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

} // namespace

class TestCustomRichEdit : public QObject {
    Q_OBJECT
private slots:
    void init() { ShellOpen::clearRecorded(); }

    void emptyTextsTakeTheDefaultFormat() {
        CCustomRichEdit edit;
        edit.setDefaultCharFormat("DejaVu Serif", 18, QColor(10, 120, 30));
        QTest::keyClicks(&edit, "typed");
        QTextCursor c(edit.document());
        c.setPosition(2);
        QCOMPARE(c.charFormat().fontFamilies().toStringList().value(0), QString("DejaVu Serif"));
        QCOMPARE(c.charFormat().fontPointSize(), 18.0);
        QCOMPARE(c.charFormat().foreground().color(), QColor(10, 120, 30));

        // Another empty document gets it when shown; a document with text keeps its own.
        QTextDocument empty, written;
        QTextCursor w(&written);
        QTextCharFormat own;
        own.setFontPointSize(9);
        w.insertText("own", own);
        edit.showDocument(&empty);
        QCOMPARE(edit.formatAtCaret().pointSize, 18);
        QCOMPARE(edit.formatAtCaret().color, QColor(10, 120, 30));
        QVERIFY(!empty.isUndoAvailable()); // setting the format is not an edit
        edit.showDocument(&written);
        edit.moveCursor(QTextCursor::End);
        QCOMPARE(edit.formatAtCaret().pointSize, 9);
        QCOMPARE(written.toPlainText(), QString("own"));
        QCOMPARE(written.defaultFont().family(), QString("DejaVu Serif"));
        edit.showDocument(&empty);
    }

    // Text is readable on a dark field as on a light one: text stored in plain black (the
    // editor's old default), text typed in a black default and written addresses are drawn
    // light there; other colours are the user's and stay; a light field draws black as black.
    void textIsReadableOnItsField_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("kind");
        for (bool dark : {true, false})
            for (const char* kind : {"stored black", "typed in black", "address", "stored red"})
                QTest::newRow(qPrintable(QString(dark ? "dark, " : "light, ") + kind))
                    << dark << QString(kind);
    }
    void textIsReadableOnItsField() {
        QFETCH(bool, dark);
        QFETCH(QString, kind);
        CCustomRichEdit edit;
        QPalette pal = edit.palette();
        pal.setColor(QPalette::Base, dark ? QColor(0x1e, 0x25, 0x30) : QColor(Qt::white));
        pal.setColor(QPalette::Text, dark ? QColor(0xe3, 0xe8, 0xef) : QColor(0x1f, 0x29, 0x33));
        pal.setColor(QPalette::Link, dark ? QColor(0x4f, 0xc3, 0xb5) : QColor(0x2f, 0x6f, 0xd0));
        edit.setPalette(pal);
        edit.setDefaultCharFormat("DejaVu Sans", 14, Qt::black);
        QTextDocument doc;
        QTextCharFormat stored;
        stored.setForeground(kind == "stored red" ? QColor(200, 0, 0) : QColor(Qt::black));
        if (kind.startsWith("stored")) QTextCursor(&doc).insertText("Written words", stored);
        if (kind == "address") QTextCursor(&doc).insertText("www.example.org");
        edit.showDocument(&doc);
        if (kind == "typed in black") QTest::keyClicks(&edit, "Typed words");
        edit.setReadOnly(true); // no caret: only the text is measured
        edit.resize(300, 80);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const QImage shot = edit.viewport()->grab().toImage();
        const QColor base = pal.color(QPalette::Base);
        double best = 1;
        int darkest = 255, reddest = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                best = std::max(best, contrast(c, base));
                darkest = std::min(darkest, c.lightness());
                reddest = std::max(reddest, c.red() - std::max(c.green(), c.blue()));
            }
        if (kind == "stored red")
            QVERIFY(reddest > 120);
        else
            QVERIFY2(best >= 4.5, qPrintable(QString::number(best)));
        if (!dark && kind == "stored black") QVERIFY(darkest < 20);
        // Only the look: the text keeps the colour it was written in.
        QTextCursor c(&doc);
        c.setPosition(1);
        if (kind.startsWith("stored"))
            QCOMPARE(c.charFormat().foreground().color(), stored.foreground().color());
    }

    void charFormatsToggleOnTheSelection() {
        CCustomRichEdit edit;
        edit.setPlainText("one two three");
        QTextCursor c = edit.textCursor();
        c.setPosition(4);
        c.setPosition(7, QTextCursor::KeepAnchor); // "two"
        edit.setTextCursor(c);
        edit.toggleBold();
        edit.toggleUnderline();
        QVERIFY(edit.formatAtCaret().bold);
        QVERIFY(edit.formatAtCaret().underline);
        QTextCursor probe(edit.document());
        probe.setPosition(2);
        QVERIFY(probe.charFormat().fontWeight() < QFont::DemiBold); // "one" untouched
        probe.setPosition(6);
        QVERIFY(probe.charFormat().fontWeight() >= QFont::Bold);
        edit.toggleBold();
        probe.setPosition(6);
        QVERIFY(probe.charFormat().fontWeight() < QFont::DemiBold);
        QVERIFY(probe.charFormat().fontUnderline());

        // Superscript and subscript: one clears the other, the same one again clears itself.
        edit.toggleSuperscript();
        QVERIFY(edit.formatAtCaret().superscript);
        edit.toggleSubscript();
        QVERIFY(edit.formatAtCaret().subscript);
        QVERIFY(!edit.formatAtCaret().superscript);
        edit.toggleSubscript();
        QVERIFY(!edit.formatAtCaret().subscript);

        edit.applyColor(Qt::red);
        edit.applyFontSize(30);
        edit.applyFontFamily("DejaVu Sans Mono");
        const CCustomRichEdit::Format f = edit.formatAtCaret();
        QCOMPARE(f.color, QColor(Qt::red));
        QCOMPARE(f.pointSize, 30);
        QCOMPARE(f.family, QString("DejaVu Sans Mono"));
        probe.setPosition(10);
        QCOMPARE(probe.charFormat().fontPointSize(), 0.0); // "three" untouched
    }

    void paragraphFormatsCoverTheSelectedParagraphs() {
        CCustomRichEdit edit;
        edit.setPlainText("first\nsecond\nthird");
        QTextCursor c = edit.textCursor();
        c.setPosition(2);
        c.setPosition(8, QTextCursor::KeepAnchor); // from "first" into "second"
        edit.setTextCursor(c);
        edit.alignParagraphs(Qt::AlignRight);
        edit.setLineSpacing(150);
        QCOMPARE(edit.formatAtCaret().alignment, Qt::AlignRight);
        QCOMPARE(edit.formatAtCaret().lineSpacing, 150);
        const QTextBlock b1 = edit.document()->begin(), b2 = b1.next(), b3 = b2.next();
        QVERIFY(b1.blockFormat().alignment() & Qt::AlignRight);
        QVERIFY(b2.blockFormat().alignment() & Qt::AlignRight);
        QCOMPARE(b2.blockFormat().lineHeight(), 150.0);
        QVERIFY(!(b3.blockFormat().alignment() & Qt::AlignRight));
        QCOMPARE(b3.blockFormat().lineHeightType(), int(QTextBlockFormat::SingleHeight));
        edit.alignParagraphs(Qt::AlignHCenter);
        QCOMPARE(edit.formatAtCaret().alignment, Qt::AlignHCenter);
        edit.alignParagraphs(Qt::AlignLeft);
        QCOMPARE(edit.formatAtCaret().alignment, Qt::AlignLeft);
    }

    void writtenAddressesAreLinks() {
        CCustomRichEdit edit;
        edit.resize(500, 200);
        edit.setPlainText("see www.example.org/page, or mailto:me@example.org.");
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QCOMPARE(edit.linkAt(pointAt(edit, 8)), QString("www.example.org/page"));
        QCOMPARE(edit.linkAt(pointAt(edit, 1)), QString());
        QCOMPARE(edit.linkAt(pointAt(edit, 24)), QString()); // the comma after it
        QCOMPARE(edit.linkAt(pointAt(edit, 35)), QString("mailto:me@example.org"));

        clickAt(edit, 10);
        QCOMPARE(ShellOpen::recorded().size(), 1);
        QCOMPARE(ShellOpen::recorded().first().target, QString("http://www.example.org/page"));
        clickAt(edit, 1); // plain text: nothing opens
        QCOMPARE(ShellOpen::recorded().size(), 1);
        // Selecting across the address with the mouse is no click on it.
        QTest::mousePress(edit.viewport(), Qt::LeftButton, {}, pointAt(edit, 5));
        QTest::mouseMove(edit.viewport(), pointAt(edit, 20));
        QTest::mouseRelease(edit.viewport(), Qt::LeftButton, {}, pointAt(edit, 20));
        QCOMPARE(ShellOpen::recorded().size(), 1);

        // The look of a written address is the editor's, not the text's.
        QTextCursor c(edit.document());
        c.setPosition(10);
        QVERIFY(!c.charFormat().fontUnderline());
    }

    void anchorsOpenTheirTarget() {
        CCustomRichEdit edit;
        edit.resize(500, 200);
        edit.setHtml("Go to <a href=\"https://tavelle.example/help\">the help</a> now");
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QSignalSpy opened(&edit, &CCustomRichEdit::linkOpened);
        clickAt(edit, 9);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().first().toString(), QString("https://tavelle.example/help"));
        QCOMPARE(ShellOpen::recorded().last().target, QString("https://tavelle.example/help"));
    }

    void shortcutTextsPasteIntoTheFocusedField() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* line = new QLineEdit(&window);
        line->setMaxLength(10);
        auto* rich = new CCustomRichEdit(&window);
        auto* locked = new QLineEdit("fixed", &window);
        locked->setReadOnly(true);
        layout->addWidget(line);
        layout->addWidget(rich);
        layout->addWidget(locked);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        line->setFocus();
        QVERIFY(CCustomRichEdit::pasteIntoFocus("shortcut text one"));
        QCOMPARE(line->text(), QString("shortcut t")); // the field's limit holds
        QCOMPARE(QApplication::clipboard()->text(), QString("shortcut text one"));
        rich->setFocus();
        QVERIFY(CCustomRichEdit::pasteIntoFocus("into the text"));
        QCOMPARE(rich->toPlainText(), QString("into the text"));
        locked->setFocus();
        QVERIFY(!CCustomRichEdit::pasteIntoFocus("nothing"));
        QCOMPARE(locked->text(), QString("fixed"));
    }
};

QTEST_MAIN(TestCustomRichEdit)
#include "tst_customrichedit.moc"
