#include "platform/DataPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef TAVRIN_INSTALLED_DATA_DIR
#define TAVRIN_INSTALLED_DATA_DIR "/usr/local/share/tavrin"
#endif

namespace tavrin::platform {
namespace {
QString g_programDir;
QString g_installedDir;
bool g_overridden = false; // with a test override, only the two given places count
} // namespace

QString DataPaths::programDir() {
    if (!g_programDir.isEmpty()) return g_programDir;
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString DataPaths::programPath() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    return QString();
}

QString DataPaths::installedDataDir() {
    return g_installedDir.isEmpty() ? QStringLiteral(TAVRIN_INSTALLED_DATA_DIR) : g_installedDir;
}

QStringList DataPaths::searchDirs() {
    QStringList dirs;
    auto add = [&dirs](const QString& d) {
        if (d.isEmpty()) return;
        const QString clean = QDir::cleanPath(QDir(d).absolutePath());
        if (!dirs.contains(clean)) dirs << clean;
    };
    add(programDir());
    if (!g_overridden) add(programDir() + QStringLiteral("/../share/tavrin"));
    add(installedDataDir());
    return dirs;
}

QString DataPaths::find(const QString& name) {
    if (name.isEmpty()) return QString();
    for (const QString& dir : searchDirs()) {
        const QFileInfo fi(QDir(dir).filePath(name));
        if (fi.exists()) return fi.absoluteFilePath();
    }
    return QString();
}

void DataPaths::setProgramDir(const QString& dir) {
    g_programDir = dir;
    g_overridden = true;
}
void DataPaths::setInstalledDataDir(const QString& dir) {
    g_installedDir = dir;
    g_overridden = true;
}
void DataPaths::reset() {
    g_programDir.clear();
    g_installedDir.clear();
    g_overridden = false;
}

} // namespace tavrin::platform
