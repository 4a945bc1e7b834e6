#include "storage/NativeFileSystem.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace tavrin {
namespace {

class NativeFile : public File {
public:
    explicit NativeFile(int fd) : fd_(fd) {}
    ~NativeFile() override {
        if (fd_ >= 0) ::close(fd_);
    }

    std::int64_t size() override {
        struct stat st {};
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

// Opens without blocking and keeps the descriptor only when it is a regular file: a FIFO put in
// place of a diary file would otherwise hang the open (or the first read) for ever.
int openRegular(const std::string& path, int flags, int& err) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0) {
        err = errno;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        err = errno;
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        err = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

std::unique_ptr<File> NativeFileSystem::open(const std::string& path, OpenMode mode) {
    // A link planted in place of a file is refused (ELOOP), never read or written through; a
    // dangling one would otherwise create its target.
    int flags = O_NOFOLLOW;
    switch (mode) {
    case OpenMode::Read:
        flags |= O_RDONLY;
        break;
    case OpenMode::ReadWrite:
        flags |= O_RDWR;
        break;
    case OpenMode::Create:
        flags |= O_RDWR | O_CREAT;
        break;
    case OpenMode::CreateTrunc:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    case OpenMode::CreateNew:
        flags |= O_RDWR | O_CREAT | O_EXCL;
        break;
    }
    int fd = openRegular(path, flags, err_);
    if (fd < 0) return nullptr;
    return std::make_unique<NativeFile>(fd);
}

std::unique_ptr<File> NativeFileSystem::createTemp(const std::string& target,
                                                   std::string& tempPath) {
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tempPath = tempNameFor(target);
        // O_EXCL with O_NOFOLLOW: a file or link planted under the name is never written through.
        fd = openRegular(tempPath, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, err_);
        if (fd < 0 && err_ != EEXIST) return nullptr;
    }
    if (fd < 0) return nullptr;
    // The replacement keeps the mode and owner of what it replaces (a new file stays 0600).
    // Owner first: changing it clears the set-id bits that the mode then restores.
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(fd, st.st_uid, st.st_gid) != 0)
            (void)!::fchown(fd, uid_t(-1), st.st_gid); // not permitted: at least the group
        ::fchmod(fd, st.st_mode & 07777);
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
    if (::mkdir(dir.c_str(), 0700) == 0) return true; // a diary is private
    err_ = errno;
    struct stat st {};
    if (err_ != EEXIST || ::lstat(dir.c_str(), &st) != 0) return false;
    if (S_ISDIR(st.st_mode)) return true;
    if (S_ISLNK(st.st_mode)) err_ = ELOOP; // even to a folder: it would send the files elsewhere
    return false;
}

std::int64_t NativeFileSystem::fileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        err_ = errno;
        return -1;
    }
    return st.st_size;
}

std::vector<std::string> NativeFileSystem::list(const std::string& dir) {
    std::vector<std::string> names;
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) {
        err_ = errno;
        return names;
    }
    while (const dirent* e = ::readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != "..") names.push_back(std::move(n));
    }
    ::closedir(d);
    return names;
}

namespace {

// The diary locks this process holds, by the lock file's identity: flock() locks belong to an
// open file description, so a second open of the same file in this process would wait for the
// first one. Nested holders share the first one's descriptor instead.
struct HeldLock {
    int fd;
    int holders;
};
std::mutex g_heldMutex;
std::map<std::pair<dev_t, ino_t>, HeldLock> g_held;

class NativeLock : public FileLock {
public:
    NativeLock(std::pair<dev_t, ino_t> key, bool outermost) : key_(key), outermost_(outermost) {}
    ~NativeLock() override {
        std::lock_guard<std::mutex> guard(g_heldMutex);
        auto it = g_held.find(key_);
        if (it != g_held.end() && --it->second.holders == 0) {
            ::close(it->second.fd); // releases the lock
            g_held.erase(it);
        }
    }
    bool outermost() const override { return outermost_; }

private:
    std::pair<dev_t, ino_t> key_;
    bool outermost_;
};

} // namespace

std::unique_ptr<FileLock> NativeFileSystem::lockExclusive(const std::string& lockPath,
                                                          std::chrono::milliseconds wait) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + wait;
    for (;;) {
        int fd = openRegular(lockPath, O_RDWR | O_CREAT | O_NOFOLLOW, err_);
        if (fd < 0) return nullptr;
        struct stat st {};
        ::fstat(fd, &st);
        const std::pair<dev_t, ino_t> key{st.st_dev, st.st_ino};
        {
            std::lock_guard<std::mutex> guard(g_heldMutex);
            auto it = g_held.find(key);
            if (it != g_held.end()) {
                ++it->second.holders;
                ::close(fd);
                return std::make_unique<NativeLock>(key, false);
            }
        }
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
            if (errno == EINTR) continue;
            const int cause = errno;
            const auto now = Clock::now();
            if (cause != EWOULDBLOCK || now >= deadline) {
                ::close(fd);
                err_ = cause;
                return nullptr;
            }
            std::this_thread::sleep_for(
                std::min<Clock::duration>(deadline - now, std::chrono::milliseconds(10)));
        }
        // Locked; but if the file was replaced meanwhile, the lock guards nothing: again.
        struct stat now {};
        if (::stat(lockPath.c_str(), &now) != 0 || now.st_dev != st.st_dev ||
            now.st_ino != st.st_ino) {
            ::close(fd);
            continue;
        }
        std::lock_guard<std::mutex> guard(g_heldMutex);
        g_held[key] = {fd, 1};
        return std::make_unique<NativeLock>(key, true);
    }
}

FileSystem& FileSystem::native() {
    static NativeFileSystem fs;
    return fs;
}

} // namespace tavrin
