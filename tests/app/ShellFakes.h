#pragma once
// Stand-ins for the module pages and services the main window talks to, recording what it
// asks of them, and the set-up every main-window test shares.

#include "ActiveSkin.h"
#include "DiaryState.h"
#include "Help.h"
#include "MessageBox.h"
#include "ModulePages.h"
#include "Settings.h"
#include "ShellHooks.h"
#include "SkinLoader.h"
#include "Sound.h"
#include "TestEnvironment.h"
#include "WindowMessages.h"

#include <QDir>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <functional>
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

// The latest pages made by the factories below (each main window makes new ones).
struct FakePages {
    FakeDiaryPage* diary = nullptr;
    FakeCookbookPage* cookbook = nullptr;
    FakeGraphPage* graph = nullptr;
};

inline FakePages& fakePages() {
    static FakePages p;
    return p;
}

inline void registerFakePages() {
    app::ModulePages::registerFactory(
        1, [](QWidget* parent) { return fakePages().diary = new FakeDiaryPage(parent); });
    app::ModulePages::registerFactory(
        5, [](QWidget* parent) { return fakePages().cookbook = new FakeCookbookPage(parent); });
    app::ModulePages::registerFactory(
        6, [](QWidget* parent) { return fakePages().graph = new FakeGraphPage(parent); });
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
    app::ShellHooks::reset();
}

// Makes a diary without entries the current one, as creating a diary does.
inline void chooseEmptyDiary(const QString& path, const QString& name) {
    auto& state = app::DiaryState::instance();
    state.choose(path, int(path.lastIndexOf('.')) + 1);
    state.setEmptyDiary(true);
    settings::write(settings::ShortFile, name);
}

} // namespace tavrin::test
