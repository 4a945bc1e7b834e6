#include "storage/PrivateFiles.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin {
namespace {

// A folder of ours that nobody else can enter, made when missing. Checked with lstat, so that a
// link planted under the name (in a shared temporary folder) is refused, not followed.
bool ownFolder(const std::string& dir, std::string& why) {
    if (::mkdir(dir.c_str(), 0700) == 0) {
        ::chmod(dir.c_str(), 0700); // whatever the umask took away
    } else if (errno != EEXIST) {
        why = "The private folder " + dir + " cannot be made: " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 07777) != 0700) {
        why = dir + " is not a private folder: it must be a folder (not a link) of yours that "
                    "only you can open (mode 0700).";
        return false;
    }
    return true;
}

// $XDG_RUNTIME_DIR as the session promises it: an absolute folder of ours, closed to others.
std::string runtimeDir() {
    const char* run = std::getenv("XDG_RUNTIME_DIR");
    if (!run || run[0] != '/') return {};
    struct stat st {};
    if (::stat(run, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return run;
}

std::string tempRoot() {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::temp_directory_path(ec);
    return ec ? std::string("/tmp") : p.string();
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

// Writes and closes fd; false with the cause in error.
bool finish(int fd, const std::string& bytes, int& error) {
    bool ok = writeAll(fd, bytes);
    if (!ok) error = errno;
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    return ok;
}

} // namespace

std::string PrivateFiles::folder(std::string& why) {
    if (const std::string run = runtimeDir(); !run.empty()) {
        const std::string dir = run + "/tavrin";
        if (ownFolder(dir, why)) return dir;
    }
    const std::string dir = tempRoot() + "/tavrin-" + std::to_string(::geteuid());
    return ownFolder(dir, why) ? dir : std::string();
}

bool PrivateFiles::writeNew(const std::string& path, const std::string& bytes, int& error) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        error = errno;
        return false;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = errno;
        return false;
    }
    if (finish(fd, bytes, error)) return true;
    ::unlink(path.c_str()); // no half of the plaintext stays behind
    return false;
}

bool PrivateFiles::write(const std::string& path, const std::string& bytes, int& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = errno;
        return false;
    }
    return finish(fd, bytes, error);
}

bool PrivateFiles::prepare(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false; // there already, or the writer will fail and say why
    ::close(fd);
    return true;
}

std::string PrivateFiles::processTemp(const std::string& folder, const std::string& prefix) {
    return folder + "/" + prefix + "-" + std::to_string(::getpid()) + ".tmp";
}

void PrivateFiles::removeOrphans(const std::string& folder, const std::string& prefix) {
    DIR* d = ::opendir(folder.c_str());
    if (!d) return;
    const std::string stem = prefix + "-", tail = ".tmp";
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() <= stem.size() + tail.size() || name.compare(0, stem.size(), stem) != 0 ||
            name.compare(name.size() - tail.size(), tail.size(), tail) != 0)
            continue;
        const std::string digits =
            name.substr(stem.size(), name.size() - stem.size() - tail.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = pid_t(std::stol(digits));
        // EPERM: the process lives (under another user); only a process that is gone lets go.
        if (pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlink((folder + "/" + name).c_str());
    }
    ::closedir(d);
}

} // namespace tavrin
