#pragma once
// A copy of a diary in a folder of the user's choice, in the diary's own layout: the entry index
// file in the folder, and the files of the diary directory in a sub-folder named after the diary.
// Fifteen files are copied: the entry index, the entry data, the configuration, the reminders,
// planner, contacts, recipes, ingredients, medication and voice-note files, and the text files
// of the five pre-set scratch pads.
//
// The copy is itself a diary, written as one FileBatch under its own lock: every file is staged
// beside its target, then the batch's journal sends them all over the earlier backup at once.
// After a failure or a crash at any point the folder holds the earlier backup or the new one,
// never a mixture; reading the copy (or the next backup) finishes or rolls back an interrupted
// one. A file the diary does not have is not in the copy either.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tavrin {
class FileSystem;
class Reporter;
} // namespace tavrin

namespace tavrin::organiser {

class DiaryBackup {
public:
    static constexpr int kSteps = 15;
    static constexpr const char* kSuccess = "Successfully backed up your files!";
    static constexpr const char* kFailure = "AN ERROR HAS OCCURED!";
    static constexpr const char* kNothingReplaced =
        "The earlier backup in this folder was left as it was.";
    static constexpr const char* kInsideDiary =
        "A backup cannot be made in the diary's own folder or in a folder inside the diary. "
        "Please choose another folder.";
    static constexpr const char* kPadNotice =
        "Please note that only the pre-set scratch pad files are backed up! You must backup your "
        "own scratch pad files manually!";

    // `reporter` hears of every file that cannot be read or written.
    DiaryBackup(std::string diaryPath, Reporter& reporter, FileSystem* fs = nullptr);

    // The bytes a backup copies: the ten diary files and every scratch pad text file that the
    // pad table names. Only reads: a missing file counts 0 and is not created.
    std::int64_t totalSize();
    // "Total backup size: 3000 bytes (2 KB)".
    static std::string totalText(std::int64_t total);
    // The folder as the backup names it: one separator at its end.
    static std::string destination(std::string folder);

    struct Outcome {
        std::vector<std::string> failed; // "Journal.tnd (No space left on device)"
        bool refused = false;            // the destination lies in the diary: nothing copied
        bool ok() const { return failed.empty() && !refused; }
        // The success text, or the failure text, the files that failed, one a line, and that
        // nothing was replaced; or why the destination was refused.
        std::string text() const;
    };
    // The folder that holds the entry index, the diary directory and every folder inside it
    // (however the path is spelt, links followed): a copy there would be the diary itself, or
    // part of what it copies.
    bool insideDiary(const std::string& destinationFolder) const;
    // Called before each copy with its step (1 to 15) and the status text for it; the copies of
    // the scratch pads have no status text of their own (empty).
    using Progress = std::function<void(int step, const std::string& status)>;
    Outcome run(const std::string& destinationFolder, const Progress& progress = {});

private:
    struct Copy {
        char which; // FileBatch's name of the file
        std::string source, bare;
        bool pad;
    };
    std::vector<Copy> copies() const;

    std::string diaryPath_;
    Reporter& reporter_;
    FileSystem& fs_;
};

} // namespace tavrin::organiser
