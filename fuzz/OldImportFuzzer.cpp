// Arbitrary bytes as a version 2 diary (index, texts, reminders, planner) imported into a diary
// of one entry: the import must cope with any old files, never add more entries than the old
// index holds, and a compaction afterwards must leave every text as it was.
//
// Input: a flags byte (bit 0: type the first old record's own password), three 16-bit lengths
// for the index, text and reminders files, then their bytes; the rest is the planner file.

#include "FuzzSupport.h"
#include "MemoryFileSystem.h"
#include "storage/EntryCompaction.h"
#include "storage/OldDiaryImport.h"
#include "storage/Scramble.h"
#include "storage/TN.h"

#include <vector>

namespace {

using tavrin::fuzz::require;

std::vector<std::string> texts(tavrin::TN& tn, bool& complete) {
    std::vector<std::string> out;
    complete = tn.ForEachEntry(true, [&](const tavrin::EntryView& v) {
        out.emplace_back(v.body);
        for (auto t : v.types)
            out.emplace_back(t);
        return true;
    });
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 7) return 0;
    std::string rest = tavrin::fuzz::bytes(data + 7, size - 7);
    auto take = [&](int at) {
        const std::size_t n =
            std::min<std::size_t>(rest.size(), std::size_t(data[at] | data[at + 1] << 8));
        std::string part = rest.substr(0, n);
        rest.erase(0, n);
        return part;
    };
    const std::string index = take(1), text = take(3), reminders = take(5);

    tavrin::fuzz::MemoryFileSystem fs;
    tavrin::fuzz::QuietReporter rep;
    tavrin::TN tn(0, "/fuzz/Diary.tni", 10, &rep, &fs);
    tn.entry.clear();
    tn.entry.setPassword("K;ey");
    tn.entry.setDateTime(1000);
    tn.body = "the diary's own entry";
    require(tn.AddEntry());
    fs.files["/fuzz/Old.itn"] = std::make_shared<std::string>(index);
    fs.files["/fuzz/Old.dtn"] = std::make_shared<std::string>(text);
    fs.files["/fuzz/Old.rtn"] = std::make_shared<std::string>(reminders);
    fs.files["/fuzz/Old.ptn"] = std::make_shared<std::string>(rest);

    std::string typed = "not the one";
    if ((data[0] & 1) && index.size() >= 34) {
        typed = index.substr(4, std::min<std::size_t>(std::uint8_t(index[0]), 30));
        tavrin::scramble::text(typed, tavrin::scramble::kPasswordKey);
        typed = typed.substr(0, typed.find('\0'));
    }
    tavrin::OldDiaryImport import(tn, "/fuzz/Old.itn");
    const auto result = import.run(typed);
    require(import.entries() <= int(index.size() / tavrin::OldDiaryImport::kIndexRecord));
    std::vector<tavrin::EntryRecord> all;
    require(tn.ReadAllIndexRecords(all));
    require(int(all.size()) == 1 + import.entries());
    if (result != tavrin::OldDiaryImport::Result::Done &&
        result != tavrin::OldDiaryImport::Result::EntriesOnly)
        require(import.entries() == 0);

    bool before = false, after = false;
    const auto old = texts(tn, before);
    tavrin::EntryCompaction compaction(tn);
    if (compaction.run() && before) {
        const auto now = texts(tn, after);
        require(after && now == old); // compaction moved texts but must not change one
        require(compaction.newLength() <= compaction.oldLength());
    }
    return 0;
}
