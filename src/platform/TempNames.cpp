#include "platform/TempNames.h"

#include "platform/MessageBox.h"
#include "storage/FileSystem.h"
#include "storage/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace tavrin::platform {
namespace {
QString nameOf(const QString& prefix) {
    return QStringLiteral("%1%2.tmp").arg(prefix.left(3)).arg(TempNames::kNumber);
}
} // namespace

const QStringList& TempNames::prefixes() {
    static const QStringList p = {"TNE", "TNI", "TNR", "TNP", "TNA", "TNK",
                                  "TNT", "TNM", "TNX", "TNV", "TNG"};
    return p;
}

QString TempNames::folder() {
    std::string why;
    return QFile::decodeName(QByteArray::fromStdString(PrivateFiles::folder(why)));
}

QString TempNames::problem() {
    std::string why;
    PrivateFiles::folder(why);
    return QString::fromStdString(why);
}

QString TempNames::path(const QString& prefix) {
    const QString dir = folder();
    return dir.isEmpty() ? QString() : QDir(dir).filePath(nameOf(prefix));
}

QString TempNames::fresh(const QString& prefix, QWidget* parent) {
    const QString p = path(prefix);
    if (p.isEmpty()) {
        MessageBox::warning(problem(), parent);
        return p;
    }
    const QFileInfo fi(p);
    if (fi.exists() || fi.isSymLink()) QFile::remove(p);
    return p;
}

void TempNames::removeLeftovers() {
    const QString dir = folder();
    const std::string legacy = QFile::encodeName(QDir::tempPath()).toStdString();
    for (const QString& prefix : prefixes()) {
        if (!dir.isEmpty()) {
            const std::string name = QFile::encodeName(nameOf(prefix)).toStdString();
            for (const QString& left : QDir(dir).entryList(QDir::Files | QDir::System)) {
                const std::string n = QFile::encodeName(left).toStdString();
                if (n == name || FileSystem::isTempOf(n, name)) QFile::remove(dir + "/" + left);
            }
        }
        // The shared name of earlier versions, where it is ours.
        const std::string old = legacy + "/" + QFile::encodeName(nameOf(prefix)).toStdString();
        struct stat st {};
        if (::lstat(old.c_str(), &st) == 0 && st.st_uid == ::geteuid()) ::unlink(old.c_str());
    }
}

} // namespace tavrin::platform
