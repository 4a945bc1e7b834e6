#include "app/ModuleRegistry.h"

#include "ui/CCustomStatic.h"

#include <QVBoxLayout>

namespace tavrin::app {
namespace {

std::vector<std::unique_ptr<Module>>& registry() {
    static std::vector<std::unique_ptr<Module>> modules;
    return modules;
}

// Until a reminders module is registered nothing is ever due.
class NoReminders : public ReminderService {
public:
    void computeDue() override {}
    bool alarmRaised() override { return false; }
    void showCurrentReminders(QWidget*) override {}
};

Module* optionsModule() {
    for (const auto& m : registry())
        if (m->offersOptions()) return m.get();
    return nullptr;
}

} // namespace

void ModuleRegistry::add(std::unique_ptr<Module> module) {
    if (module) registry().push_back(std::move(module));
}

void ModuleRegistry::clear() {
    registry().clear();
}

const std::vector<std::unique_ptr<Module>>& ModuleRegistry::modules() {
    return registry();
}

QWidget* ModuleRegistry::createPage(Page page, QWidget* parent) {
    for (const auto& m : registry())
        if (QWidget* w = m->createPage(page, parent)) return w;
    auto* plain = new QWidget(parent);
    plain->setObjectName(QString("modulePage%1").arg(int(page)));
    auto* layout = new QVBoxLayout(plain);
    auto* label = new ui::CCustomStatic(pageName(page), plain);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return plain;
}

QWidget* ModuleRegistry::createPanelBody(Panel panel, QWidget* parent) {
    for (const auto& m : registry())
        if (QWidget* w = m->createPanelBody(panel, parent)) return w;
    return nullptr;
}

ReminderService& ModuleRegistry::reminders() {
    static NoReminders none;
    for (const auto& m : registry())
        if (ReminderService* r = m->reminderService()) return *r;
    return none;
}

bool ModuleRegistry::runToolAction(ToolAction action, QWidget* parent) {
    for (const auto& m : registry())
        if (m->runToolAction(action, parent)) return true;
    return false;
}

QList<ToolEntry> ModuleRegistry::toolEntries(ToolGroup group) {
    QList<ToolEntry> entries;
    for (const auto& m : registry())
        for (const ToolEntry& e : m->toolEntries())
            if (e.group == group) entries << e;
    return entries;
}

QList<GraphView> ModuleRegistry::graphViews() {
    QList<GraphView> views;
    for (const auto& m : registry())
        views += m->graphViews();
    return views;
}

QList<ui::CCustomPropertyPage*> ModuleRegistry::createOptionPages() {
    QList<ui::CCustomPropertyPage*> pages;
    for (const auto& m : registry())
        pages += m->createOptionPages();
    return pages;
}

bool ModuleRegistry::runOptions(QWidget* parent) {
    Module* m = optionsModule();
    return m && m->runOptions(parent);
}

bool ModuleRegistry::afterOptionsSaved(QWidget* mainWindow, const QString& previousSkin) {
    Module* m = optionsModule();
    return m && m->afterOptionsSaved(mainWindow, previousSkin);
}

bool ModuleRegistry::showTips(QWidget* parent) {
    for (const auto& m : registry())
        if (m->showTips(parent)) return true;
    return false;
}

} // namespace tavrin::app
