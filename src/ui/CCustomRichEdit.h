#pragma once
// The rich-text editor of entry texts. On top of QTextEdit it keeps a default character format
// (the user's chosen font, size and colour) for texts that start empty, offers the formatting
// commands of the entry sheet with the state at the caret, shows web and mail addresses as
// links and opens them through the desktop when clicked.
//
// One editor shows several documents in turn (the body and the type texts of an entry): the
// owner keeps the documents and hands them over with showDocument().

#include <QColor>
#include <QPointer>
#include <QTextCharFormat>
#include <QTextEdit>

#include <functional>
#include <utility>

class QTextDocument;

namespace tavrin::ui {

class LinkHighlighter;

class CCustomRichEdit : public QTextEdit {
    Q_OBJECT
public:
    // What the formatting buttons show for the caret (or the selection's end).
    struct Format {
        bool bold = false, italic = false, underline = false;
        bool superscript = false, subscript = false;
        Qt::Alignment alignment =
            Qt::AlignLeft;     // AlignLeft, AlignHCenter or AlignRight (justified: AlignJustify)
        int lineSpacing = 100; // percent of a line: 100, 150, 200; other values as they are
        QString family;
        int pointSize = 0;
        QColor color;
    };

    explicit CCustomRichEdit(QWidget* parent = nullptr);
    ~CCustomRichEdit() override;

    // The format texts start with. Applied to the shown document at once when it is empty.
    void setDefaultCharFormat(const QString& family, int pointSize, const QColor& color);
    QTextCharFormat defaultCharFormat() const { return default_; }

    // Shows `doc` (the caller keeps it). An empty document takes the default format; every
    // document takes the default font for text that names none.
    void showDocument(QTextDocument* doc);

    Format formatAtCaret() const;

    // ---- formatting commands: on the selection, or on what is typed next at the caret ----
    void toggleBold();
    void toggleItalic();
    void toggleUnderline();
    // Paragraph alignment of the paragraphs in the selection.
    void alignParagraphs(Qt::Alignment alignment);
    // Line spacing in percent of a line (100, 150, 200) of the paragraphs in the selection.
    void setLineSpacing(int percent);
    // Setting one clears the other; applying the one already set clears it.
    void toggleSuperscript();
    void toggleSubscript();
    void applyColor(const QColor& color);
    void applyFontFamily(const QString& family);
    void applyFontSize(int pointSize);

    // Marks drawn under stretches of a paragraph (start, length), such as misspelled words; they
    // are never part of the text. An empty function removes them. remark() asks again.
    using Marker = std::function<QList<std::pair<int, int>>(const QString& paragraph)>;
    void setMarker(Marker marker);
    void remark();

    // The link under a point of the viewport: a link of the text, or an address written in it
    // ("http://...", "www....", "mailto:..."). Empty when there is none.
    QString linkAt(const QPoint& viewportPos) const;

    // Alt+1 to Alt+5: puts `text` on the clipboard and pastes it into the widget that has the
    // focus (a rich text, a text field). False when the focused widget takes no text.
    static bool pasteIntoFocus(const QString& text);

signals:
    // The caret moved or the format at it changed: the formatting buttons follow.
    void formatChanged();
    // A link was clicked and handed to the desktop.
    void linkOpened(const QString& address);

protected:
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void applyDefaultIfEmpty();
    void followPalette();

    QTextCharFormat default_;
    LinkHighlighter* highlighter_;
    QString pressedLink_;
    QPoint pressPos_;
};

} // namespace tavrin::ui
