#include "ModulePages.h"

#include "CCustomStatic.h"

#include <QMap>
#include <QVBoxLayout>

namespace tavrin::app {
namespace {
QMap<int, ModulePages::Factory>& factories() {
    static QMap<int, ModulePages::Factory> f;
    return f;
}
} // namespace

void ModulePages::registerFactory(int index, Factory factory) { factories()[index] = std::move(factory); }
bool ModulePages::hasFactory(int index) { return factories().contains(index); }

QString ModulePages::moduleName(int index) {
    static const char* const names[kCount] = {"First-time help", "Diary",    "Reminders", "Planner",
                                              "Contacts",        "Cookbook", "Graph",     "Tools"};
    return index >= 0 && index < kCount ? names[index] : QString();
}

QWidget* ModulePages::create(int index, QWidget* parent) {
    if (auto it = factories().constFind(index); it != factories().constEnd()) return (*it)(parent);
    auto* page = new QWidget(parent);
    page->setObjectName(QString("modulePage%1").arg(index));
    auto* layout = new QVBoxLayout(page);
    auto* label = new ui::CCustomStatic(moduleName(index), page);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return page;
}

} // namespace tavrin::app
