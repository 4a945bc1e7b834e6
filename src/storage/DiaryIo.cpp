#include "storage/DiaryIo.h"

#include "storage/FileBatch.h"

#include <atomic>
#include <cerrno>
#include <utility>

namespace tavrin {
namespace {
std::atomic<long long> g_lockWaitMs{5000};
}

void DiaryIo::reportError(int cause, const std::string& path) {
    lastCause_ = cause;
    rep_.report(ReportKind::FileError, messages::fileError(cause, path));
}

void DiaryIo::settleOnce() {
    if (settled_) return;
    settled_ = true;
    FileBatch::settle(*this);
}

std::unique_ptr<File> DiaryIo::open(const std::string& path, OpenMode mode) {
    settleOnce();
    auto f = fs_.open(path, mode);
    if (!f) reportError(fs_.lastError(), path);
    return f;
}

std::unique_ptr<File> DiaryIo::openIfExists(const std::string& path, OpenMode mode) {
    settleOnce();
    auto f = fs_.open(path, mode);
    if (!f && fs_.lastError() != ENOENT) reportError(fs_.lastError(), path);
    return f;
}

bool DiaryIo::readAll(File& f, const std::string& path, std::string& out) {
    std::int64_t size = f.size();
    if (size < 0) {
        reportError(f.error(), path);
        return false;
    }
    out.resize(std::size_t(size));
    std::int64_t got = size ? f.readAt(0, out.data(), size) : 0;
    if (got < 0) {
        reportError(f.error(), path);
        return false;
    }
    out.resize(std::size_t(got)); // a file that shrank meanwhile gives what it holds
    return true;
}

bool DiaryIo::writeSynced(File& f, const std::string& path, std::int64_t off,
                          std::string_view bytes) {
    if (!f.writeAt(off, bytes.data(), std::int64_t(bytes.size())) || !f.sync()) {
        reportError(f.error(), path);
        return false;
    }
    return true;
}

std::string DiaryIo::directoryOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool DiaryIo::replace(const std::string& target, std::string_view content) {
    std::string temp;
    auto f = fs_.createTemp(target, temp);
    if (!f) {
        reportError(fs_.lastError(), temp.empty() ? target : temp);
        return false;
    }
    bool ok = f->writeAt(0, content.data(), std::int64_t(content.size())) && f->sync();
    int err = f->error();
    if (ok && !f->close()) {
        ok = false;
        err = f->error();
    }
    f.reset();
    if (!ok) {
        reportError(err, temp);
        fs_.remove(temp);
        return false;
    }
    if (!fs_.rename(temp, target)) {
        reportError(fs_.lastError(), target);
        fs_.remove(temp);
        return false;
    }
    // The new file is in place; a failed directory sync only weakens durability, not content.
    fs_.syncDirectory(directoryOf(target));
    return true;
}

void DiaryIo::setLockWait(std::chrono::milliseconds wait) {
    g_lockWaitMs = wait.count();
}
std::chrono::milliseconds DiaryIo::lockWait() {
    return std::chrono::milliseconds(g_lockWaitMs.load());
}

std::unique_ptr<FileLock> DiaryIo::lockForWriting() {
    const std::string path = files_.lockPath();
    auto lock = fs_.lockExclusive(path, std::chrono::milliseconds(0));
    if (!lock && (fs_.lastError() == EWOULDBLOCK || fs_.lastError() == EAGAIN)) {
        WaitScope wait(rep_);
        lock = fs_.lockExclusive(path, lockWait());
    }
    if (!lock) {
        if (fs_.lastError() == EWOULDBLOCK || fs_.lastError() == EAGAIN) {
            lastCause_ = fs_.lastError();
            rep_.report(ReportKind::FileError, messages::kDiaryInUse);
        } else {
            reportError(fs_.lastError(), path);
        }
        return nullptr;
    }
    if (lock->outermost()) {
        // Nobody else writes now, so every temporary file of the diary is a leftover.
        for (const auto& p : strayTemps())
            if (fs_.remove(p)) removedTemps_.push_back(p);
    }
    return lock;
}

std::vector<std::string> DiaryIo::takeRemovedTemps() {
    return std::exchange(removedTemps_, {});
}

std::vector<std::string> DiaryIo::strayTemps() {
    std::vector<std::string> found;
    if (files_.indexPath().empty()) return found;
    const std::string indexDir = directoryOf(files_.indexPath());
    const std::string indexName =
        files_.indexPath().substr(files_.indexPath().find_last_of('/') + 1);
    for (const auto& n : fs_.list(indexDir))
        if (FileSystem::isTempOf(n, indexName)) found.push_back(indexDir + "/" + n);
    // In the diary's folder: the temporary file of any "<name>.tn?" file.
    const std::string stem = files_.name() + ".tn";
    for (const auto& n : fs_.list(files_.directory())) {
        if (n.size() > stem.size() && n.compare(0, stem.size(), stem) == 0 &&
            FileSystem::isTempOf(n, n.substr(0, stem.size() + 1)))
            found.push_back(files_.directory() + "/" + n);
    }
    return found;
}

bool DiaryIo::remove(const std::string& path) {
    if (fs_.remove(path) || fs_.lastError() == ENOENT) return true;
    reportError(fs_.lastError(), path);
    return false;
}

} // namespace tavrin
