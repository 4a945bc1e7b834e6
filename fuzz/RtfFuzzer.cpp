// Arbitrary bytes as a stored entry text: the plain-text extraction, the search scanner, the
// document reader of the preview and the editor, and the writer over whatever was read. The
// reader's text and the scanner's must be the same words, or search finds what the page does
// not show.

#include "FuzzSupport.h"
#include "rtf/RtfCodec.h"
#include "rtf/RtfSearchText.h"

#include <QDebug>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdlib>

namespace {

// What the reader and the scanner must agree on: the characters, with every run of white space
// one space and none at the ends. Where white space goes differs and does not matter to search
// (a table row's last cell, a section mark after a paragraph mark); whether there is any does.
// A lone surrogate is dropped: the scanner writes UTF-8, which cannot hold one.
QString comparable(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (!c.isSurrogate()) {
            out += c;
        }
    }
    return out.simplified();
}

// The numbers and bullets of \pntext and \listtext show only in paragraphs that are no list,
// which the reader works out from the list tables; the scanner leaves them out, as they are no
// words to find. Texts that have them are not compared.
bool hasListMarkerText(const QByteArray& stored) {
    return stored.contains("pntext") || stored.contains("listtext");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tavrin::diary::RtfCodec;
    using tavrin::diary::RtfSearchText;
    // Half the inputs that are not RTF are made RTF, so that most take the RTF path, as stored
    // bodies do.
    QByteArray stored(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!RtfCodec::isRtf(stored) && size && data[0] & 1) stored.prepend("{\\rtf1 ");
    const QString read = RtfCodec::plainText(stored);
    const std::string_view bytes(stored.constData(), std::size_t(stored.size()));
    (void)RtfSearchText::of(bytes);
    if (RtfCodec::isRtf(stored) && !hasListMarkerText(stored)) {
        const QString reader = comparable(read);
        const QString scanner = comparable(QString::fromStdString(RtfSearchText::visible(bytes)));
        if (reader != scanner) qWarning() << "reader:" << reader << "\nscanner:" << scanner;
        tavrin::fuzz::require(reader == scanner);
    }
    QTextDocument doc;
    RtfCodec::toDocument(stored, &doc);
    const QByteArray written = RtfCodec::fromDocument(&doc);
    QTextDocument again;
    RtfCodec::toDocument(written, &again);
    return 0;
}
