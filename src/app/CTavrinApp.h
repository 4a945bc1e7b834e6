#pragma once
// The application object: starts the program in its fixed order (settings keys, one running
// copy, the splash, fonts, window messages, the toolkit check, the skin) and then runs the
// main window until the user ends the program.

#include <QObject>
#include <QString>

namespace tavrin::app {

class CTavrinApp : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kTooOld = "You need Internet Explorer v4.0 or above!";
    static constexpr const char* kNoDisplay = "tavrin: no display found (DISPLAY is not set); "
                                              "start it from a desktop session or under xvfb-run.";
    static constexpr int kNoDisplayExit = 3;

    static constexpr const char* kUsage =
        "Usage: tavrin [DIARY.tni]\n"
        "Opens the diary given (its password is asked), or starts as set in the options.\n"
        "When the program runs already, that copy comes forward and opens the diary.\n"
        "  --help     this text\n"
        "  --version  the program's version\n";

    // The whole program: returns its exit status.
    static int run(int argc, char** argv);
    // What the command line asks for before the window system is needed: --help or --version
    // print their text and return 0; an unknown option prints the usage and returns 2; -1 lets
    // the program start. Options of the toolkit (such as -platform) are let through.
    static int earlyArguments(int argc, char** argv);
    // The diary among the arguments left after the toolkit took its own (the first one that
    // is no option), as an absolute path; empty when none is given.
    static QString diaryArgument(const QStringList& arguments);

    // Whether a window system can be reached at all (a display, Wayland, or a platform plugin
    // that needs neither). Checked before the toolkit starts, which would abort without one.
    static bool displayAvailable(int argc = 0, char** argv = nullptr);
    // The toolkit the program runs on must be at least the one it was built with.
    static bool versionSufficient(const QString& running, const QString& built);
    // Says kTooOld and returns false when the running toolkit is older than the built one.
    static bool checkToolkitVersion(const QString& running, const QString& built);

    CTavrinApp() = default;
    explicit CTavrinApp(const QString& startupDiary) : startupDiary_(startupDiary) {}
    // Start-up and the main window, in an existing QApplication; returns the exit status.
    int exec();

private:
    QString startupDiary_;
};

} // namespace tavrin::app
