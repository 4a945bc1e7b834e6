#include "app/CTavrinApp.h"
#include "app/ModuleRegistry.h"
#include "diary/DiaryModule.h"
#include "options/OptionsModule.h"

int main(int argc, char** argv) {
    using namespace tavrin;
    // The modules, one line each, in the order they are asked (see app/Module.h).
    app::ModuleRegistry::add<diary::DiaryModule>();
    app::ModuleRegistry::add<options::OptionsModule>();
    return app::CTavrinApp::run(argc, argv);
}
