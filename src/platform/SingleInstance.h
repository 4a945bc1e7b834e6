#pragma once
// Lets only one copy of the program run per user. The first copy takes a lock file and listens
// on a local socket, both named after the lock name "Tavelle v3.10" in the user's runtime
// folder. A later copy fails to take the lock, calls notifyRunning() and ends; the first copy
// then emits activationRequested() (the main window restores itself, beeps and flashes).
//
// A lock or socket left behind by a crashed copy is taken over.

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace tavrin::platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kDefaultName = "Tavelle v3.10";

    explicit SingleInstance(const QString& name = QString::fromLatin1(kDefaultName),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // True for the first copy: it now holds the lock until this object is destroyed.
    bool tryLock();
    bool isPrimary() const { return primary_; }
    // Asks the copy that holds the lock to come forward, and to open the diary at `path`
    // (absolute) when one is given; false when none answered or the path cannot be sent.
    bool notifyRunning(int timeoutMs = 2000, const QString& path = QString());

    // The per-user folder holding the lock and the socket, and their paths.
    static QString runtimeDir();
    QString lockFilePath() const;
    QString serverName() const;
    // The name reduced to characters that are safe in a file name:
    // "Tavelle v3.10" -> "Tavelle_v3.10".
    static QString sanitized(const QString& name);

signals:
    void activationRequested();
    void openRequested(const QString& path);

private:
    void onNewConnection();

    QString name_;
    bool primary_ = false;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

} // namespace tavrin::platform
