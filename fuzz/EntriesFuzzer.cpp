// Arbitrary bytes as an entry index file and its data file: every reader must cope, every
// entry read exports as JSON, and a re-key that succeeds must leave every entry reading back
// with the same texts.

#include "FuzzSupport.h"
#include "MemoryFileSystem.h"
#include "formats/EntryJson.h"
#include "storage/TN.h"

#include <cstdlib>
#include <vector>

namespace {

using tavrin::fuzz::QuietReporter;

std::vector<std::string> bodies(tavrin::TN& tn, bool& complete) {
    std::vector<std::string> out;
    complete = tn.ForEachEntry(true, [&](const tavrin::EntryView& v) {
        out.emplace_back(v.body);
        tavrin::formats::TypeTexts types;
        for (std::size_t t = 0; t < types.size(); ++t)
            types[t] = std::string(v.types[t]);
        for (auto t : v.types)
            out.emplace_back(t);
        // What "export" writes: any record and any texts make valid JSON.
        (void)tavrin::formats::EntryJson::fromEntry(v.record, std::string(v.body), types).dump();
        return true;
    });
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t split = std::min<std::size_t>(size - 2, std::size_t(data[0] | data[1] << 8));
    const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

    tavrin::fuzz::MemoryFileSystem fs;
    QuietReporter rep;
    const std::string path = "/fuzz/Diary.tni";
    tavrin::TN tn(0, path, 10, &rep, &fs);
    fs.files[path] = std::make_shared<std::string>(bytes.substr(0, split));
    fs.files[tn.files().path(tavrin::DiaryFileSet::kData)] =
        std::make_shared<std::string>(bytes.substr(split));

    for (bool ok = tn.FirstEntry(true); ok; ok = tn.NextEntry(true)) {
    }
    for (bool ok = tn.FirstEntry(false); ok; ok = tn.NextIndexRecord()) {
    }
    std::vector<tavrin::EntryRecord> all;
    tn.ReadAllIndexRecords(all);

    bool before = false, after = false;
    const auto old = bodies(tn, before);
    // The byte 0 cannot be stored under a non-zero text key (real texts never hold it), so a
    // damaged text holding it cannot come back unchanged.
    bool representable = true;
    for (const auto& t : old)
        representable = representable && t.find('\0') == std::string::npos;
    if (tn.ReKey("n3w pass") && before && representable) {
        const auto now = bodies(tn, after);
        if (!after || now != old) std::abort(); // a re-key that reports success lost a text
    }
    tn.SortEntries();
    tn.DeleteEntry(int(data[0] % 4));
    return 0;
}
