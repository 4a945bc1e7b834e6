#include "Diaries.h"

#include "storage/LocalTime.h"

#include <gtest/gtest.h>

namespace tavrin::test {

std::unique_ptr<TN> openDiary(const std::string& path, Reporter& reporter, FileSystem* fs,
                              int initialIndex) {
    return std::make_unique<TN>(initialIndex, path, DiaryFileSet::extensionOffset(path), &reporter,
                                fs);
}

void setSecrets(EntryRecord& e, const std::string& password) {
    e.setPassword(password);
    e.setQuestion(0, "Pet?");
    e.setAnswer(0, "Quokka");
    e.setQuestion(1, "Town?");
    e.setAnswer(1, "Ulm");
    e.setQuestion(2, "Colour?");
    e.setAnswer(2, "Teal");
}

bool addEntry(TN& tn, const EntryData& d, const std::string& password) {
    tn.entry.clear();
    setSecrets(tn.entry, password);
    tn.entry.setDateTime(d.when);
    tn.entry.setDescription(d.description);
    tn.body = d.body;
    tn.typeText = d.types;
    return tn.AddEntry();
}

void addEntries(const std::string& path, std::initializer_list<EntryData> entries) {
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    for (const auto& e : entries)
        ASSERT_TRUE(addEntry(*tn, e)) << rep.dump();
    ASSERT_TRUE(rep.reports.empty()) << rep.dump();
}

std::string entriesState(const std::string& path) {
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    std::string out;
    for (bool ok = tn->FirstEntry(true); ok; ok = tn->NextEntry(true)) {
        const EntryRecord& e = tn->entry;
        out += std::to_string(tn->currentEntry) + ": pw=" + e.password();
        for (int p = 0; p < EntryRecord::kPairs; ++p)
            out += " " + e.question(p) + "/" + e.answer(p);
        out += " at=" + LocalTime::iso(e.dateTime()) + " desc=" + e.description() +
               " body=" + tn->body;
        for (const auto& t : tn->typeText)
            out += " |" + t;
        out += "\n";
    }
    return out + rep.dump();
}

} // namespace tavrin::test
