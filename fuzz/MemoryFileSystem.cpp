#include "MemoryFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tavrin::fuzz {
namespace {

class MemoryFile : public File {
public:
    MemoryFile(std::shared_ptr<std::string> bytes, bool writable)
        : b_(std::move(bytes)), w_(writable) {}
    std::int64_t size() override { return std::int64_t(b_->size()); }
    std::int64_t readAt(std::int64_t off, void* buf, std::int64_t n) override {
        if (off < 0 || n < 0) return err_ = EINVAL, -1;
        if (std::uint64_t(off) >= b_->size()) return 0;
        std::int64_t got = std::min<std::int64_t>(n, std::int64_t(b_->size()) - off);
        std::memcpy(buf, b_->data() + off, std::size_t(got));
        return got;
    }
    bool writeAt(std::int64_t off, const void* buf, std::int64_t n) override {
        if (!w_ || off < 0 || n < 0 || off + n > (std::int64_t(1) << 30))
            return err_ = EBADF, false;
        if (b_->size() < std::size_t(off + n)) b_->resize(std::size_t(off + n));
        if (n) std::memcpy(b_->data() + off, buf, std::size_t(n));
        return true;
    }
    bool truncate(std::int64_t len) override {
        if (!w_ || len < 0 || len > (std::int64_t(1) << 30)) return err_ = EBADF, false;
        b_->resize(std::size_t(len));
        return true;
    }
    bool sync() override { return true; }
    bool close() override { return true; }

private:
    std::shared_ptr<std::string> b_;
    bool w_;
};

} // namespace

std::unique_ptr<File> MemoryFileSystem::open(const std::string& path, OpenMode mode) {
    auto it = files.find(path);
    if (it == files.end()) {
        if (mode == OpenMode::Read || mode == OpenMode::ReadWrite) return err_ = ENOENT, nullptr;
        it = files.emplace(path, std::make_shared<std::string>()).first;
    }
    if (mode == OpenMode::CreateTrunc) it->second->clear();
    return std::make_unique<MemoryFile>(it->second, mode != OpenMode::Read);
}

bool MemoryFileSystem::rename(const std::string& from, const std::string& to) {
    auto it = files.find(from);
    if (it == files.end()) return err_ = ENOENT, false;
    auto bytes = it->second;
    files.erase(it);
    files[to] = bytes;
    return true;
}

bool MemoryFileSystem::remove(const std::string& path) {
    if (files.erase(path)) return true;
    return err_ = ENOENT, false;
}

bool MemoryFileSystem::makeDirectory(const std::string& dir) {
    dirs_.insert(dir);
    return true;
}

std::int64_t MemoryFileSystem::fileSize(const std::string& path) {
    auto it = files.find(path);
    return it == files.end() ? (err_ = ENOENT, -1) : std::int64_t(it->second->size());
}

} // namespace tavrin::fuzz
