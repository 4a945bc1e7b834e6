#pragma once
// What every tavrin-cli command shares while it runs: the streams, the password (asked at most
// once), admission to the diary, the write lock, JSON from standard input, and the way a
// command says that it was called wrongly.

#include "cli/Command.h"
#include "formats/EntryJson.h"

#include <cstdint>
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

class Session {
public:
    using PasswordSource = std::function<std::optional<std::string>()>;
    Session(std::istream& in, std::ostream& out, std::ostream& err, PasswordSource password,
            const Command& command)
        : in_(in), out_(out), err_(err), password_(std::move(password)), command_(command) {}

    std::istream& in() { return in_; }
    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }

    // "tavrin-cli: <why>" and the command's usage on standard error; returns kUsage.
    int misused(const std::string& why);
    // The option's value is not what it takes: said from its row; returns kUsage.
    int badValue(const std::string& option);

    // Checks the password against the diary's first entry before anything is opened for
    // writing. Returns kOk, or the exit status to end with.
    int admit(const std::string& path);
    // Checks the password, takes the diary's write lock, checks again and runs `write`; the
    // exit status of the first step that fails.
    int writeLocked(const std::string& path, const std::function<int(TN&)>& write);
    // The JSON object, or array of objects, on standard input; false (said why) when none.
    bool readObjects(std::vector<Json>& objects, const char* what);
    // The entry number given as `text` (from 1); 0, said why, when it is none.
    long entryArgument(const std::string& text);
    // The diary at `path` with entry `n` read (with its texts when `texts`); null when it
    // cannot be read (said why, through `rep` or here).
    std::unique_ptr<TN> openEntry(const std::string& path, long n, Reporter& rep, bool texts);

    // One line of `list` and `search`: position (from 1), date and time, voice, type texts,
    // description.
    static std::string entryLine(int position, const EntryRecord& r);
    // The first `n` bytes of a regular file (never blocking on anything else); false when there
    // are fewer, or the file cannot be opened (cause in `cause`, 0 when it is only short).
    static bool readPrefix(const std::string& path, void* out, std::int64_t n, int& cause);

private:
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    PasswordSource password_;
    const Command& command_;
    std::optional<std::optional<std::string>> typed_; // asked once per command
};

} // namespace tavrin::cli
