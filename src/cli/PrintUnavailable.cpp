// tavrin-cli print in a build without the toolkit: there is nothing to lay pages out with.

#include "cli/Cli.h"

#include <ostream>

namespace tavrin::cli {

int Cli::print(const std::string&, const std::vector<std::string>&) {
    err_ << "tavrin-cli: this build cannot print (it was built without Qt)\n";
    return kFailed;
}

} // namespace tavrin::cli
