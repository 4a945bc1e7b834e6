#include "options/OptionsModule.h"

#include "options/OptionsCommand.h"

namespace tavrin::options {

bool OptionsModule::runOptions(QWidget* parent) {
    return OptionsCommand::run(parent);
}

bool OptionsModule::afterOptionsSaved(QWidget* mainWindow, const QString& previousSkin) {
    return OptionsCommand::applySaved(mainWindow, previousSkin);
}

} // namespace tavrin::options
