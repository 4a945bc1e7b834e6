#pragma once
// Which entries the diary page lists: the ten search modes, and the walks of the diary that
// apply them. Bodies are matched on the text the user reads (the RTF markup is not searched),
// without regard to case (RtfSearchText); descriptions as upper-case substrings. Plain QtCore:
// the page only gathers the mode and the text and shows the result.
//
// A walk given an EntrySearchCache reads each body's text once per open diary; without one, it
// reads them for this walk only.
//
// A narrowed list (Apply, then Again) is a chain of searches; an entry is listed when it
// matches every search of the chain.

#include "storage/EntryRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

namespace tavrin {
class TN;
}

namespace tavrin::diary {
class EntrySearchCache;
}

namespace tavrin::diary {

class EntrySearch {
public:
    enum Mode {
        All = 0,
        BodyText = 1,
        DescriptionText = 2,
        BodyOrDescription = 3,
        VoiceOnly = 4,
        FirstTypeOnly = 5, // 5 to 9: type text 1 to 5 is not empty
    };
    static constexpr int kModeCount = 10;
    static constexpr const char* kPlaceholder = "<search string>";

    EntrySearch() = default;
    EntrySearch(int mode, const QString& text);

    int mode() const { return mode_; }
    QString text() const { return text_; }

    // The mode list: "All", ..., "Voice only", then "%d - %s only" with the five type names.
    static QStringList modeTexts(const QStringList& typeNames);
    // Modes 1 to 3 search for a text; the others take none.
    static bool takesText(int mode) { return mode >= BodyText && mode <= BodyOrDescription; }
    // The body modes need the entry texts; the others decide from the index record alone.
    bool needsBody() const { return mode_ == BodyText || mode_ == BodyOrDescription; }
    static bool needsBody(const QList<EntrySearch>& chain);

    // `description` and `storedBody` are Windows-1252 bytes; the body as stored (RTF or plain),
    // unscrambled.
    bool matchesDescription(std::string_view description) const;
    bool matchesBody(std::string_view storedBody) const;
    // `folded` is a body's searchable text (RtfSearchText).
    bool matchesBodyText(std::string_view folded) const;
    // `body` is only looked at by the body modes.
    bool matches(const EntryRecord& e, std::string_view body = {}) const;
    static bool matchesAll(const QList<EntrySearch>& chain, const EntryRecord& e,
                           std::string_view body);

    struct Found {
        int index; // position in the entries table
        EntryRecord record;
    };
    struct Walk {
        bool ok = true; // false when a read failed (the storage layer has said why)
        int read = 0;   // entries read from the diary, matching or not
    };
    // One walk of the diary: the entries that match every search of `chain`, in stored order
    // (every entry for an empty chain). Reads the texts only when a body mode asks for them.
    static Walk find(TN& tn, const QList<EntrySearch>& chain, std::vector<Found>& out,
                     EntrySearchCache* cache = nullptr);
    // Narrowing: which of the entries `indexes` (rows of the list) still match `search`.
    // `keep` gets one flag per index. Body modes read the texts of those entries.
    static Walk narrow(TN& tn, const EntrySearch& search, const std::vector<int>& indexes,
                       std::vector<bool>& keep, EntrySearchCache* cache = nullptr);

private:
    int mode_ = All;
    QString text_;
    QString upper_;      // the text upper-cased, for descriptions
    std::string needle_; // the text folded, for bodies
    // One entry against the search, its body read through the cache when a body mode asks.
    bool matchesStored(const EntryRecord& e, int index, std::string_view scrambledBody,
                       std::uint8_t key, EntrySearchCache& cache) const;
};

} // namespace tavrin::diary
