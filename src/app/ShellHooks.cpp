#include "ShellHooks.h"

#include <array>
#include <map>

namespace tavrin::app {
namespace {

// Until the reminders module registers itself nothing is ever due.
class NoReminders : public ReminderService {
public:
    void computeDue() override {}
    bool alarmRaised() override { return false; }
    void showCurrentReminders(QWidget*) override {}
};

struct Registry {
    ShellHooks::OptionsHandler options;
    ShellHooks::OptionsAfterSave afterSave;
    std::unique_ptr<ReminderService> reminders;
    std::array<ShellHooks::PanelFactory, kPanelCount> panels;
    std::map<ToolAction, ShellHooks::Action> tools;
    ShellHooks::Action tips;
    ShellCommands* shell = nullptr;
};

Registry& registry() {
    static Registry r;
    return r;
}

} // namespace

void ShellHooks::setOptionsHandler(OptionsHandler handler) {
    registry().options = std::move(handler);
}
bool ShellHooks::hasOptionsHandler() {
    return bool(registry().options);
}
bool ShellHooks::runOptions(QWidget* parent) {
    return registry().options && registry().options(parent);
}

void ShellHooks::setOptionsAfterSave(OptionsAfterSave fn) {
    registry().afterSave = std::move(fn);
}

bool ShellHooks::afterOptionsSaved(QWidget* mainWindow, const QString& previousSkin) {
    return registry().afterSave && registry().afterSave(mainWindow, previousSkin);
}

void ShellHooks::setReminderService(std::unique_ptr<ReminderService> service) {
    registry().reminders = std::move(service);
}

ReminderService& ShellHooks::reminders() {
    static NoReminders none;
    return registry().reminders ? *registry().reminders : none;
}

void ShellHooks::setPanelFactory(Panel panel, PanelFactory factory) {
    registry().panels[size_t(panel)] = std::move(factory);
}

QWidget* ShellHooks::createPanelContent(Panel panel, QWidget* parent) {
    const auto& f = registry().panels[size_t(panel)];
    return f ? f(parent) : nullptr;
}

void ShellHooks::setToolAction(ToolAction action, Action fn) {
    registry().tools[action] = std::move(fn);
}

bool ShellHooks::runToolAction(ToolAction action, QWidget* parent) {
    auto it = registry().tools.find(action);
    if (it == registry().tools.end() || !it->second) return false;
    it->second(parent);
    return true;
}

void ShellHooks::setTipsHandler(Action fn) {
    registry().tips = std::move(fn);
}

bool ShellHooks::showTips(QWidget* parent) {
    if (!registry().tips) return false;
    registry().tips(parent);
    return true;
}

ShellCommands* ShellHooks::shell() {
    return registry().shell;
}
void ShellHooks::setShell(ShellCommands* shell) {
    registry().shell = shell;
}

void ShellHooks::reset() {
    ShellCommands* keep = registry().shell;
    registry() = Registry{};
    registry().shell = keep;
}

} // namespace tavrin::app
