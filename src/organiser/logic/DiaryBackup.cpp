#include "organiser/logic/DiaryBackup.h"

#include "storage/DiaryFileSet.h"
#include "storage/FileSystem.h"
#include "storage/Reporter.h"
#include "storage/TN.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace tavrin::organiser {
namespace {

constexpr char kSeparator = '/';
constexpr std::int64_t kChunk = 1 << 20;

// The ten files of the diary in the order they are copied, after the entry index.
constexpr char kDiaryLetters[] = {
    DiaryFileSet::kData,        DiaryFileSet::kConfig,     DiaryFileSet::kReminders,
    DiaryFileSet::kPlanner,     DiaryFileSet::kContacts,   DiaryFileSet::kRecipes,
    DiaryFileSet::kIngredients, DiaryFileSet::kMedication, DiaryFileSet::kVoice};

std::string failure(const std::string& bare, int cause) {
    return bare + " (" + std::strerror(cause ? cause : EIO) + ")";
}

// The source copied to a new temporary file beside `target`, synced and closed. Returns 0 and
// the temporary name, or the cause of the failure (no temporary file is left then).
int stage(FileSystem& fs, const std::string& source, bool optional, const std::string& target,
          std::string& temp) {
    std::unique_ptr<File> in = fs.open(source, OpenMode::Read);
    if (!in && !(optional && fs.lastError() == ENOENT)) return fs.lastError();
    std::unique_ptr<File> out = fs.createTemp(target, temp);
    if (!out) return fs.lastError();
    int cause = 0;
    const std::int64_t size = in ? in->size() : 0;
    if (size < 0) cause = in->error();
    std::string buf;
    for (std::int64_t at = 0; !cause && at < size; at += kChunk) {
        buf.resize(std::size_t(std::min(kChunk, size - at)));
        const std::int64_t got = in->readAt(at, buf.data(), std::int64_t(buf.size()));
        if (got != std::int64_t(buf.size()))
            cause = got < 0 ? in->error() : EIO; // the source shrank while it was copied
        else if (!out->writeAt(at, buf.data(), got))
            cause = out->error();
    }
    if (!cause && !out->sync()) cause = out->error();
    if (!cause && !out->close()) cause = out->error();
    if (cause) {
        out.reset();
        fs.remove(temp);
    }
    return cause;
}

} // namespace

DiaryBackup::DiaryBackup(std::string diaryPath, Reporter& reporter, FileSystem* fs)
    : diaryPath_(std::move(diaryPath)), reporter_(reporter), fs_(fs ? *fs : FileSystem::native()) {}

std::vector<DiaryBackup::Copy> DiaryBackup::copies() const {
    const DiaryFileSet files(diaryPath_);
    std::vector<Copy> list;
    list.push_back({files.indexPath(), files.bareIndexName(), false, false});
    for (char letter : kDiaryLetters)
        list.push_back({files.path(letter), files.bare(letter), true, false});
    for (int pad = 0; pad < DiaryFileSet::kPadFiles; ++pad)
        list.push_back({files.padPath(pad), files.padBare(pad), true, true});
    return list;
}

std::int64_t DiaryBackup::totalSize() {
    std::int64_t total = 0;
    auto add = [&](const std::string& path) {
        std::unique_ptr<File> f = fs_.open(path, OpenMode::Create);
        if (!f) {
            reporter_.report(ReportKind::FileError, messages::fileError(fs_.lastError(), path));
            return;
        }
        total += std::max<std::int64_t>(0, f->size());
    };
    TN tn(0, diaryPath_, DiaryFileSet::extensionOffset(diaryPath_), &reporter_, &fs_);
    for (const Copy& c : copies())
        if (!c.optional) add(c.source);
    if (tn.ReadPadTable())
        for (int pad = 0; pad < PadTable::kPads; ++pad) {
            const std::string path = tn.pads.path(pad);
            if (!path.empty() && path[0] != '*') add(path);
        }
    return total;
}

std::string DiaryBackup::totalText(std::int64_t total) {
    return "Total backup size: " + std::to_string(total) + " bytes (" +
           std::to_string(total / 1024) + " KB)";
}

std::string DiaryBackup::destination(std::string folder) {
    if (!folder.empty() && folder.back() == kSeparator) folder.pop_back();
    return folder + kSeparator;
}

std::string DiaryBackup::Outcome::text() const {
    if (ok()) return kSuccess;
    std::string t = std::string(kFailure) + "\n\nThese files were not copied:";
    for (const std::string& f : failed)
        t += "\n" + f;
    return t;
}

DiaryBackup::Outcome DiaryBackup::run(const std::string& destinationFolder,
                                      const Progress& progress) {
    const std::string dest = destination(destinationFolder);
    const DiaryFileSet files(diaryPath_);
    const std::string sub = dest + files.name();
    Outcome outcome;

    // No writer of this program changes the diary while it is copied.
    TN tn(0, diaryPath_, DiaryFileSet::extensionOffset(diaryPath_), &reporter_, &fs_);
    auto lock = tn.LockForWriting();
    const int subCause = fs_.makeDirectory(sub) ? 0 : fs_.lastError();

    struct Staged {
        std::string bare, temp, target;
        int cause;
    };
    std::vector<Staged> staged;
    const std::vector<Copy> list = copies();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Copy& c = list[i];
        if (progress)
            progress(int(i) + 1, c.optional ? std::string() : "Copying " + c.bare + " to " + dest);
        Staged s{c.bare, {}, (c.inSubFolder ? sub + kSeparator : dest) + c.bare, 0};
        // Temporary files left by an interrupted backup go first.
        const std::string dir = c.inSubFolder ? sub : dest;
        for (const std::string& name : fs_.list(dir))
            if (FileSystem::isTempOf(name, c.bare)) fs_.remove(dir + kSeparator + name);
        if (!lock)
            s.cause = EBUSY;
        else if (c.inSubFolder && subCause)
            s.cause = subCause;
        else
            s.cause = stage(fs_, c.source, c.optional, s.target, s.temp);
        staged.push_back(std::move(s));
    }

    // The data file before the index, which is held back when its data did not come along.
    auto commit = [&](Staged& s) {
        if (!s.cause && !fs_.rename(s.temp, s.target)) {
            s.cause = fs_.lastError();
            fs_.remove(s.temp);
        }
        if (s.cause) outcome.failed.push_back(failure(s.bare, s.cause));
    };
    Staged& index = staged[0];
    Staged& data = staged[1];
    commit(data);
    if (!index.cause && data.cause) {
        fs_.remove(index.temp);
        index.cause = data.cause;
    }
    commit(index);
    for (std::size_t i = 2; i < staged.size(); ++i)
        commit(staged[i]);
    if (!fs_.syncDirectory(sub) && !subCause)
        outcome.failed.push_back(failure(files.name() + kSeparator, fs_.lastError()));
    if (!fs_.syncDirectory(dest)) outcome.failed.push_back(failure(dest, fs_.lastError()));
    return outcome;
}

} // namespace tavrin::organiser
