#include "rtf/RtfCodec.h"

#include "rtf/RtfPlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"
#include "storage/Cp1252.h"

#include <QTextDocument>

#include <string_view>

namespace tavrin::diary {
namespace {

QString decodePlain(const QByteArray& stored) {
    QString text = QString::fromStdString(
        cp1252::toUtf8(std::string_view(stored.constData(), std::size_t(stored.size()))));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.remove(QChar(0)); // a terminator copied along with an old text is no character
    return text;
}

} // namespace

bool RtfCodec::isRtf(const QByteArray& stored) {
    return stored.startsWith("{\\rtf");
}

void RtfCodec::toDocument(const QByteArray& stored, QTextDocument* doc) {
    if (!doc) return;
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    if (isRtf(stored))
        RtfReader::read(stored, doc);
    else
        doc->setPlainText(decodePlain(stored));
    doc->setUndoRedoEnabled(undo);
    doc->setModified(false);
}

QByteArray RtfCodec::fromDocument(const QTextDocument* doc) {
    return RtfWriter::write(doc);
}

QString RtfCodec::plainText(const QByteArray& stored) {
    return isRtf(stored) ? RtfPlainText::extract(stored) : decodePlain(stored);
}

} // namespace tavrin::diary
