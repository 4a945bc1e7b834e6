// The command table against what people read: the manual page's command headings, the bash
// completion and `help COMMAND` name the same commands, arguments and options; and --from/--to
// are read alike by every command that takes them.

#include "CliFixture.h"
#include "cli/CommandHelp.h"
#include "cli/CommandRegistry.h"

#include <fstream>
#include <map>
#include <regex>
#include <set>

namespace tavrin::cli::test {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// ".BI graph " DIARY.tni FILE.png \fR[\fP" "\-\-from DATE" ..." as it reads:
// "graph DIARY.tni FILE.png [--from DATE] ...".
std::string manHeading(const std::string& line) {
    std::string text;
    bool quoted = false;
    for (std::size_t i = 4; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line.compare(i, 3, "\\fR") == 0 || line.compare(i, 3, "\\fP") == 0) {
            i += 2;
        } else if (line.compare(i, 2, "\\-") == 0) {
            text += '-';
            ++i;
        } else if (line[i] != ' ' || quoted) {
            text += line[i];
        }
    }
    return text;
}

// The headings of the manual page's COMMANDS section, by command.
std::multimap<std::string, std::string> manSynopses(const std::string& page) {
    std::multimap<std::string, std::string> found;
    std::istringstream in(page);
    bool inCommands = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(".SH", 0) == 0) inCommands = line == ".SH COMMANDS";
        if (inCommands && line.rfind(".BI ", 0) == 0) {
            const std::string heading = manHeading(line);
            found.emplace(heading.substr(0, heading.find(' ')), heading);
        }
    }
    return found;
}

// The completion's command list, and the options it offers after each command.
std::map<std::string, std::set<std::string>> completed(const std::string& script) {
    std::map<std::string, std::set<std::string>> found;
    std::smatch m;
    const std::regex list(R"re(local commands="([^"]*)")re");
    EXPECT_TRUE(std::regex_search(script, m, list));
    std::istringstream names(m[1].str());
    for (std::string name; names >> name;)
        found[name];
    const std::regex branch(R"(^\s+([a-z][a-z0-9-]*(?: \| [a-z][a-z0-9-]*)*)\)$)");
    const std::regex offered(R"re(compgen -W "([^"]*)")re");
    std::istringstream in(script.substr(script.find("case $command in")));
    std::vector<std::string> current;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_match(line, m, branch)) {
            current.clear();
            std::istringstream alternatives(m[1].str());
            for (std::string word; alternatives >> word;)
                if (word != "|") current.push_back(word);
        } else if (std::regex_search(line, m, offered)) {
            std::istringstream words(m[1].str());
            for (std::string word; words >> word;)
                if (word.rfind("--", 0) == 0)
                    for (const auto& c : current)
                        found[c].insert(word);
        }
    }
    return found;
}

class CommandTableTest : public CliFixture {};

TEST_F(CommandTableTest, ManualCompletionAndHelpNameTheCommandsOfTheTable) {
    const auto man = manSynopses(readFile(TAVRIN_SOURCE_DIR "/data/man/tavrin-cli.1"));
    const auto completion = completed(readFile(TAVRIN_SOURCE_DIR "/data/completion/tavrin-cli"));
    std::set<std::string> names;
    for (const Command& c : CommandRegistry::all()) {
        SCOPED_TRACE(c.name);
        names.insert(c.name);
        const std::string synopsis = CommandHelp::synopsis(c);
        // The manual: one heading per command, reading as the synopsis.
        EXPECT_EQ(man.count(c.name), 1u);
        if (man.count(c.name)) {
            EXPECT_EQ(man.find(c.name)->second, synopsis);
        }
        // The completion: the command, offering its options and no other.
        std::set<std::string> options;
        for (const Option& o : c.options)
            options.insert(o.name);
        EXPECT_EQ(completion.count(c.name), 1u);
        if (completion.count(c.name)) {
            EXPECT_EQ(completion.at(c.name), options);
        }
        // help COMMAND and COMMAND --help.
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"help", c.name}, {c.name, "--help"}}) {
            const Result r = run(args);
            EXPECT_EQ(r.status, Cli::kOk);
            EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Usage: tavrin-cli " + synopsis);
        }
    }
    // Nothing documented that the table lacks.
    for (const auto& [name, heading] : man)
        EXPECT_EQ(names.count(name), 1u) << heading;
    for (const auto& [name, options] : completion)
        EXPECT_EQ(names.count(name), 1u) << name;
}

TEST_F(CommandTableTest, DateRangeOptionsAreReadAlikeByEveryCommand) {
    ASSERT_EQ(run({"add", diary}, "{" + newDiary() + R"("dateTime": "2026-03-02T09:00"})").status,
              Cli::kOk);
    const std::string takes = " takes a date YYYY-MM-DD or a date and time YYYY-MM-DDTHH:MM[:SS]";
    const struct {
        std::vector<std::string> options;
        std::string said; // the first line on standard error; "@" stands for the command
    } cases[] = {
        {{"--from", "2026-3-02"}, "--from" + takes},
        {{"--from", " 2026-03-02"}, "--from" + takes},
        {{"--to", "2026-02-30"}, "--to" + takes},
        {{"--to", "2026-03-02T24:00"}, "--to" + takes},
        {{"--from"}, "--from" + takes},
        {{"--from", "2026-03-01", "--from", "2026-03-02"}, "--from is given twice"},
        {{"--from", "2026-03-05", "--to", "2026-03-01"}, "--from is after --to"},
        {{"--from", "2026-03-02T10:00", "--to", "2026-03-02T09:59:59"}, "--from is after --to"},
        {{"--until", "2026-03-01"}, "@ has no option --until"},
    };
    const std::string png = (dir / "out.png").string(), pdf = (dir / "out.pdf").string();
    const std::vector<std::vector<std::string>> commands = {
        {"graph", diary, png}, {"print", diary, pdf}, {"correlate", diary}, {"report", diary, pdf}};
    for (const auto& c : cases) {
        for (std::vector<std::string> args : commands) {
            SCOPED_TRACE(args[0] + ' ' + c.options.front() + ' ' + c.options.back());
            std::string said = "tavrin-cli: " + c.said;
            if (said.find('@') != std::string::npos) said.replace(said.find('@'), 1, args[0]);
            args.insert(args.end(), c.options.begin(), c.options.end());
            const Result r = run(args);
            EXPECT_EQ(r.status, Cli::kUsage);
            EXPECT_EQ(r.err.substr(0, r.err.find('\n')), said);
            EXPECT_EQ(r.out, "");
        }
    }
}

} // namespace
} // namespace tavrin::cli::test
