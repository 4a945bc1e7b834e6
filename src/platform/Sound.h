#pragma once
// Plays wave files (PCM) and the desktop's default beep. A file that is missing or cannot be
// played, or a machine without a sound device, plays nothing and never blocks: a synchronous
// play waits for the end of the sound, at most for the timeout.
//
// Test seam: in test mode (on by default with message-box test mode) nothing is played; every
// request is recorded.

#include <QList>
#include <QString>

namespace tavrin::platform {

struct SoundRecord {
    enum Kind { File, Beep } kind;
    QString path; // for File
    bool synchronous = false;
};

class Sound {
public:
    // Plays the file and returns when it has ended (or after timeoutMs). Input waits meanwhile;
    // timers and painting go on. False when nothing could be played.
    static bool playSync(const QString& path, int timeoutMs = 60000);
    // Starts the file and returns at once; a sound still playing is stopped first. False when
    // the file cannot be played.
    static bool playAsync(const QString& path);
    // Stops an asynchronous sound that is still playing.
    static void stop();
    // The default beep (also the exclamation sound).
    static void beep();

    // ---- test seam ----
    static void setTestMode(bool on); // overrides following the message-box test mode
    static bool testMode();
    static const QList<SoundRecord>& recorded();
    static void clearRecorded();
};

} // namespace tavrin::platform
