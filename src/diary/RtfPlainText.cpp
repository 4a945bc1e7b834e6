#include "RtfPlainText.h"

#include "RtfParser.h"

namespace tavrin::diary {
namespace {

class TextSink : public RtfParser::Sink {
public:
    explicit TextSink(qsizetype expected) { out.reserve(expected); }

    bool wantsFormatting() const override { return false; }

    void text(const QString& run, const RtfParser::CharProps&, const QString&) override {
        // Paragraph breaks are written only once text follows, so the result never ends in one.
        for (; pendingBreaks > 0; --pendingBreaks) out += u'\n';
        for (QChar c : run) {
            switch (c.unicode()) {
            case 0x2028: out += u'\n'; break;
            case 0x00A0: out += u' '; break;   // a search typed with a space finds it
            case 0x00AD: break;                // an optional hyphen is not part of the word
            default: out += c;
            }
        }
    }

    void paragraphEnd(const RtfParser::ParaProps&, const RtfParser::CharProps&) override {
        ++pendingBreaks;
    }

    QString out;
    int pendingBreaks = 0;
};

} // namespace

QString RtfPlainText::extract(const QByteArray& rtf) {
    // Markup usually outweighs the text; a quarter of the bytes is a fair first guess.
    TextSink sink(rtf.size() / 4);
    RtfParser parser(sink);
    parser.parse(rtf);
    return sink.out;
}

} // namespace tavrin::diary
