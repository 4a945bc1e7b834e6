#include "cli/DiaryCheck.h"

#include "cli/EntryLimits.h"
#include "storage/ContactRecord.h"
#include "storage/DiaryConfig.h"
#include "storage/DiaryFileSet.h"
#include "storage/EntryRecord.h"
#include "storage/FileBatch.h"
#include "storage/GraphSettings.h"
#include "storage/IngredientLineRecord.h"
#include "storage/IngredientRecord.h"
#include "storage/MedicationRecord.h"
#include "storage/PadTable.h"
#include "storage/PlannerRecord.h"
#include "storage/RecipeRecord.h"
#include "storage/ReminderRecord.h"
#include "storage/Scramble.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin::cli {
namespace {

// A file of the set as found on disk.
struct Probe {
    bool usable = false; // a regular file that could be read to its end
    std::int64_t size = 0;
    std::string problem; // why it cannot be used; empty when it is usable or missing
};

std::string cannotRead(int cause) {
    return std::string("cannot be read: ") + std::strerror(cause);
}

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    return "a special file";
}

std::string linkTarget(const std::string& path) {
    char buf[4096];
    ssize_t n = ::readlink(path.c_str(), buf, sizeof buf);
    return n > 0 ? std::string(buf, std::size_t(n)) : std::string("a missing file");
}

// Reads a file to its end (into `content` when given) to be sure every byte can be read. The
// file is looked at with stat first and opened without blocking, so a FIFO never stalls us.
Probe probe(const std::string& path, std::string* content) {
    Probe p;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) p.problem = cannotRead(errno);
        return p;
    }
    if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0) {
        p.problem = errno == ENOENT ? "is a link to " + linkTarget(path) + ", which does not exist"
                                    : cannotRead(errno);
        return p;
    }
    if (!S_ISREG(st.st_mode)) {
        p.problem = "is " + kindOf(st.st_mode) + ", not a regular file";
        return p;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        p.problem = cannotRead(errno);
        return p;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) { // replaced since the stat
        p.problem = "is " + kindOf(st.st_mode) + ", not a regular file";
        ::close(fd);
        return p;
    }
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            p.problem = cannotRead(errno);
            break;
        }
        if (n == 0) break;
        p.size += n;
        if (content) content->append(buf, std::size_t(n));
    }
    ::close(fd);
    p.usable = p.problem.empty();
    return p;
}

class Checker {
public:
    explicit Checker(const std::string& path) : files_(path) {}
    std::vector<std::string> run();

private:
    void problem(std::string s) { problems_.push_back(std::move(s)); }
    // Probes a file and reports why it cannot be used.
    Probe file(const std::string& path, std::string* content = nullptr);
    void entries();
    void entry(int index, EntryRecord r);
    void secrets(const std::string& where, const EntryRecord& scrambled, const EntryRecord& plain);
    void texts(const std::string& where, const EntryRecord& r);
    void values(const std::string& where, const EntryRecord& r);
    void tables();
    void records(const std::string& table, const std::string& content);
    void blocks();

    DiaryFileSet files_;
    std::vector<std::string> problems_;
    Probe data_, voice_;
    std::optional<EntryRecord> first_;
};

std::vector<std::string> Checker::run() {
    // The files of an unfinished batch disagree until the next opening finishes it.
    if (const std::string j = FileBatch::journalPath(files_); FileSystem::native().fileSize(j) >= 0)
        problem(j + ": a compaction or import is not finished yet; opening the diary (or check "
                    "--repair) finishes it");
    entries();
    tables();
    blocks();
    for (int pad = 0; pad < DiaryFileSet::kPadFiles; ++pad)
        file(files_.padPath(pad));
    return std::move(problems_);
}

Probe Checker::file(const std::string& path, std::string* content) {
    Probe p = probe(path, content);
    if (!p.problem.empty()) problem(path + ": " + p.problem);
    return p;
}

void Checker::entries() {
    std::string raw;
    const Probe index = file(files_.indexPath(), &raw);
    data_ = file(files_.path(DiaryFileSet::kData));
    voice_ = file(files_.path(DiaryFileSet::kVoice));
    if (!index.usable) {
        if (index.problem.empty())
            problem(files_.indexPath() + ": the entry index file is missing");
        return;
    }
    if (raw.size() % EntryRecord::kSize)
        problem(files_.indexPath() + ": " + std::to_string(raw.size() % EntryRecord::kSize) +
                " bytes after the last whole index record");
    for (std::size_t i = 0; i < raw.size() / EntryRecord::kSize; ++i) {
        EntryRecord r;
        std::memcpy(r.data(), raw.data() + i * EntryRecord::kSize, EntryRecord::kSize);
        entry(int(i), r);
    }
}

void Checker::entry(int index, EntryRecord r) {
    const std::string where = "entry " + std::to_string(index + 1) + ": ";
    if (r.version() != 1) {
        problem(where + "version byte is " + std::to_string(r.version()) + " instead of 1");
        return;
    }
    const EntryRecord scrambled = r;
    scramble::indexRecord(r);
    secrets(where, scrambled, r);
    texts(where, r);
    values(where, r);
}

void Checker::secrets(const std::string& where, const EntryRecord& scrambled,
                      const EntryRecord& plain) {
    constexpr int kMax = EntryRecord::kMaxSecret;
    const std::string limit = std::to_string(kMax);
    if (scrambled.passwordLength() > std::uint32_t(kMax))
        problem(where + "password length " + std::to_string(scrambled.passwordLength()) +
                " exceeds " + limit);
    for (int p = 0; p < EntryRecord::kPairs; ++p) {
        const std::size_t base = EntryRecord::kPairsStart + EntryRecord::kPairSize * std::size_t(p);
        if (scrambled.data()[base] > kMax || scrambled.data()[base + 31] > kMax)
            problem(where + "security pair " + std::to_string(p + 1) + " has a length over " +
                    limit);
    }
    if (!first_) {
        first_ = plain;
        return;
    }
    if (first_->password() != plain.password())
        problem(where + "password differs from the first entry's");
    for (int p = 0; p < EntryRecord::kPairs; ++p)
        if (first_->question(p) != plain.question(p) || first_->answer(p) != plain.answer(p))
            problem(where + "security pair " + std::to_string(p + 1) +
                    " differs from the first entry's");
}

void Checker::texts(const std::string& where, const EntryRecord& r) {
    const std::string dataPath = files_.path(DiaryFileSet::kData);
    auto range = [&](const std::string& what, std::uint32_t off, std::uint32_t len) {
        if (len == 0 || !data_.problem.empty()) return; // an unusable file is reported once
        if (!data_.usable) {
            problem(where + what + " needs " + dataPath + ", which is missing");
        } else if (std::int64_t(off) + std::int64_t(len) > data_.size) {
            problem(where + what + " at offset " + std::to_string(off) + " with length " +
                    std::to_string(len) + " lies outside the data file (" +
                    std::to_string(data_.size) + " bytes)");
        }
    };
    range("body text", r.bodyOffset(), r.bodyLength());
    for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
        range("type text " + std::to_string(t + 1), r.typeOffset(t), r.typeLength(t));

    if (r.voiceFlag() > 1)
        problem(where + "voice flag holds " + std::to_string(r.voiceFlag()) + " (0 or 1 expected)");
    if (r.voiceFlag() == 1 &&
        std::int64_t(r.voiceOffset()) + std::int64_t(r.voiceLength()) > voice_.size)
        problem(where + "voice note lies outside the voice file (" + std::to_string(voice_.size) +
                " bytes)");
}

void Checker::values(const std::string& where, const EntryRecord& r) {
    if (std::memchr(r.data() + EntryRecord::kDescription, 0, EntryRecord::kDescriptionWidth) ==
        nullptr)
        problem(where + "description is not terminated");
    for (const auto& v : EntryLimits::ranged(r))
        if (!v.range.contains(v.value))
            problem(where + v.name + " holds " + std::to_string(v.value) + " (" +
                    std::to_string(v.range.low) + " to " + std::to_string(v.range.high) +
                    " expected)");
    const std::pair<const char*, float> reals[] = {
        {"real1", r.real1()},
        {"real2", r.real2()},
        {"body temperature", r.bodyTemperature()},
        {"outdoor temperature", r.outdoorTemperature()},
        {"indoor temperature", r.indoorTemperature()},
    };
    for (const auto& [name, value] : reals)
        if (!std::isfinite(value)) problem(where + name + " is not a finite number");
}

void Checker::tables() {
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
        const std::string path = files_.path(t.letter);
        std::string content;
        if (!file(path, &content).usable) continue;
        if (content.size() % t.size)
            problem(path + ": " + t.name + " table is " + std::to_string(content.size()) +
                    " bytes, not a whole number of " + std::to_string(t.size) + "-byte records");
        records(t.name, content);
    }
}

// The fields of table records that the program relies on.
void Checker::records(const std::string& table, const std::string& content) {
    if (table == "recipes") {
        RecipeRecord rec;
        for (std::size_t i = 0; i < content.size() / RecipeRecord::kSize; ++i) {
            std::memcpy(rec.data(), content.data() + i * RecipeRecord::kSize, RecipeRecord::kSize);
            if (rec.damaged())
                problem("recipe " + std::to_string(i + 1) + ": " + std::to_string(rec.lineCount()) +
                        " ingredient lines (0 to " + std::to_string(RecipeRecord::kMaxLines) +
                        " expected)");
        }
    } else if (table == "reminders") {
        // A sort keeps only the four kinds and the deletion mark.
        ReminderRecord rec;
        for (std::size_t i = 0; i < content.size() / ReminderRecord::kSize; ++i) {
            std::memcpy(rec.data(), content.data() + i * ReminderRecord::kSize,
                        ReminderRecord::kSize);
            if (!rec.keepOnSort() && !rec.isMarked())
                problem("reminder " + std::to_string(i + 1) + ": kind " +
                        std::to_string(rec.kind()) + " is not daily, weekly, monthly or yearly");
        }
    }
}

void Checker::blocks() {
    struct BlockInfo {
        char letter;
        std::size_t size;
        const char* name;
    };
    const BlockInfo blocks[] = {
        {DiaryFileSet::kConfig, DiaryConfig::kSize, "diary configuration"},
        {DiaryFileSet::kGraph, GraphSettings::kSize, "graph settings"},
        {DiaryFileSet::kPadTable, PadTable::kSize, "scratch pad table"},
    };
    for (const auto& b : blocks) {
        const std::string path = files_.path(b.letter);
        const Probe p = file(path);
        if (p.usable && p.size < std::int64_t(b.size))
            problem(path + ": " + b.name + " is " + std::to_string(p.size) +
                    " bytes, shorter than its " + std::to_string(b.size) + "-byte block");
    }
}

} // namespace

std::vector<std::string> DiaryCheck::run() const {
    return Checker(path_).run();
}

} // namespace tavrin::cli
