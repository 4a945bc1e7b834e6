#pragma once
// The searchable text of every body of one open diary, kept in this process's memory and never
// written anywhere: the first body search reads every body once, later searches (narrowing,
// typing) only check that each stored text is still the one read. A stored text is recognised
// by its length, its key and a hash of its stored bytes, so an entry changed by any means is
// read again.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::diary {

class EntrySearchCache {
public:
    // The folded visible text (RtfSearchText) of entry `index`, whose body is stored as
    // `scrambled` with the text key `key`. Valid until the next call.
    std::string_view bodyText(int index, std::string_view scrambled, std::uint8_t key);

    // Makes room at once for a diary of `entries` bodies of about `storedSize` bytes, so that
    // the first search does not grow the buffers step by step.
    void expect(std::size_t entries, std::size_t storedSize);

    void clear() {
        slots_.clear();
        texts_.clear();
        unused_ = 0;
    }
    std::size_t bytes() const { return slots_.capacity() * sizeof(Slot) + texts_.capacity(); }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t length = 0; // of the stored text
        bool filled = false;
        std::size_t at = 0, size = 0; // the searchable text in texts_
    };
    void compact();

    std::vector<Slot> slots_;
    std::string texts_;      // every searchable text, one after another
    std::size_t unused_ = 0; // bytes of texts_ that no slot refers to any more
    std::string plain_;      // scratch: one body unscrambled
    std::string folded_;     // scratch: its searchable text
};

} // namespace tavrin::diary
