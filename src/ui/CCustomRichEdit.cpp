#include "ui/CCustomRichEdit.h"

#include "platform/ShellOpen.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace tavrin::ui {
namespace {

// Addresses written in the text, as the editor shows and opens them.
const QRegularExpression& addressPattern() {
    static const QRegularExpression re(
        QStringLiteral(R"((?:https?://|ftp://|mailto:|www\.)[^\s<>"]+)"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

// A sentence's full stop or closing bracket after an address is not part of it.
int trimmedLength(const QString& s, int start, int length) {
    while (length > 0 && QStringLiteral(".,;:!?)]}'").contains(s.at(start + length - 1)))
        --length;
    return length;
}

} // namespace

// Shows written addresses as links. The look lives in the layout only, so it never becomes
// part of the stored text.
class LinkHighlighter : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;
    CCustomRichEdit::Marker marker;
    QColor linkColour{0, 0, 255};
    // On a dark field: the colour that text stored in plain black is drawn in (invalid on a
    // light one). Black was the editor's default colour, so it means "the text colour".
    QColor blackAs;

protected:
    void highlightBlock(const QString& text) override {
        // One highlighter per document: the marks and the links share it. Each layer is merged
        // into what the layers before it set, character by character.
        std::vector<QTextCharFormat> look(std::size_t(text.size()));
        const auto add = [&look](int start, int length, const QTextCharFormat& f) {
            for (int i = std::max(start, 0); i < start + length && i < int(look.size()); ++i)
                look[std::size_t(i)].merge(f);
        };
        if (blackAs.isValid()) {
            QTextCharFormat readable;
            readable.setForeground(blackAs);
            const int blockStart = currentBlock().position();
            for (auto it = currentBlock().begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                const QTextCharFormat f = frag.charFormat();
                if (f.hasProperty(QTextFormat::ForegroundBrush) &&
                    f.foreground().style() == Qt::SolidPattern &&
                    f.foreground().color().rgb() == qRgb(0, 0, 0))
                    add(frag.position() - blockStart, frag.length(), readable);
            }
        }
        if (marker) {
            QTextCharFormat wavy;
            wavy.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
            wavy.setUnderlineColor(Qt::red);
            for (const auto& [start, length] : marker(text))
                add(start, length, wavy);
        }
        QTextCharFormat link;
        link.setForeground(linkColour);
        link.setFontUnderline(true);
        auto it = addressPattern().globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            const int len = trimmedLength(text, int(m.capturedStart()), int(m.capturedLength()));
            if (len > 0) add(int(m.capturedStart()), len, link);
        }
        for (int i = 0; i < int(look.size());) {
            int end = i + 1;
            while (end < int(look.size()) && look[std::size_t(end)] == look[std::size_t(i)])
                ++end;
            if (look[std::size_t(i)].propertyCount() > 0)
                setFormat(i, end - i, look[std::size_t(i)]);
            i = end;
        }
    }
};

CCustomRichEdit::CCustomRichEdit(QWidget* parent)
    : QTextEdit(parent), highlighter_(new LinkHighlighter(static_cast<QObject*>(this))) {
    // Owned by the editor, not by a document: documents come and go.
    setAcceptRichText(true);
    setTabChangesFocus(false);
    viewport()->setMouseTracking(true);
    connect(this, &QTextEdit::cursorPositionChanged, this, &CCustomRichEdit::formatChanged);
    connect(this, &QTextEdit::currentCharFormatChanged, this, &CCustomRichEdit::formatChanged);
    followPalette();
}

void CCustomRichEdit::followPalette() {
    // A dark field (a dark skin) needs a lighter link and draws stored black as its text.
    const QPalette pal = palette();
    const bool dark = pal.color(QPalette::Base).lightness() < 110;
    const QColor link = dark ? pal.color(QPalette::Link) : QColor(0, 0, 255);
    highlighter_->linkColour = dark && link.lightness() < 110 ? QColor(120, 170, 255) : link;
    highlighter_->blackAs = dark ? pal.color(QPalette::Text) : QColor();
    remark();
}

void CCustomRichEdit::changeEvent(QEvent* e) {
    QTextEdit::changeEvent(e);
    if (e->type() == QEvent::PaletteChange) followPalette();
}

CCustomRichEdit::~CCustomRichEdit() {
    // The documents belong to the owner and may outlive the editor. Detaching the highlighter
    // counts as an edit: nobody may hear of it, since whoever listens may be half destroyed
    // already (a parent's slots while the parent deletes its children).
    const QSignalBlocker quiet(this);
    highlighter_->setDocument(nullptr);
}

void CCustomRichEdit::setDefaultCharFormat(const QString& family, int pointSize,
                                           const QColor& color) {
    default_ = QTextCharFormat();
    if (!family.isEmpty()) default_.setFontFamilies({family});
    if (pointSize > 0) default_.setFontPointSize(pointSize);
    if (color.isValid()) default_.setForeground(color);
    QFont f = document()->defaultFont();
    if (!family.isEmpty()) f.setFamily(family);
    if (pointSize > 0) f.setPointSize(pointSize);
    document()->setDefaultFont(f);
    applyDefaultIfEmpty();
}

void CCustomRichEdit::setMarker(Marker marker) {
    highlighter_->marker = std::move(marker);
    remark();
}

void CCustomRichEdit::remark() {
    if (highlighter_->document()) highlighter_->rehighlight();
}

void CCustomRichEdit::showDocument(QTextDocument* doc) {
    if (!doc) return;
    QFont f = doc->defaultFont();
    if (default_.hasProperty(QTextFormat::FontFamilies))
        f.setFamily(default_.fontFamilies().toStringList().value(0));
    if (default_.hasProperty(QTextFormat::FontPointSize)) f.setPointSizeF(default_.fontPointSize());
    doc->setDefaultFont(f);
    highlighter_->setDocument(nullptr);
    setDocument(doc);
    highlighter_->setDocument(doc);
    // A caret of its own at the start: the one the editor keeps carries the format of the last
    // document, which would hide the format of this one's first letters.
    setTextCursor(QTextCursor(doc));
    applyDefaultIfEmpty();
    emit formatChanged();
}

void CCustomRichEdit::applyDefaultIfEmpty() {
    if (!document()->isEmpty() || default_.properties().isEmpty()) return;
    QTextCursor c(document());
    // The block's own format is what an empty paragraph types with; neither is an undo step.
    const bool undo = document()->isUndoRedoEnabled();
    document()->setUndoRedoEnabled(false);
    c.setBlockCharFormat(default_);
    document()->setUndoRedoEnabled(undo);
    QTextCursor caret = textCursor();
    caret.setCharFormat(default_);
    setTextCursor(caret);
    setCurrentCharFormat(default_);
}

CCustomRichEdit::Format CCustomRichEdit::formatAtCaret() const {
    const QTextCursor c = textCursor();
    const QTextCharFormat cf = c.charFormat();
    const QTextBlockFormat bf = c.blockFormat();
    Format f;
    f.bold = cf.fontWeight() >= QFont::DemiBold;
    f.italic = cf.fontItalic();
    f.underline = cf.fontUnderline();
    f.superscript = cf.verticalAlignment() == QTextCharFormat::AlignSuperScript;
    f.subscript = cf.verticalAlignment() == QTextCharFormat::AlignSubScript;
    const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        f.alignment = Qt::AlignHCenter;
    else if (a & Qt::AlignJustify)
        f.alignment = Qt::AlignJustify;
    else if ((a & Qt::AlignRight) && !(a & Qt::AlignLeft))
        f.alignment = Qt::AlignRight;
    else
        f.alignment = Qt::AlignLeft;
    f.lineSpacing =
        bf.lineHeightType() == QTextBlockFormat::ProportionalHeight ? qRound(bf.lineHeight()) : 100;
    const QStringList families = cf.fontFamilies().toStringList();
    f.family = !families.isEmpty() ? families.first() : document()->defaultFont().family();
    f.pointSize = cf.hasProperty(QTextFormat::FontPointSize)
                      ? qRound(cf.fontPointSize())
                      : document()->defaultFont().pointSize();
    f.color = cf.hasProperty(QTextFormat::ForegroundBrush) ? cf.foreground().color()
                                                           : palette().color(QPalette::Text);
    return f;
}

void CCustomRichEdit::toggleBold() {
    QTextCharFormat f;
    f.setFontWeight(formatAtCaret().bold ? QFont::Normal : QFont::Bold);
    mergeCurrentCharFormat(f);
}

void CCustomRichEdit::toggleItalic() {
    QTextCharFormat f;
    f.setFontItalic(!formatAtCaret().italic);
    mergeCurrentCharFormat(f);
}

void CCustomRichEdit::toggleUnderline() {
    QTextCharFormat f;
    f.setFontUnderline(!formatAtCaret().underline);
    mergeCurrentCharFormat(f);
}

void CCustomRichEdit::alignParagraphs(Qt::Alignment alignment) {
    // Absolute, so that right stays right in a right-to-left text as well.
    setAlignment(alignment == Qt::AlignLeft    ? Qt::AlignLeft | Qt::AlignAbsolute
                 : alignment == Qt::AlignRight ? Qt::AlignRight | Qt::AlignAbsolute
                                               : alignment);
    emit formatChanged();
}

void CCustomRichEdit::setLineSpacing(int percent) {
    QTextBlockFormat f;
    f.setLineHeight(percent, QTextBlockFormat::ProportionalHeight);
    textCursor().mergeBlockFormat(f);
    emit formatChanged();
}

void CCustomRichEdit::toggleSuperscript() {
    QTextCharFormat f;
    f.setVerticalAlignment(formatAtCaret().superscript ? QTextCharFormat::AlignNormal
                                                       : QTextCharFormat::AlignSuperScript);
    mergeCurrentCharFormat(f);
}

void CCustomRichEdit::toggleSubscript() {
    QTextCharFormat f;
    f.setVerticalAlignment(formatAtCaret().subscript ? QTextCharFormat::AlignNormal
                                                     : QTextCharFormat::AlignSubScript);
    mergeCurrentCharFormat(f);
}

void CCustomRichEdit::applyColor(const QColor& color) {
    QTextCharFormat f;
    f.setForeground(color);
    mergeCurrentCharFormat(f);
}

void CCustomRichEdit::applyFontFamily(const QString& family) {
    QTextCharFormat f;
    f.setFontFamilies({family});
    mergeCurrentCharFormat(f);
}

void CCustomRichEdit::applyFontSize(int pointSize) {
    if (pointSize <= 0) return;
    QTextCharFormat f;
    f.setFontPointSize(pointSize);
    mergeCurrentCharFormat(f);
}

QString CCustomRichEdit::linkAt(const QPoint& viewportPos) const {
    const QString anchor = anchorAt(viewportPos);
    if (!anchor.isEmpty()) return anchor;
    const QTextCursor c = cursorForPosition(viewportPos);
    const QTextBlock block = c.block();
    if (!block.isValid()) return {};
    // cursorForPosition() gives the nearest gap: make sure the point is over the text itself.
    const QRect caret = cursorRect(c);
    if (std::abs(viewportPos.x() - caret.center().x()) > caret.height() ||
        viewportPos.y() < caret.top() || viewportPos.y() > caret.bottom())
        return {};
    const QString text = block.text();
    const int at = c.positionInBlock();
    auto it = addressPattern().globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const int start = int(m.capturedStart());
        const int len = trimmedLength(text, start, int(m.capturedLength()));
        // The gap right after the last character still counts when the press fell on its left half.
        if (at >= start && at <= start + len && len > 0) {
            if (at == start + len && viewportPos.x() > caret.center().x()) continue;
            if (at == start && viewportPos.x() < caret.center().x()) continue;
            return text.mid(start, len);
        }
    }
    return {};
}

void CCustomRichEdit::mousePressEvent(QMouseEvent* e) {
    pressedLink_.clear();
    if (e->button() == Qt::LeftButton && e->modifiers() == Qt::NoModifier) {
        pressPos_ = e->position().toPoint();
        pressedLink_ = linkAt(pressPos_);
    }
    QTextEdit::mousePressEvent(e);
}

void CCustomRichEdit::mouseMoveEvent(QMouseEvent* e) {
    QTextEdit::mouseMoveEvent(e);
    if (e->buttons() == Qt::NoButton)
        viewport()->setCursor(linkAt(e->position().toPoint()).isEmpty() ? Qt::IBeamCursor
                                                                        : Qt::PointingHandCursor);
}

void CCustomRichEdit::mouseReleaseEvent(QMouseEvent* e) {
    QTextEdit::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton || pressedLink_.isEmpty()) return;
    const QString link = pressedLink_;
    pressedLink_.clear();
    // A drag that selected text is no click on the link.
    if ((e->position().toPoint() - pressPos_).manhattanLength() >
            QApplication::startDragDistance() ||
        textCursor().hasSelection() || linkAt(e->position().toPoint()) != link)
        return;
    if (platform::ShellOpen::openUrl(link)) emit linkOpened(link);
}

bool CCustomRichEdit::pasteIntoFocus(const QString& text) {
    QWidget* w = QApplication::focusWidget();
    if (!w) return false;
    // A text field inside a combo box or a spin box is what has the focus there.
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
        w = combo->lineEdit();
    auto* rich = qobject_cast<QTextEdit*>(w);
    auto* plain = qobject_cast<QPlainTextEdit*>(w);
    auto* line = qobject_cast<QLineEdit*>(w);
    if ((rich && rich->isReadOnly()) || (plain && plain->isReadOnly()) ||
        (line && line->isReadOnly()) || !(rich || plain || line))
        return false;
    QApplication::clipboard()->setText(text);
    if (rich)
        rich->paste();
    else if (plain)
        plain->paste();
    else
        line->paste();
    return true;
}

} // namespace tavrin::ui
