// Only one copy runs; a second copy wakes the first.

#include "TestEnvironment.h"
#include "platform/SingleInstance.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTest>
#include <QTimer>

using namespace tavrin::platform;

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void namesAreSafeAndPrivate() {
        QCOMPARE(SingleInstance::sanitized("Tavelle v3.10"), QString("Tavelle_v3.10"));
        QCOMPARE(SingleInstance::sanitized("../x"), QString("_.._x"));
        SingleInstance s;
        // Both live in the user's runtime folder, never loose in the shared temporary folder.
        QVERIFY(s.lockFilePath().startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR")));
        QVERIFY(s.serverName().startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR")));
        QVERIFY(s.lockFilePath().endsWith("Tavelle_v3.10.lock"));
    }

    void secondCopyFailsAndWakesTheFirst() {
        SingleInstance first("Tavelle test one");
        QVERIFY(first.tryLock());
        QVERIFY(first.isPrimary());
        QSignalSpy spy(&first, &SingleInstance::activationRequested);

        SingleInstance second("Tavelle test one");
        QVERIFY(!second.tryLock());
        QVERIFY(!second.isPrimary());
        QVERIFY(second.notifyRunning());
        QTRY_COMPARE(spy.count(), 1);

        // Each new copy wakes it again.
        SingleInstance third("Tavelle test one");
        QVERIFY(!third.tryLock());
        QVERIFY(third.notifyRunning());
        QTRY_COMPARE(spy.count(), 2);

        // A copy started with a diary hands its path over, spaces and all, and wakes nobody
        // else; a path with a line break cannot be sent at all.
        QSignalSpy opens(&first, &SingleInstance::openRequested);
        SingleInstance fourth("Tavelle test one");
        QVERIFY(!fourth.tryLock());
        QVERIFY(fourth.notifyRunning(2000, "/home/ann/My Diaries/Jöurnal.tni"));
        QTRY_COMPARE(opens.count(), 1);
        QCOMPARE(opens.at(0).at(0).toString(), QString("/home/ann/My Diaries/Jöurnal.tni"));
        QVERIFY(!fourth.notifyRunning(2000, "/tmp/a\nb.tni"));
        QTest::qWait(100);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(opens.count(), 1);
    }

    // Opening the diary asks for its password: a nested event loop runs while the request is
    // being handled, and the sender hangs up meanwhile.
    void requestSurvivesANestedLoopAndAHangUp() {
        SingleInstance first("Tavelle test five");
        QVERIFY(first.tryLock());
        QLocalSocket client;
        QStringList opened;
        bool hungUp = false;
        connect(&first, &SingleInstance::openRequested, this, [&](const QString& path) {
            opened << path;
            client.disconnectFromServer();
            QEventLoop prompt;
            QTimer::singleShot(300, &prompt, &QEventLoop::quit);
            prompt.exec();
            hungUp = client.state() == QLocalSocket::UnconnectedState;
        });
        client.connectToServer(first.serverName());
        QVERIFY(client.waitForConnected(2000));
        client.write("open /home/ann/diary.tni\n");
        QVERIFY(client.waitForBytesWritten(2000));
        QTRY_COMPARE(opened, QStringList{"/home/ann/diary.tni"});
        QTRY_VERIFY(hungUp);
        // Still listening: the next copy is heard.
        QSignalSpy spy(&first, &SingleInstance::activationRequested);
        SingleInstance second("Tavelle test five");
        QVERIFY(second.notifyRunning());
        QTRY_COMPARE(spy.count(), 1);
    }

    void lockIsFreeAfterTheFirstEnds() {
        {
            SingleInstance a("Tavelle test two");
            QVERIFY(a.tryLock());
        }
        SingleInstance b("Tavelle test two");
        QVERIFY(b.tryLock());
    }

    void nobodyToNotify() {
        SingleInstance lone("Tavelle test nobody");
        QVERIFY(!lone.notifyRunning(200));
    }

    // A crash leaves the lock file and the socket file behind; the next start takes both over.
    void leftoversOfACrashAreTakenOver() {
        SingleInstance probe("Tavelle test three");
        // A process that has already ended stands in for the crashed copy.
        QProcess gone;
        gone.start("sleep", {"0.1"});
        QVERIFY(gone.waitForStarted());
        const qint64 deadPid = gone.processId();
        QVERIFY(gone.waitForFinished());
        QFile lock(probe.lockFilePath());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\ntavrin\n" +
                   QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        QFile sock(probe.serverName());
        QVERIFY(sock.open(QIODevice::WriteOnly));
        sock.close();

        SingleInstance next("Tavelle test three");
        QVERIFY(next.tryLock());
        QSignalSpy spy(&next, &SingleInstance::activationRequested);
        SingleInstance later("Tavelle test three");
        QVERIFY(!later.tryLock());
        QVERIFY(later.notifyRunning());
        QTRY_COMPARE(spy.count(), 1);
    }

    // A real second process, as when the user starts the program again.
    void secondProcessWakesTheFirst() {
        const QString python = QStandardPaths::findExecutable("python3");
        if (python.isEmpty()) QSKIP("python3 is not installed");
        SingleInstance first("Tavelle test four");
        QVERIFY(first.tryLock());
        QSignalSpy spy(&first, &SingleInstance::activationRequested);
        // The other copy only needs to connect and say its one line.
        const QString script = QStringLiteral("import socket,sys\n"
                                              "s=socket.socket(socket.AF_UNIX)\n"
                                              "s.connect(sys.argv[1])\n"
                                              "s.sendall(b'activate\\n')\n"
                                              "s.close()\n");
        QProcess other;
        other.start(python, {"-c", script, first.serverName()});
        QVERIFY(other.waitForStarted());
        QTRY_VERIFY(other.state() == QProcess::NotRunning);
        QCOMPARE(other.exitCode(), 0);
        QTRY_COMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
