#pragma once
// Records from the default sound input: unsigned 8-bit samples, one channel, 11025 per second,
// saved as a PCM wave file when recording stops. A machine without a sound input records
// nothing: start() tells the user so once and returns false.
//
// Test seam: in test mode (following the message-box test mode) no device is opened; a recording
// holds the samples given to setTestInput(), or start() fails as without a device after
// setTestNoInput(true).

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QAudioSource;
class QIODevice;
class QWidget;

namespace tavrin::platform {

class VoiceRecorder : public QObject {
    Q_OBJECT
public:
    static constexpr int kRate = 11025;
    static constexpr const char* kNoInput =
        "No sound input was found, so nothing can be recorded. Connect a microphone or choose "
        "a sound input in the system's sound settings, then try again.";

    explicit VoiceRecorder(QObject* parent = nullptr);
    ~VoiceRecorder() override;

    bool start(QWidget* parent);
    bool isRecording() const { return recording_; }
    // Stops and writes what was recorded to `path` as a new wave file of mode 0600 (whatever
    // was at the name is removed first); false when it cannot be written (the user is told).
    bool stop(const QString& path, QWidget* parent);
    // Stops and throws the recording away.
    void abort();

    // ---- test seam ----
    static void setTestMode(bool on); // overrides following the message-box test mode
    static bool testMode();
    static void setTestInput(const QByteArray& samples);
    static void setTestNoInput(bool none);

private:
    void take();

    bool recording_ = false;
    QAudioSource* source_ = nullptr;
    QPointer<QIODevice> io_;
    QByteArray samples_;
};

} // namespace tavrin::platform
