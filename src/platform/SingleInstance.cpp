#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace tavrin::platform {
namespace {
const QByteArray kActivate = "activate\n";
const QByteArray kOpen = "open ";
} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name_(name) {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
    if (lock_) lock_->unlock();
}

QString SingleInstance::sanitized(const QString& name) {
    QString out;
    for (QChar c : name) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        out += safe ? c : QChar('_');
    }
    if (out.isEmpty() || out.startsWith('.')) out.prepend('_');
    return out;
}

QString SingleInstance::runtimeDir() {
    // XDG_RUNTIME_DIR is private to the user; without it, a folder of our own under temp.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/tavrin-") + qEnvironmentVariable("USER");
    QDir().mkpath(dir);
    return dir;
}

QString SingleInstance::lockFilePath() const {
    return QDir(runtimeDir()).filePath(sanitized(name_) + ".lock");
}

QString SingleInstance::serverName() const {
    // A full path keeps the socket out of the shared temporary folder.
    return QDir(runtimeDir()).filePath(sanitized(name_) + ".socket");
}

bool SingleInstance::tryLock() {
    if (primary_) return true;
    lock_ = std::make_unique<QLockFile>(lockFilePath());
    lock_->setStaleLockTime(0); // stale only when its process is gone, however long it ran
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    primary_ = true;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(serverName()); // left behind by a copy that crashed
    if (!server_->listen(serverName())) {
        // The lock alone still keeps other copies out; they just cannot wake this one.
        qWarning("SingleInstance: cannot listen on %s: %s", qPrintable(serverName()),
                 qPrintable(server_->errorString()));
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* s = server_->nextPendingConnection()) {
        // The message may already be buffered, arrive later, or arrive together with the
        // hang-up; look at it on every occasion, once.
        auto handle = [this, s] {
            if (s->property("handled").toBool() || !s->canReadLine()) return;
            s->setProperty("handled", true);
            const QByteArray line = s->readLine();
            // Acted on once the socket's handler has returned: opening a diary runs the
            // password prompt's event loop, in which the hang-up deletes this socket.
            if (line == kActivate) {
                QMetaObject::invokeMethod(
                    this, [this] { emit activationRequested(); }, Qt::QueuedConnection);
            } else if (line.startsWith(kOpen) && line.endsWith('\n')) {
                const QString path = QString::fromUtf8(line.mid(kOpen.size()).chopped(1));
                if (!path.isEmpty())
                    QMetaObject::invokeMethod(
                        this, [this, path] { emit openRequested(path); }, Qt::QueuedConnection);
            }
        };
        connect(s, &QLocalSocket::readyRead, this, handle);
        connect(s, &QLocalSocket::disconnected, this, [s, handle] {
            handle();
            s->deleteLater();
        });
        handle();
    }
}

bool SingleInstance::notifyRunning(int timeoutMs, const QString& path) {
    // One line carries the message: a path that holds a line break cannot be sent.
    if (path.contains(QChar('\n'))) return false;
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(path.isEmpty() ? kActivate : kOpen + path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
    return true;
}

} // namespace tavrin::platform
