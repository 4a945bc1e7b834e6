#include "storage/NativeFileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin {
namespace {

class NativeFile : public File {
public:
    explicit NativeFile(int fd) : fd_(fd) {}
    ~NativeFile() override {
        if (fd_ >= 0) ::close(fd_);
    }

    std::int64_t size() override {
        struct stat st{};
        if (::fstat(fd_, &st) != 0) return fail(-1);
        return st.st_size;
    }
    std::int64_t readAt(std::int64_t off, void* buf, std::int64_t n) override {
        std::int64_t done = 0;
        auto* p = static_cast<char*>(buf);
        while (done < n) {
            ssize_t r = ::pread(fd_, p + done, std::size_t(n - done), off + done);
            if (r < 0) {
                if (errno == EINTR) continue;
                return fail(-1);
            }
            if (r == 0) break;
            done += r;
        }
        return done;
    }
    bool writeAt(std::int64_t off, const void* buf, std::int64_t n) override {
        std::int64_t done = 0;
        auto* p = static_cast<const char*>(buf);
        while (done < n) {
            ssize_t r = ::pwrite(fd_, p + done, std::size_t(n - done), off + done);
            if (r < 0) {
                if (errno == EINTR) continue;
                return fail(false);
            }
            done += r;
        }
        return true;
    }
    bool truncate(std::int64_t len) override { return ::ftruncate(fd_, len) == 0 || fail(false); }
    bool sync() override { return ::fsync(fd_) == 0 || fail(false); }
    bool close() override {
        int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0 || fail(false);
    }

private:
    template <class T> T fail(T v) {
        err_ = errno;
        return v;
    }
    int fd_;
};

} // namespace

std::unique_ptr<File> NativeFileSystem::open(const std::string& path, OpenMode mode) {
    int flags = O_CLOEXEC;
    switch (mode) {
    case OpenMode::Read: flags |= O_RDONLY; break;
    case OpenMode::ReadWrite: flags |= O_RDWR; break;
    case OpenMode::Create: flags |= O_RDWR | O_CREAT; break;
    case OpenMode::CreateTrunc: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    }
    int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) {
        err_ = errno;
        return nullptr;
    }
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        err_ = EISDIR;
        return nullptr;
    }
    return std::make_unique<NativeFile>(fd);
}

bool NativeFileSystem::rename(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) == 0) return true;
    err_ = errno;
    return false;
}

bool NativeFileSystem::remove(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return true;
    err_ = errno;
    return false;
}

bool NativeFileSystem::syncDirectory(const std::string& dir) {
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        err_ = errno;
        return false;
    }
    bool ok = ::fsync(fd) == 0 || errno == EINVAL; // some file systems cannot sync directories
    if (!ok) err_ = errno;
    ::close(fd);
    return ok;
}

bool NativeFileSystem::makeDirectory(const std::string& dir) {
    if (::mkdir(dir.c_str(), 0755) == 0) return true;
    struct stat st{};
    if (errno == EEXIST && ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
    err_ = errno;
    return false;
}

std::int64_t NativeFileSystem::fileSize(const std::string& path) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) {
        err_ = errno;
        return -1;
    }
    return st.st_size;
}

FileSystem& FileSystem::native() {
    static NativeFileSystem fs;
    return fs;
}

} // namespace tavrin
