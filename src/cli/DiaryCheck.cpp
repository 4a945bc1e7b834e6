#include "cli/DiaryCheck.h"

#include "storage/ContactRecord.h"
#include "storage/DiaryConfig.h"
#include "storage/DiaryFileSet.h"
#include "storage/EntryRecord.h"
#include "storage/GraphSettings.h"
#include "storage/IngredientLineRecord.h"
#include "storage/IngredientRecord.h"
#include "storage/MedicationRecord.h"
#include "storage/PadTable.h"
#include "storage/PlannerRecord.h"
#include "storage/RecipeRecord.h"
#include "storage/ReminderRecord.h"
#include "storage/Scramble.h"

#include <cstring>
#include <fstream>
#include <optional>
#include <sys/stat.h>

namespace tavrin::cli {
namespace {

std::optional<std::int64_t> sizeOf(const std::string& path) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return st.st_size;
}

} // namespace

std::vector<std::string> DiaryCheck::run() const {
    std::vector<std::string> problems;
    auto problem = [&](std::string s) { problems.push_back(std::move(s)); };
    DiaryFileSet files(path_);

    auto indexSize = sizeOf(files.indexPath());
    if (!indexSize) {
        problem(files.indexPath() + ": the entry index file is missing");
        return problems;
    }
    const auto dataPath = files.path(DiaryFileSet::kData);
    const std::int64_t dataSize = sizeOf(dataPath).value_or(-1);
    const std::int64_t voiceSize = sizeOf(files.path(DiaryFileSet::kVoice)).value_or(0);
    if (*indexSize % std::int64_t(EntryRecord::kSize))
        problem(files.indexPath() + ": " + std::to_string(*indexSize % EntryRecord::kSize) +
                " bytes after the last whole index record");
    const std::int64_t count = *indexSize / std::int64_t(EntryRecord::kSize);

    std::ifstream in(files.indexPath(), std::ios::binary);
    std::optional<std::string> firstPassword;
    for (std::int64_t i = 0; i < count; ++i) {
        EntryRecord r;
        if (!in.read(reinterpret_cast<char*>(r.data()), EntryRecord::kSize)) {
            problem(files.indexPath() + ": cannot read entry " + std::to_string(i + 1));
            break;
        }
        const std::string where = "entry " + std::to_string(i + 1) + ": ";
        if (r.version() != 1) {
            problem(where + "version byte is " + std::to_string(r.version()) + " instead of 1");
            continue;
        }
        if (r.passwordLength() > 30) problem(where + "password length " + std::to_string(r.passwordLength()) + " exceeds 30");
        for (int p = 0; p < EntryRecord::kPairs; ++p) {
            const std::size_t base = EntryRecord::kPairsStart + EntryRecord::kPairSize * std::size_t(p);
            if (r.data()[base] > 30 || r.data()[base + 31] > 30)
                problem(where + "security pair " + std::to_string(p + 1) + " has a length over 30");
        }
        scramble::indexRecord(r);
        if (!firstPassword) firstPassword = r.password();
        else if (*firstPassword != r.password()) problem(where + "password differs from the first entry's");

        auto range = [&](const char* what, std::uint32_t off, std::uint32_t len) {
            if (len == 0) return;
            if (dataSize < 0) {
                problem(where + what + " needs " + dataPath + ", which is missing");
            } else if (std::int64_t(off) + std::int64_t(len) > dataSize) {
                problem(where + what + " at offset " + std::to_string(off) + " with length " +
                        std::to_string(len) + " lies outside the data file (" +
                        std::to_string(dataSize) + " bytes)");
            }
        };
        range("body text", r.bodyOffset(), r.bodyLength());
        for (int t = 0; t < EntryRecord::kTypeTexts; ++t) {
            std::string what = "type text " + std::to_string(t + 1);
            range(what.c_str(), r.typeOffset(t), r.typeLength(t));
        }
        if (r.voiceFlag() == 1 && std::int64_t(r.voiceOffset()) + std::int64_t(r.voiceLength()) > voiceSize)
            problem(where + "voice note lies outside the voice file (" + std::to_string(voiceSize) + " bytes)");
        if (std::memchr(r.data() + EntryRecord::kDescription, 0, EntryRecord::kDescriptionWidth) == nullptr)
            problem(where + "description is not terminated");
        for (int a = 0; a < EntryRecord::kPainAreas; ++a)
            if (r.pain(a) > 6) problem(where + "pain map area " + std::to_string(a + 1) + " holds " +
                                       std::to_string(r.pain(a)) + " (0 to 6 expected)");
    }

    struct TableInfo {
        char letter;
        std::size_t size;
        const char* name;
    };
    const TableInfo tables[] = {
        {ReminderRecord::kFileLetter, ReminderRecord::kSize, "reminders"},
        {PlannerRecord::kFileLetter, PlannerRecord::kSize, "planner"},
        {ContactRecord::kFileLetter, ContactRecord::kSize, "contacts"},
        {RecipeRecord::kFileLetter, RecipeRecord::kSize, "recipes"},
        {IngredientRecord::kFileLetter, IngredientRecord::kSize, "ingredients"},
        {IngredientLineRecord::kFileLetter, IngredientLineRecord::kSize, "temporary ingredients"},
        {MedicationRecord::kFileLetter, MedicationRecord::kSize, "medication"},
    };
    for (const auto& t : tables) {
        auto sz = sizeOf(files.path(t.letter));
        if (sz && *sz % std::int64_t(t.size))
            problem(files.path(t.letter) + ": " + t.name + " table is " + std::to_string(*sz) +
                    " bytes, not a whole number of " + std::to_string(t.size) + "-byte records");
    }
    if (auto sz = sizeOf(files.path(RecipeRecord::kFileLetter))) {
        std::ifstream rin(files.path(RecipeRecord::kFileLetter), std::ios::binary);
        RecipeRecord rec;
        for (std::int64_t i = 0; i < *sz / std::int64_t(RecipeRecord::kSize); ++i) {
            if (!rin.read(reinterpret_cast<char*>(rec.data()), RecipeRecord::kSize)) break;
            if (rec.lineCount() < 0 || rec.lineCount() > RecipeRecord::kMaxLines)
                problem("recipe " + std::to_string(i + 1) + ": " + std::to_string(rec.lineCount()) +
                        " ingredient lines (0 to 30 expected)");
        }
    }

    const TableInfo blocks[] = {
        {DiaryFileSet::kConfig, DiaryConfig::kSize, "diary configuration"},
        {DiaryFileSet::kGraph, GraphSettings::kSize, "graph settings"},
        {DiaryFileSet::kPadTable, PadTable::kSize, "scratch pad table"},
    };
    for (const auto& b : blocks) {
        auto sz = sizeOf(files.path(b.letter));
        if (sz && *sz < std::int64_t(b.size))
            problem(files.path(b.letter) + ": " + b.name + " is " + std::to_string(*sz) +
                    " bytes, shorter than its " + std::to_string(b.size) + "-byte block");
    }
    return problems;
}

} // namespace tavrin::cli
