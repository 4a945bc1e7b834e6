#pragma once
// Builds a QTextDocument from RTF: paragraphs with their alignment, spacing, indents, tab stops
// and lists, and text runs with their character formats and links.

#include "rtf/RtfParser.h"

#include <QTextCharFormat>
#include <QTextCursor>

#include <array>
#include <vector>

class QTextDocument;
class QTextList;

namespace tavrin::diary {

class RtfReader : private RtfParser::Sink {
public:
    // Replaces the document's content with the RTF's.
    static void read(const QByteArray& rtf, QTextDocument* doc);

private:
    explicit RtfReader(QTextDocument* doc);

    void text(const QString& run, const RtfParser::CharProps& chars, const QString& href) override;
    void paragraphEnd(const RtfParser::ParaProps& para, const RtfParser::CharProps& mark) override;

    QTextCharFormat charFormat(const RtfParser::CharProps& chars, const QString& href);
    QTextBlockFormat blockFormat(const RtfParser::ParaProps& para) const;
    void attachToList(const RtfParser::ParaProps& para);

    struct Run {
        QString text;
        QTextCharFormat format;
    };

    QTextDocument* doc_;
    QTextCursor cursor_;
    RtfParser parser_;
    std::vector<Run> runs_;
    bool firstBlock_ = true;
    std::array<QTextList*, 9> lists_{};

    bool cached_ = false;
    RtfParser::CharProps cachedChars_;
    QString cachedHref_;
    QTextCharFormat cachedFormat_;
};

} // namespace tavrin::diary
