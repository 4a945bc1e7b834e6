// Arbitrary bytes as one of the three configuration blocks (chosen by the first byte): the
// block reads, every field of it can be taken and exported, and writing it back keeps
// whatever follows the block in its file.

#include "FuzzSupport.h"
#include "MemoryFileSystem.h"
#include "formats/EntryJson.h"
#include "storage/TN.h"

#include <cstring>

namespace {

using namespace tavrin;
using tavrin::fuzz::require;

void touchConfig(const DiaryConfig& c) {
    (void)formats::EntryJson::fromConfig(c).dump();
}

void touchGraph(const GraphSettings& g) {
    std::uint64_t sum = g.background();
    auto slot = [&](const GraphSettings::Slot& s) {
        sum += g.visible(s) + g.colour(s) + g.type(s) + g.width(s);
    };
    for (int i = 0; i < GraphSettings::kDiarySeries; ++i)
        slot(GraphSettings::diarySlot(i));
    for (int i = 0; i < GraphSettings::kFibroSeries; ++i)
        slot(GraphSettings::fibroSlot(i));
    for (int i = 0; i < GraphSettings::kFibroLabels; ++i)
        slot(GraphSettings::labelSlot(i));
    (void)sum;
}

void touchPads(TN& tn) {
    for (int pad = 0; pad < PadTable::kPads; ++pad) {
        (void)formats::EntryJson::utf8(tn.pads.title(pad));
        tn.PadTextLength(pad);
    }
}

template <class Block>
void exercise(TN& tn, fuzz::MemoryFileSystem& fs, char letter, const std::string& bytes,
              bool (TN::*read)(), bool (TN::*write)(), Block& block) {
    const std::string path = tn.files().path(letter);
    fs.files[path] = std::make_shared<std::string>(bytes);
    require((tn.*read)());
    // A short file is replaced by the defaults; a whole block is read as it is.
    if (bytes.size() >= Block::kSize)
        require(std::memcmp(block.data(), bytes.data(), Block::kSize) == 0);
    const std::string stored = *fs.files[path];
    require(stored.size() >= Block::kSize);
    require((tn.*write)());
    require(*fs.files[path] == stored); // written back unchanged, tail included
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    tavrin::fuzz::MemoryFileSystem fs;
    tavrin::fuzz::QuietReporter rep;
    TN tn(0, "/fuzz/Diary.tni", 10, &rep, &fs);
    const std::string bytes = tavrin::fuzz::bytes(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        exercise(tn, fs, DiaryFileSet::kConfig, bytes, &TN::ReadConfiguration,
                 &TN::WriteConfiguration, tn.config);
        touchConfig(tn.config);
        break;
    case 1:
        exercise(tn, fs, DiaryFileSet::kGraph, bytes, &TN::ReadGraphSettings,
                 &TN::WriteGraphSettings, tn.graph);
        touchGraph(tn.graph);
        break;
    default:
        exercise(tn, fs, DiaryFileSet::kPadTable, bytes, &TN::ReadPadTable, &TN::WritePadTable,
                 tn.pads);
        touchPads(tn);
        break;
    }
    return 0;
}
