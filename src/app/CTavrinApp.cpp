#include "app/CTavrinApp.h"

#include "app/CTavrinDlg.h"
#include "app/CTavrinDlgLogo.h"
#include "app/ProgramResources.h"
#include "platform/MessageBox.h"
#include "platform/MessageBoxReporter.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "platform/TempNames.h"
#include "platform/WindowMessages.h"
#include "ui/SkinLoader.h"
#include "ui/SkinStyle.h"
#include "ui/WindowEffects.h"

#include <QApplication>
#include <QFileInfo>
#include <QSessionManager>
#include <QTimer>
#include <QUrl>
#include <QVersionNumber>

#include <cstdio>
#include <cstring>

namespace tavrin::app {

bool CTavrinApp::displayAvailable(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0) platform = argv[i + 1];
    // Plugins such as offscreen or vnc need no display server.
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return true;
#endif
}

bool CTavrinApp::versionSufficient(const QString& running, const QString& built) {
    const QVersionNumber r = QVersionNumber::fromString(running);
    const QVersionNumber b = QVersionNumber::fromString(built);
    return !r.isNull() && QVersionNumber::compare(r, b) >= 0;
}

bool CTavrinApp::checkToolkitVersion(const QString& running, const QString& built) {
    if (versionSufficient(running, built)) return true;
    platform::MessageBox::warning(QString::fromLatin1(kTooOld));
    return false;
}

int CTavrinApp::earlyArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(a, "--version") == 0) {
            std::printf("tavrin %s\n", TAVRIN_VERSION);
            return 0;
        }
        if (std::strncmp(a, "--", 2) == 0 && a[2] != '\0') {
            std::fprintf(stderr, "tavrin: unknown option %s\n%s", a, kUsage);
            return 2;
        }
    }
    return -1;
}

QString CTavrinApp::diaryArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a.isEmpty() || a.startsWith(QChar('-'))) continue;
        // A file manager may hand over a file address instead of a path.
        const QString path = a.startsWith(QStringLiteral("file://")) ? QUrl(a).toLocalFile() : a;
        return QFileInfo(path).absoluteFilePath();
    }
    return QString();
}

int CTavrinApp::run(int argc, char** argv) {
    if (int early = earlyArguments(argc, argv); early >= 0) return early;
    if (!displayAvailable(argc, argv)) {
        std::fprintf(stderr, "%s\n", kNoDisplay);
        return kNoDisplayExit;
    }
    QCoreApplication::setOrganizationName(QString::fromLatin1(platform::SettingsStore::kCompany));
    QCoreApplication::setApplicationName(
        QString::fromLatin1(platform::SettingsStore::kApplication));
    QApplication qapp(argc, argv);
    QApplication::setStyle(new ui::SkinStyle); // the platform's style, readable in dark skins
    // Ties the windows to the desktop entry, for the task bar's icon and grouping.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tavellesuite.Tavrin"));
    // The window may sit in the tray with nothing on screen; only the main window ends the run.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(ProgramResources::programIcon());
    CTavrinApp app(diaryArgument(QCoreApplication::arguments()));
    return app.exec();
}

int CTavrinApp::exec() {
    platform::SingleInstance instance;
    if (!instance.tryLock()) {
        // The copy that runs already comes forward (and opens the diary given to this one);
        // this one ends.
        instance.notifyRunning(2000, startupDiary_);
        return 0;
    }
    // Only now: a recording that the running copy holds is not this copy's to remove.
    platform::TempNames::removeLeftovers();
    platform::MessageBoxReporter::install();

    CTavrinDlgLogo splash;
    ui::WindowEffects::setSplash(&splash);
    splash.showAndWait();
    auto status = [&splash](const QString& text) { splash.setStatus(text); };

    status(QStringLiteral("Retrieving Fonts"));
    ProgramResources::gatherFonts();

    status(QStringLiteral("Registering Messages"));
    platform::WindowMessages::registerAll();

    status(QStringLiteral("Checking Internet Explorer Version"));
    if (!checkToolkitVersion(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR)))
        return 1;

    SkinLoader skins;
    skins.setStatusCallback(status);
    if (!skins.chooseAndLoad()) {
        ui::WindowEffects::closeSplash();
        return 1;
    }

    // The text editor and the embedded controls need no preparation in this toolkit; the
    // steps keep their place in the progress.
    status(QStringLiteral("Initializing Rich Edit"));
    status(QStringLiteral("Initializing Control Container"));

    int result = 0;
    {
        CTavrinDlg main(status);
        connect(&instance, &platform::SingleInstance::activationRequested, &main,
                &CTavrinDlg::activateFromOtherCopy);
        connect(&instance, &platform::SingleInstance::openRequested, &main,
                &CTavrinDlg::openFromOtherCopy);
        main.setStartupDiary(startupDiary_);
        connect(&main, &QDialog::finished, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        // Log-off or shut-down: end and agree.
        connect(qApp, &QGuiApplication::commitDataRequest, &main,
                [&main](QSessionManager&) { main.endProgram(); });
        main.start();
        if (!main.hasEnded() && !startupDiary_.isEmpty())
            QTimer::singleShot(0, &main, [&main, this] { main.openDiaryFile(startupDiary_); });
        if (!main.hasEnded()) result = QApplication::exec();
    }
    ui::WindowEffects::closeSplash();
    ProgramResources::releaseFonts();
    return result;
}

} // namespace tavrin::app
