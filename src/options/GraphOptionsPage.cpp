#include "options/GraphOptionsPage.h"

#include "app/DiaryState.h"
#include "options/OptionsWidgets.h"
#include "storage/TN.h"
#include "ui/CColorButton.h"

namespace tavrin::options {

GraphOptionsPage::~GraphOptionsPage() = default;

GraphControls* GraphOptionsPage::addGraph(GraphSettings::Slot slot, bool series,
                                          const QString& visibleText, const QString& name) {
    graph_.push_back(std::make_unique<GraphControls>(slot, series, visibleText, name, this));
    return graph_.back().get();
}

bool GraphOptionsPage::onSetActive() {
    const app::DiaryState& diary = app::DiaryState::instance();
    if (!readable_ || !diary.hasPath()) return true;
    auto tn = diary.makeTN();
    // Unreadable: the controls keep what they showed.
    if (!tn->ReadGraphSettings()) return true;
    for (const auto& g : graph_)
        g->read(tn->graph);
    if (background_) background_->setColor(widgets::colour(tn->graph.background()));
    read_ = true;
    return true;
}

bool GraphOptionsPage::validate() {
    for (const auto& g : graph_)
        if (!g->validate(this)) return false;
    return true;
}

void GraphOptionsPage::writeOnLeave() {
    const app::DiaryState& diary = app::DiaryState::instance();
    // Controls that never held the stored settings must not overwrite them.
    if (!read_ || !diary.hasPath()) return;
    auto tn = diary.makeTN();
    if (!tn->ReadGraphSettings()) return;
    for (const auto& g : graph_)
        g->store(tn->graph);
    if (background_) tn->graph.setBackground(widgets::stored(background_->color()));
    tn->WriteGraphSettings();
}

} // namespace tavrin::options
