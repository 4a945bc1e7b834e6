#include "SoundServer.h"

#include "TestEnvironment.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace tavrin::test {

SoundServer::~SoundServer() {
    if (server_.state() == QProcess::NotRunning) return;
    server_.terminate();
    if (!server_.waitForFinished(5000)) server_.kill();
}

SoundServer::Start SoundServer::start(bool sineSource, QString& why) {
    const QString pulse = QStandardPaths::findExecutable("pulseaudio");
    if (pulse.isEmpty()) {
        why = "pulseaudio is not installed";
        return Start::NotInstalled;
    }
    const QString root = scratchDir();
    const QString script = root + "/sound-server.pa";
    QFile conf(script);
    if (!conf.open(QIODevice::WriteOnly)) {
        why = "cannot write " + script;
        return Start::Failed;
    }
    conf.write("load-module module-native-protocol-unix\nload-module module-null-sink\n");
    if (sineSource) conf.write("load-module module-sine-source frequency=440\n");
    conf.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", root + "/home");
    server_.setProcessEnvironment(env);
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server_.start(pulse, {"-n", "-F", script, "--daemonize=no", "--exit-idle-time=10"});
    if (!server_.waitForStarted()) {
        why = "pulseaudio did not start";
        return Start::Failed;
    }
    const QString socket = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/pulse/native";
    for (int waited = 0; !QFile::exists(socket); waited += 50) {
        if (waited >= 10000) {
            why = "pulseaudio opened no socket at " + socket;
            return Start::Failed;
        }
        QTest::qWait(50);
    }
    return Start::Running;
}

} // namespace tavrin::test
