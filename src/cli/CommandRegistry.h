#pragma once
// Every tavrin-cli command. Each file of commands gives its rows through one function below;
// all() lists those functions once, in the order the usage text shows them.

#include "cli/Command.h"

#include <string>
#include <vector>

namespace tavrin::cli {

class CommandRegistry {
public:
    static const std::vector<Command>& all();
    static const Command* find(const std::string& name);
};

std::vector<Command> diaryCommands();     // DiaryCommands.cpp
std::vector<Command> searchCommands();    // SearchCommands.cpp
std::vector<Command> reminderCommands();  // ReminderCommands.cpp
std::vector<Command> organiserCommands(); // OrganiserCommands.cpp
std::vector<Command> graphCommands();     // GraphCommands.cpp
std::vector<Command> nutritionCommands(); // NutritionCommands.cpp
std::vector<Command> voiceCommands();     // VoiceCommands.cpp
std::vector<Command> toolsCommands();     // ToolsCommands.cpp
std::vector<Command> healthCommands();    // HealthCommands.cpp

// print's run function: PrintCommands.cpp, or PrintUnavailable.cpp in a build without Qt. Its
// row is among the diary commands.
int printEntries(Session& s, const Arguments& a);

} // namespace tavrin::cli
