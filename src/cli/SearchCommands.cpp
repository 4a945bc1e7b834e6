// tavrin-cli search: the diary page's search, listing what it finds as list does.

#include "cli/CommandRegistry.h"
#include "cli/Session.h"
#include "cli/StreamReporter.h"

#include "diary/logic/EntrySearch.h"
#include "storage/DiaryFileSet.h"
#include "storage/TN.h"

#include <QString>

#include <cstdlib>
#include <ostream>

namespace tavrin::cli {
namespace {

using diary::EntrySearch;

int search(Session& s, const Arguments& a) {
    const std::string& mode = a.words[0];
    const std::string& term = a.words[1];
    char* end = nullptr;
    const long m = std::strtol(mode.c_str(), &end, 10);
    if (mode.empty() || *end != '\0' || m < 0 || m >= EntrySearch::kModeCount)
        return s.misused("the search mode is a number from 0 to " +
                         std::to_string(EntrySearch::kModeCount - 1));
    if (EntrySearch::takesText(int(m)) && term.empty()) {
        s.err() << "tavrin-cli: this search mode needs a text to look for\n";
        return kUsage;
    }
    if (int st = s.admit(a.diary)) return st;
    StreamReporter rep(s.err());
    TN tn(0, a.diary, DiaryFileSet::extensionOffset(a.diary), &rep);
    std::vector<EntrySearch::Found> found;
    const EntrySearch::Walk walk =
        EntrySearch::find(tn, {EntrySearch(int(m), QString::fromUtf8(term))}, found);
    for (const EntrySearch::Found& f : found)
        s.out() << Session::entryLine(f.index + 1, f.record);
    return walk.ok ? kOk : kFailed;
}

} // namespace

std::vector<Command> searchCommands() {
    return {
        {"search",
         {"MODE", "TERM"},
         {},
         "the entries the diary page's search lists, as list prints them; MODE is the number of "
         "the page's search mode (0 all, 1 body, 2 description, 3 body or description, 4 voice, "
         "5-9 type text 1-5); exit status 0 also for no match",
         search},
    };
}

} // namespace tavrin::cli
