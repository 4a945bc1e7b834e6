#include "app/CTavrinApp.h"
#include "app/ModuleRegistry.h"
#include "diary/DiaryModule.h"
#include "graph/GraphModule.h"
#include "health/HealthModule.h"
#include "nutrition/NutritionModule.h"
#include "options/OptionsModule.h"
#include "organiser/OrganiserModule.h"
#include "tools/ToolsModule.h"

int main(int argc, char** argv) {
    using namespace tavrin;
    // The modules, one line each, in the order they are asked (see app/Module.h).
    app::ModuleRegistry::add<diary::DiaryModule>();
    app::ModuleRegistry::add<options::OptionsModule>();
    app::ModuleRegistry::add<organiser::OrganiserModule>();
    app::ModuleRegistry::add<nutrition::NutritionModule>();
    app::ModuleRegistry::add<graph::GraphModule>();
    app::ModuleRegistry::add<health::HealthModule>();
    app::ModuleRegistry::add<tools::ToolsModule>();
    return app::CTavrinApp::run(argc, argv);
}
