#include "cli/CommandRegistry.h"

namespace tavrin::cli {

const std::vector<Command>& CommandRegistry::all() {
    static const std::vector<Command> commands = [] {
        std::vector<Command> rows;
        for (auto table :
             {diaryCommands, searchCommands, reminderCommands, organiserCommands, graphCommands,
              nutritionCommands, voiceCommands, toolsCommands, healthCommands}) {
            std::vector<Command> some = table();
            rows.insert(rows.end(), some.begin(), some.end());
        }
        return rows;
    }();
    return commands;
}

const Command* CommandRegistry::find(const std::string& name) {
    for (const Command& c : all())
        if (name == c.name) return &c;
    return nullptr;
}

} // namespace tavrin::cli
