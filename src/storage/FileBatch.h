#pragma once
// Several files of one diary replaced together: after a crash at any point the diary holds all
// of the new files or none of them.
//
//   1. every new file is written beside its target as "<target>.staged" (synced);
//   2. the journal "<diary folder>/<name>.commit" is written atomically, naming the targets:
//      from here on the batch counts as done;
//   3. each staged file is renamed over its target, the folders are synced and the journal goes.
//
// A diary found with a journal is finished (step 3 again, which is safe to repeat); staged files
// without a journal are removed, leaving the old files as they were. DiaryIo does this the first
// time it opens a file of the diary, so every reader and writer sees a settled diary.

#include "storage/DiaryIo.h"

#include <string>
#include <utility>
#include <vector>

namespace tavrin {

class FileBatch {
public:
    // The entry index file; every other file is named by its letter (DiaryFileSet).
    static constexpr char kIndex = 'i';

    explicit FileBatch(DiaryIo& io) : io_(io) {}

    // The whole new content of one file of the diary.
    void replace(char which, std::string content);
    // Replaces every file given, or none. False when nothing changed (reported); once the
    // journal is written the batch is done, and true, even when a rename has to wait for the
    // next opening of the diary (also reported).
    bool commit();

    // Finishes or rolls back an interrupted batch. False when that failed (reported).
    static bool settle(DiaryIo& io);

    static std::string journalPath(const DiaryFileSet& files);
    static std::string stagedPath(const std::string& target) { return target + ".staged"; }
    static std::string targetPath(const DiaryFileSet& files, char which);

private:
    bool stage(const std::string& target, const std::string& content);
    void discardStaged();
    static bool apply(DiaryIo& io, const std::vector<char>& which);
    static void removeLeftovers(DiaryIo& io);

    DiaryIo& io_;
    std::vector<std::pair<char, std::string>> files_;
};

} // namespace tavrin
