#include "cli/Cli.h"

#include "cli/CommandHelp.h"
#include "cli/CommandRegistry.h"
#include "storage/DiaryFileSet.h"

#include <cctype>
#include <iostream>
#include <sys/stat.h>

namespace tavrin::cli {
namespace {

bool hasDiaryExtension(const std::string& path) {
    if (path.size() < 5) return false;
    std::string ext = path.substr(path.size() - 4);
    for (auto& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".tni";
}

bool diaryExists(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return true;
    return ::stat(DiaryFileSet(path).directory().c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isHelp(const std::string& word) {
    return word == "--help" || word == "-h" || word == "help";
}

} // namespace

int Cli::help(const std::vector<std::string>& args) {
    if (args.size() == 1) {
        out_ << CommandHelp::usage();
        return kOk;
    }
    const Command* c = args.size() == 2 ? CommandRegistry::find(args[1]) : nullptr;
    if (!c) {
        err_ << "tavrin-cli: help takes the name of one command\n" << CommandHelp::usage();
        return kUsage;
    }
    out_ << CommandHelp::commandUsage(*c);
    return kOk;
}

int Cli::run(const std::vector<std::string>& args) {
    if (args.empty()) {
        err_ << CommandHelp::usage();
        return kUsage;
    }
    if (isHelp(args[0])) return help(args);
    if (args.size() == 1 && args[0] == "--version") {
        out_ << "tavrin-cli " TAVRIN_VERSION "\n";
        return kOk;
    }
    const Command* command = CommandRegistry::find(args[0]);
    if (!command) {
        err_ << "tavrin-cli: there is no command " << args[0] << '\n' << CommandHelp::usage();
        return kUsage;
    }
    if (args.size() == 2 && (args[1] == "--help" || args[1] == "-h")) {
        out_ << CommandHelp::commandUsage(*command);
        return kOk;
    }
    Session session(in_, out_, err_, password_, *command);
    Arguments a;
    if (!parse(session, *command, args, a)) return kUsage;
    if (!command->createsDiary && !diaryExists(a.diary)) {
        err_ << "tavrin-cli: there is no diary at " << a.diary << '\n';
        return kFailed;
    }
    return command->run(session, a);
}

bool Cli::parse(Session& s, const Command& c, const std::vector<std::string>& args, Arguments& a) {
    if (args.size() < 2) {
        err_ << CommandHelp::commandUsage(c);
        return false;
    }
    a.diary = args[1];
    if (!hasDiaryExtension(a.diary)) {
        s.misused("a diary path ends in .tni");
        return false;
    }
    // Options are read only where the command has some, so that a search for "--x" stays a
    // search; "--" ends them.
    bool optionsEnded = c.options.empty();
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || word.rfind("--", 0) != 0) {
            a.words.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const Option* o = c.option(word);
        if (!o) {
            s.misused(std::string(c.name) + " has no option " + word);
            return false;
        }
        if (a.has(word)) {
            s.misused(word + " is given twice");
            return false;
        }
        if (o->value && i + 1 >= args.size()) {
            s.badValue(word);
            return false;
        }
        if (!addOption(s, *o, o->value ? args[++i] : std::string(), a)) return false;
    }
    if (a.words.size() != c.arguments.size()) {
        err_ << CommandHelp::commandUsage(c);
        return false;
    }
    if (a.range.from > a.range.to) {
        s.misused(DateRangeOption::kReversed);
        return false;
    }
    return true;
}

bool Cli::addOption(Session& s, const Option& o, const std::string& value, Arguments& a) {
    a.options[o.name] = value;
    if (o.kind != Option::RangeStart && o.kind != Option::RangeEnd) return true;
    const bool end = o.kind == Option::RangeEnd;
    if (DateRangeOption::parse(value, end, end ? a.range.to : a.range.from)) return true;
    s.badValue(o.name);
    return false;
}

} // namespace tavrin::cli
