#pragma once
// Entry bodies and type texts are stored as RTF in Windows-1252 bytes. This is where they turn
// into the editor's QTextDocument and back, and into the plain text that search looks through.
// A stored text that does not begin with "{\rtf" is plain Windows-1252 text.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace tavrin::diary {

class RtfCodec {
public:
    // True when the stored bytes are RTF rather than plain text.
    static bool isRtf(const QByteArray& stored);

    // Replaces the document's content with the stored text. Loading is not an undo step.
    static void toDocument(const QByteArray& stored, QTextDocument* doc);

    // The document as RTF bytes for storing.
    static QByteArray fromDocument(const QTextDocument* doc);

    // The text the user reads, without markup, for searching: paragraphs and line breaks are
    // '\n', tabs and table cell separators '\t'. Builds no document, so it stays fast over a
    // whole diary.
    static QString plainText(const QByteArray& stored);
};

} // namespace tavrin::diary
