#include "organiser/logic/DiaryBackup.h"

#include "storage/DiaryFileSet.h"
#include "storage/DiaryIo.h"
#include "storage/FileBatch.h"
#include "storage/FileSystem.h"
#include "storage/Reporter.h"
#include "storage/TN.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

namespace tavrin::organiser {
namespace {

constexpr char kSeparator = '/';

// The nine files of the diary directory in the order they are copied, after the entry index.
constexpr char kDiaryLetters[] = {
    DiaryFileSet::kData,        DiaryFileSet::kConfig,     DiaryFileSet::kReminders,
    DiaryFileSet::kPlanner,     DiaryFileSet::kContacts,   DiaryFileSet::kRecipes,
    DiaryFileSet::kIngredients, DiaryFileSet::kMedication, DiaryFileSet::kVoice};

std::string failure(const std::string& bare, int cause) {
    return bare + " (" + std::strerror(cause ? cause : EIO) + ")";
}

std::string lastPart(const std::string& path) {
    return path.substr(path.find_last_of(kSeparator) + 1);
}

} // namespace

DiaryBackup::DiaryBackup(std::string diaryPath, Reporter& reporter, FileSystem* fs)
    : diaryPath_(std::move(diaryPath)), reporter_(reporter), fs_(fs ? *fs : FileSystem::native()) {}

std::vector<DiaryBackup::Copy> DiaryBackup::copies() const {
    const DiaryFileSet files(diaryPath_);
    std::vector<Copy> list;
    list.push_back({FileBatch::kIndex, files.indexPath(), files.bareIndexName(), false});
    for (char letter : kDiaryLetters)
        list.push_back({letter, files.path(letter), files.bare(letter), false});
    for (int pad = 0; pad < DiaryFileSet::kPadFiles; ++pad)
        list.push_back({char('0' + pad), files.padPath(pad), files.padBare(pad), true});
    return list;
}

std::int64_t DiaryBackup::totalSize() {
    TN tn(0, diaryPath_, DiaryFileSet::extensionOffset(diaryPath_), &reporter_, &fs_);
    std::int64_t total = 0;
    auto add = [&](const std::string& path) {
        if (auto f = tn.io().openIfExists(path, OpenMode::Read))
            total += std::max<std::int64_t>(0, f->size());
    };
    for (const Copy& c : copies())
        if (!c.pad) add(c.source);
    if (tn.PeekPadTable())
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

bool DiaryBackup::insideDiary(const std::string& destinationFolder) const {
    namespace fs = std::filesystem;
    std::error_code error;
    auto resolved = [&](const std::string& p) {
        fs::path r = fs::weakly_canonical(fs::absolute(p, error), error);
        return error ? fs::path(p).lexically_normal() : r;
    };
    const DiaryFileSet files(diaryPath_);
    const fs::path dest = resolved(destinationFolder);
    const fs::path home = resolved(files.directory());
    const fs::path indexFolder = resolved(fs::path(files.indexPath()).parent_path().string());
    auto trimmed = [](fs::path p) { return p.has_filename() ? p : p.parent_path(); };
    if (trimmed(dest) == trimmed(indexFolder)) return true;
    const fs::path inside = trimmed(dest).lexically_relative(trimmed(home));
    return !inside.empty() && *inside.begin() != "..";
}

std::string DiaryBackup::Outcome::text() const {
    if (refused) return kInsideDiary;
    if (ok()) return kSuccess;
    std::string t = std::string(kFailure) + "\n\nThese files were not copied:";
    for (const std::string& f : failed)
        t += "\n" + f;
    return t + "\n\n" + kNothingReplaced;
}

DiaryBackup::Outcome DiaryBackup::run(const std::string& destinationFolder,
                                      const Progress& progress) {
    const std::string dest = destination(destinationFolder);
    const DiaryFileSet files(diaryPath_);
    const std::string sub = dest + files.name();
    Outcome outcome;
    if (insideDiary(dest)) {
        outcome.refused = true;
        return outcome;
    }
    auto fail = [&](const std::string& bare, int cause) {
        outcome.failed.push_back(failure(bare, cause));
        return outcome;
    };

    // No writer of this program changes the diary while it is copied, and a batch that one left
    // unfinished is settled first: the copy is of one state of the diary.
    TN tn(0, diaryPath_, DiaryFileSet::extensionOffset(diaryPath_), &reporter_, &fs_);
    auto lock = tn.LockForWriting();
    if (!lock || !FileBatch::settle(tn.io()))
        return fail(files.bareIndexName(), tn.io().lastCause());
    if (!fs_.makeDirectory(sub)) {
        const int cause = fs_.lastError();
        reporter_.report(ReportKind::FileError, messages::fileError(cause, sub));
        return fail(files.name() + kSeparator, cause);
    }

    DiaryIo io(fs_, reporter_, DiaryFileSet(dest + files.bareIndexName()));
    FileBatch batch(io);
    const std::vector<Copy> list = copies();
    for (const Copy& c : list)
        batch.copy(c.which, c.source, c.which != FileBatch::kIndex);
    const bool done = batch.commit(FileBatch::OnFailure::StageTheRest, [&](std::size_t i) {
        if (progress)
            progress(int(i) + 1,
                     list[i].pad ? std::string() : "Copying " + list[i].bare + " to " + dest);
    });
    if (!done)
        for (const FileBatch::Failure& f : batch.failures()) {
            auto c = std::find_if(list.begin(), list.end(),
                                  [&](const Copy& each) { return each.which == f.which; });
            fail(c != list.end() ? c->bare : lastPart(f.path), f.cause);
        }
    return outcome;
}

} // namespace tavrin::organiser
