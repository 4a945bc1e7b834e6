#pragma once
#include "storage/FileSystem.h"

namespace tavrin {

// POSIX files: positioned reads and writes, fsync, rename, flock. Only regular files are opened:
// anything else is refused before it could block (a FIFO) or do harm (a device).
class NativeFileSystem : public FileSystem {
public:
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool syncDirectory(const std::string& dir) override;
    bool makeDirectory(const std::string& dir) override;
    std::int64_t fileSize(const std::string& path) override;
    std::unique_ptr<File> createTemp(const std::string& target, std::string& tempPath) override;
    std::vector<std::string> list(const std::string& dir) override;
    std::unique_ptr<FileLock> lockExclusive(const std::string& lockPath,
                                            std::chrono::milliseconds wait) override;
};

} // namespace tavrin
