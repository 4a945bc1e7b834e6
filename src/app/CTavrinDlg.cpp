#include "app/CTavrinDlg.h"

#include "app/CTavrinDlgAbout.h"
#include "app/CTavrinDlgChangePassword.h"
#include "app/CTavrinDlgExtCalculator.h"
#include "app/CTavrinDlgExtNavigator.h"
#include "app/CTavrinDlgExtScratchPad.h"
#include "app/CTavrinDlgFirst.h"
#include "app/DiaryState.h"
#include "app/ModuleRegistry.h"
#include "app/ProgramResources.h"
#include "app/SkinLayout.h"
#include "app/WindowShape.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/Sound.h"
#include "platform/TrayNotice.h"
#include "platform/WindowMessages.h"
#include "storage/ProgramTexts.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomButton.h"
#include "ui/WindowEffects.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
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

// The fourteen buttons in the order their pictures are loaded, with the action each triggers
// and where it sits: module buttons down the side bar, the smaller ones below them (open,
// create, options, help, about), minimise and exit in the title strip.
enum class Place { Module, Small, Minimize, Exit };
struct ButtonDef {
    const char* picture;
    const char* objectName;
    const char* action;
    Place place;
    int slot;
};
constexpr ButtonDef kButtons[] = {
    {"diary", "diaryButton", "diaryAction", Place::Module, 0},
    {"planner", "plannerButton", "plannerAction", Place::Module, 2},
    {"reminder", "remindersButton", "remindersAction", Place::Module, 1},
    {"contacts", "contactsButton", "contactsAction", Place::Module, 3},
    {"cookbook", "cookbookButton", "cookbookAction", Place::Module, 4},
    {"graph", "graphButton", "graphAction", Place::Module, 5},
    {"tools", "toolsButton", "toolsAction", Place::Module, 6},
    {"about", "aboutButton", "aboutAction", Place::Small, 4},
    {"minimize", "minimizeButton", "minimizeAction", Place::Minimize, 0},
    {"exit", "exitButton", "exitAction", Place::Exit, 0},
    {"open", "openButton", "openAction", Place::Small, 0},
    {"create", "createButton", "createAction", Place::Small, 1},
    {"options", "optionsButton", "optionsAction", Place::Small, 2},
    {"help", "helpButton", "helpAction", Place::Small, 3},
};

// The navigator's places ("TNSNavigatorSel" codes) and the actions they trigger.
constexpr struct {
    char code;
    const char* action;
} kNavigatorPlaces[] = {
    {'e', "diaryAction"},        {'f', "diaryTextAction"},      {'g', "diaryBodyAction"},
    {'h', "medicationAction"},   {'i', "fibroAction"},          {'j', "remindersAction"},
    {'k', "plannerAction"},      {'l', "contactsAction"},       {'m', "cookbookAction"},
    {'n', "recipesAction"},      {'o', "ingredientsAction"},    {'p', "dailyCaloriesAction"},
    {'q', "shoppingListAction"}, {'r', "unitsAction"},          {'s', "graphAction"},
    {'t', "toolsAction"},        {'u', "compactEntriesAction"}, {'x', "webSiteAction"},
    {'y', "forumsAction"},       {'z', "wishListAction"},       {'{', "changePasswordAction"},
    {'|', "backupAction"},       {'}', "exportTextAction"},     {'~', "optionsAction"},
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
    buildActions();
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

void CTavrinDlg::addCommand(const char* name, const char* text, const QKeySequence& key,
                            std::function<void()> run) {
    auto* a = new QAction(QString::fromLatin1(text), this);
    a->setObjectName(QString::fromLatin1(name));
    // Application-wide, so that the keys also work from the floating panels.
    a->setShortcut(key);
    a->setShortcutContext(Qt::ApplicationShortcut);
    addAction(a);
    connect(a, &QAction::triggered, this, [run = std::move(run)] {
        // A modal window of the program turns the commands off.
        if (QApplication::activeModalWidget()) return;
        run();
    });
}

QAction* CTavrinDlg::action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void CTavrinDlg::buildActions() {
    addCommand("diaryAction", "Diary", Qt::Key_F2, [this] { togglePage(Page::Diary); });
    addCommand("remindersAction", "Reminders", Qt::Key_F3, [this] { togglePage(Page::Reminders); });
    addCommand("plannerAction", "Planner", Qt::Key_F4, [this] { togglePage(Page::Planner); });
    addCommand("contactsAction", "Contacts", Qt::Key_F5, [this] { togglePage(Page::Contacts); });
    addCommand("cookbookAction", "Cookbook", Qt::Key_F6, [this] { togglePage(Page::Cookbook); });
    addCommand("graphAction", "Graph", Qt::Key_F7, [this] { graphCommand(); });
    addCommand("toolsAction", "Tools", Qt::Key_F8, [this] { togglePage(Page::Tools); });
    addCommand("openAction", "Open", {}, [this] { openCommand(); });
    addCommand("createAction", "Create", {}, [this] { createCommand(); });
    addCommand("optionsAction", "Options", {}, [this] { runOptions(); });
    addCommand("helpAction", "Help", {}, [this] { helpCommand(); });
    addCommand("aboutAction", "About", {}, [this] { aboutCommand(); });
    addCommand("minimizeAction", "Minimize", {}, [this] { minimizeCommand(); });
    addCommand("exitAction", "Exit", {}, [this] { exitCommand(); });
    addCommand("navigatorAction", "Easy Access Navigator", QKeySequence(Qt::CTRL | Qt::Key_F2),
               [this] { togglePanel(Panel::Navigator); });
    addCommand("calculatorAction", "Calculator", QKeySequence(Qt::CTRL | Qt::Key_F3),
               [this] { togglePanel(Panel::Calculator); });

    // The places inside pages that the navigator opens.
    const struct {
        const char* name;
        const char* text;
        Page page;
        int which;
    } places[] = {
        {"diaryTextAction", "Diary Text and Basic Parameters", Page::Diary,
         SubPageSelector::kDiaryText},
        {"diaryBodyAction", "Body Pain Map", Page::Diary, SubPageSelector::kDiaryBody},
        {"medicationAction", "Medication", Page::Diary, SubPageSelector::kDiaryMedication},
        {"fibroAction", "Fibromyalgia Parameters", Page::Diary, SubPageSelector::kDiaryFibro},
        {"recipesAction", "Cookbook", Page::Cookbook, SubPageSelector::kCookbook},
        {"ingredientsAction", "Ingredients", Page::Cookbook, SubPageSelector::kIngredients},
        {"dailyCaloriesAction", "Daily Calories", Page::Cookbook, SubPageSelector::kDailyCalories},
        {"shoppingListAction", "Shopping List", Page::Cookbook, SubPageSelector::kShoppingList},
        {"unitsAction", "Units Calculator and Miscellaneous", Page::Cookbook,
         SubPageSelector::kUnits},
    };
    for (const auto& p : places)
        addCommand(p.name, p.text, {},
                   [this, page = p.page, which = p.which] { selectSubPage(page, which); });

    // The tools the navigator starts; the modules run them.
    const struct {
        const char* name;
        const char* text;
        ToolAction tool;
    } tools[] = {
        {"compactEntriesAction", "Compact Entries", ToolAction::CompactEntries},
        {"webSiteAction", "Web Site", ToolAction::WebSite},
        {"forumsAction", "Forums", ToolAction::Forums},
        {"wishListAction", "Wish List", ToolAction::WishList},
        {"backupAction", "Backup", ToolAction::Backup},
        {"exportTextAction", "Export Text", ToolAction::ExportText},
    };
    for (const auto& t : tools)
        addCommand(t.name, t.text, {},
                   [this, tool = t.tool] { ModuleRegistry::runToolAction(tool, this); });
    addCommand("changePasswordAction", "Change Password", {}, [this] {
        if (!ModuleRegistry::runToolAction(ToolAction::ChangePassword, this))
            changeOpenDiaryPassword(this);
    });
}

void CTavrinDlg::buildButtons() {
    const int h = ui::ActiveSkin::current().buttonHeight;
    for (const ButtonDef& def : kButtons) {
        QAction* command = action(def.action);
        auto* b = new ui::CCustomButton(command->text(), this);
        b->setObjectName(QString::fromLatin1(def.objectName));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setToolTip(command->text());
        if (!skinLoaded() || !b->setSkinPictures(QString::fromLatin1(def.picture)))
            b->resize(L::kButtonWidth, L::kSmallButtonHeight);
        switch (def.place) {
        case Place::Module:
            b->move(L::kButtonX, L::moduleButtonY(def.slot, h));
            break;
        case Place::Small:
            b->move(L::kButtonX, L::smallButtonY(def.slot, h));
            break;
        case Place::Minimize:
            b->move(L::kMinimizeX, L::kCaptionButtonY);
            break;
        case Place::Exit:
            b->move(L::kExitX, L::kCaptionButtonY);
            break;
        }
        connect(b, &QPushButton::clicked, command, &QAction::trigger);
    }
}

void CTavrinDlg::buildPages() {
    const QRect card(L::kPageX, L::kPageY, L::kPageWidth, height() - L::kPageY - 12);
    for (int i = 0; i < kPageCount; ++i) {
        QWidget* page;
        if (Page(i) == Page::FirstTime)
            page = first_ = new CTavrinDlgFirst(this);
        else
            page = ModuleRegistry::createPage(Page(i), this);
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

// ---------------------------------------------------------------------------------------------
// Start

void CTavrinDlg::start() {
    auto& state = DiaryState::instance();
    applyAlwaysOnTop();

    minimizeOnLoad_ = settings::read(settings::MinimizeOnLoad) == 1;
    showRemindersAtStart_ = settings::read(settings::ShowReminderOnStart) == 1;
    askNow_ = settings::read(settings::PasswordCheck) == 0;
    // A diary named on the command line is opened instead of the last one.
    const bool openLast = startupDiary_.isEmpty() && settings::read(settings::OpenLastDiary) == 1;

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
    // Tips on demand: the help pages link to them.
    platform::Help::setCommandHandler([](const QString& command, QWidget* parent) {
        return command == QLatin1String("tips") && ModuleRegistry::showTips(parent);
    });
    if (settings::read(settings::TipsStartup) == 0) ModuleRegistry::showTips(this);

    remindersPending_ = true;

    if (minimizeOnLoad_)
        askNow_ = false;
    else if (openLast)
        askNow_ = true;

    const Page firstShow = Page(settings::read(settings::FirstShow));
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
                showPage(Page::FirstTime);
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

QWidget* CTavrinDlg::page(Page which) const {
    const int i = int(which);
    return i >= 0 && i < kPageCount ? pages_[size_t(i)] : nullptr;
}

CTavrinDlgFirst* CTavrinDlg::firstPage() const {
    return first_;
}

DiaryPageApi* CTavrinDlg::diaryPage() const {
    return dynamic_cast<DiaryPageApi*>(page(Page::Diary));
}

void CTavrinDlg::togglePage(Page which) {
    // A page needs a diary in use: open, or new and still without entries.
    if (!DiaryState::instance().usable()) {
        MessageBox::warning(QString::fromLatin1(texts::kNoDiary), this);
        return;
    }
    showPage(module_ == which ? Page::FirstTime : which);
}

void CTavrinDlg::graphCommand() {
    if (!DiaryState::instance().usable()) {
        MessageBox::warning(QString::fromLatin1(texts::kNoDiary), this);
        return;
    }
    if (module_ == Page::Graph) {
        showPage(Page::FirstTime);
        return;
    }
    // The graph's entry list is filled from the diary once the page is up.
    WindowMessages::post(this, QStringLiteral("TNSListTrnsfr"));
    showPage(Page::Graph);
}

void CTavrinDlg::showPage(Page which) {
    if (pagesBlocked_) return;
    if (!DiaryState::instance().usable()) which = Page::FirstTime;
    for (QWidget* p : pages_)
        if (!p) return;
    ui::WindowEffects::closeSplash();
    const Page previous = module_;
    for (QWidget* p : pages_)
        if (p != page(which)) p->hide();
    module_ = which;
    QWidget* shown = page(which);
    if (!shown) return; // a number past the last page (from the settings) is kept, shows nothing
    // The help page explains the page it replaces; shown again while it is up (a failed open, a
    // new diary, a restore), it came from itself and shows the first steps.
    if (which == Page::FirstTime) first_->setPreviousModule(previous);
    shown->show();
    shown->setFocus();
    if (auto* mp = dynamic_cast<ModulePage*>(shown)) mp->pageShown();
}

void CTavrinDlg::selectSubPage(Page module, int which) {
    showPage(module);
    if (module_ != module) return; // no diary in use: the help page came instead
    if (auto* s = dynamic_cast<SubPageSelector*>(page(module))) s->selectSubPage(which);
}

void CTavrinDlg::relayToGraph(const QString& message) {
    if (QWidget* graph = page(Page::Graph)) WindowMessages::send(graph, message);
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
    // The sheet writes the settings and the diary's configuration itself on "Save". The graph
    // settings are written as their pages are left, so the graph is drawn again after
    // "Discard" too.
    if (!ModuleRegistry::runOptions(this)) {
        if (module_ == Page::Graph) relayToGraph(QStringLiteral("TNSDrawGraph"));
        return;
    }
    applyAlwaysOnTop();
    // The autostart entry, the diary's shortcuts and pain kinds, and a restart for a new skin.
    if (ModuleRegistry::afterOptionsSaved(this, skinBefore)) {
        endProgram();
        return;
    }
    if (DiaryPageApi* d = diaryPage()) d->refreshPreview();
    if (module_ == Page::Graph) relayToGraph(QStringLiteral("TNSDrawGraph"));
}

void CTavrinDlg::navigatorSelect(int code) {
    collapsePanel(Panel::Navigator);
    for (const auto& place : kNavigatorPlaces)
        if (place.code == code) {
            action(place.action)->trigger();
            return;
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
            platform::TrayNotice::setIcon(tray_);
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
    platform::TrayNotice::setIcon(nullptr);
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

void CTavrinDlg::openFromOtherCopy(const QString& path) {
    restoreWindow();
    requestAttention();
    openDiaryFile(path);
}

void CTavrinDlg::openDiaryFile(const QString& path) {
    if (ended_ || path.isEmpty()) return;
    if (QApplication::activeModalWidget()) return;
    // The diary named here is the one to go on with: the last one is not reopened at the next
    // restore, and a start that was going to the task bar stays on screen.
    openOnRestore_ = false;
    minimizeTimer_.stop();
    if (isMinimized() || !isVisible()) {
        restoreWindow();
        // Once the restore has run, which shows the window and may ask a password of its own.
        QMetaObject::invokeMethod(
            this,
            [this, path] {
                if (!ended_ && !QApplication::activeModalWidget()) flows_.openDiaryAt(path);
            },
            Qt::QueuedConnection);
        return;
    }
    flows_.openDiaryAt(path);
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
    // A diary opened since the start is the one to go back to, on the page it showed.
    if (state.isOpen()) openOnRestore_ = false;

    showPage(Page::FirstTime);
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
            savedModule_ = admitted == DiaryFlows::Admit::Opened
                               ? Page(settings::read(settings::FirstShow))
                               : Page::FirstTime;
        } else {
            state.close();
            savedModule_ = Page::FirstTime;
        }
    } else {
        raise();
        activateWindow();
        showPage(Page::FirstTime);
        if (settings::read(settings::AfterRestore) == 1 && state.hasPath()) {
            // The entries stay hidden until the password was given again.
            clearEntryList();
            flows_.admitAgain(true);
        }
    }
    if (!state.isOpen() || !state.hasPath()) savedModule_ = Page::FirstTime;
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
    ReminderService& reminders = ModuleRegistry::reminders();
    reminders.computeDue();
    const bool alarm = reminders.alarmRaised();
    if (alarm || (remindersPending_ && showRemindersAtStart_ && DiaryState::instance().isOpen())) {
        requestAttention();
        remindersPending_ = false;
        showCurrentReminders();
    }
}

void CTavrinDlg::showCurrentReminders() {
    // The due list must not change under the window, and a tick must not open a second one.
    reminderTimer_.stop();
    ModuleRegistry::reminders().showCurrentReminders(this);
    if (!ended_) reminderTimer_.start(kReminderPeriodMs);
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
