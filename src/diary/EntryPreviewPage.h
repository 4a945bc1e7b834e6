#pragma once
// A page of the entry preview on the diary page. The diary page reads the entry once (with
// unscrambling) and the configuration, and hands both to every page.

namespace tavrin {
class TN;
}

namespace tavrin::diary {

class EntryPreviewPage {
public:
    virtual ~EntryPreviewPage() = default;
    // `tn` holds the entry (index record, body and type texts) and the configuration.
    virtual void showEntry(const TN& tn) = 0;
    // No entry to show (empty diary, or the last entry was deleted).
    virtual void clearEntry() = 0;
};

} // namespace tavrin::diary
