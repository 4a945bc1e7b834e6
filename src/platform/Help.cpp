#include "platform/Help.h"

#include "platform/DataPaths.h"
#include "platform/HelpWindow.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace tavrin::platform {
namespace {
QStringList g_opened;
QPointer<HelpWindow> g_window;
} // namespace

QString Help::topicFile(const QString& name) {
    QString t = name.trimmed();
    const QString helpFile = QString::fromLatin1(kHelpFile);
    if (t.startsWith(helpFile, Qt::CaseInsensitive)) {
        t.remove(0, helpFile.size());
        if (t.startsWith(QStringLiteral("::"))) t.remove(0, 2);
    }
    QString anchor;
    if (int hash = t.indexOf('#'); hash >= 0) {
        anchor = t.mid(hash);
        t.truncate(hash);
    }
    t.replace('\\', '/');
    t = t.section('/', -1); // the page name only
    if (t.isEmpty() || t == QStringLiteral(".") || t == QStringLiteral("..")) t = QString::fromLatin1(kContentsPage);
    return t + anchor;
}

QString Help::helpDir() {
    const QString dir = DataPaths::find(QStringLiteral("help"));
    return QFileInfo(dir).isDir() ? dir : QString();
}

QString Help::topicPath(const QString& name) {
    const QString dir = helpDir();
    if (dir.isEmpty()) return QString();
    const QString file = topicFile(name).section('#', 0, 0);
    const QFileInfo fi(QDir(dir).filePath(file));
    return fi.isFile() ? fi.absoluteFilePath() : QString();
}

bool Help::openTopic(const QString& name, QWidget* parent) {
    g_opened << name;
    if (helpDir().isEmpty()) {
        MessageBox::warning(QString::fromLatin1(kUnableToInitialize), parent);
        return false;
    }
    // Without a widget application there is no window to show; say whether the page exists.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return !topicPath(name).isEmpty();
    if (!g_window) {
        g_window = new HelpWindow();
        g_window->setAttribute(Qt::WA_DeleteOnClose);
        // The help window is a top-level window of its own; it goes when the program ends.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, g_window.data(),
                         &QObject::deleteLater);
    }
    const bool found = g_window->showTopic(name);
    if (!MessageBox::testMode()) {
        g_window->show();
        g_window->raise();
        g_window->activateWindow();
    }
    return found;
}

HelpWindow* Help::window() { return g_window.data(); }

void Help::closeWindow() {
    if (g_window) delete g_window.data();
}

QString Help::lastTopic() { return g_opened.isEmpty() ? QString() : g_opened.last(); }
const QStringList& Help::topicsOpened() { return g_opened; }
void Help::clearRecorded() { g_opened.clear(); }

} // namespace tavrin::platform
