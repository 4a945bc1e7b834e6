#pragma once
// A private sound server for the tests that play and record for real: pulseaudio with a null
// sink (and, on request, a 440 Hz sine source as the microphone), in the test's own runtime
// folder. It must run before the process first uses a sound device; it is stopped with this
// object, and ends by itself once idle should the test die first.

#include <QProcess>
#include <QString>

namespace tavrin::test {

class SoundServer {
public:
    enum class Start { Running, NotInstalled, Failed };

    ~SoundServer();
    // `why` says what went wrong unless the server runs.
    Start start(bool sineSource, QString& why);

private:
    QProcess server_;
};

} // namespace tavrin::test
