#include "storage/DiaryIo.h"

#include <cerrno>

namespace tavrin {

void DiaryIo::reportError(int cause, const std::string& path) {
    rep_.report(ReportKind::FileError, messages::fileError(cause, path));
}

std::unique_ptr<File> DiaryIo::open(const std::string& path, OpenMode mode) {
    auto f = fs_.open(path, mode);
    if (!f) reportError(fs_.lastError(), path);
    return f;
}

std::unique_ptr<File> DiaryIo::openIfExists(const std::string& path, OpenMode mode) {
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
    const std::string temp = target + ".tmp";
    auto f = fs_.open(temp, OpenMode::CreateTrunc);
    if (!f) {
        reportError(fs_.lastError(), temp);
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

bool DiaryIo::remove(const std::string& path) {
    if (fs_.remove(path) || fs_.lastError() == ENOENT) return true;
    reportError(fs_.lastError(), path);
    return false;
}

} // namespace tavrin
