#pragma once
// Stand-ins for the module pages and services the main window talks to, recording what it
// asks of them, and the set-up every main-window test shares.

#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "app/ModuleRegistry.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/Sound.h"
#include "platform/WindowMessages.h"
#include "ui/ActiveSkin.h"
#include "ui/SkinLoader.h"

#include <QDir>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace tavrin::test {

// The diary page: the entry list calls and the navigator's preview pages.
class FakeDiaryPage : public QWidget,
                      public app::DiaryPageApi,
                      public app::ModulePage,
                      public app::SubPageSelector {
public:
    explicit FakeDiaryPage(QWidget* parent) : QWidget(parent) { setObjectName("fakeDiaryPage"); }
    void clearEntryList() override { calls << "clear"; }
    void fillEntryList(bool openFormat) override { calls << (openFormat ? "fill:open" : "fill"); }
    void selectLastEntry() override { calls << "selectLast"; }
    void refreshPreview() override { calls << "refreshPreview"; }
    void pageShown() override { calls << "shown"; }
    void selectSubPage(int which) override { calls << QString("sub:%1").arg(which); }
    QStringList calls;
};

// The cookbook page, for the navigator's nutrition places.
class FakeCookbookPage : public QWidget, public app::SubPageSelector {
public:
    explicit FakeCookbookPage(QWidget* parent) : QWidget(parent) {
        setObjectName("fakeCookbookPage");
    }
    void selectSubPage(int which) override { subPages << which; }
    QList<int> subPages;
};

// The graph page: the named messages relayed to it.
class FakeGraphPage : public QWidget {
public:
    explicit FakeGraphPage(QWidget* parent) : QWidget(parent) { setObjectName("fakeGraphPage"); }
    bool event(QEvent* e) override {
        for (const char* name : {"TNSListTrnsfr", "TNSDrawGraph"})
            if (platform::NamedMessage::match(e, name)) {
                messages << QString::fromLatin1(name);
                return true;
            }
        return QWidget::event(e);
    }
    QStringList messages;
};

// The reminders module: what is due and whether it rings, scripted by the test.
class FakeReminders : public app::ReminderService {
public:
    void computeDue() override { ++computed; }
    bool alarmRaised() override { return std::exchange(alarm, false); }
    void showCurrentReminders(QWidget*) override {
        ++shown;
        if (onShow) onShow();
    }
    std::function<void()> onShow;
    int computed = 0;
    int shown = 0;
    bool alarm = false;
};

// The one module of the tests: the fake diary, cookbook and graph pages, and whatever else a
// test gives it (the options, panel bodies, tools, reminders). Empty parts offer nothing.
class FakeModule : public app::Module {
public:
    QWidget* createPage(app::Page page, QWidget* parent) override {
        switch (page) {
        case app::Page::Diary:
            return diary = new FakeDiaryPage(parent);
        case app::Page::Cookbook:
            return cookbook = new FakeCookbookPage(parent);
        case app::Page::Graph:
            return graph = new FakeGraphPage(parent);
        default:
            return nullptr;
        }
    }
    QWidget* createPanelBody(app::Panel panel, QWidget* parent) override {
        auto it = panels.find(panel);
        return it != panels.end() ? it->second(parent) : nullptr;
    }
    app::ReminderService* reminderService() override { return reminders; }
    bool runToolAction(app::ToolAction action, QWidget* parent) override {
        auto it = tools.find(action);
        if (it == tools.end()) return false;
        it->second(parent);
        return true;
    }
    bool offersOptions() const override { return bool(options); }
    bool runOptions(QWidget* parent) override { return options(parent); }
    bool afterOptionsSaved(QWidget* mainWindow, const QString& previousSkin) override {
        return afterSave && afterSave(mainWindow, previousSkin);
    }

    // The latest pages made (each main window makes new ones).
    FakeDiaryPage* diary = nullptr;
    FakeCookbookPage* cookbook = nullptr;
    FakeGraphPage* graph = nullptr;

    std::map<app::Panel, std::function<QWidget*(QWidget*)>> panels;
    std::map<app::ToolAction, std::function<void(QWidget*)>> tools;
    app::ReminderService* reminders = nullptr; // kept by the test
    std::function<bool(QWidget*)> options;
    std::function<bool(QWidget*, const QString&)> afterSave;
};

inline FakeModule*& currentFakeModule() {
    static FakeModule* m = nullptr;
    return m;
}

// The module registered by the last registerFakeModule().
inline FakeModule& fakeModule() {
    if (!currentFakeModule()) qFatal("no fake module registered");
    return *currentFakeModule();
}

inline void registerFakeModule() {
    auto m = std::make_unique<FakeModule>();
    currentFakeModule() = m.get();
    app::ModuleRegistry::add(std::move(m));
}

// The skin the build draws, as the program loads it at start-up.
inline void loadShippedSkin() {
    const QString build = qEnvironmentVariable("TAVRIN_TEST_BUILD");
    QVERIFY2(!build.isEmpty(), "TAVRIN_TEST_BUILD is not set (run the test through ctest)");
    QVERIFY2(SkinLoader(QDir(build).filePath("bin/TNSkins")).load("Corvel Windows"),
             "the shipped skin did not load (build the data_skins target)");
    QVERIFY2(!platform::Help::helpDir().isEmpty(),
             "no help pages beside the tests (build the data_help target)");
}

// A clean slate for each test: no settings, no diary, nothing recorded.
inline void resetShellState() {
    clearSettings();
    platform::MessageBox::clearRecorded();
    platform::Sound::clearRecorded();
    platform::Help::clearRecorded();
    auto& state = app::DiaryState::instance();
    state.close();
    state.setEmptyDiary(false);
    app::ModuleRegistry::clear();
    currentFakeModule() = nullptr;
}

// Makes a diary without entries the current one, as creating a diary does.
inline void chooseEmptyDiary(const QString& path, const QString& name) {
    auto& state = app::DiaryState::instance();
    state.choose(path, int(path.lastIndexOf('.')) + 1);
    state.setEmptyDiary(true);
    settings::write(settings::ShortFile, name);
}

} // namespace tavrin::test
