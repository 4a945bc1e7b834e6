#include "platform/TempNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavrin::platform {

const QStringList& TempNames::prefixes() {
    static const QStringList p = {"TNE", "TNI", "TNR", "TNP", "TNA", "TNK",
                                  "TNT", "TNM", "TNX", "TNV", "TNG"};
    return p;
}

QString TempNames::path(const QString& prefix) {
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("%1%2.tmp").arg(prefix.left(3)).arg(kNumber));
}

QString TempNames::fresh(const QString& prefix) {
    const QString p = path(prefix);
    const QFileInfo fi(p);
    if (fi.exists() || fi.isSymLink()) QFile::remove(p);
    return p;
}

} // namespace tavrin::platform
