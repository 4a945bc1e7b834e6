#include "platform/PrivatePrinter.h"

#include "storage/PrivateFiles.h"

#include <QFile>

namespace tavrin::platform {

QPaintEngine* PrivatePrinter::paintEngine() const {
    // QPainter::begin asks for the engine before the engine opens the file.
    if (outputFormat() == QPrinter::PdfFormat && !outputFileName().isEmpty())
        PrivateFiles::prepare(QFile::encodeName(outputFileName()).toStdString());
    return QPrinter::paintEngine();
}

} // namespace tavrin::platform
