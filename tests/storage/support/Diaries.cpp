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

namespace {
std::string scrambled(std::string s, std::uint8_t key) {
    for (auto& c : s)
        if (std::uint8_t(c) != key) c = char(std::uint8_t(c) ^ key);
    return s;
}
} // namespace

std::string writeOldDiary(const std::string& dir, const std::string& password,
                          const std::vector<OldEntry>& entries, int reminders, int planned) {
    unsigned sum = 0;
    for (unsigned char c : password)
        sum += c;
    std::string index, texts;
    for (const OldEntry& e : entries) {
        Bytes r(72);
        r.u32(0, std::uint32_t(password.size())).text(4, scrambled(password, 0x3B));
        r.u32(34, e.when).i32(38, e.mood).i32(42, e.fatigue).i32(46, e.shape);
        r.u8(50, e.copulation).u8(51, e.menstruation).f32(52, e.temperature);
        r.i32(56, e.weight).i32(60, e.dream);
        r.u32(64, std::uint32_t(texts.size())).u32(68, std::uint32_t(e.text.size()));
        texts += scrambled(e.text, std::uint8_t(sum));
        index += r.b;
    }
    std::string rem, plan;
    for (int i = 0; i < reminders; ++i)
        rem += Bytes(44).u32(0, 1000u + std::uint32_t(i)).text(4, std::string(40, char('a' + i))).b;
    for (int i = 0; i < planned; ++i)
        plan +=
            Bytes(62).u32(0, 2000u + std::uint32_t(i)).text(8, std::string(50, 'p')).u32(58, 257).b;
    writeFile(dir + "/Old.itn", index);
    writeFile(dir + "/Old.dtn", texts);
    writeFile(dir + "/Old.rtn", rem);
    writeFile(dir + "/Old.ptn", plan);
    return dir + "/Old.itn";
}

} // namespace tavrin::test
