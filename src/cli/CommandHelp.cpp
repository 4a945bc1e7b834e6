#include "cli/CommandHelp.h"

#include "cli/CommandRegistry.h"

#include <sstream>

namespace tavrin::cli {
namespace {

constexpr std::size_t kHelpColumn = 23; // where a command's help starts in the usage

const char* const kDateNote = "DATE is a local date YYYY-MM-DD (the whole day) or a date and time "
                              "YYYY-MM-DDTHH:MM[:SS]; both ends of a range are included.";

bool takesRange(const Command& c) {
    for (const Option& o : c.options)
        if (o.kind == Option::RangeStart || o.kind == Option::RangeEnd) return true;
    return false;
}

} // namespace

std::string CommandHelp::synopsis(const Command& c) {
    std::string s = std::string(c.name) + " DIARY.tni";
    for (const char* a : c.arguments)
        s += std::string(" ") + a;
    for (const Option& o : c.options)
        s += std::string(" [") + o.name + (o.value ? std::string(" ") + o.value : "") + "]";
    return s;
}

std::string CommandHelp::wrap(const std::string& text, std::size_t indent, std::size_t first) {
    std::istringstream words(text);
    std::string out, word;
    std::size_t column = first;
    bool lineEmpty = true;
    while (words >> word) {
        if (!lineEmpty && column + 1 + word.size() > kWidth) {
            out += '\n' + std::string(indent, ' ');
            column = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineEmpty = false;
    }
    return out + '\n';
}

std::string CommandHelp::usage() {
    std::string s = "Usage: tavrin-cli COMMAND DIARY.tni [ARGUMENT...] [OPTION...]\n"
                    "       tavrin-cli help [COMMAND] | --help | --version\n"
                    "\n"
                    "Commands:\n";
    for (const Command& c : CommandRegistry::all()) {
        const std::string head = "  " + synopsis(c);
        if (head.size() + 1 < kHelpColumn)
            s += head + std::string(kHelpColumn - head.size(), ' ') +
                 wrap(c.help, kHelpColumn, kHelpColumn);
        else
            s += head + '\n' + std::string(kHelpColumn, ' ') +
                 wrap(c.help, kHelpColumn, kHelpColumn);
    }
    s += '\n' + wrap(kDateNote, 0, 0);
    s += "The password comes from the environment variable TAVRIN_PASSWORD, or is asked on\n"
         "the terminal. Exit status: 0 done, 1 bad arguments, 2 wrong password, 3 failed or\n"
         "problems found.\n";
    return s;
}

std::string CommandHelp::commandUsage(const Command& c) {
    std::string s = "Usage: tavrin-cli " + synopsis(c) + '\n' + "  " + wrap(c.help, 2, 2);
    if (takesRange(c)) s += "  " + wrap(kDateNote, 2, 2);
    return s;
}

} // namespace tavrin::cli
