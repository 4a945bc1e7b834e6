// Playing wave files through a real (null) sound device. Needs pulseaudio; skipped without it.

#include "SoundServer.h"
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
    tavrin::test::SoundServer server_;

private slots:
    void initTestCase() {
        QString why;
        switch (server_.start(false, why)) {
        case tavrin::test::SoundServer::Start::NotInstalled:
            QSKIP(qPrintable(why));
        case tavrin::test::SoundServer::Start::Failed:
            QFAIL(qPrintable(why));
        case tavrin::test::SoundServer::Start::Running:
            break;
        }
        Sound::setTestMode(false);
        if (QMediaDevices::audioOutputs().isEmpty()) QSKIP("the sound server offers no output");
    }
    void cleanupTestCase() { Sound::stop(); }

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
