#pragma once
// How the program's windows appear: centred on the main window, fading in over 200 ms. The
// start-up splash is closed by the first window that needs the user.

class QWidget;

namespace tavrin::ui {

class WindowEffects {
public:
    // The window that others centre on, and the splash window while it is shown.
    static void setMainWindow(QWidget* w);
    static QWidget* mainWindow();
    static void setSplash(QWidget* w);
    static void closeSplash();

    // Centres `w` on the main window (on its screen when there is none) and fades it in.
    static void centreAndAnimate(QWidget* w);
    static void centre(QWidget* w);
    static constexpr int kAnimationMs = 200;
};

} // namespace tavrin::ui
