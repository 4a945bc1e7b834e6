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

    // The whole program: returns its exit status.
    static int run(int argc, char** argv);

    // Whether a window system can be reached at all (a display, Wayland, or a platform plugin
    // that needs neither). Checked before the toolkit starts, which would abort without one.
    static bool displayAvailable(int argc = 0, char** argv = nullptr);
    // The toolkit the program runs on must be at least the one it was built with.
    static bool versionSufficient(const QString& running, const QString& built);
    // Says kTooOld and returns false when the running toolkit is older than the built one.
    static bool checkToolkitVersion(const QString& running, const QString& built);

    CTavrinApp() = default;
    // Start-up and the main window, in an existing QApplication; returns the exit status.
    int exec();
};

} // namespace tavrin::app
