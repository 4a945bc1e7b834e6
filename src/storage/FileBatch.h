#pragma once
// Several files of one diary replaced together: after a crash at any point the diary holds all
// of the new files or none of them.
//
//   1. every new file is written beside its target as "<target>.staged" (synced);
//   2. the journal "<diary folder>/<name>.commit" is written atomically, naming the targets
//      ("-" before a name: the target goes): from here on the batch counts as done;
//   3. each staged file is renamed over its target, each target to go is removed, the folders
//      are synced and the journal goes.
//
// A diary found with a journal is finished (step 3 again, which is safe to repeat); staged files
// without a journal are removed, leaving the old files as they were. DiaryIo does this the first
// time it opens a file of the diary, and every batch before it begins, so every reader and
// writer sees a settled diary.

#include "storage/DiaryIo.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tavrin {

class FileBatch {
public:
    // The entry index file; every other file is named by its letter (DiaryFileSet), the pre-set
    // scratch pads' text files by '0' to '4'.
    static constexpr char kIndex = 'i';

    explicit FileBatch(DiaryIo& io) : io_(io) {}

    // The whole new content of one file of the diary.
    void replace(char which, std::string content);
    // The new content of one file is a copy of sourcePath, read in pieces while it is staged.
    // A missing source fails the batch, unless it is optional: then the target goes too.
    void copy(char which, std::string sourcePath, bool optional = false);

    enum class OnFailure {
        Stop,         // the first file that cannot be staged ends the batch
        StageTheRest, // the others are still staged, so that failures() names every one
    };
    // Called with the position of each file (in the order given) before it is staged.
    using Staging = std::function<void(std::size_t position)>;
    // Replaces every file given, or none. False when nothing changed (reported, and listed in
    // failures()); once the journal is written the batch is done, and true, even when a rename
    // has to wait for the next opening of the diary (also reported).
    bool commit(OnFailure onFailure = OnFailure::Stop, const Staging& staging = {});

    struct Failure {
        char which; // the file's letter, or '\0' for the batch as a whole (lock, journal, folder)
        std::string path;
        int cause;
    };
    const std::vector<Failure>& failures() const { return failures_; }

    // Finishes or rolls back an interrupted batch. False when that failed (reported).
    static bool settle(DiaryIo& io);

    static std::string journalPath(const DiaryFileSet& files);
    static std::string stagedPath(const std::string& target) { return target + ".staged"; }
    static std::string targetPath(const DiaryFileSet& files, char which);

private:
    struct Item {
        char which;
        std::string content; // the new bytes, unless they are copied
        std::string source;  // the file they are copied from
        bool copied, optional;
    };
    struct Change {
        char which;
        bool removes;
    };
    bool stage(const Item& item, bool& removes);
    bool fail(char which, const std::string& path, int cause);
    void discardStaged();
    static bool apply(DiaryIo& io, const std::vector<Change>& changes);
    static void removeLeftovers(DiaryIo& io);

    DiaryIo& io_;
    std::vector<Item> items_;
    std::vector<Failure> failures_;
};

} // namespace tavrin
