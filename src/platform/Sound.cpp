#include "platform/Sound.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QAudioDevice>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <optional>

namespace tavrin::platform {
namespace {
std::optional<bool> g_testMode;
QList<SoundRecord> g_recorded;
QPointer<QSoundEffect> g_async;

bool playable(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
    // No sound device (no sound server): nothing would be heard, and waiting would be for nothing.
    return !QMediaDevices::audioOutputs().isEmpty();
}

// Waits until the effect has loaded (or failed); false on failure or timeout.
bool waitLoaded(QSoundEffect& effect, int timeoutMs) {
    if (effect.status() == QSoundEffect::Ready) return true;
    if (effect.status() == QSoundEffect::Error) return false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Ready || effect.status() == QSoundEffect::Error)
            loop.quit();
    });
    timer.start(timeoutMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return effect.status() == QSoundEffect::Ready;
}
} // namespace

bool Sound::playSync(const QString& path, int timeoutMs) {
    if (testMode()) {
        g_recorded.append({SoundRecord::File, path, true});
        return QFileInfo(path).isFile();
    }
    if (!playable(path)) return false;
    stop();
    QSoundEffect effect;
    effect.setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(timeoutMs);
    if (!waitLoaded(effect, timeoutMs)) return false;

    QEventLoop loop;
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect.isPlaying()) loop.quit();
    });
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Error) loop.quit();
    });
    effect.play();
    // The user waits for the sound, as with any synchronous play; input is held back meanwhile.
    if (deadline.isActive() && effect.isPlaying()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    effect.stop();
    return effect.status() != QSoundEffect::Error;
}

bool Sound::playAsync(const QString& path) {
    if (testMode()) {
        g_recorded.append({SoundRecord::File, path, false});
        return QFileInfo(path).isFile();
    }
    stop();
    if (!playable(path)) return false;
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    g_async = effect;
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying() && effect->status() == QSoundEffect::Ready) effect->deleteLater();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Ready && !effect->isPlaying())
            effect->play();
        else if (effect->status() == QSoundEffect::Error)
            effect->deleteLater();
    });
    effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (effect->status() == QSoundEffect::Ready) effect->play();
    return true;
}

void Sound::stop() {
    if (g_async) {
        g_async->stop();
        g_async->deleteLater();
        g_async.clear();
    }
}

void Sound::beep() {
    if (testMode()) {
        g_recorded.append({SoundRecord::Beep, QString(), false});
        return;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

void Sound::setTestMode(bool on) {
    g_testMode = on;
}
bool Sound::testMode() {
    return g_testMode.value_or(MessageBox::testMode());
}
const QList<SoundRecord>& Sound::recorded() {
    return g_recorded;
}
void Sound::clearRecorded() {
    g_recorded.clear();
}

} // namespace tavrin::platform
