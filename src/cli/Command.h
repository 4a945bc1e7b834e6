#pragma once
// One tavrin-cli command as a row of a table: its name, the arguments after the diary, its
// options and its help. The dispatcher, the usage text and each command's help are made from
// these rows, and a test holds the manual page and the completion to them.

#include "cli/DateRangeOption.h"

#include <map>
#include <string>
#include <vector>

namespace tavrin::cli {

class Session;

// Exit statuses.
inline constexpr int kOk = 0, kUsage = 1, kWrongPassword = 2, kFailed = 3;

struct Option {
    enum Kind { Flag, Value, RangeStart, RangeEnd };
    const char* name; // "--days"
    Kind kind;
    const char* value; // its value's name in the usage ("N"); null for a flag
    const char* takes; // what the value must be, for messages ("a whole number from 0 to 355")
};

// The date range options, read by DateRangeOption for every command that takes them.
inline const Option kFromOption{"--from", Option::RangeStart, "DATE", DateRangeOption::kTakes};
inline const Option kToOption{"--to", Option::RangeEnd, "DATE", DateRangeOption::kTakes};

// What the command line gave a command, checked against its row.
struct Arguments {
    std::string diary;
    std::vector<std::string> words;             // the arguments after the diary, in order
    std::map<std::string, std::string> options; // each option given, with its value
    DateRange range;                            // everything unless --from or --to is given

    bool has(const std::string& option) const { return options.count(option) != 0; }
    std::string value(const std::string& option) const {
        auto it = options.find(option);
        return it == options.end() ? std::string() : it->second;
    }
};

struct Command {
    const char* name;
    std::vector<const char*> arguments; // after DIARY.tni, each exactly once
    std::vector<Option> options;
    const char* help; // what it does, in a sentence or two
    int (*run)(Session&, const Arguments&);
    bool createsDiary = false; // run even when there is no diary yet

    const Option* option(const std::string& wanted) const {
        for (const Option& o : options)
            if (wanted == o.name) return &o;
        return nullptr;
    }
};

} // namespace tavrin::cli
