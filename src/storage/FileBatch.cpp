#include "storage/FileBatch.h"

#include <cerrno>
#include <cstring>

namespace tavrin {
namespace {
constexpr const char* kJournalHead = "tavrin batch 1\n";
constexpr const char* kLetters = "dcrpaknxvmgt";

bool knownLetter(char c) {
    return c == FileBatch::kIndex || (c != '\0' && std::strchr(kLetters, c) != nullptr);
}

bool exists(FileSystem& fs, const std::string& path) {
    return fs.fileSize(path) >= 0;
}
} // namespace

std::string FileBatch::journalPath(const DiaryFileSet& files) {
    return files.directory() + "/" + files.name() + ".commit";
}

std::string FileBatch::targetPath(const DiaryFileSet& files, char which) {
    return which == kIndex ? files.indexPath() : files.path(which);
}

void FileBatch::replace(char which, std::string content) {
    files_.emplace_back(which, std::move(content));
}

bool FileBatch::stage(const std::string& target, const std::string& content) {
    // The temporary file takes the target's mode, so the renamed file keeps it too.
    FileSystem& fs = io_.fs();
    std::string temp;
    auto f = fs.createTemp(target, temp);
    if (!f) {
        io_.reportError(fs.lastError(), temp.empty() ? target : temp);
        return false;
    }
    bool ok = f->writeAt(0, content.data(), std::int64_t(content.size())) && f->sync();
    int err = f->error();
    if (ok && !f->close()) {
        ok = false;
        err = f->error();
    }
    f.reset();
    if (ok && !fs.rename(temp, stagedPath(target))) {
        ok = false;
        err = fs.lastError();
    }
    if (!ok) {
        io_.reportError(err, temp);
        fs.remove(temp);
    }
    return ok;
}

void FileBatch::discardStaged() {
    for (const auto& [which, content] : files_) {
        const std::string staged = stagedPath(targetPath(io_.files(), which));
        if (exists(io_.fs(), staged)) io_.fs().remove(staged);
    }
}

bool FileBatch::commit() {
    auto lock = io_.lockForWriting();
    if (!lock) return false;
    const DiaryFileSet& set = io_.files();
    FileSystem& fs = io_.fs();
    discardStaged(); // what an earlier attempt left
    bool indexToo = false;
    std::string journal = kJournalHead;
    std::vector<char> which;
    for (const auto& [w, content] : files_) {
        if (!stage(targetPath(set, w), content)) {
            discardStaged();
            return false;
        }
        indexToo = indexToo || w == kIndex;
        journal += w;
        journal += '\n';
        which.push_back(w);
    }
    // The staged files must be on the disk before the journal that sends them over the old ones.
    bool synced = fs.syncDirectory(set.directory());
    if (synced && indexToo) synced = fs.syncDirectory(DiaryIo::directoryOf(set.indexPath()));
    if (!synced) {
        io_.reportError(fs.lastError(), set.directory());
        discardStaged();
        return false;
    }
    if (!io_.replace(journalPath(set), journal)) {
        discardStaged();
        return false;
    }
    // Done: what is left undone here is finished when the diary is next opened.
    if (!apply(io_, which)) apply(io_, which);
    return true;
}

bool FileBatch::apply(DiaryIo& io, const std::vector<char>& which) {
    const DiaryFileSet& set = io.files();
    FileSystem& fs = io.fs();
    bool indexToo = false;
    for (char w : which) {
        const std::string target = targetPath(set, w);
        const std::string staged = stagedPath(target);
        if (!exists(fs, staged)) continue; // renamed before the interruption
        if (!fs.rename(staged, target)) {
            io.reportError(fs.lastError(), target);
            return false;
        }
        indexToo = indexToo || w == kIndex;
    }
    // The renames must last before the journal goes.
    if (!fs.syncDirectory(set.directory()) ||
        (indexToo && !fs.syncDirectory(DiaryIo::directoryOf(set.indexPath())))) {
        io.reportError(fs.lastError(), set.directory());
        return false;
    }
    const std::string journal = journalPath(set);
    if (!fs.remove(journal) && fs.lastError() != ENOENT) {
        io.reportError(fs.lastError(), journal);
        return false;
    }
    fs.syncDirectory(set.directory()); // a journal that comes back is only finished again
    return true;
}

void FileBatch::removeLeftovers(DiaryIo& io) {
    const DiaryFileSet& set = io.files();
    FileSystem& fs = io.fs();
    if (std::string s = stagedPath(set.indexPath()); exists(fs, s)) fs.remove(s);
    const std::string stem = set.name() + ".tn";
    for (const auto& n : fs.list(set.directory()))
        if (n.size() == stem.size() + 1 + 7 && n.compare(0, stem.size(), stem) == 0 &&
            n.compare(stem.size() + 1, std::string::npos, ".staged") == 0)
            fs.remove(set.directory() + "/" + n);
}

bool FileBatch::settle(DiaryIo& io) {
    const DiaryFileSet& set = io.files();
    if (set.indexPath().empty()) return true;
    FileSystem& fs = io.fs();
    const std::string journal = journalPath(set);
    const bool pending = exists(fs, journal);
    if (!pending && !exists(fs, stagedPath(set.indexPath())) &&
        !exists(fs, stagedPath(set.path(DiaryFileSet::kData))))
        return true;

    std::unique_ptr<FileLock> lock;
    if (pending) {
        lock = io.lockForWriting();
        if (!lock) return false;
    } else {
        // Staged files without a journal may belong to a batch that is being written right
        // now; they are only cleared away when nobody holds the diary.
        lock = fs.lockExclusive(set.lockPath(), std::chrono::milliseconds(0));
        if (!lock) return true;
    }
    auto f = fs.open(journal, OpenMode::Read);
    if (!f) {
        if (fs.lastError() != ENOENT) {
            io.reportError(fs.lastError(), journal);
            return false;
        }
        removeLeftovers(io);
        return true;
    }
    std::string text;
    if (!io.readAll(*f, journal, text)) return false;
    f.reset();
    std::vector<char> which;
    if (text.rfind(kJournalHead, 0) == 0)
        for (std::size_t i = std::strlen(kJournalHead); i < text.size(); i += 2)
            if (knownLetter(text[i])) which.push_back(text[i]);
    return apply(io, which);
}

} // namespace tavrin
