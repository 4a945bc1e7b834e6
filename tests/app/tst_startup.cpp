// The start of the program: the checks before anything is shown, the splash and its progress,
// what is gathered for every window, and the program itself started without a display or as a
// second copy.

#include "ShellFakes.h"
#include "app/CTavrinApp.h"
#include "app/CTavrinDlg.h"
#include "app/CTavrinDlgLogo.h"
#include "app/ProgramResources.h"
#include "platform/SingleInstance.h"
#include "ui/WindowEffects.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QMap>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QSignalSpy>

using namespace tavrin;
using namespace tavrin::app;
using namespace tavrin::test;
using platform::MessageBox;

namespace {

QString programPath() {
    return QDir(qEnvironmentVariable("TAVRIN_TEST_BUILD")).filePath("bin/tavrin");
}

// Sets or removes environment variables for the life of the object.
class EnvGuard {
public:
    ~EnvGuard() {
        for (auto it = saved_.cbegin(); it != saved_.cend(); ++it) {
            if (it.value().isNull())
                qunsetenv(it.key().constData());
            else
                qputenv(it.key().constData(), it.value());
        }
    }
    void set(const char* name, const QByteArray& value) {
        remember(name);
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

private:
    void remember(const char* name) {
        if (!saved_.contains(name))
            saved_.insert(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
    }
    QMap<QByteArray, QByteArray> saved_;
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { loadShippedSkin(); }
    void init() { resetShellState(); }

    void toolkitVersionCheck() {
        QVERIFY(CTavrinApp::versionSufficient("6.4.2", "6.4.2"));
        QVERIFY(CTavrinApp::versionSufficient("6.4.3", "6.4.2"));
        QVERIFY(CTavrinApp::versionSufficient("6.10.0", "6.4.2")); // by number, not by text
        QVERIFY(!CTavrinApp::versionSufficient("6.4.1", "6.4.2"));
        QVERIFY(!CTavrinApp::versionSufficient("5.15.8", "6.4.2"));
        QVERIFY(!CTavrinApp::versionSufficient("", "6.4.2")); // unreadable counts as too old
        QVERIFY(CTavrinApp::versionSufficient(qVersion(), QT_VERSION_STR));

        QVERIFY(CTavrinApp::checkToolkitVersion("6.4.2", "6.4.2"));
        QVERIFY(MessageBox::recorded().isEmpty());
        QVERIFY(!CTavrinApp::checkToolkitVersion("6.3.9", "6.4.2"));
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList{"You need Internet Explorer v4.0 or above!"});
        QCOMPARE(MessageBox::recorded().first().icon, platform::MsgIcon::Warning);
    }

    void displayCheck() {
        EnvGuard env;
        env.set("DISPLAY", QByteArray());
        env.set("WAYLAND_DISPLAY", QByteArray());
        env.set("QT_QPA_PLATFORM", QByteArray());
        QVERIFY(!CTavrinApp::displayAvailable());
        env.set("QT_QPA_PLATFORM", "xcb");
        QVERIFY(!CTavrinApp::displayAvailable());
        env.set("QT_QPA_PLATFORM", "offscreen");
        QVERIFY(CTavrinApp::displayAvailable());
        env.set("QT_QPA_PLATFORM", "xcb");
        char prog[] = "tavrin", opt[] = "-platform", plugin[] = "offscreen";
        char* argv[] = {prog, opt, plugin, nullptr};
        QVERIFY(CTavrinApp::displayAvailable(3, argv));
        env.set("DISPLAY", ":7");
        QVERIFY(CTavrinApp::displayAvailable());
        env.set("DISPLAY", QByteArray());
        env.set("WAYLAND_DISPLAY", "wayland-0");
        QVERIFY(CTavrinApp::displayAvailable());
    }

    void programWithoutADisplaySaysSo() {
        QVERIFY2(QFileInfo(programPath()).isExecutable(), "build the tavrin target first");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
        p.setProcessEnvironment(env);
        p.start(programPath(), {});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), CTavrinApp::kNoDisplayExit);
        const QByteArray err = p.readAllStandardError();
        QCOMPARE(err.count('\n'), 1);
        QVERIFY(err.contains("no display"));
    }

    void secondCopyWakesTheFirstAndEnds() {
        QVERIFY2(QFileInfo(programPath()).isExecutable(), "build the tavrin target first");
        // This test stands in for the copy that runs already.
        platform::SingleInstance first;
        QVERIFY(first.tryLock());
        QSignalSpy woken(&first, &platform::SingleInstance::activationRequested);
        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment(); // same runtime folder
        env.insert("QT_QPA_PLATFORM", "offscreen");
        second.setProcessEnvironment(env);
        second.start(programPath(), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(woken.count(), 1);
    }

    // A second copy started with a diary (as a file manager starts it) hands the diary's
    // absolute path to the first; --version answers without a display.
    void secondCopyPassesItsDiaryOn() {
        platform::SingleInstance first;
        QVERIFY(first.tryLock());
        QSignalSpy opens(&first, &platform::SingleInstance::openRequested);
        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        second.setProcessEnvironment(env);
        second.setWorkingDirectory(QDir::tempPath());
        second.start(programPath(), {"-platform", "offscreen", "My Diary.tni"});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(opens.count(), 1);
        QCOMPARE(opens.at(0).at(0).toString(), QDir::temp().filePath("My Diary.tni"));

        env.remove("DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
        second.setProcessEnvironment(env);
        second.start(programPath(), {"--version"});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(second.readAllStandardOutput().startsWith("tavrin 3."));
        second.start(programPath(), {"--bogus"});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 2);
    }

    void diaryArgumentIsTheFirstNonOption() {
        const QString cwd = QDir::currentPath();
        QCOMPARE(CTavrinApp::diaryArgument({"tavrin"}), QString());
        QCOMPARE(CTavrinApp::diaryArgument({"tavrin", "-x", "/d/a.tni", "b.tni"}),
                 QString("/d/a.tni"));
        QCOMPARE(CTavrinApp::diaryArgument({"tavrin", "rel/a.tni"}), cwd + "/rel/a.tni");
        QCOMPARE(CTavrinApp::diaryArgument({"tavrin", "file:///d/My%20Diary.tni"}),
                 QString("/d/My Diary.tni"));
    }

    void splashCountsTheSteps() {
        CTavrinDlgLogo logo;
        QCOMPARE(logo.status(), QString("Loading Tavelle Suite..."));
        QCOMPARE(logo.progress(), 0);
        auto* bar = logo.findChild<QProgressBar*>("progress");
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 43);
        QVERIFY(logo.windowFlags() & Qt::FramelessWindowHint);

        logo.showAndWait();
        QVERIFY(logo.isVisible());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(logo.geometry().center(), screen.center());

        // The whole start, status by status.
        QStringList seen;
        auto status = [&](const QString& s) {
            logo.setStatus(s);
            seen << s;
        };
        status("Retrieving Fonts");
        status("Registering Messages");
        status("Checking Internet Explorer Version");
        SkinLoader loader(QDir(qEnvironmentVariable("TAVRIN_TEST_BUILD")).filePath("bin/TNSkins"));
        loader.setStatusCallback(status);
        QVERIFY(loader.load("Corvel Windows"));
        QCOMPARE(logo.status(), QString("Loading body_front.tns"));
        status("Initializing Rich Edit");
        status("Initializing Control Container");
        registerFakeModule();
        {
            CTavrinDlg dlg(status);
            QCOMPARE(seen.mid(seen.size() - 3),
                     (QStringList{"Computing Transparency", "Loading Main Buttons",
                                  "Creating Main Windows"}));
        }
        QCOMPARE(logo.progress(), int(seen.size()));
        QVERIFY(logo.progress() <= 43);
        QCOMPARE(logo.status(), QString("Creating Main Windows"));
        // More steps than the bar holds stop at its end.
        for (int i = 0; i < 10; ++i)
            logo.setStatus("x");
        QCOMPARE(logo.progress(), 43);
    }

    void fontListHoldsWritingFaces() {
        ProgramResources::gatherFonts();
        const QStringList fonts = ProgramResources::fontList();
        QVERIFY(!fonts.isEmpty());
        QVERIFY(fonts.contains("DejaVu Sans"));
        QStringList sorted = fonts;
        sorted.sort(Qt::CaseInsensitive);
        QCOMPARE(fonts, sorted);
        for (const QString& f : fonts) {
            QVERIFY2(QFontDatabase::isScalable(f), qPrintable(f));
            const auto systems = QFontDatabase::writingSystems(f);
            QVERIFY2(!(systems.contains(QFontDatabase::Symbol) &&
                       !systems.contains(QFontDatabase::Latin)),
                     qPrintable(f));
        }
        ProgramResources::releaseFonts();
        QVERIFY(ProgramResources::fontList().isEmpty());
    }

    void moodPicturesLiveWithTheMainWindow() {
        registerFakeModule();
        {
            CTavrinDlg dlg;
            for (int mood = -3; mood <= 3; ++mood)
                QVERIFY2(!ProgramResources::moodPicture(mood).isNull(),
                         qPrintable(QString::number(mood)));
            QVERIFY(ProgramResources::moodPicture(4).isNull());
            QCOMPARE(ShellHooks::shell(), static_cast<ShellCommands*>(&dlg));
            QCOMPARE(ui::WindowEffects::mainWindow(), &dlg);
        }
        QVERIFY(ProgramResources::moodPicture(0).isNull());
        QVERIFY(!ShellHooks::shell());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
