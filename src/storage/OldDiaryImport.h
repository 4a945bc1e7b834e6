#pragma once
// Import of a version 2 diary: its entries, reminders and planned items appended to an open
// diary of this version. The old file set is an index "NAME.itn" with fixed 72-byte records and,
// beside it, the text file (first letter of the extension replaced by "d"), the reminders ("r")
// and the planner ("p").
//
// Every imported entry takes the open diary's password and security pairs from its first entry;
// the fields the old format lacks are stored empty or zero (the symptom ratings as not rated),
// with no voice note. Entries,
// reminders and planned items are written as one batch: an interruption leaves the diary as it
// was.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tavrin {

class TN;
class EntryRecord;
class ReminderRecord;
class PlannerRecord;

class OldDiaryImport {
public:
    static constexpr std::size_t kIndexRecord = 72, kReminderRecord = 44, kPlannerRecord = 62;

    static constexpr const char* kTooShort =
        "You must enter at least 3 characters in the old password field!";
    static constexpr const char* kNoEntry = "You must have at least one entry in your diary to add "
                                            "your previous entries to it!";
    static constexpr const char* kConvertingEntries = "Converting diary entries...";
    static constexpr const char* kConvertingReminders = "Converting reminder entries...";
    static constexpr const char* kConvertingPlanners = "Converting planner entries...";

    enum class Result {
        Done,          // everything imported; successText() says how much
        TooShort,      // the old password has fewer than 3 characters (kTooShort)
        NoEntry,       // the open diary has no entry yet (kNoEntry)
        WrongPassword, // texts::kInvalidPassword; nothing imported
        NothingToRead, // the old index holds no record: nothing imported, no message
        EntriesOnly,   // the reminders or planner file is missing (reported)
        Failed,        // a file could not be read or written, or an old entry holds a
                       // temperature that is no number (reported); nothing imported
    };

    // `oldIndexPath` is the chosen "*.itn" file; `extensionAt` the position of its extension
    // (after the last dot when negative).
    OldDiaryImport(TN& target, std::string oldIndexPath, int extensionAt = -1);

    // The file of the old set whose extension starts with `letter` instead.
    std::string sibling(char letter) const;

    // `stage` is one of the kConverting texts; `position` of `total` the records read so far.
    using Progress =
        std::function<void(const char* stage, std::int64_t position, std::int64_t total)>;
    Result run(const std::string& oldPassword, const Progress& progress = {});

    int entries() const { return entries_; }
    int reminders() const { return reminders_; }
    int planners() const { return planners_; }
    // "Successfully converted 3 entries, 2 reminders, 1 planners!", and how many mood or scale
    // values lay outside their scales and were stored as not set, when any did.
    std::string successText() const;

    // "Entry 2 of /x/Old.itn is damaged: its temperature is not a number. Nothing was imported."
    std::string badTemperature(int index) const;

private:
    enum class Read { Done, Missing, Failed };
    bool readWhole(const std::string& path, std::string& out);
    // A reminders or planner file: a missing one is reported and told apart from one that is
    // there but cannot be read.
    Read readTable(const std::string& path, std::string& out);
    // The old entries as records of the open diary (its secrets from `first`) with their plain
    // bodies: Done, WrongPassword or Failed (reported).
    Result readEntries(const std::string& oldIndex, const std::string& oldTexts,
                       const std::string& oldPassword, const EntryRecord& first,
                       const Progress& progress, std::vector<EntryRecord>& records,
                       std::vector<std::string>& bodies);
    // The old reminders and planned items: Done, EntriesOnly (a file is missing) or Failed.
    Result readTables(const Progress& progress, std::vector<ReminderRecord>& reminders,
                      std::vector<PlannerRecord>& planned);
    // Appends the texts (text key `key`), then replaces the index, reminders and planner as one
    // batch. False (reported) when the diary was left as it was.
    bool store(std::vector<EntryRecord>& records, const std::vector<std::string>& bodies,
               const std::vector<ReminderRecord>& reminders,
               const std::vector<PlannerRecord>& planned, std::uint8_t key);

    TN& tn_;
    std::string index_;
    int extAt_;
    int entries_ = 0, reminders_ = 0, planners_ = 0, outOfScale_ = 0;
};

} // namespace tavrin
