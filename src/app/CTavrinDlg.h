#pragma once
// The main window: skinned and shaped, without a system caption (it draws its own title), with
// the fourteen buttons, the module pages stacked in the page card, and the three floating
// panels below it. Each of its commands is one QAction holding its shortcut ("diaryAction",
// "optionsAction", ...); the buttons, the keys and the navigator's places trigger the actions. It
// owns the tray icon, the reminder timer and what happens when it is minimised and restored (the
// diary password may be asked again then).
//
// Construction builds the window (sizes, shape, buttons, pages, panels); start() then reads
// the settings, reopens the last diary when asked to, starts the timers and shows the window
// if it may be seen yet.

#include "app/DiaryFlows.h"
#include "app/DiaryShell.h"
#include "app/Page.h"
#include "app/ShellHooks.h"
#include "ui/CCustomDialog.h"

#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>

#include <QSystemTrayIcon>

class QAction;

namespace tavrin::ui {
class CCustomButton;
}

namespace tavrin::app {

class CTavrinDlgFirst;
class DiaryPageApi;
class FloatingPanel;

class CTavrinDlg : public ui::CCustomDialog, public DiaryShell, public ShellCommands {
    Q_OBJECT
public:
    using StatusCallback = std::function<void(const QString& status)>;

    static constexpr int kReminderPeriodMs = 60000;
    static constexpr int kReminderFirstTickMs = 100;
    static constexpr int kMinimizeDelayMs = 200;
    static constexpr int kTrayIconId = 385;

    // `status` receives the start-up texts ("Computing Transparency", ...) for the splash.
    explicit CTavrinDlg(StatusCallback status = {}, QWidget* parent = nullptr);
    ~CTavrinDlg() override;

    // Everything after building the window: the settings, the last diary, the timers, and
    // showing the window when it may be seen.
    void start();
    // A diary named on the command line: start() then opens it instead of the last diary.
    void setStartupDiary(const QString& path) { startupDiary_ = path; }
    // Opens the diary at `path`, as chosen by Open; the window comes forward first. Ignored
    // while a modal window is up (the user is in the middle of something): the window only
    // comes forward then.
    void openDiaryFile(const QString& path);

    // ---- commands ----
    // The action of a command by its object name, or nullptr.
    QAction* action(const char* name) const;
    void togglePage(Page page) override;
    void showPage(Page page);
    void graphCommand();
    void openCommand();
    void createCommand();
    void runOptions() override;
    void showCurrentReminders() override;
    void helpCommand();
    void aboutCommand();
    void minimizeCommand();
    void exitCommand();
    void togglePanel(Panel panel) override;
    void expandPanel(Panel panel, bool activate = false);
    void collapsePanel(Panel panel) override;
    // A place chosen in the navigator ("TNSNavigatorSel"), by its code letter.
    void navigatorSelect(int code);
    // Back from the tray or the task bar, or out of hiding (also when another copy starts).
    void restoreWindow();
    // Another copy of the program was started: come forward, beep and ask for attention.
    void activateFromOtherCopy();
    void openFromOtherCopy(const QString& path);
    // Ends the program: hides everything and finishes the window (finished() is emitted).
    void endProgram();
    bool hasEnded() const { return ended_; }
    // One tick of the reminder timer: due reminders, the alarm, and the current reminders
    // shown when they ring or are waiting from the start.
    void reminderTick();

    // ---- DiaryShell: the entry list lives on the diary page ----
    QWidget* shellWindow() override { return this; }
    void clearEntryList() override;
    void fillEntryList(bool openFormat) override;
    void selectLastEntry() override;
    void showModule(Page page) override { showPage(page); }
    Page currentModule() const override { return module_; }

    // ---- state, for the application object and tests ----
    Page currentPage() const { return module_; }
    Page savedPage() const { return savedModule_; }
    bool mayShow() const { return mayShow_; }
    bool pagesBlocked() const { return pagesBlocked_; }
    bool openOnRestore() const { return openOnRestore_; }
    bool askNow() const { return askNow_; }
    bool remindersPending() const { return remindersPending_; }
    QWidget* page(Page page) const;
    CTavrinDlgFirst* firstPage() const;
    DiaryPageApi* diaryPage() const;
    FloatingPanel* panel(Panel panel) const { return panels_[size_t(panel)]; }
    bool isPanelExpanded(Panel panel) const;
    const QTimer& reminderTimer() const { return reminderTimer_; }
    const QTimer& minimizeTimer() const { return minimizeTimer_; }
    QSystemTrayIcon* trayIcon() const { return tray_; }
    // The text drawn in the window's own title strip.
    QString titleText() const { return titleText_; }
    // How often the window asked for the user's attention.
    int attentionRequests() const { return attention_; }

    void setVisible(bool visible) override;

public slots:
    void accept() override; // Enter does nothing
    void reject() override; // the Escape-equivalent minimises

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildActions();
    void addCommand(const char* name, const char* text, const QKeySequence& key,
                    std::function<void()> run);
    void buildButtons();
    void buildPages();
    void onMinimised();
    void onRestored();
    void rebuildTitle();
    void applyAlwaysOnTop();
    void applyShape();
    void placePanels();
    void showPanels(bool show);
    void removeTrayIcon();
    void requestAttention();
    void selectSubPage(Page module, int which);
    void relayToGraph(const QString& message);

    StatusCallback status_;
    DiaryFlows flows_;
    std::array<QWidget*, kPageCount> pages_{};
    CTavrinDlgFirst* first_ = nullptr;
    std::array<FloatingPanel*, kPanelCount> panels_{};
    QPointer<QSystemTrayIcon> tray_;
    QTimer reminderTimer_;
    QTimer minimizeTimer_;
    QString titleText_;

    Page module_ = Page::FirstTime;
    Page savedModule_ = Page::FirstTime;
    bool minimizeOnLoad_ = false;
    bool askNow_ = false;
    bool showRemindersAtStart_ = false;
    bool remindersPending_ = true;
    bool openOnRestore_ = true;
    bool pagesBlocked_ = true;
    bool mayShow_ = false;
    bool restoring_ = false;
    bool ended_ = false;
    int attention_ = 0;
    QPoint lastPos_;
    bool dragging_ = false;
    QPoint dragOffset_;
    QString startupDiary_;
};

} // namespace tavrin::app
