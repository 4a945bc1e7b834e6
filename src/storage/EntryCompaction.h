#pragma once
// Compacting the entries database: the entry data file rewritten with the texts of the existing
// entries only, in entry order, and every index record pointing at its texts' new places. Texts
// of deleted or edited entries, and the old texts that a password change leaves behind, go.
// The voice file is not touched.
//
// The data file and the index are replaced as one batch (FileBatch): an interruption leaves the
// diary as it was before or as it is after, never the new texts under the old index.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tavrin {

class TN;

class EntryCompaction {
public:
    explicit EntryCompaction(TN& tn) : tn_(tn) {}

    // The entries as the window counts them before it starts (0 for a diary without any), or
    // nothing when the index or the first entry cannot be read (reported): a diary that cannot
    // be read is not an empty one.
    std::optional<int> countEntries();
    // The entry data file's length now (0 when it is missing).
    std::int64_t dataLength();

    // Rewrites the data file and the index. `progress` is told each entry done (1, 2, ...).
    // False when the diary was left as it was (reported).
    bool run(const std::function<void(int done)>& progress = {});
    std::int64_t oldLength() const { return old_; }
    std::int64_t newLength() const { return new_; }

    // " Number of entries: 12"
    static std::string countText(int entries);
    // What the window shows instead when countEntries() failed.
    static std::string unreadableText();
    // " File size: 3KB (3412 bytes)"
    static std::string sizeText(std::int64_t bytes);
    // " Saved: 1KB (1204 bytes) (35.0%)": the share is a whole percentage, 0 for an empty file.
    static std::string savedText(std::int64_t oldBytes, std::int64_t newBytes);

private:
    TN& tn_;
    std::int64_t old_ = 0, new_ = 0;
};

} // namespace tavrin
