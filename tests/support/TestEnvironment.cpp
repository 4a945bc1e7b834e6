#include "TestEnvironment.h"

#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdlib>
#include <sys/stat.h>

namespace tavrin::test {
namespace {
QTemporaryDir* g_dir = nullptr;

// The offscreen platform says so for every window that asks it to resize or raise; noise.
QtMessageHandler g_previous = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
    if (type == QtWarningMsg && msg.startsWith("This plugin does not support")) return;
    if (g_previous) g_previous(type, ctx, msg);
}

void setUp() {
    g_previous = qInstallMessageHandler(quietHandler);
    g_dir = new QTemporaryDir(QDir::tempPath() + "/tavrin-test-XXXXXX");
    const QString root = g_dir->path();
    for (const char* sub : {"config", "data", "cache", "runtime", "home"})
        QDir(root).mkpath(sub);
    QFile::setPermissions(root + "/runtime",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", (root + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (root + "/data").toUtf8());
    qputenv("XDG_CACHE_HOME", (root + "/cache").toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root + "/runtime").toUtf8());
    qputenv("LC_ALL", "C");
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", "Europe/Berlin");
    QLocale::setDefault(QLocale::c());
    ::umask(022); // new files readable by all unless the program says otherwise
    platform::MessageBox::setTestMode(true);
}
void tearDown() {
    delete g_dir;
    g_dir = nullptr;
}
} // namespace

Q_CONSTRUCTOR_FUNCTION(setUp)
Q_DESTRUCTOR_FUNCTION(tearDown)

QString scratchDir() {
    return g_dir->path();
}
void clearSettings() {
    platform::SettingsStore::removeSection();
}
int fileMode(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

} // namespace tavrin::test
