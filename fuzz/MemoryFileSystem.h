#pragma once
// Files held in memory, so that a fuzzer can run the storage layer many thousand times a second.

#include "storage/FileSystem.h"

#include <map>
#include <set>

namespace tavrin::fuzz {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::shared_ptr<std::string>> files;

    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool syncDirectory(const std::string&) override { return true; }
    bool makeDirectory(const std::string& dir) override;
    std::int64_t fileSize(const std::string& path) override;

private:
    std::set<std::string> dirs_;
};

} // namespace tavrin::fuzz
