// Playing wave files through a real (null) sound device. Needs pulseaudio; skipped without it.

#include "TestEnvironment.h"
#include "WaveFixture.h"
#include "platform/Sound.h"

#include <QAudioDevice>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace tavrin::platform;

namespace {
// A tone of the given length.
QString writeWave(const QString& name, int milliseconds) {
    const QString path = tavrin::test::scratchDir() + "/" + name;
    tavrin::test::writePcmWave(path, tavrin::test::pcmSamples(11025 * milliseconds / 1000, true));
    return path;
}
} // namespace

class TestSoundDevice : public QObject {
    Q_OBJECT
    QProcess server_;

private slots:
    void initTestCase() {
        const QString pulse = QStandardPaths::findExecutable("pulseaudio");
        if (pulse.isEmpty()) QSKIP("pulseaudio is not installed");
        // The server must be up before the first use of the sound devices in this process. It
        // ends by itself once idle, should this test die before stopping it.
        const QString root = tavrin::test::scratchDir();
        QFile conf(root + "/test.pa");
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("load-module module-native-protocol-unix\nload-module module-null-sink\n");
        conf.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", root + "/home");
        server_.setProcessEnvironment(env);
        server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server_.start(pulse,
                      {"-n", "-F", root + "/test.pa", "--daemonize=no", "--exit-idle-time=10"});
        QVERIFY(server_.waitForStarted());
        const QString socket = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/pulse/native";
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 10000);
        Sound::setTestMode(false);
        if (QMediaDevices::audioOutputs().isEmpty()) QSKIP("the sound server offers no output");
    }
    void cleanupTestCase() {
        Sound::stop();
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(5000)) server_.kill();
        }
    }

    void synchronousPlayWaitsForTheEnd() {
        const QString wav = writeWave("half.wav", 600);
        QElapsedTimer t;
        t.start();
        QVERIFY(Sound::playSync(wav, 10000));
        const qint64 ms = t.elapsed();
        QVERIFY2(ms >= 400 && ms < 5000, qPrintable(QString::number(ms)));
    }

    void synchronousPlayGivesUpAtTheTimeout() {
        const QString wav = writeWave("long.wav", 4000);
        QElapsedTimer t;
        t.start();
        Sound::playSync(wav, 500);
        QVERIFY2(t.elapsed() < 2500, qPrintable(QString::number(t.elapsed())));
    }

    void asynchronousPlayReturnsAtOnce() {
        const QString wav = writeWave("async.wav", 1500);
        QElapsedTimer t;
        t.start();
        QVERIFY(Sound::playAsync(wav));
        QVERIFY(Sound::playAsync(wav)); // replaces the first
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
        QTest::qWait(200);
        Sound::stop();
        QVERIFY(!Sound::playAsync(wav + ".missing"));
    }

    void aFileThatIsNoWaveIsRefused() {
        const QString bad = tavrin::test::scratchDir() + "/bad.wav";
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is no sound at all");
        f.close();
        QElapsedTimer t;
        t.start();
        QVERIFY(!Sound::playSync(bad, 5000));
        QVERIFY2(t.elapsed() < 4000, qPrintable(QString::number(t.elapsed())));
    }
};

QTEST_MAIN(TestSoundDevice)
#include "tst_SoundDevice.moc"
