#pragma once
// Diaries for the tests: opening a TN on a path, writing entries with the standard secrets, and
// reading back a diary's whole observable state as text, for old-or-new comparisons.

#include "StorageTestSupport.h"
#include "storage/TN.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace tavrin::test {

// Holds 0x3B (';'); its bytes sum to 0x64 ('d'), the text key.
inline constexpr const char* kPassword = "K;ey";
inline constexpr std::uint8_t kTextKey = 0x64;

struct EntryData {
    std::int64_t when = 0;
    std::string description;
    std::string body;
    std::array<std::string, EntryRecord::kTypeTexts> types;
};

std::unique_ptr<TN> openDiary(const std::string& path, Reporter& reporter, FileSystem* fs = nullptr,
                              int initialIndex = 0);
void setSecrets(EntryRecord& e, const std::string& password = kPassword);
// Fills the TN's entry and texts from d and adds it.
bool addEntry(TN& tn, const EntryData& d, const std::string& password = kPassword);
// Adds entries through a TN of its own on the real file system; fails the test on a report.
void addEntries(const std::string& path, std::initializer_list<EntryData> entries);

// Every entry read with unscrambling through a fresh TN, one line each, plus any report made
// while reading. Two diaries with equal states hold the same entries, texts and secrets.
std::string entriesState(const std::string& path);
// The whole records of a table (missing file = empty table), through a fresh TN.
template <class Rec> std::string tableState(const std::string& path, Table<Rec> TN::*table) {
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    std::vector<Rec> recs;
    std::string out = ((*tn).*table).ReadAll(recs) ? "" : "<unreadable>";
    for (const auto& r : recs)
        out.append(reinterpret_cast<const char*>(r.data()), Rec::kSize);
    return out + rep.dump();
}

// A version 2 diary beside a test's diary: "Old.itn" and its text, reminders and planner files,
// built from the old layout. Reminder i is 40 letters 'a' + i at 1000 + i; every planned item is
// 50 letters 'p' at 2000 + i with 257 in its done field.
struct OldEntry {
    std::uint32_t when;
    std::int32_t mood, fatigue, shape, dream;
    std::uint8_t copulation, menstruation;
    float temperature;
    std::int32_t weight;
    std::string text;
};
std::string writeOldDiary(const std::string& dir, const std::string& password,
                          const std::vector<OldEntry>& entries, int reminders, int planned);

} // namespace tavrin::test
