#pragma once
// TN, the diary database object. It is short-lived: a window or tool constructs one for the
// current diary, performs one task and destroys it. Every operation opens the files it needs
// and closes them before it returns, so objects on the same diary always see each other's
// writes.

#include "storage/ContactRecord.h"
#include "storage/DiaryConfig.h"
#include "storage/DiaryFileSet.h"
#include "storage/DiaryIo.h"
#include "storage/EntryRecord.h"
#include "storage/FixedTable.h"
#include "storage/GraphSettings.h"
#include "storage/IngredientLineRecord.h"
#include "storage/IngredientRecord.h"
#include "storage/MedicationRecord.h"
#include "storage/PadTable.h"
#include "storage/PlannerRecord.h"
#include "storage/RecipeRecord.h"
#include "storage/ReminderRecord.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// One entry as seen while walking the whole diary. The views are valid during the call only.
struct EntryView {
    int index;
    const EntryRecord& record;
    std::uint8_t textKey; // the key the texts are stored with
    std::string_view body;
    std::array<std::string_view, EntryRecord::kTypeTexts> types;
};

// An entry to add with others in one operation: its record (secrets included) and texts.
struct NewEntry {
    EntryRecord record;
    std::string body;
    std::array<std::string, EntryRecord::kTypeTexts> types;
};

// The parts of TN that the tables need while they are built.
struct TNCore {
    TNCore(const std::string& path, int ext, Reporter& r, FileSystem& fs)
        : files_(path), extOffset_(ext), io_(fs, r, files_) {}
    DiaryFileSet files_;
    int extOffset_;
    DiaryIo io_;
};

class TN : private TNCore {
public:
    static constexpr std::size_t kIndexRecord = EntryRecord::kSize;

    // Forms every name of the set and creates the diary directory; opens nothing.
    TN(int initialIndex, const std::string& diaryPath, int extensionOffset,
       Reporter* reporter = nullptr, FileSystem* fs = nullptr);
    TN(const TN&) = delete;
    TN& operator=(const TN&) = delete;

    const DiaryFileSet& files() const { return files_; }

    // Every operation that changes the diary takes the diary's write lock for its own length.
    // A caller that makes several changes in a row (tavrin-cli) holds it across them with this;
    // the operations inside then share it. nullptr (reported) when another program keeps it.
    std::unique_ptr<FileLock> LockForWriting() { return io_.lockForWriting(); }
    int extensionOffset() const { return extOffset_; }
    Reporter& reporter() { return io_.reporter(); }
    // The file steps of this object, for the operations kept in files of their own.
    DiaryIo& io() { return io_; }

    // ---- entries ----
    EntryRecord entry; // the current entry's index record, unscrambled in memory
    std::string body;  // its body text, unscrambled when read with unscrambling
    std::array<std::string, EntryRecord::kTypeTexts> typeText;
    int entryCount = 0;   // index file length / 420, as of the last operation
    int currentEntry = 0; // current entry index
    std::int64_t indexFileLength = 0, dataFileLength = 0;

    // Voice notes. A new recording: set the entry's voice flag and voiceSource (a PCM wave file,
    // mono, 11025 Hz, 8 or 16 bits); AddEntry and AddEntrySorted compress it to GSM 6.10, append
    // it to the voice file before the index names it, and delete the recording once the entry is
    // stored. A note kept from an edited entry: set the flag, its offset and length, and
    // voiceStored; nothing is compressed then. A recording that cannot be compressed is reported
    // (ReportKind::Voice) and the entry is stored without a note.
    std::string voiceSource;  // recorded wave file to store with the next AddEntry
    bool voiceStored = false; // the entry keeps a note that is already in the voice file
    std::string playingPath;  // file extracted for playing

    // The current entry's note (after its index record was read) as a GSM wave file, unscrambled.
    // False at once without a voice flag; false (reported) when the note lies outside the file.
    bool ReadVoice(std::string& wave);
    // Writes that wave file to `toPath` (a new 0600 file, whole or not at all; meant for a
    // private folder, PrivateFiles::folder()) and sets playingPath to it.
    bool ExtractVoice(const std::string& toPath);

    // Appends the entry held in the object: texts to the data file, then the index record.
    bool AddEntry();
    // AddEntry followed by SortEntries, with the index written once: what the editor does.
    // With `replacing` set to an entry's index, that entry's record is dropped in the same
    // write, so an edited entry is either still the old one or wholly the new one.
    bool AddEntrySorted(int replacing = -1);
    bool ReadEntry(bool unscramble);
    bool FirstEntry(bool unscramble);
    bool NextEntry(bool unscramble);
    bool ReadIndexRecord(); // index record only, always unscrambled
    bool NextIndexRecord();
    // Adds every entry and sorts, as one operation: the texts are appended and synced first, then
    // one new index replaces the old. Afterwards the diary holds all of them or none.
    bool AddEntries(const std::vector<NewEntry>& entries);
    bool DeleteEntry(int index);
    bool SortEntries(); // ascending date-time; equal times keep their order
    bool ReKey(const std::string& newPassword);

    // Mends what an interrupted writer can leave: bytes after the last text that an index record
    // points to, a partial record at the end of the index, and temporary files. Says what it did
    // in `done`, one line each. False when a step failed (reported).
    bool Repair(std::vector<std::string>& done);

    // Walking operations: the index file is read once.
    // Every index record, unscrambled, in file order. Stops at the first unreadable record
    // with the same messages as an iteration; returns false then.
    bool ReadAllIndexRecords(std::vector<EntryRecord>& out);
    // Every entry with its texts (unscrambled when asked); the visitor returns false to stop.
    bool ForEachEntry(bool unscramble, const std::function<bool(const EntryView&)>& visit);

    // ---- organiser and nutrition tables ----
    Table<ReminderRecord> reminders;
    Table<PlannerRecord> planner;
    Table<ContactRecord> contacts;
    Table<RecipeRecord> recipes;
    Table<IngredientRecord> ingredients;
    Table<IngredientLineRecord> tempIngredients;
    Table<MedicationRecord> medication;

    // ---- configuration blocks ----
    DiaryConfig config;
    GraphSettings graph;
    PadTable pads;
    bool ReadConfiguration(); // the defaults are written first when the file is short
    bool WriteConfiguration();
    std::int64_t ConfigurationLength();
    bool ReadGraphSettings();
    bool WriteGraphSettings();
    bool ReadPadTable();
    // The pad table as stored, or the defaults when it is missing or short, without creating or
    // writing anything. False only when it cannot be read (reported).
    bool PeekPadTable();
    bool WritePadTable();
    std::int64_t PadTextLength(int pad); // 0 when the file cannot be opened

private:
    bool readIndexFile(std::string& raw);
    // Appends the scrambled texts of one entry to `texts`, which start at data offset `start`,
    // and returns in `plain` its record pointing at them. False (reported) past 4 GB.
    bool placeTexts(const EntryRecord& from, const std::string& bodyText,
                    const std::array<std::string, EntryRecord::kTypeTexts>& types,
                    std::int64_t start, std::string& texts, EntryRecord& plain);
    // Appends the entries' texts, then replaces the index with raw plus their records, sorted.
    bool addSorted(std::string& raw, const std::vector<NewEntry>& entries);
    // Appends texts at dataLen and syncs; on failure the data file is cut back.
    bool appendTexts(File& data, std::int64_t dataLen, const std::string& texts);
    // The new recording of the entry in `plain`, compressed and appended (synced) to the voice
    // file at voiceLen, with `plain` pointing at it. False only when the voice file cannot be
    // written (reported); then nothing was added.
    bool appendVoice(EntryRecord& plain, std::unique_ptr<File>& voice, std::int64_t& voiceLen);
    // After the entry is stored: the recording has gone into the voice file.
    void voiceDone(const EntryRecord& plain);
    // The index records of `raw` in date-time order; false (and `sorted` empty) when they
    // already are.
    static bool sortIndex(const std::string& raw, std::string& sorted);
    bool decodeEntry(int index, const std::string& raw, bool unscramble, EntryRecord& rec,
                     const char* trace);
    bool checkTexts(int index, const EntryRecord& rec, std::int64_t dataSize);
    bool readEntryAt(bool unscramble, bool withTexts);
    bool nextAfterFailure(const char* trace);
    template <class Block>
    bool readBlock(Block& block, const std::string& path, bool withIndex,
                   const std::function<void()>& defaults);
    template <class Block> bool writeBlock(Block& block, const std::string& path);
};

namespace messages {
std::string damagedEntry(int index, const std::string& indexPath, const std::string& dataPath);
std::string dataFileFull(const std::string& dataPath);
std::string damagedVoice(int index, const std::string& indexPath, const std::string& voicePath);
} // namespace messages

} // namespace tavrin
