#include "CTavrinApp.h"
#include "DiaryModule.h"
#include "OptionsCommand.h"
#include "ShellHooks.h"

int main(int argc, char** argv) {
    // Modules register their pages (ModulePages::registerFactory) and their parts of the shell
    // (ShellHooks: options sheet, reminders, panel bodies, tools actions, tips) here, one call
    // each, before the program starts.
    tavrin::app::ShellHooks::setOptionsHandler(&tavrin::options::OptionsCommand::run);
    tavrin::app::ShellHooks::setOptionsAfterSave(&tavrin::options::OptionsCommand::applySaved);
    tavrin::diary::registerDiaryModule();
    return tavrin::app::CTavrinApp::run(argc, argv);
}
