// tavrin-cli search and show --text: the diary page's search, and a body's text as it sees it.

#include "cli/Cli.h"
#include "cli/StreamReporter.h"

#include "diary/logic/EntrySearch.h"
#include "rtf/RtfSearchText.h"
#include "storage/DiaryFileSet.h"
#include "storage/TN.h"

#include <QString>

#include <cstdlib>
#include <ostream>

namespace tavrin::cli {

using diary::EntrySearch;

int Cli::search(const std::string& path, const std::string& mode, const std::string& term) {
    char* end = nullptr;
    const long m = std::strtol(mode.c_str(), &end, 10);
    if (mode.empty() || *end != '\0' || m < 0 || m >= EntrySearch::kModeCount) {
        err_ << "tavrin-cli: the search mode is a number from 0 to " << EntrySearch::kModeCount - 1
             << '\n'
             << usage();
        return kUsage;
    }
    if (EntrySearch::takesText(int(m)) && term.empty()) {
        err_ << "tavrin-cli: this search mode needs a text to look for\n";
        return kUsage;
    }
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    std::vector<EntrySearch::Found> found;
    const EntrySearch::Walk walk =
        EntrySearch::find(tn, {EntrySearch(int(m), QString::fromUtf8(term))}, found);
    for (const EntrySearch::Found& f : found)
        out_ << listLine(f.index + 1, f.record);
    return walk.ok ? kOk : kFailed;
}

int Cli::showText(const std::string& path, const std::string& position) {
    const long n = entryArgument(position);
    if (!n) return kUsage;
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    const std::unique_ptr<TN> tn = openEntry(path, n, rep, true);
    if (!tn) return kFailed;
    const std::string text = diary::RtfSearchText::visible(tn->body);
    out_ << text;
    if (!text.empty() && text.back() != '\n') out_ << '\n';
    return kOk;
}

} // namespace tavrin::cli
