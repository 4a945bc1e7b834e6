// Arbitrary bytes as a stored entry text: the plain-text extraction, the search scanner, the
// document reader of the preview and the editor, and the writer over whatever was read.

#include "rtf/RtfCodec.h"
#include "rtf/RtfSearchText.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tavrin::diary::RtfCodec;
    // Half the inputs that are not RTF are made RTF, so that most take the RTF path, as stored
    // bodies do.
    QByteArray stored(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!RtfCodec::isRtf(stored) && size && data[0] & 1) stored.prepend("{\\rtf1 ");
    (void)RtfCodec::plainText(stored);
    (void)tavrin::diary::RtfSearchText::of(
        std::string_view(stored.constData(), std::size_t(stored.size())));
    QTextDocument doc;
    RtfCodec::toDocument(stored, &doc);
    const QByteArray written = RtfCodec::fromDocument(&doc);
    QTextDocument again;
    RtfCodec::toDocument(written, &again);
    return 0;
}
