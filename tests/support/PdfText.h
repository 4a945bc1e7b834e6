#pragma once
// What a printed PDF says, read back with pdftotext (poppler-utils) in its layout mode.

#include <QString>
#include <QStringList>

namespace tavrin::test {

// The text of every page, split at the form feeds between pages, without the empty remainder
// after the last; empty when the file cannot be read.
QStringList pdfPages(const QString& pdf);
// The text of the whole file.
QString pdfText(const QString& pdf);

} // namespace tavrin::test
