#include "storage/FileBatch.h"

#include <cerrno>
#include <cstring>

namespace tavrin {
namespace {
constexpr const char* kJournalHead = "tavrin batch 1\n";
constexpr const char* kLetters = "dcrpaknxvmgt01234";
constexpr std::int64_t kChunk = std::int64_t(1) << 20; // a large voice file is copied piecewise

bool knownLetter(char c) {
    return c == FileBatch::kIndex || (c != '\0' && std::strchr(kLetters, c) != nullptr);
}

bool exists(FileSystem& fs, const std::string& path) {
    return fs.fileSize(path) >= 0;
}

// Copies `in` into `out` up to the end `in` has while it is read; 0 or the cause, with the path
// it belongs to in `where`.
int copyAll(File& in, const std::string& source, File& out, const std::string& temp,
            std::string& where) {
    const std::int64_t size = in.size();
    const std::int64_t chunk = size >= 0 && size < kChunk ? size + 1 : kChunk;
    std::string buf(std::size_t(chunk), '\0');
    for (std::int64_t at = 0;; at += chunk) {
        const std::int64_t got = in.readAt(at, buf.data(), chunk);
        if (got < 0) {
            where = source;
            return in.error();
        }
        if (got > 0 && !out.writeAt(at, buf.data(), got)) {
            where = temp;
            return out.error();
        }
        if (got < chunk) return 0;
    }
}
} // namespace

std::string FileBatch::journalPath(const DiaryFileSet& files) {
    return files.directory() + "/" + files.name() + ".commit";
}

std::string FileBatch::targetPath(const DiaryFileSet& files, char which) {
    return which == kIndex ? files.indexPath() : files.path(which);
}

void FileBatch::replace(char which, std::string content) {
    items_.push_back({which, std::move(content), {}, false, false});
}

void FileBatch::copy(char which, std::string sourcePath, bool optional) {
    items_.push_back({which, {}, std::move(sourcePath), true, optional});
}

bool FileBatch::fail(char which, const std::string& path, int cause) {
    cause = cause ? cause : EIO;
    io_.reportError(cause, path);
    failures_.push_back({which, path, cause});
    return false;
}

bool FileBatch::stage(const Item& item, bool& removes) {
    // The temporary file takes the target's mode, so the renamed file keeps it too.
    FileSystem& fs = io_.fs();
    const std::string target = targetPath(io_.files(), item.which);
    removes = false;
    // A folder in the target's place would stop the batch after its journal, half done.
    if (!fs.open(target, OpenMode::Read) && fs.lastError() == EISDIR)
        return fail(item.which, target, EISDIR);
    std::unique_ptr<File> in;
    if (item.copied) {
        in = fs.open(item.source, OpenMode::Read);
        if (!in && item.optional && fs.lastError() == ENOENT) {
            removes = true;
            return true;
        }
        if (!in) return fail(item.which, item.source, fs.lastError());
    }
    std::string temp;
    auto f = fs.createTemp(target, temp);
    if (!f) return fail(item.which, temp.empty() ? target : temp, fs.lastError());
    std::string where = temp;
    int err =
        in ? copyAll(*in, item.source, *f, temp, where)
           : (f->writeAt(0, item.content.data(), std::int64_t(item.content.size())) ? 0
                                                                                    : f->error());
    if (!err && !f->sync()) err = f->error();
    if (!err && !f->close()) err = f->error();
    f.reset();
    if (!err && !fs.rename(temp, stagedPath(target))) err = fs.lastError();
    if (!err) return true;
    fs.remove(temp);
    return fail(item.which, where, err);
}

void FileBatch::discardStaged() {
    for (const Item& item : items_) {
        const std::string staged = stagedPath(targetPath(io_.files(), item.which));
        if (exists(io_.fs(), staged)) io_.fs().remove(staged);
    }
}

bool FileBatch::commit(OnFailure onFailure, const Staging& staging) {
    failures_.clear();
    const DiaryFileSet& set = io_.files();
    FileSystem& fs = io_.fs();
    auto lock = io_.lockForWriting();
    if (!lock) {
        failures_.push_back({'\0', set.lockPath(), io_.lastCause()});
        return false;
    }
    // An interrupted batch is finished first: its staged files must not be taken for ours.
    if (!settle(io_)) {
        failures_.push_back({'\0', journalPath(set), io_.lastCause()});
        return false;
    }
    discardStaged(); // what an earlier attempt left
    bool indexToo = false;
    std::string journal = kJournalHead;
    std::vector<Change> changes;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (!failures_.empty() && onFailure == OnFailure::Stop) break;
        if (staging) staging(i);
        bool removes = false;
        if (!stage(items_[i], removes)) continue;
        const char w = items_[i].which;
        indexToo = indexToo || w == kIndex;
        journal += removes ? "-" : "";
        journal += w;
        journal += '\n';
        changes.push_back({w, removes});
    }
    if (!failures_.empty()) {
        discardStaged();
        return false;
    }
    // The staged files must be on the disk before the journal that sends them over the old ones.
    bool synced = fs.syncDirectory(set.directory());
    if (synced && indexToo) synced = fs.syncDirectory(DiaryIo::directoryOf(set.indexPath()));
    if (!synced) {
        fail('\0', set.directory(), fs.lastError());
        discardStaged();
        return false;
    }
    if (!io_.replace(journalPath(set), journal)) {
        failures_.push_back({'\0', journalPath(set), io_.lastCause()});
        discardStaged();
        return false;
    }
    // Done: what is left undone here is finished when the diary is next opened.
    if (!apply(io_, changes)) apply(io_, changes);
    return true;
}

bool FileBatch::apply(DiaryIo& io, const std::vector<Change>& changes) {
    const DiaryFileSet& set = io.files();
    FileSystem& fs = io.fs();
    bool indexToo = false;
    for (const Change& c : changes) {
        const std::string target = targetPath(set, c.which);
        const std::string staged = stagedPath(target);
        if (c.removes) {
            if (!fs.remove(target) && fs.lastError() != ENOENT) {
                io.reportError(fs.lastError(), target);
                return false;
            }
        } else if (!exists(fs, staged)) {
            continue; // renamed before the interruption
        } else if (!fs.rename(staged, target)) {
            io.reportError(fs.lastError(), target);
            return false;
        }
        indexToo = indexToo || c.which == kIndex;
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
    // One target a line: its letter, after "-" when it goes.
    std::vector<Change> changes;
    if (text.rfind(kJournalHead, 0) == 0)
        for (std::size_t at = std::strlen(kJournalHead); at < text.size();) {
            std::size_t end = text.find('\n', at);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(at, end - at);
            const bool removes = line.size() == 2 && line[0] == '-';
            if ((line.size() == 1 || removes) && knownLetter(line.back()))
                changes.push_back({line.back(), removes});
            at = end + 1;
        }
    return apply(io, changes);
}

} // namespace tavrin
