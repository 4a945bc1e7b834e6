#pragma once
// The usage text and each command's help, made from the command table.

#include "cli/Command.h"

#include <string>

namespace tavrin::cli {

class CommandHelp {
public:
    // "graph DIARY.tni FILE.png [--from DATE] [--to DATE] [--set 1|2]"
    static std::string synopsis(const Command& c);
    // Every command with its help, for --help.
    static std::string usage();
    // One command's synopsis and help, for `help COMMAND` and after a wrong call.
    static std::string commandUsage(const Command& c);
    // `text` in lines of at most kWidth columns, each `indent` spaces in; the first line starts
    // `first` columns in, already filled by the caller.
    static std::string wrap(const std::string& text, std::size_t indent, std::size_t first);

    static constexpr std::size_t kWidth = 79;
};

} // namespace tavrin::cli
