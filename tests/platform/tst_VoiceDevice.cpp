// Recording and playing voice notes through real (fake) sound devices: a pulseaudio server with
// a null sink and a 440 Hz sine source. Skipped without pulseaudio.

#include "SoundServer.h"
#include "TestEnvironment.h"
#include "platform/MessageBox.h"
#include "platform/VoicePlayer.h"
#include "platform/VoiceRecorder.h"
#include "storage/GsmVoice.h"
#include "storage/WaveFile.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <vector>

using namespace tavrin;
using namespace tavrin::platform;

namespace {
QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestVoiceDevice : public QObject {
    Q_OBJECT
    tavrin::test::SoundServer server_;

private slots:
    void initTestCase() {
        QString why;
        switch (server_.start(true, why)) {
        case tavrin::test::SoundServer::Start::NotInstalled:
            QSKIP(qPrintable(why));
        case tavrin::test::SoundServer::Start::Failed:
            QFAIL(qPrintable(why));
        case tavrin::test::SoundServer::Start::Running:
            break;
        }
        VoiceRecorder::setTestMode(false);
        VoicePlayer::setTestMode(false);
        if (QMediaDevices::audioInputs().isEmpty() || QMediaDevices::audioOutputs().isEmpty())
            QSKIP("the sound server offers no input or output");
    }
    void recordsTheSoundInputAndPlaysItsNoteBack() {
        VoiceRecorder recorder;
        QVERIFY(recorder.start(nullptr));
        QTest::qWait(1500);
        const QString path = tavrin::test::scratchDir() + "/recorded.wav";
        QVERIFY(recorder.stop(path, nullptr));
        QCOMPARE(MessageBox::recorded().size(), 0);

        const QByteArray bytes = readAll(path);
        const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
        WaveImage wave;
        VoiceError error;
        QVERIFY(WaveFile::parse(view, wave, error));
        QCOMPARE(wave.format.bitsPerSample, 8);
        QCOMPARE(wave.format.channels, 1);
        QCOMPARE(wave.format.rate, 11025u);
        std::vector<std::int16_t> s;
        QVERIFY(WaveFile::monoSamples(wave, s));
        QVERIFY2(s.size() > 5000, qPrintable(QString::number(s.size())));
        // The sine, counted by its rising zero crossings over the last half second.
        const std::size_t from = s.size() - 5512;
        int rising = 0;
        std::size_t first = 0, last = 0;
        for (std::size_t i = from + 1; i < s.size(); ++i)
            if (s[i - 1] < 0 && s[i] >= 0) {
                if (rising++ == 0) first = i;
                last = i;
            }
        QVERIFY(rising > 10);
        const double hz = double(rising - 1) * 11025 / double(last - first);
        QVERIFY2(std::abs(hz - 440) < 440 * 0.02, qPrintable(QString::number(hz)));

        // Compressed as the diary stores it, and played to its end.
        std::string gsm;
        QVERIFY(GsmVoice::compress(view, gsm, error));
        const QString note = tavrin::test::scratchDir() + "/note.wav";
        QFile f(note);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(gsm.data(), qint64(gsm.size()));
        f.close();
        QVERIFY(VoicePlayer::playSync(note, nullptr));
        QCOMPARE(MessageBox::recorded().size(), 0);
    }
};

QTEST_MAIN(TestVoiceDevice)
#include "tst_VoiceDevice.moc"
