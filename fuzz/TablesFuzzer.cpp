// Arbitrary bytes as one of the seven organiser and nutrition tables (chosen by the first
// byte): every reader copes, every record exports as JSON, and every rewrite keeps exactly
// the records it should.

#include "FuzzSupport.h"
#include "MemoryFileSystem.h"
#include "formats/EntryJson.h"
#include "storage/TN.h"

#include <algorithm>
#include <vector>

namespace {

using namespace tavrin;
using tavrin::fuzz::require;

template <class Rec> std::vector<Rec> readAll(Table<Rec>& t) {
    std::vector<Rec> recs;
    t.ReadAll(recs);
    return recs;
}

template <class Rec> void exportAll(const std::vector<Rec>& recs) {
    for (const Rec& r : recs) {
        formats::Json j = formats::EntryJson::fromRecord(r.view(), Rec::fields());
        if constexpr (std::is_same_v<Rec, RecipeRecord>)
            for (int i = 0; i < r.usableLineCount(); ++i)
                j["lines"].push_back(formats::EntryJson::fromRecord(
                    r.line(i).view(), IngredientLineRecord::fields()));
        (void)j.dump();
    }
}

template <class Rec>
void exercise(Table<Rec>& t, fuzz::MemoryFileSystem& fs, const std::string& bytes,
              std::uint8_t op) {
    fs.files[t.path()] = std::make_shared<std::string>(bytes);
    const std::size_t whole = bytes.size() / Rec::kSize;
    require(t.Count() == int(whole));
    for (bool ok = t.First(); ok; ok = t.Next()) {
    }
    const std::vector<Rec> before = readAll(t);
    require(before.size() == whole);
    exportAll(before);
    if (before.empty()) return;
    const int pick = int(op % before.size());

    if constexpr (Rec::kSort != SortStyle::None) {
        if (op & 0x80 && t.Sort()) {
            std::size_t kept = before.size();
            if constexpr (Rec::kSort == SortStyle::Reminders)
                kept = std::size_t(std::count_if(before.begin(), before.end(),
                                                 [](const Rec& r) { return r.keepOnSort(); }));
            require(readAll(t).size() == kept);
            return;
        }
    }
    if constexpr (Rec::kHasReplace) {
        if (op & 0x40) {
            t.replacement = before.back();
            require(t.Replace(pick));
            require(readAll(t)[std::size_t(pick)].bytes == before.back().bytes);
            return;
        }
    }
    if constexpr (Rec::kDelete == DeleteStyle::MarkThenPurge) {
        std::size_t unmarked = std::size_t(std::count_if(
            before.begin(), before.end(), [](const Rec& r) { return !r.isMarked(); }));
        require(t.Mark(pick));
        if (before.size() > 1 && !before[std::size_t(pick)].isMarked()) --unmarked;
        if (before.size() == 1) unmarked = 0; // the last record goes with its file
        require(t.Purge());
        require(readAll(t).size() == unmarked);
    } else {
        require(t.Delete(pick));
        require(readAll(t).size() == before.size() - 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    tavrin::fuzz::MemoryFileSystem fs;
    tavrin::fuzz::QuietReporter rep;
    TN tn(0, "/fuzz/Diary.tni", 10, &rep, &fs);
    const std::string bytes = tavrin::fuzz::bytes(data + 2, size - 2);
    switch (data[0] % 7) {
    case 0:
        exercise(tn.reminders, fs, bytes, data[1]);
        break;
    case 1:
        exercise(tn.planner, fs, bytes, data[1]);
        break;
    case 2:
        exercise(tn.contacts, fs, bytes, data[1]);
        break;
    case 3:
        exercise(tn.recipes, fs, bytes, data[1]);
        break;
    case 4:
        exercise(tn.ingredients, fs, bytes, data[1]);
        break;
    case 5:
        exercise(tn.tempIngredients, fs, bytes, data[1]);
        break;
    default:
        exercise(tn.medication, fs, bytes, data[1]);
        break;
    }
    return 0;
}
