#include "platform/VoicePlayer.h"

#include "platform/MessageBox.h"
#include "storage/GsmVoice.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>

#include <QTimer>
#include <optional>

namespace tavrin::platform {
namespace {
std::optional<bool> g_testMode;
QList<PlayedVoice> g_played;
bool g_testNoOutput = false;
constexpr const char* kUnreadable = "The voice note %1 cannot be played: %2.";
} // namespace

bool VoicePlayer::canPlay(QWidget* parent) {
    if (testMode() ? g_testNoOutput : QMediaDevices::defaultAudioOutput().isNull()) {
        MessageBox::warning(kNoOutput, parent);
        return false;
    }
    return true;
}

bool VoicePlayer::playSync(const QString& path, QWidget* parent) {
    const bool test = testMode();
    if (!canPlay(parent)) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        MessageBox::warning(QString(kUnreadable).arg(path, f.errorString()), parent);
        return false;
    }
    const QByteArray bytes = f.readAll();
    f.close();
    std::vector<std::int16_t> samples;
    std::uint32_t rate = 0;
    VoiceError error;
    if (!GsmVoice::samplesOf(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                             samples, rate, error)) {
        MessageBox::warning(QString::fromStdString(error.text()), parent);
        return false;
    }
    if (test) {
        g_played.append({path, int(samples.size()), int(rate)});
        return true;
    }

    QAudioFormat format;
    format.setSampleRate(int(rate));
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    QByteArray pcm(reinterpret_cast<const char*>(samples.data()),
                   qsizetype(samples.size() * sizeof(std::int16_t)));
    QBuffer buffer(&pcm);
    buffer.open(QIODevice::ReadOnly);
    QAudioSink sink(QMediaDevices::defaultAudioOutput(), format);
    QEventLoop loop;
    QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State s) {
        // Idle: every sample has gone to the device; Stopped: it failed.
        if (s == QAudio::IdleState || s == QAudio::StoppedState) loop.quit();
    });
    // A device that stops taking samples must not hold the program for ever.
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(int(qint64(samples.size()) * 1000 / qMax<qint64>(rate, 1)) + 3000);
    sink.start(&buffer);
    if (sink.error() != QAudio::NoError) {
        MessageBox::warning(kNoOutput, parent);
        return false;
    }
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    sink.stop();
    return true;
}

const QList<PlayedVoice>& VoicePlayer::played() {
    return g_played;
}
void VoicePlayer::clearPlayed() {
    g_played.clear();
}
void VoicePlayer::setTestNoOutput(bool none) {
    g_testNoOutput = none;
}

void VoicePlayer::setTestMode(bool on) {
    g_testMode = on;
}
bool VoicePlayer::testMode() {
    return g_testMode.value_or(MessageBox::testMode());
}

} // namespace tavrin::platform
