#pragma once
// tavrin-cli: finds the command named on the command line in the command table, checks the
// arguments against its row and runs it in a Session. `help` and --help come from the same table.

#include "cli/Command.h"
#include "cli/Session.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tavrin::cli {

class Cli {
public:
    // Exit statuses.
    static constexpr int kOk = cli::kOk, kUsage = cli::kUsage, kWrongPassword = cli::kWrongPassword,
                         kFailed = cli::kFailed;

    using PasswordSource = Session::PasswordSource;
    Cli(std::istream& in, std::ostream& out, std::ostream& err, PasswordSource password)
        : in_(in), out_(out), err_(err), password_(std::move(password)) {}

    int run(const std::vector<std::string>& args);

private:
    int help(const std::vector<std::string>& args);
    // Fills `a` from what follows the command's name; false (said why) when that does not fit
    // the command's row.
    bool parse(Session& s, const Command& c, const std::vector<std::string>& args, Arguments& a);
    bool addOption(Session& s, const Option& o, const std::string& value, Arguments& a);

    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    PasswordSource password_;
};

} // namespace tavrin::cli
