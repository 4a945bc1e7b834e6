#pragma once
// What a file is now, to tell whether anybody changed it since it was last read: its identity
// (replacing a file by rename makes a new one), size and modification time. Two stamps are
// equal only when nothing was written in between, as far as the file system can tell.

#include <cstdint>
#include <string>

namespace tavrin {

struct FileStamp {
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = -1; // -1: the file could not be looked at
    std::int64_t modifiedNs = 0;

    static FileStamp of(const std::string& path);
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

} // namespace tavrin
