#pragma once
// Plays a voice note or a recording to its end: a GSM 6.10 or PCM wave file, decoded by the
// storage layer and sent to the default sound output. Without a sound output the user is told
// so once and nothing is played. Input waits while the sound plays; painting goes on.
//
// Test seam: in test mode (following the message-box test mode) nothing is played; each file
// is decoded and recorded with its sample count, and setTestNoOutput(true) acts as a machine
// without a sound output.

#include <QList>
#include <QString>

class QWidget;

namespace tavrin::platform {

struct PlayedVoice {
    QString path;
    int samples = 0;
    int rate = 0;
};

class VoicePlayer {
public:
    static constexpr const char* kNoOutput =
        "No sound output was found, so the voice note cannot be played. Connect speakers or "
        "headphones or choose a sound output in the system's sound settings, then try again.";

    // Whether there is a sound output; without one the user is told so. Callers ask before they
    // change any caption, so that nothing reads "Playing" while the message is shown.
    static bool canPlay(QWidget* parent);
    // False when nothing was played (the user was told why).
    static bool playSync(const QString& path, QWidget* parent);

    // ---- test seam ----
    static void setTestMode(bool on); // overrides following the message-box test mode
    static bool testMode();
    static const QList<PlayedVoice>& played();
    static void clearPlayed();
    static void setTestNoOutput(bool none);
};

} // namespace tavrin::platform
