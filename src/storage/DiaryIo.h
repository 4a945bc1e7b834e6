#pragma once
// File steps shared by every table: open or report, read a whole file, append, and replace a
// file atomically (temporary file beside the target, fsync, rename, fsync of the directory).

#include "storage/DiaryFileSet.h"
#include "storage/FileSystem.h"
#include "storage/Reporter.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

class DiaryIo {
public:
    DiaryIo(FileSystem& fs, Reporter& reporter, DiaryFileSet files = {})
        : fs_(fs), rep_(reporter), files_(std::move(files)) {}

    FileSystem& fs() { return fs_; }
    Reporter& reporter() { return rep_; }
    const DiaryFileSet& files() const { return files_; }

    // Opens a file; a failure is reported with the file-error text of its cause. The first open
    // finishes or rolls back a batch of replacements that was interrupted (FileBatch).
    std::unique_ptr<File> open(const std::string& path, OpenMode mode);
    // Opens a file that may be missing: a missing file gives nullptr without a report.
    std::unique_ptr<File> openIfExists(const std::string& path, OpenMode mode);

    // Reads a whole open file into out. Reports and returns false on failure.
    bool readAll(File& f, const std::string& path, std::string& out);

    // Writes bytes at an offset and syncs. Reports and returns false on failure.
    bool writeSynced(File& f, const std::string& path, std::int64_t off, std::string_view bytes);

    // Replaces target with content: written to a new temporary file beside it (which takes the
    // target's mode and owner), synced, renamed over the target, then the directory is synced.
    // On any failure the target is left as it was and the temporary file is gone.
    bool replace(const std::string& target, std::string_view content);

    // Takes the diary's write lock, waiting at most lockWait() for another program to finish;
    // reports "The diary is in use by another program" then. Re-entrant within the process.
    // The outermost holder also removes the temporary files that an interrupted writer left.
    std::unique_ptr<FileLock> lockForWriting();
    static void setLockWait(std::chrono::milliseconds wait);
    static std::chrono::milliseconds lockWait();

    // Full paths of the diary's temporary files (of the index and of every file of the set).
    std::vector<std::string> strayTemps();
    // Those that lockForWriting() removed since the last call.
    std::vector<std::string> takeRemovedTemps();

    // Deletes a file, reporting a failure. A file that is already missing counts as deleted.
    bool remove(const std::string& path);

    void reportError(int cause, const std::string& path);
    // The cause of the last failure reported here (EWOULDBLOCK: the diary was in use).
    int lastCause() const { return lastCause_; }

    static std::string directoryOf(const std::string& path);

private:
    FileSystem& fs_;
    Reporter& rep_;
    DiaryFileSet files_;
    std::vector<std::string> removedTemps_;
    bool settled_ = false;
    int lastCause_ = 0;
    void settleOnce();
};

} // namespace tavrin
