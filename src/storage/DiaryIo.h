#pragma once
// File steps shared by every table: open or report, read a whole file, append, and replace a
// file atomically (temporary file beside the target, fsync, rename, fsync of the directory).

#include "storage/FileSystem.h"
#include "storage/Reporter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tavrin {

class DiaryIo {
public:
    DiaryIo(FileSystem& fs, Reporter& reporter) : fs_(fs), rep_(reporter) {}

    FileSystem& fs() { return fs_; }
    Reporter& reporter() { return rep_; }

    // Opens a file; a failure is reported with the file-error text of its cause.
    std::unique_ptr<File> open(const std::string& path, OpenMode mode);
    // Opens a file that may be missing: a missing file gives nullptr without a report.
    std::unique_ptr<File> openIfExists(const std::string& path, OpenMode mode);

    // Reads a whole open file into out. Reports and returns false on failure.
    bool readAll(File& f, const std::string& path, std::string& out);

    // Writes bytes at an offset and syncs. Reports and returns false on failure.
    bool writeSynced(File& f, const std::string& path, std::int64_t off, std::string_view bytes);

    // Replaces target with content: written to "<target>.tmp", synced, renamed over the target,
    // then the directory is synced. On any failure the target is left as it was.
    bool replace(const std::string& target, std::string_view content);

    // Deletes a file, reporting a failure. A file that is already missing counts as deleted.
    bool remove(const std::string& path);

    void reportError(int cause, const std::string& path);

    static std::string directoryOf(const std::string& path);

private:
    FileSystem& fs_;
    Reporter& rep_;
};

} // namespace tavrin
