#include "CTavrinDlg.h"

#include "ActiveSkin.h"
#include "CCustomButton.h"
#include "CTavrinDlgAbout.h"
#include "CTavrinDlgChangePassword.h"
#include "CTavrinDlgExtCalculator.h"
#include "CTavrinDlgExtNavigator.h"
#include "CTavrinDlgExtScratchPad.h"
#include "CTavrinDlgFirst.h"
#include "DiaryState.h"
#include "Help.h"
#include "MessageBox.h"
#include "ModulePages.h"
#include "ProgramResources.h"
#include "ProgramTexts.h"
#include "Settings.h"
#include "SkinLayout.h"
#include "Sound.h"
#include "WindowEffects.h"
#include "WindowMessages.h"
#include "WindowShape.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QWindow>

#include <algorithm>

namespace tavrin::app {

using L = SkinLayout;
using platform::MessageBox;
using platform::NamedMessage;
using platform::WindowMessages;

namespace {

const QString kTitle = QString::fromLatin1(texts::kProgramTitle);

// The fourteen buttons in the order their pictures are loaded, with where they sit: module
// buttons down the side bar in page order (slot + 1 is the page), the smaller ones below them
// (open, create, options, help, about), minimise and exit in the title strip.
enum class Place { Module, Small, Minimize, Exit };
struct ButtonDef {
    const char* picture;
    const char* objectName;
    const char* text;
    Place place;
    int slot;
};
constexpr ButtonDef kButtons[] = {
    {"diary", "diaryButton", "Diary", Place::Module, 0},
    {"planner", "plannerButton", "Planner", Place::Module, 2},
    {"reminder", "remindersButton", "Reminders", Place::Module, 1},
    {"contacts", "contactsButton", "Contacts", Place::Module, 3},
    {"cookbook", "cookbookButton", "Cookbook", Place::Module, 4},
    {"graph", "graphButton", "Graph", Place::Module, 5},
    {"tools", "toolsButton", "Tools", Place::Module, 6},
    {"about", "aboutButton", "About", Place::Small, 4},
    {"minimize", "minimizeButton", "Minimize", Place::Minimize, 0},
    {"exit", "exitButton", "Exit", Place::Exit, 0},
    {"open", "openButton", "Open", Place::Small, 0},
    {"create", "createButton", "Create", Place::Small, 1},
    {"options", "optionsButton", "Options", Place::Small, 2},
    {"help", "helpButton", "Help", Place::Small, 3},
};

int windowHeightFor(int buttonHeight) {
    // The pictures are drawn for the standard height; taller buttons need a taller window.
    return qMax(L::kWindowHeight, L::smallButtonY(5, buttonHeight) + 12);
}

bool skinLoaded() {
    return !ui::ActiveSkin::current().pictureDir.isEmpty();
}

} // namespace

CTavrinDlg::CTavrinDlg(StatusCallback status, QWidget* parent)
    : CCustomDialog(BackLarge, parent), status_(std::move(status)), flows_(*this) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(kTitle);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    setFrameVisible(false);
    setModal(false);
    auto say = [this](const char* text) {
        if (status_) status_(QString::fromLatin1(text));
    };

    // Size and centre.
    setFixedSize(L::kWindowWidth, windowHeightFor(ui::ActiveSkin::current().buttonHeight));
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(), size());
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }

    say("Computing Transparency");
    applyShape();

    say("Loading Main Buttons");
    buildButtons();

    setWindowIcon(ProgramResources::programIcon());
    say("Creating Main Windows");
    buildPages();
    ProgramResources::loadMoodPictures();

    auto& state = DiaryState::instance();
    state.reloadShortcuts();
    state.resetPainKinds();
    WindowMessages::send(this, QStringLiteral("TNSSetText"));
    // Opening, creating or closing a diary changes the name in the title.
    connect(&state, &DiaryState::changed, this,
            [this] { WindowMessages::post(this, QStringLiteral("TNSSetText")); });

    buildShortcuts();

    reminderTimer_.setObjectName(QStringLiteral("reminderTimer"));
    connect(&reminderTimer_, &QTimer::timeout, this, &CTavrinDlg::reminderTick);
    minimizeTimer_.setSingleShot(true);
    connect(&minimizeTimer_, &QTimer::timeout, this, [this] {
        minimizeTimer_.stop();
        showMinimized();
    });

    ShellHooks::setShell(this);
    ui::WindowEffects::setMainWindow(this);
}

CTavrinDlg::~CTavrinDlg() {
    reminderTimer_.stop();
    minimizeTimer_.stop();
    removeTrayIcon();
    for (FloatingPanel* p : panels_)
        if (p) p->hide();
    ProgramResources::releaseMoodPictures();
    if (ShellHooks::shell() == this) ShellHooks::setShell(nullptr);
    if (ui::WindowEffects::mainWindow() == this) ui::WindowEffects::setMainWindow(nullptr);
}

void CTavrinDlg::applyShape() {
    if (!skinLoaded()) return; // no pictures: a plain rectangle
    const QRegion shape = WindowShape::fromSkin(ui::ActiveSkin::current(), size());
    if (shape != QRegion(rect())) setMask(shape);
}

void CTavrinDlg::buildButtons() {
    using Command = void (CTavrinDlg::*)();
    static constexpr Command smallCommands[] = {
        &CTavrinDlg::openCommand, &CTavrinDlg::createCommand, &CTavrinDlg::runOptions,
        &CTavrinDlg::helpCommand, &CTavrinDlg::aboutCommand};
    const int h = ui::ActiveSkin::current().buttonHeight;
    for (const ButtonDef& def : kButtons) {
        auto* b = new ui::CCustomButton(QString::fromLatin1(def.text), this);
        b->setObjectName(QString::fromLatin1(def.objectName));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setToolTip(QString::fromLatin1(def.text));
        if (!skinLoaded() || !b->setSkinPictures(QString::fromLatin1(def.picture)))
            b->resize(L::kButtonWidth, L::kSmallButtonHeight);

        std::function<void()> action;
        switch (def.place) {
        case Place::Module: {
            b->move(L::kButtonX, L::moduleButtonY(def.slot, h));
            const int page = def.slot + 1;
            if (page == kGraphPage)
                action = [this] { graphCommand(); };
            else
                action = [this, page] { togglePage(page); };
            break;
        }
        case Place::Small:
            b->move(L::kButtonX, L::smallButtonY(def.slot, h));
            action = [this, command = smallCommands[def.slot]] { (this->*command)(); };
            break;
        case Place::Minimize:
            b->move(L::kMinimizeX, L::kCaptionButtonY);
            action = [this] { minimizeCommand(); };
            break;
        case Place::Exit:
            b->move(L::kExitX, L::kCaptionButtonY);
            action = [this] { exitCommand(); };
            break;
        }
        connect(b, &QPushButton::clicked, this, action);
    }
}

void CTavrinDlg::buildPages() {
    const QRect card(L::kPageX, L::kPageY, L::kPageWidth, height() - L::kPageY - 12);
    for (int i = 0; i < kPageCount; ++i) {
        QWidget* page;
        if (i == 0)
            page = first_ = new CTavrinDlgFirst(this);
        else
            page = ModulePages::create(i, this);
        if (!page) continue;
        if (page->isWindow()) page->setWindowFlags(Qt::Widget);
        page->setParent(this);
        page->setGeometry(card);
        page->hide();
        // A page built on a dialog would reject itself on Escape and vanish from the card.
        if (qobject_cast<QDialog*>(page)) page->installEventFilter(this);
        pages_[size_t(i)] = page;
    }
    panels_[size_t(Panel::Navigator)] = new CTavrinDlgExtNavigator(this);
    panels_[size_t(Panel::Calculator)] = new CTavrinDlgExtCalculator(this);
    panels_[size_t(Panel::ScratchPad)] = new CTavrinDlgExtScratchPad(this);
    for (FloatingPanel* p : panels_)
        connect(p, &FloatingPanel::titleClicked, this, [this, p] { togglePanel(p->which()); });
}

void CTavrinDlg::shortcut(const QKeySequence& key, std::function<void()> action) {
    // Application-wide, so that they also work from the floating panels; a modal window of the
    // program turns them off.
    auto* s = new QShortcut(key, this, nullptr, nullptr, Qt::ApplicationShortcut);
    connect(s, &QShortcut::activated, this, [action = std::move(action)] {
        if (QApplication::activeModalWidget()) return;
        action();
    });
}

void CTavrinDlg::buildShortcuts() {
    shortcut(QKeySequence(Qt::Key_F2), [this] { togglePage(1); });
    shortcut(QKeySequence(Qt::Key_F3), [this] { togglePage(2); });
    shortcut(QKeySequence(Qt::Key_F4), [this] { togglePage(3); });
    shortcut(QKeySequence(Qt::Key_F5), [this] { togglePage(4); });
    shortcut(QKeySequence(Qt::Key_F6), [this] { togglePage(5); });
    shortcut(QKeySequence(Qt::Key_F7), [this] { graphCommand(); });
    shortcut(QKeySequence(Qt::Key_F8), [this] { togglePage(7); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F2), [this] { togglePanel(Panel::Navigator); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F3), [this] { togglePanel(Panel::Calculator); });
}

// ---------------------------------------------------------------------------------------------
// Start

void CTavrinDlg::start() {
    auto& state = DiaryState::instance();
    applyAlwaysOnTop();

    minimizeOnLoad_ = settings::read(settings::MinimizeOnLoad) == 1;
    showRemindersAtStart_ = settings::read(settings::ShowReminderOnStart) == 1;
    askNow_ = settings::read(settings::PasswordCheck) == 0;
    const bool openLast = settings::read(settings::OpenLastDiary) == 1;

    clearEntryList();
    // The last diary is only taken up when it is to be reopened; otherwise the program starts
    // without one instead of naming a diary whose password nobody asked for.
    if (openLast)
        state.choose(settings::read(settings::DiaryFile), settings::read(settings::ExtLoc));
    else
        state.close();
    state.setOpen(false);
    openOnRestore_ = true;

    ui::WindowEffects::closeSplash();
    if (settings::read(settings::TipsStartup) == 0) ShellHooks::showTips(this);

    remindersPending_ = true;

    if (minimizeOnLoad_)
        askNow_ = false;
    else if (openLast)
        askNow_ = true;

    const int firstShow = settings::read(settings::FirstShow);
    auto finish = [this] {
        // Started once the last diary's password was answered: a tick during the prompt would
        // find no diary open and put the start-up reminders off by a whole minute.
        reminderTimer_.start(showRemindersAtStart_ ? kReminderFirstTickMs : kReminderPeriodMs);
        WindowMessages::post(this, QStringLiteral("TNSSetText"));
        show(); // refused while the window may not be seen yet
        if (isVisible()) {
            raise();
            activateWindow();
        }
    };
    if (askNow_) {
        mayShow_ = true;
        pagesBlocked_ = false;
        if (openLast && state.hasPath() && state.extOffset() != 0) {
            switch (flows_.admitAgain(false)) {
            case DiaryFlows::Admit::Empty:
                showPage(0);
                finish();
                return;
            case DiaryFlows::Admit::Cancelled:
            case DiaryFlows::Admit::WrongPassword:
                finish();
                return;
            case DiaryFlows::Admit::Opened:
                fillEntryList(false);
                break;
            }
        }
        module_ = firstShow;
    } else {
        module_ = firstShow;
        if (minimizeOnLoad_) {
            minimizeTimer_.start(kMinimizeDelayMs);
            finish();
            return;
        }
    }
    showPage(firstShow);
    finish();
}

// ---------------------------------------------------------------------------------------------
// Pages

QWidget* CTavrinDlg::page(int index) const {
    return index >= 0 && index < kPageCount ? pages_[size_t(index)] : nullptr;
}

CTavrinDlgFirst* CTavrinDlg::firstPage() const {
    return first_;
}

DiaryPageApi* CTavrinDlg::diaryPage() const {
    return dynamic_cast<DiaryPageApi*>(pages_[1]);
}

void CTavrinDlg::togglePage(int index) {
    // A page needs a diary in use: open, or new and still without entries.
    if (!DiaryState::instance().usable()) {
        MessageBox::warning(QString::fromLatin1(texts::kNoDiary), this);
        return;
    }
    showPage(module_ == index ? 0 : index);
}

void CTavrinDlg::graphCommand() {
    if (!DiaryState::instance().usable()) {
        MessageBox::warning(QString::fromLatin1(texts::kNoDiary), this);
        return;
    }
    if (module_ == kGraphPage) {
        showPage(0);
        return;
    }
    // The graph's entry list is filled from the diary once the page is up.
    WindowMessages::post(this, QStringLiteral("TNSListTrnsfr"));
    showPage(kGraphPage);
}

void CTavrinDlg::showPage(int index) {
    if (pagesBlocked_) return;
    if (!DiaryState::instance().usable()) index = 0;
    for (QWidget* p : pages_)
        if (!p) return;
    ui::WindowEffects::closeSplash();
    const int previous = module_;
    for (int i = 0; i < kPageCount; ++i)
        if (i != index) pages_[size_t(i)]->hide();
    module_ = index;
    QWidget* shown = page(index);
    if (!shown) return; // an index past the last page is kept but shows nothing
    // The help page explains the page it replaces; shown again while it is up (a failed open, a
    // new diary, a restore), it came from itself and shows the first steps.
    if (index == 0) first_->setPreviousModule(previous);
    shown->show();
    shown->setFocus();
    if (auto* mp = dynamic_cast<ModulePage*>(shown)) mp->pageShown();
}

void CTavrinDlg::selectSubPage(int module, int which) {
    showPage(module);
    if (module_ != module) return; // no diary in use: the help page came instead
    if (auto* s = dynamic_cast<SubPageSelector*>(page(module))) s->selectSubPage(which);
}

void CTavrinDlg::relayToGraph(const QString& message) {
    if (QWidget* graph = page(kGraphPage)) WindowMessages::send(graph, message);
}

// ---------------------------------------------------------------------------------------------
// Entry list of the diary page

void CTavrinDlg::clearEntryList() {
    if (DiaryPageApi* d = diaryPage()) d->clearEntryList();
}

void CTavrinDlg::fillEntryList(bool openFormat) {
    if (DiaryPageApi* d = diaryPage()) d->fillEntryList(openFormat);
}

void CTavrinDlg::selectLastEntry() {
    if (DiaryPageApi* d = diaryPage()) d->selectLastEntry();
}

// ---------------------------------------------------------------------------------------------
// Commands

void CTavrinDlg::openCommand() {
    flows_.openDiary();
}
void CTavrinDlg::createCommand() {
    flows_.createDiary();
}
void CTavrinDlg::helpCommand() {
    platform::Help::openTopic(QStringLiteral("HIDD_ROOT_DIALOG.htm"), this);
}

void CTavrinDlg::aboutCommand() {
    CTavrinDlgAbout about(this);
    about.exec();
}

void CTavrinDlg::minimizeCommand() {
    showMinimized();
}

void CTavrinDlg::exitCommand() {
    if (settings::read(settings::ExitOption) == 0)
        endProgram();
    else
        showMinimized();
}

void CTavrinDlg::runOptions() {
    const QString skinBefore = settings::read(settings::WhichSkin);
    // The sheet writes the settings and the diary's configuration itself on "Save".
    if (!ShellHooks::runOptions(this)) return;
    applyAlwaysOnTop();
    // The autostart entry, the diary's shortcuts and pain kinds, and a restart for a new skin.
    if (ShellHooks::afterOptionsSaved(this, skinBefore)) {
        endProgram();
        return;
    }
    if (DiaryPageApi* d = diaryPage()) d->refreshPreview();
    if (module_ == kGraphPage) relayToGraph(QStringLiteral("TNSDrawGraph"));
}

void CTavrinDlg::navigatorSelect(int code) {
    collapsePanel(Panel::Navigator);
    auto tool = [this](ToolAction a) { ShellHooks::runToolAction(a, this); };
    switch (code) {
    case 'e':
        togglePage(1);
        break;
    case 'f':
        selectSubPage(1, SubPageSelector::kDiaryText);
        break;
    case 'g':
        selectSubPage(1, SubPageSelector::kDiaryBody);
        break;
    case 'h':
        selectSubPage(1, SubPageSelector::kDiaryMedication);
        break;
    case 'i':
        selectSubPage(1, SubPageSelector::kDiaryFibro);
        break;
    case 'j':
        togglePage(2);
        break;
    case 'k':
        togglePage(3);
        break;
    case 'l':
        togglePage(4);
        break;
    case 'm':
        togglePage(5);
        break;
    case 'n':
        selectSubPage(5, SubPageSelector::kCookbook);
        break;
    case 'o':
        selectSubPage(5, SubPageSelector::kIngredients);
        break;
    case 'p':
        selectSubPage(5, SubPageSelector::kDailyCalories);
        break;
    case 'q':
        selectSubPage(5, SubPageSelector::kShoppingList);
        break;
    case 'r':
        selectSubPage(5, SubPageSelector::kUnits);
        break;
    case 's':
        graphCommand();
        break;
    case 't':
        togglePage(7);
        break;
    case 'u':
        tool(ToolAction::CompactEntries);
        break;
    case 'x':
        tool(ToolAction::WebSite);
        break;
    case 'y':
        tool(ToolAction::Forums);
        break;
    case 'z':
        tool(ToolAction::WishList);
        break;
    case '{':
        if (!ShellHooks::runToolAction(ToolAction::ChangePassword, this))
            changeOpenDiaryPassword(this);
        break;
    case '|':
        tool(ToolAction::Backup);
        break;
    case '}':
        tool(ToolAction::ExportText);
        break;
    case '~':
        runOptions();
        break;
    default:
        break;
    }
}

void CTavrinDlg::endProgram() {
    if (ended_) return;
    ended_ = true;
    reminderTimer_.stop();
    minimizeTimer_.stop();
    removeTrayIcon();
    showPanels(false);
    mayShow_ = true; // hiding is always allowed; nothing shows it again
    done(0);
}

void CTavrinDlg::accept() {}

void CTavrinDlg::reject() {
    showMinimized();
}

// ---------------------------------------------------------------------------------------------
// Floating panels

bool CTavrinDlg::isPanelExpanded(Panel p) const {
    return panels_[size_t(p)]->isExpanded();
}

void CTavrinDlg::togglePanel(Panel p) {
    if (isPanelExpanded(p))
        collapsePanel(p);
    else
        expandPanel(p, true);
}

void CTavrinDlg::expandPanel(Panel p, bool activate) {
    FloatingPanel* panel = panels_[size_t(p)];
    panel->setExpanded(true);
    placePanels();
    if (isVisible() && !isMinimized()) {
        panel->show();
        panel->raise();
        if (activate) panel->activateWindow();
    }
}

void CTavrinDlg::collapsePanel(Panel p) {
    panels_[size_t(p)]->setExpanded(false);
    placePanels();
}

void CTavrinDlg::placePanels() {
    // Side by side under the page card, hanging from the window's lower edge; an open panel
    // that would leave the screen moves up over the window.
    const QRect main = geometry();
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect();
    int x = main.x() + L::kPageX + 10;
    for (FloatingPanel* p : panels_) {
        if (!p) continue;
        const QSize s = p->currentSize();
        int y = main.y() + main.height();
        if (p->isExpanded() && screen.isValid() && y + s.height() > screen.bottom() + 1)
            y = qMax(screen.top(), screen.bottom() + 1 - s.height());
        p->setFixedSize(s);
        p->move(x, y);
        x += s.width() + 10;
    }
}

void CTavrinDlg::showPanels(bool show) {
    for (FloatingPanel* p : panels_) {
        if (!p) continue;
        if (show) {
            p->show();
            p->raise();
        } else {
            p->hide();
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Visibility, minimise and restore

void CTavrinDlg::setVisible(bool visible) {
    // Until the diary may be shown the window stays out of sight; minimised is allowed, so that
    // a minimised start still leaves something to restore.
    if (visible && !mayShow_ && !(windowState() & Qt::WindowMinimized)) return;
    CCustomDialog::setVisible(visible);
}

void CTavrinDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        const bool nowMin = windowState() & Qt::WindowMinimized;
        // Handled from the event loop: restoring may ask for a password in a modal window.
        if (nowMin && !(old & Qt::WindowMinimized))
            QMetaObject::invokeMethod(this, &CTavrinDlg::onMinimised, Qt::QueuedConnection);
        else if (!nowMin && (old & Qt::WindowMinimized))
            QMetaObject::invokeMethod(this, &CTavrinDlg::onRestored, Qt::QueuedConnection);
    } else if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            for (FloatingPanel* p : panels_)
                if (p && p->isVisible()) p->raise();
        } else if (!ended_) {
            for (FloatingPanel* p : panels_)
                if (p) WindowMessages::post(this, p->outMessage());
        }
    }
    CCustomDialog::changeEvent(event);
}

void CTavrinDlg::onMinimised() {
    if (ended_) return;
    if (settings::read(settings::OpenLastDiary) == 0)
        settings::write(settings::DiaryFile, QString(""));
    showPanels(false);
    if (settings::read(settings::MinimizeLocation) == 1 && isMinimized()) {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            if (!tray_) {
                tray_ = new QSystemTrayIcon(ProgramResources::programIcon(), this);
                tray_->setToolTip(kTitle);
                connect(tray_, &QSystemTrayIcon::activated, this,
                        [this](QSystemTrayIcon::ActivationReason r) {
                            WindowMessages::send(this, QStringLiteral("TNSNotifyIcon"), kTrayIconId,
                                                 qintptr(r));
                        });
            }
            tray_->show();
            hide();
        } else {
            MessageBox::warning(QStringLiteral("Error while creating the taskbar icon!"), this);
        }
    }
    if (settings::read(settings::AfterRestore) == 1) openOnRestore_ = false;
    savedModule_ = module_;
}

void CTavrinDlg::removeTrayIcon() {
    if (!tray_) return;
    tray_->hide();
    delete tray_.data();
}

void CTavrinDlg::restoreWindow() {
    removeTrayIcon();
    if (windowState() & Qt::WindowMinimized) {
        showNormal(); // the state change runs the restore
    } else if (!isVisible() && !mayShow_) {
        // Never shown yet: it was waiting for this first activation. (Allowed to be seen but
        // not yet shown, the start is still asking the last diary's password and shows it next.)
        QMetaObject::invokeMethod(this, &CTavrinDlg::onRestored, Qt::QueuedConnection);
    }
    raise();
    activateWindow();
}

void CTavrinDlg::activateFromOtherCopy() {
    restoreWindow();
    platform::Sound::beep();
    requestAttention();
}

void CTavrinDlg::requestAttention() {
    ++attention_;
    QApplication::alert(this);
}

void CTavrinDlg::onRestored() {
    if (ended_ || restoring_) return;
    restoring_ = true;
    auto& state = DiaryState::instance();
    if (settings::read(settings::OpenLastDiary) == 0)
        settings::write(settings::DiaryFile, QString(""));
    removeTrayIcon();

    showPage(0);
    if (askNow_) openOnRestore_ = false;
    mayShow_ = true;
    if (!isVisible()) show();
    placePanels();
    showPanels(true);

    if (openOnRestore_) {
        openOnRestore_ = false;
        pagesBlocked_ = false;
        clearEntryList();
        const QString path = settings::read(settings::DiaryFile);
        const int ext = settings::read(settings::ExtLoc);
        if (!path.isEmpty() && ext != 0) {
            state.choose(path, ext);
            const auto admitted = flows_.admitAgain(true);
            savedModule_ =
                admitted == DiaryFlows::Admit::Opened ? settings::read(settings::FirstShow) : 0;
        } else {
            state.close();
            savedModule_ = 0;
        }
    } else {
        raise();
        activateWindow();
        showPage(0);
        if (settings::read(settings::AfterRestore) == 1 && state.hasPath()) {
            // The entries stay hidden until the password was given again.
            clearEntryList();
            flows_.admitAgain(true);
        }
    }
    if (!state.isOpen() || !state.hasPath()) savedModule_ = 0;
    pagesBlocked_ = false;
    showPage(savedModule_);
    WindowMessages::post(this, QStringLiteral("TNSSetText"));
    restoring_ = false;
}

void CTavrinDlg::applyAlwaysOnTop() {
    const bool on = settings::read(settings::AlwaysOnTop) == 1;
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == on) return;
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    applyShape();
    if (wasVisible) show();
}

// ---------------------------------------------------------------------------------------------
// Timers

void CTavrinDlg::reminderTick() {
    if (reminderTimer_.interval() != kReminderPeriodMs)
        reminderTimer_.setInterval(kReminderPeriodMs);
    ReminderService& reminders = ShellHooks::reminders();
    reminders.computeDue();
    const bool alarm = reminders.alarmRaised();
    if (alarm || (remindersPending_ && showRemindersAtStart_ && DiaryState::instance().isOpen())) {
        reminderTimer_.stop();
        requestAttention();
        reminders.showCurrentReminders(this);
        remindersPending_ = false;
        if (!ended_) reminderTimer_.start(kReminderPeriodMs);
    }
}

// ---------------------------------------------------------------------------------------------
// Messages and events

void CTavrinDlg::rebuildTitle() {
    titleText_ = DiaryState::instance().hasPath()
                     ? QStringLiteral("%1 - %2").arg(kTitle, settings::read(settings::ShortFile))
                     : kTitle;
    setWindowTitle(kTitle);
    update(QRect(0, 0, width(), L::kTitleHeight));
}

bool CTavrinDlg::event(QEvent* event) {
    if (event->type() >= QEvent::User) {
        if (NamedMessage::match(event, "TNSSetText")) {
            rebuildTitle();
            return true;
        }
        if (NamedMessage::match(event, "TNSDrawGraph")) {
            relayToGraph(QStringLiteral("TNSDrawGraph"));
            return true;
        }
        if (NamedMessage::match(event, "TNSListTrnsfr")) {
            relayToGraph(QStringLiteral("TNSListTrnsfr"));
            return true;
        }
        if (const NamedMessage* m = NamedMessage::match(event, "TNSNavigatorSel")) {
            navigatorSelect(int(m->wParam()));
            return true;
        }
        if (const NamedMessage* m = NamedMessage::match(event, "TNSNotifyIcon")) {
            const auto reason = QSystemTrayIcon::ActivationReason(m->lParam());
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context ||
                reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::MiddleClick)
                restoreWindow();
            return true;
        }
        for (FloatingPanel* p : panels_) {
            if (!p) continue; // not built yet
            const QByteArray in = p->inMessage().toLatin1();
            const QByteArray out = p->outMessage().toLatin1();
            if (NamedMessage::match(event, in.constData())) {
                expandPanel(p->which());
                return true;
            }
            if (NamedMessage::match(event, out.constData())) {
                // The panel that took the activation from this window stays open.
                if (QApplication::activeWindow() != p) collapsePanel(p->which());
                return true;
            }
        }
    }
    return CCustomDialog::event(event);
}

bool CTavrinDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        std::find(pages_.begin(), pages_.end(), watched) != pages_.end()) {
        showMinimized();
        return true;
    }
    return CCustomDialog::eventFilter(watched, event);
}

void CTavrinDlg::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    if (settings::read(settings::ExitOption) == 0) {
        endProgram();
        event->accept();
    } else {
        event->ignore();
        showMinimized();
    }
}

void CTavrinDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        // Escape only ever minimises, whatever the close button does.
        showMinimized();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept(); // the main window has no default button
        return;
    default:
        CCustomDialog::keyPressEvent(event);
    }
}

void CTavrinDlg::mousePressEvent(QMouseEvent* event) {
    // The window's free surface works as its caption.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) {
        if (windowHandle() && windowHandle()->startSystemMove()) {
            event->accept();
            return;
        }
        dragging_ = true;
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
        event->accept();
        return;
    }
    CCustomDialog::mousePressEvent(event);
}

void CTavrinDlg::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
        event->accept();
        return;
    }
    CCustomDialog::mouseMoveEvent(event);
}

void CTavrinDlg::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    CCustomDialog::mouseReleaseEvent(event);
}

void CTavrinDlg::moveEvent(QMoveEvent* event) {
    CCustomDialog::moveEvent(event);
    if (pos() == lastPos_) return;
    lastPos_ = pos();
    for (FloatingPanel* p : panels_)
        if (p && p->isExpanded()) p->setExpanded(false);
    if (panels_[0]) placePanels();
}

void CTavrinDlg::resizeEvent(QResizeEvent* event) {
    CCustomDialog::resizeEvent(event);
    // Every size event, the first one when the window appears included, forgets the last diary
    // unless it is to be reopened: a path kept from an earlier session would otherwise be
    // opened once the option is turned on.
    if (settings::read(settings::OpenLastDiary) == 0)
        settings::write(settings::DiaryFile, QString(""));
}

void CTavrinDlg::showEvent(QShowEvent* event) {
    CCustomDialog::showEvent(event);
    lastPos_ = pos();
    if (!isMinimized()) {
        placePanels();
        showPanels(true);
    }
}

void CTavrinDlg::hideEvent(QHideEvent* event) {
    showPanels(false);
    CCustomDialog::hideEvent(event);
}

void CTavrinDlg::paintEvent(QPaintEvent* event) {
    CCustomDialog::paintEvent(event);
    QPainter p(this);
    QFont f = font();
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(ui::ActiveSkin::current().staticText());
    const QRect strip(L::kTitleTextX, 0, L::kMinimizeX - L::kTitleTextX - 8, L::kTitleHeight);
    p.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(f).elidedText(titleText_, Qt::ElideRight, strip.width()));
}

} // namespace tavrin::app
