#include "PdfText.h"

#include <QProcess>

namespace tavrin::test {

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList pdfPages(const QString& pdf) {
    QStringList pages = pdfText(pdf).split(QChar('\f'));
    while (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace tavrin::test
