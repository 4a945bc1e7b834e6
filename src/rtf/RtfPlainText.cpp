#include "rtf/RtfPlainText.h"

#include "rtf/RtfParser.h"

namespace tavrin::diary {
namespace {

class TextSink : public RtfParser::Sink {
public:
    explicit TextSink(qsizetype expected) { out.reserve(expected); }

    bool wantsFormatting() const override { return false; }

    void text(const QString& run, const RtfParser::CharProps&, const QString&) override {
        separate();
        for (QChar c : run) {
            switch (c.unicode()) {
            case 0x2028:
                out += u'\n';
                break;
            case 0x00A0:
                out += u' ';
                break; // a search typed with a space finds it
            case 0x00AD:
                break; // an optional hyphen is not part of the word
            default:
                out += c;
            }
        }
    }

    // Paragraphs are joined by one '\n' each, as the document shows them, empty ones included.
    void paragraphEnd(const RtfParser::ParaProps&, const RtfParser::CharProps&) override {
        separate();
        separatorDue = true;
    }

    void separate() {
        if (separatorDue) out += u'\n';
        separatorDue = false;
    }

    QString out;
    bool separatorDue = false;
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
