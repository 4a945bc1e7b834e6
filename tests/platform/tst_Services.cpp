// Smaller stand-ins: data folders, temporary names, the clock, the shell, sounds and the restart.

#include "TestEnvironment.h"
#include "WaveFixture.h"
#include "platform/Clock.h"
#include "platform/DataPaths.h"
#include "platform/MessageBox.h"
#include "platform/RestartProgram.h"
#include "platform/ShellOpen.h"
#include "platform/Sound.h"
#include "platform/TempNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin::platform;

namespace {
void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
}

// A short PCM wave file of silence.
void writeWave(const QString& path, int samples) {
    QVERIFY(tavrin::test::writePcmWave(path, tavrin::test::pcmSamples(samples)));
}
} // namespace

class TestServices : public QObject {
    Q_OBJECT
private slots:
    void init() {
        MessageBox::setTestMode(true);
        DataPaths::reset();
        ShellOpen::clearRecorded();
        Sound::clearRecorded();
        RestartProgram::clearRecorded();
        Clock::clearFixed();
    }

    void dataFilesBesideTheProgramComeFirst() {
        QTemporaryDir root;
        const QString bin = root.path() + "/bin", share = root.path() + "/share/tavrin";
        touch(share + "/TIPS.TXT");
        touch(share + "/TNSkins/Corvel Windows.TNS");
        DataPaths::setProgramDir(bin);
        DataPaths::setInstalledDataDir(share);
        QCOMPARE(DataPaths::searchDirs(), (QStringList{bin, share}));
        QCOMPARE(DataPaths::find("TIPS.TXT"), share + "/TIPS.TXT");
        QCOMPARE(DataPaths::find("TNSkins"), share + "/TNSkins");
        touch(bin + "/TIPS.TXT");
        QCOMPARE(DataPaths::find("TIPS.TXT"), bin + "/TIPS.TXT");
        QCOMPARE(DataPaths::find("TNSkins/Corvel Windows.TNS"),
                 share + "/TNSkins/Corvel Windows.TNS");
        QVERIFY(DataPaths::find("help").isEmpty());
        QVERIFY(DataPaths::find("").isEmpty());
    }

    void realPlacesStartBesideTheExecutable() {
        QCOMPARE(DataPaths::programDir(), QCoreApplication::applicationDirPath());
        QCOMPARE(DataPaths::programPath(), QCoreApplication::applicationFilePath());
        const QStringList dirs = DataPaths::searchDirs();
        QCOMPARE(dirs.first(), QDir::cleanPath(QCoreApplication::applicationDirPath()));
        QVERIFY(dirs.contains(
            QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/tavrin")));
        QVERIFY(dirs.last().endsWith("/share/tavrin"));
        QVERIFY(QDir::isAbsolutePath(dirs.last()));
    }

    // Fixed names, in a folder of the session's that only its user can open: no other user
    // reads a recording there or plants anything under its name.
    void tempNamesAreFixedPerPrefixInAPrivateFolder() {
        const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/tavrin";
        QCOMPARE(TempNames::prefixes().size(), 11);
        QSet<QString> seen;
        for (const QString& p : TempNames::prefixes()) {
            const QString path = TempNames::path(p);
            QCOMPARE(path, folder + "/" + p + "300.tmp");
            QCOMPARE(TempNames::path(p), path);
            seen.insert(path);
        }
        QCOMPARE(seen.size(), 11);
        QCOMPARE(TempNames::path("TNVX"), folder + "/TNV300.tmp");
        QCOMPARE(tavrin::test::fileMode(folder), 0700);
    }

    // What a run that ended abruptly left is gone at the next start: the names of every
    // prefix, the temporary file of an extraction cut short, and this user's files at the shared
    // names of earlier versions. Nothing else is touched.
    void leftoversAreRemovedAtStartUp() {
        const QString shared = tavrin::test::scratchDir() + "/shared-tmp";
        QVERIFY(QDir().mkpath(shared));
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(shared));
        const auto restore = qScopeGuard(
            [&] { oldTemp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", oldTemp); });
        const QString folder = TempNames::folder();
        const QStringList gone = {folder + "/TNV300.tmp", folder + "/TNG300.tmp",
                                  folder + "/TNV300.tmp.tmp-Ab12Cd", shared + "/TNV300.tmp"};
        const QStringList kept = {folder + "/TNVcli-1.tmp", folder + "/notes.txt"};
        for (const QString& p : gone + kept)
            touch(p);
        TempNames::removeLeftovers();
        for (const QString& p : gone)
            QVERIFY2(!QFileInfo::exists(p), qPrintable(p));
        for (const QString& p : kept)
            QVERIFY2(QFileInfo::exists(p), qPrintable(p));
    }

    void freshTempNameClearsALeftover() {
        const QString p = TempNames::path("TNG");
        touch(p);
        QCOMPARE(TempNames::fresh("TNG"), p);
        QVERIFY(!QFileInfo::exists(p));
        // A link planted there is removed, not followed.
        const QString victim = tavrin::test::scratchDir() + "/victim.txt";
        touch(victim);
        QVERIFY(QFile::link(victim, p));
        QCOMPARE(TempNames::fresh("TNG"), p);
        QVERIFY(!QFileInfo(p).isSymLink());
        QVERIFY(QFileInfo::exists(victim));
    }

    void shellOpenRecordsWhatWouldOpen() {
        QVERIFY(ShellOpen::mail("someone@example.org"));
        QVERIFY(ShellOpen::mail("mailto:other@example.org"));
        QVERIFY(ShellOpen::openUrl("www.example.org"));
        QVERIFY(ShellOpen::openUrl("https://example.org/a?b=c"));
        QVERIFY(ShellOpen::runProgram("/opt/convert", {"--from", "3.0"}));
        QVERIFY(ShellOpen::openUrl("localhost:8080/forum"));
        QVERIFY(!ShellOpen::openUrl("   "));
        QVERIFY(!ShellOpen::mail(""));
        QVERIFY(!ShellOpen::runProgram(""));
        const auto& r = ShellOpen::recorded();
        QCOMPARE(r.size(), 6);
        QCOMPARE(r[0].target, QString("mailto:someone@example.org"));
        QCOMPARE(r[1].target, QString("mailto:other@example.org"));
        QCOMPARE(r[2].target, QString("http://www.example.org"));
        QCOMPARE(r[3].target, QString("https://example.org/a?b=c"));
        QCOMPARE(r[4].kind, ShellRequest::Program);
        QCOMPARE(r[4].arguments, (QStringList{"--from", "3.0"}));
        QCOMPARE(r[5].target, QString("http://localhost:8080/forum"));
    }

    // Playing for real must never hang: a missing file, or no sound device at all.
    void realPlayingNeverHangs() {
        Sound::setTestMode(false);
        const QString wav = tavrin::test::scratchDir() + "/short.wav";
        writeWave(wav, 2205); // 0.2 s
        QVERIFY(!Sound::playSync(wav + ".missing", 5000));
        QVERIFY(!Sound::playAsync(wav + ".missing"));
        Sound::playSync(wav, 5000); // played, or refused without a device
        Sound::playAsync(wav);
        Sound::stop();
        Sound::beep();
        Sound::setTestMode(MessageBox::testMode());
        QVERIFY(Sound::recorded().isEmpty());
    }

    // The helper really waits for the process to end before it starts the program.
    void restartWaitsForTheProcessToEnd() {
        MessageBox::setTestMode(false);
        QVERIFY(!RestartProgram::scheduleAfterExit(QString()));
        QProcess waiter;
        waiter.start("sleep", {"1"});
        QVERIFY(waiter.waitForStarted());
        const QString marker = tavrin::test::scratchDir() + "/restarted it's $HOME";
        QVERIFY(RestartProgram::scheduleAfterProcess(waiter.processId(), "/usr/bin/touch", {marker},
                                                     10));
        MessageBox::setTestMode(true);
        QTest::qWait(400);
        QVERIFY(!QFileInfo::exists(marker));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(marker), 8000);
        QCOMPARE(waiter.state(), QProcess::NotRunning);
    }
};

QTEST_MAIN(TestServices)
#include "tst_Services.moc"
