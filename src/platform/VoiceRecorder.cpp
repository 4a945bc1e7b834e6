#include "platform/VoiceRecorder.h"

#include "platform/MessageBox.h"
#include "storage/PrivateFiles.h"
#include "storage/WaveFile.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QFile>
#include <QMediaDevices>

#include <cstring>
#include <optional>

namespace tavrin::platform {
namespace {
std::optional<bool> g_testMode;
QByteArray g_testInput;
bool g_testNoInput = false;
} // namespace

VoiceRecorder::VoiceRecorder(QObject* parent) : QObject(parent) {}

VoiceRecorder::~VoiceRecorder() {
    abort();
}

bool VoiceRecorder::start(QWidget* parent) {
    abort();
    if (testMode()) {
        if (g_testNoInput) {
            MessageBox::warning(kNoInput, parent);
            return false;
        }
        recording_ = true;
        return true;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    QAudioFormat format;
    format.setSampleRate(kRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::UInt8);
    if (device.isNull()) {
        MessageBox::warning(kNoInput, parent);
        return false;
    }
    source_ = new QAudioSource(device, format, this);
    io_ = source_->start();
    if (!io_ || source_->error() != QAudio::NoError) {
        delete source_;
        source_ = nullptr;
        MessageBox::warning(kNoInput, parent);
        return false;
    }
    connect(io_, &QIODevice::readyRead, this, &VoiceRecorder::take);
    recording_ = true;
    return true;
}

void VoiceRecorder::take() {
    if (io_) samples_ += io_->readAll();
}

bool VoiceRecorder::stop(const QString& path, QWidget* parent) {
    if (!recording_) return false;
    if (source_) {
        take();
        source_->stop();
    } else {
        samples_ = g_testInput;
    }
    const QByteArray recorded = samples_;
    abort();
    const std::vector<std::uint8_t> bytes(recorded.begin(), recorded.end());
    const std::string wave = WaveFile::pcm8(bytes, kRate);
    // Plaintext of the diary: a new file that only its owner can read, never written through
    // a link.
    int error = 0;
    if (!PrivateFiles::writeNew(QFile::encodeName(path).toStdString(), wave, error)) {
        MessageBox::warning(QString("The recording could not be saved to %1: %2")
                                .arg(path, QString::fromLocal8Bit(std::strerror(error))),
                            parent);
        return false;
    }
    return true;
}

void VoiceRecorder::abort() {
    if (source_) {
        source_->stop();
        delete source_;
        source_ = nullptr;
    }
    io_.clear();
    samples_.clear();
    recording_ = false;
}

void VoiceRecorder::setTestInput(const QByteArray& samples) {
    g_testInput = samples;
}
void VoiceRecorder::setTestNoInput(bool none) {
    g_testNoInput = none;
}

void VoiceRecorder::setTestMode(bool on) {
    g_testMode = on;
}
bool VoiceRecorder::testMode() {
    return g_testMode.value_or(MessageBox::testMode());
}

} // namespace tavrin::platform
