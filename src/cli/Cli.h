#pragma once
// tavrin-cli: info, list, show, export, add, add-planner, add-contact and check over a diary's
// files. The commands that write (the adds, check --repair) hold the diary's write lock from start
// to end.

#include "formats/EntryJson.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavrin {
class TN;
class Reporter;
} // namespace tavrin

namespace tavrin::cli {

// The entries' JSON lives with the other file formats; the commands name it as their own.
using formats::EntryJson;
using formats::Json;
using formats::TypeTexts;

class Cli {
public:
    // Exit statuses.
    static constexpr int kOk = 0, kUsage = 1, kWrongPassword = 2, kFailed = 3;

    using PasswordSource = std::function<std::optional<std::string>()>;
    Cli(std::istream& in, std::ostream& out, std::ostream& err, PasswordSource password)
        : in_(in), out_(out), err_(err), password_(std::move(password)) {}

    int run(const std::vector<std::string>& args);
    static std::string usage();

private:
    int info(const std::string& path);
    int list(const std::string& path);
    int show(const std::string& path, const std::string& position);
    int exportJson(const std::string& path);
    int add(const std::string& path);
    int check(const std::string& path, bool repair);
    // ReminderCommands.cpp
    int due(const std::string& path, const std::vector<std::string>& options);
    int addReminder(const std::string& path);
    int addPlanner(const std::string& path);
    int addContact(const std::string& path);
    int exportText(const std::string& path, const std::string& table, const std::string& file);
    int backup(const std::string& path, const std::string& destination);
    // export-ics (table "reminders" or "planners") and export-vcard (table "contacts").
    int exportOpen(const std::string& path, const std::string& table, const std::string& file);
    // Admits the diary, runs `write` (told the record count through its progress) and says
    // how many records went to `file`.
    using ExportProgress = std::function<void(int position, int count)>;
    int exportTable(const std::string& path, const std::string& file,
                    const std::function<bool(TN&, const ExportProgress&)>& write);
    // GraphCommands.cpp: rest = FILE.png [--from DATE] [--to DATE] [--set 1|2]
    int graph(const std::string& path, const std::vector<std::string>& rest);
    // NutritionCommands.cpp
    int addDefaultIngredients(const std::string& path);
    int addIngredient(const std::string& path);
    int addRecipe(const std::string& path);
    int dailyCalories(const std::string& path);
    // VoiceCommands.cpp
    int voice(const std::string& path, const std::string& position, const std::string& file);
    int attachVoice(const std::string& path, const std::string& position, const std::string& file);
    // ToolsCommands.cpp
    int compact(const std::string& path);
    int importV2(const std::string& path, const std::string& oldIndex);
    int passwd(const std::string& path);
    // PrintCommands.cpp: `options` are FILE.pdf, then --from, --to, --pain-map.
    int print(const std::string& path, const std::vector<std::string>& options);
    // SearchCommands.cpp
    int search(const std::string& path, const std::string& mode, const std::string& term);
    int showText(const std::string& path, const std::string& position);
    // One line of `list`: position (from 1), date and time, voice, type texts, description.
    static std::string listLine(int position, const EntryRecord& r);
    // The entry number given as `text` (from 1); 0, said why, when it is none.
    long entryArgument(const std::string& text);
    // The diary at `path` with entry `n` read (with its texts when `texts`); null when it
    // cannot be read (said why, through `rep` or here).
    std::unique_ptr<TN> openEntry(const std::string& path, long n, Reporter& rep, bool texts);
    // HealthCommands.cpp: correlate, export-csv and report; args start with the diary.
    int health(const std::string& cmd, const std::vector<std::string>& args);
    // The JSON object, or array of objects, on standard input; false (said why) when none.
    bool readObjects(std::vector<Json>& objects, const char* what);
    // Checks the password, takes the diary's write lock, checks again and runs `write`; the
    // exit status of the first step that fails.
    int writeLocked(const std::string& path, const std::function<int(TN&)>& write);

    // Checks the password against the diary's first entry before anything is opened for
    // writing. Returns kOk, or the exit status to end with.
    int admit(const std::string& path);
    bool diaryExists(const std::string& path);

    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    PasswordSource password_;
    std::optional<std::optional<std::string>> typed_; // asked once per command
};

} // namespace tavrin::cli
