#pragma once
// A copy of a diary in a folder of the user's choice, in the diary's own layout: the entry index
// file in the folder, and the files of the diary directory in a sub-folder named after the diary.
// Fifteen files are copied: the entry index, the entry data, the configuration, the reminders,
// planner, contacts, recipes, ingredients, medication and voice-note files, and the text files
// of the five pre-set scratch pads.
//
// An earlier backup in the same folder stays whole until the new one is ready: every file is
// first copied to a temporary name beside its target and synced; only then are the copies
// renamed over their targets, the entry data before the entry index (the data file only ever
// grows, so the earlier index still reads from the newer data). A copy that fails leaves its
// earlier target as it was and does not stop the others.

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
    static constexpr const char* kPadNotice =
        "Please note that only the pre-set scratch pad files are backed up! You must backup your "
        "own scratch pad files manually!";

    // `reporter` hears of files that cannot be opened while the size is added up.
    DiaryBackup(std::string diaryPath, Reporter& reporter, FileSystem* fs = nullptr);

    // The bytes a backup copies: the ten diary files and every scratch pad text file that the
    // pad table names. Files of the set that do not exist yet are created empty (and count 0).
    std::int64_t totalSize();
    // "Total backup size: 3000 bytes (2 KB)".
    static std::string totalText(std::int64_t total);
    // The folder as the backup names it: one separator at its end.
    static std::string destination(std::string folder);

    struct Outcome {
        std::vector<std::string> failed; // "Journal.tnd (No space left on device)"
        bool ok() const { return failed.empty(); }
        // The success text, or the failure text and the files that failed, one a line.
        std::string text() const;
    };
    // Called before each copy with its step (1 to 15) and the status text for it; the copies of
    // the scratch pads have no status text of their own (empty).
    using Progress = std::function<void(int step, const std::string& status)>;
    Outcome run(const std::string& destinationFolder, const Progress& progress = {});

private:
    struct Copy {
        std::string source, bare;
        bool inSubFolder, optional; // optional: a missing source copies as an empty file
    };
    std::vector<Copy> copies() const;

    std::string diaryPath_;
    Reporter& reporter_;
    FileSystem& fs_;
};

} // namespace tavrin::organiser
