#include "options/OptionsModule.h"

#include "app/DiaryState.h"
#include "options/CTavrinPPOptionsCustom.h"
#include "options/CTavrinPPOptionsCustom2.h"
#include "options/CTavrinPPOptionsCustom3.h"
#include "options/CTavrinPPOptionsFibro.h"
#include "options/CTavrinPPOptionsNaming.h"
#include "options/OptionsCommand.h"
#include "storage/TN.h"

namespace tavrin::options {

QList<ui::CCustomPropertyPage*> OptionsModule::createOptionPages() {
    const app::DiaryState& diary = app::DiaryState::instance();
    if (!diary.hasPath()) return {};
    // One reading for every page; an unreadable configuration leaves the names empty, which
    // the pages show as their defaults.
    auto tn = diary.makeTN();
    const bool readable = tn->ReadConfiguration();
    DiaryConfig config;
    if (readable) config = tn->config;
    return {new CTavrinPPOptionsNaming(config), new CTavrinPPOptionsCustom(config),
            new CTavrinPPOptionsCustom2(config), new CTavrinPPOptionsCustom3(config, readable),
            new CTavrinPPOptionsFibro};
}

bool OptionsModule::runOptions(QWidget* parent) {
    return OptionsCommand::run(parent);
}

bool OptionsModule::afterOptionsSaved(QWidget* mainWindow, const QString& previousSkin) {
    return OptionsCommand::applySaved(mainWindow, previousSkin);
}

} // namespace tavrin::options
