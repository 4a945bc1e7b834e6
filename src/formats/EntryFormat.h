#pragma once
// What every format of diary entries shares: a description (its name, the extension of its
// files, which records it carries), a writer that takes the entries (and the other records where
// the format has them) and writes a file, and a reader that yields entries. The organiser's text,
// iCalendar and vCard files hold tables, not entries, and keep their own classes.

#include "storage/ContactRecord.h"
#include "storage/DiaryConfig.h"
#include "storage/EntryRecord.h"
#include "storage/IngredientRecord.h"
#include "storage/MedicationRecord.h"
#include "storage/PlannerRecord.h"
#include "storage/RecipeRecord.h"
#include "storage/ReminderRecord.h"

#include <array>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace tavrin {
class TN;
}
namespace tavrin::health {
struct HealthEntry;
}

namespace tavrin::formats {

using TypeTexts = std::array<std::string, EntryRecord::kTypeTexts>;

// The records a file of the format can hold.
enum Records : unsigned {
    Entries = 1u << 0,
    Configuration = 1u << 1, // the names the diary gives its parameters
    Reminders = 1u << 2,
    Planner = 1u << 3,
    Contacts = 1u << 4,
    Medication = 1u << 5,
    Ingredients = 1u << 6,
    Recipes = 1u << 7,
};

struct Format {
    const char* name;      // as tavrin-cli and messages name it: "json", "csv"
    const char* extension; // of its files, without the dot
    unsigned records;      // Records
    bool carries(Records r) const { return (records & r) != 0; }
};

// One entry as files carry it: the record (its secrets and voice note never leave the diary),
// the body as stored (RTF or plain text, Windows-1252) and the type texts.
struct Entry {
    EntryRecord record;
    std::string body;
    TypeTexts types;
    int position = 0; // its place in the diary from 1; 0 when it has none (read from a file)
};

// The entries of health data (date order, stored bodies) as a writer takes them.
std::vector<Entry> entriesOf(const std::vector<health::HealthEntry>& dated);
// Every entry of the diary in date order, as the spreadsheet takes them; false when the diary's
// files cannot be read. The configuration must have been read.
bool readDatedEntries(TN& tn, std::vector<Entry>& out);

// What a writer is given. The entries are written in the order they stand here; the tables are
// read only by formats that carry them.
struct DiaryRecords {
    std::string name; // the diary's name, Windows-1252
    DiaryConfig config;
    std::vector<Entry> entries;
    std::vector<ReminderRecord> reminders;
    std::vector<PlannerRecord> planner;
    std::vector<ContactRecord> contacts;
    std::vector<MedicationRecord> medication;
    std::vector<IngredientRecord> ingredients;
    std::vector<RecipeRecord> recipes;
};

class EntryWriter {
public:
    virtual ~EntryWriter() = default;
    virtual const Format& format() const = 0;
    virtual void write(std::ostream& out, const DiaryRecords& diary) const = 0;
    // The whole file at `path`, replacing what it held: a new file is readable by its owner
    // only, since it holds diary content. False, with `error` naming the file and the cause,
    // when it cannot be written completely. A format made of several files overrides this.
    virtual bool writeFile(const std::string& path, const DiaryRecords& diary,
                           std::string& error) const;
};

// Where a reader gave up: the entry (from 1) or 0 for the file as a whole, and why.
struct ReadProblem {
    std::size_t entry = 0;
    std::string text;
};

class EntryReader {
public:
    virtual ~EntryReader() = default;
    virtual const Format& format() const = 0;
    // Every entry of the file, each checked; false at the first problem, and then nothing is
    // to be stored. A file without entries is read as none.
    virtual bool read(std::istream& in, std::vector<Entry>& out, ReadProblem& problem) = 0;
};

} // namespace tavrin::formats
