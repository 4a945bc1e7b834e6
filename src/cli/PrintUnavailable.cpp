// tavrin-cli print in a build without the toolkit: there is nothing to lay pages out with.

#include "cli/CommandRegistry.h"
#include "cli/Session.h"

#include <ostream>

namespace tavrin::cli {

int printEntries(Session& s, const Arguments&) {
    s.err() << "tavrin-cli: this build cannot print (it was built without Qt)\n";
    return kFailed;
}

} // namespace tavrin::cli
