#pragma once
// Writes a QTextDocument as RTF 1.x in Windows-1252 that this program's reader and common word
// processors read back: a font table, a colour table, one paragraph per block with alignment,
// line spacing, indents, tab stops and lists, character formats per run, and links as
// HYPERLINK fields. Characters outside Windows-1252 are written as \uN with a "?" fallback.
//
// Tables and images are not kept: each table cell is written as a paragraph of its own, and an
// image leaves no trace.

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;

namespace tavrin::diary {

class RtfWriter {
public:
    static QByteArray write(const QTextDocument* doc);

private:
    explicit RtfWriter(const QTextDocument* doc);

    QByteArray run();
    void writeBlock(const QTextBlock& block);
    void writeParagraphFormat(const QTextBlock& block);
    void writeCharFormat(const QTextCharFormat& f);
    int fontIndex(const QString& family);
    int colourIndex(const QColor& colour);
    QString familyOf(const QTextCharFormat& f) const;
    int halfPointsOf(const QTextCharFormat& f) const;

    const QTextDocument* doc_;
    QByteArray body_;
    QStringList fonts_;
    QList<QRgb> colours_;
};

} // namespace tavrin::diary
