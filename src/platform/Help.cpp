#include "platform/Help.h"

#include "platform/DataPaths.h"
#include "platform/HelpWindow.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPointer>

namespace tavrin::platform {
namespace {
QStringList g_opened;
Help::CommandHandler g_commands;
QPointer<HelpWindow> g_window;

// A modal window blocks every window outside its own family. Help asked for from a modal window
// must stay usable beside it, so the help window becomes a window of that modal window for as
// long as it is open, and a window of its own again when it closes.
class ModalFollower : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && g_window && watched == g_window->parentWidget()) {
            // Before the modal window goes (often destroyed right after): take the help out.
            adopt(nullptr);
            // A modal window below it may still be up: the help follows that one.
            QMetaObject::invokeMethod(
                this, [] { adopt(QApplication::activeModalWidget()); }, Qt::QueuedConnection);
        }
        return false;
    }

    static ModalFollower& instance() {
        static ModalFollower* f = [] {
            auto* follower = new ModalFollower;
            follower->setParent(QCoreApplication::instance());
            return follower;
        }();
        return *f;
    }

    // Makes `modal` (or none) the owner of the help window, keeping its place and visibility.
    static void adopt(QWidget* modal) {
        if (!g_window || modal == g_window || g_window->parentWidget() == modal) return;
        if (QWidget* old = g_window->parentWidget()) old->removeEventFilter(&instance());
        const QRect geometry = g_window->geometry();
        const bool visible = g_window->isVisible();
        g_window->setParent(modal, Qt::Window);
        g_window->setGeometry(geometry);
        if (modal) modal->installEventFilter(&instance());
        if (visible) g_window->show();
    }
};
} // namespace

void Help::setCommandHandler(CommandHandler handler) {
    g_commands = std::move(handler);
}

bool Help::runCommand(const QString& command, QWidget* parent) {
    return g_commands && g_commands(command, parent);
}

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
    if (t.isEmpty() || t == QStringLiteral(".") || t == QStringLiteral(".."))
        t = QString::fromLatin1(kContentsPage);
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
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return !topicPath(name).isEmpty();
    if (!g_window) {
        g_window = new HelpWindow();
        g_window->setAttribute(Qt::WA_DeleteOnClose);
        // The help window is a top-level window of its own; it goes when the program ends.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         g_window.data(), &QObject::deleteLater);
    }
    const bool found = g_window->showTopic(name);
    ModalFollower::adopt(QApplication::activeModalWidget());
    if (!MessageBox::testMode()) {
        g_window->show();
        g_window->raise();
        g_window->activateWindow();
    }
    return found;
}

HelpWindow* Help::window() {
    return g_window.data();
}

void Help::closeWindow() {
    if (g_window) delete g_window.data();
}

QString Help::lastTopic() {
    return g_opened.isEmpty() ? QString() : g_opened.last();
}
const QStringList& Help::topicsOpened() {
    return g_opened;
}
void Help::clearRecorded() {
    g_opened.clear();
}

} // namespace tavrin::platform
