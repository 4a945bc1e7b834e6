#pragma once
#include "storage/FileSystem.h"

namespace tavrin {

// POSIX files: positioned reads and writes, fsync, rename.
class NativeFileSystem : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool syncDirectory(const std::string& dir) override;
    bool makeDirectory(const std::string& dir) override;
    std::int64_t fileSize(const std::string& path) override;
};

} // namespace tavrin
