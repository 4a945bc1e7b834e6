#pragma once
// The text of an RTF document as the user reads it, without any formatting, for searching
// every entry of a diary: no QTextDocument is built. Paragraphs are separated by '\n', soft
// line breaks become '\n', tabs stay tabs, table cells are separated by tabs, link texts are
// kept and their targets dropped.

#include <QByteArray>
#include <QString>

namespace tavrin::diary {

class RtfPlainText {
public:
    static QString extract(const QByteArray& rtf);
};

} // namespace tavrin::diary
