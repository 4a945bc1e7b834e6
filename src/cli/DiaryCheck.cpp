#include "cli/DiaryCheck.h"

#include "formats/EntryLimits.h"
#include "storage/ContactRecord.h"
#include "storage/DiaryConfig.h"
#include "storage/DiaryFileSet.h"
#include "storage/DiaryIo.h"
#include "storage/EntryRecord.h"
#include "storage/FileBatch.h"
#include "storage/GraphSettings.h"
#include "storage/GsmVoice.h"
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
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin::cli {
namespace {

using formats::EntryLimits;
using formats::IntRange;

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

// Reads len bytes at off of a file that probe() found usable.
bool readRange(const std::string& path, std::uint32_t off, std::uint32_t len, std::string& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    out.resize(len);
    std::size_t got = 0;
    while (got < len) {
        const ssize_t n = ::pread(fd, out.data() + got, len - got, off_t(off + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += std::size_t(n);
    }
    ::close(fd);
    return got == len;
}

// True while another program holds the diary's write lock: its temporary and staged files are
// then work in progress, not leftovers. Looking takes a shared lock for a moment, never creates.
bool writerAtWork(const std::string& lockPath) {
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

std::string shown(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", double(v));
    return buf;
}

// Sums of a recipe's lines may be rounded differently by whoever stored them.
bool nearlyEqual(float a, float b) {
    return std::fabs(a - b) <= 0.01f + 1e-4f * std::max(std::fabs(a), std::fabs(b));
}

// The kinds of table record values beyond what their field types say.
constexpr int kLastWeekday = 6;   // Saturday; Sunday is 0
constexpr int kLastPriority = 1;  // 0 normal, 1 important
constexpr std::uint8_t kDone = 1; // 0 not done
constexpr const char* kStagedSuffix = ".staged";

class Checker {
public:
    explicit Checker(const std::string& path) : files_(path) {}
    std::vector<std::string> run();
    bool entriesSound() {
        entries();
        return sound_;
    }

private:
    void problem(std::string s) { problems_.push_back(std::move(s)); }
    // A problem of the entries that a repair must not build on: their records or notes do not
    // say truly where their bytes end.
    void damage(std::string s) {
        sound_ = false;
        problem(std::move(s));
    }
    // Probes a file and reports why it cannot be used.
    Probe file(const std::string& path, std::string* content = nullptr);
    void entries();
    void entry(int index, EntryRecord r);
    void secrets(const std::string& where, const EntryRecord& scrambled, const EntryRecord& plain);
    void texts(const std::string& where, const EntryRecord& r);
    void voiceNote(const std::string& where, const EntryRecord& r);
    void values(const std::string& where, const EntryRecord& r);
    void tables();
    template <class Rec> void table(const char* name, const char* record);
    // What the field types of a record promise: terminated texts, times the program can show,
    // nutrition values that are numbers of 0 or more.
    template <class Rec> void fields(const std::string& where, const Rec& r);
    // What each table adds to that.
    template <class Rec> void specific(const std::string&, const Rec&) {}
    void specific(const std::string& where, const ReminderRecord& r);
    void specific(const std::string& where, const PlannerRecord& r);
    void specific(const std::string& where, const RecipeRecord& r);
    void blocks();
    void leftovers();

    DiaryFileSet files_;
    std::vector<std::string> problems_;
    Probe data_, voice_;
    std::optional<EntryRecord> first_;
    const IntRange times_ = EntryLimits::time();
    bool sound_ = true;
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
    leftovers();
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
        damage(where + "version byte is " + std::to_string(r.version()) + " instead of 1");
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
            damage(where + what + " needs " + dataPath + ", which is missing");
        } else if (std::int64_t(off) + std::int64_t(len) > data_.size) {
            damage(where + what + " at offset " + std::to_string(off) + " with length " +
                   std::to_string(len) + " lies outside the data file (" +
                   std::to_string(data_.size) + " bytes)");
        }
    };
    range("body text", r.bodyOffset(), r.bodyLength());
    for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
        range("type text " + std::to_string(t + 1), r.typeOffset(t), r.typeLength(t));

    if (r.voiceFlag() > 1)
        damage(where + "voice flag holds " + std::to_string(r.voiceFlag()) + " (0 or 1 expected)");
    if (r.voiceFlag() == 1) voiceNote(where, r);
}

// A note is played from exactly its bytes: they must hold one whole wave file that decodes.
void Checker::voiceNote(const std::string& where, const EntryRecord& r) {
    const std::uint32_t off = r.voiceOffset(), len = r.voiceLength();
    if (std::int64_t(off) + std::int64_t(len) > voice_.size) {
        damage(where + "voice note lies outside the voice file (" + std::to_string(voice_.size) +
               " bytes)");
        return;
    }
    const std::string voicePath = files_.path(DiaryFileSet::kVoice);
    const std::string at = "voice note at offset " + std::to_string(off) + " with length " +
                           std::to_string(len) + " in " + voicePath;
    if (len == 0) {
        damage(where + at + " holds nothing");
        return;
    }
    std::string wave;
    if (!readRange(voicePath, off, len, wave)) {
        damage(where + at + " cannot be read");
        return;
    }
    scramble::voice(reinterpret_cast<std::uint8_t*>(wave.data()), wave.size());
    std::vector<std::int16_t> samples;
    std::uint32_t rate = 0;
    VoiceError error;
    if (!GsmVoice::samplesOf(wave, samples, rate, error)) {
        damage(where + at + " is no sound that can be played (" + error.text() + ")");
        return;
    }
    const std::uint64_t whole =
        8 + std::uint64_t(le::u32(reinterpret_cast<const std::uint8_t*>(wave.data()) + 4));
    if (whole != len)
        damage(where + at + " holds a wave file of " + std::to_string(whole) + " bytes");
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
    table<ReminderRecord>("reminders", "reminder");
    table<PlannerRecord>("planner", "planner item");
    table<ContactRecord>("contacts", "contact");
    table<RecipeRecord>("recipes", "recipe");
    table<IngredientRecord>("ingredients", "ingredient");
    table<IngredientLineRecord>("temporary ingredients", "ingredient line");
    table<MedicationRecord>("medication", "medication");
}

template <class Rec> void Checker::table(const char* name, const char* record) {
    const std::string path = files_.path(Rec::kFileLetter);
    std::string content;
    if (!file(path, &content).usable) return;
    if (content.size() % Rec::kSize)
        problem(path + ": " + name + " table is " + std::to_string(content.size()) +
                " bytes, not a whole number of " + std::to_string(Rec::kSize) + "-byte records");
    Rec rec;
    for (std::size_t i = 0; i < content.size() / Rec::kSize; ++i) {
        std::memcpy(rec.data(), content.data() + i * Rec::kSize, Rec::kSize);
        const std::string where = path + ": " + record + " " + std::to_string(i + 1) + ": ";
        fields(where, rec);
        specific(where, rec);
    }
}

template <class Rec> void Checker::fields(const std::string& where, const Rec& r) {
    const ByteView v = r.view();
    for (const FieldSpec& f : Rec::fields()) {
        switch (f.type) {
        case FieldType::Text:
            if (std::memchr(r.data() + f.offset, 0, f.width) == nullptr)
                problem(where + f.name + " is not terminated");
            break;
        case FieldType::Time:
            if (!times_.contains(v.i64(f.offset)))
                problem(where + f.name + " holds " + std::to_string(v.i64(f.offset)) +
                        " (a time in the years 0000 to 9999 expected)");
            break;
        case FieldType::F32:
            if (const float x = v.f32(f.offset); !std::isfinite(x) || x < 0)
                problem(where + f.name + " holds " + shown(x) +
                        " (a number of 0 or more expected)");
            break;
        default:
            break;
        }
    }
}

void Checker::specific(const std::string& where, const ReminderRecord& r) {
    // A sort keeps only the four kinds and the deletion mark.
    if (!r.keepOnSort() && !r.isMarked())
        problem(where + "kind " + std::to_string(r.kind()) +
                " is not daily, weekly, monthly or yearly");
    if (r.dayOfWeek() > kLastWeekday)
        problem(where + "day of week holds " + std::to_string(r.dayOfWeek()) +
                " (0 to 6 expected)");
}

void Checker::specific(const std::string& where, const PlannerRecord& r) {
    if (r.priority() > kLastPriority && !r.isMarked())
        problem(where + "priority holds " + std::to_string(r.priority()) +
                " (0, 1 or the deletion mark 250 expected)");
    if (r.done() > kDone)
        problem(where + "done holds " + std::to_string(r.done()) + " (0 or 1 expected)");
}

// The totals are what the daily sheet divides by: they must be the sums of the lines in use.
void Checker::specific(const std::string& where, const RecipeRecord& r) {
    if (r.damaged()) {
        problem(where + std::to_string(r.lineCount()) + " ingredient lines (0 to " +
                std::to_string(RecipeRecord::kMaxLines) + " expected)");
        return;
    }
    float fat = 0, carbohydrate = 0, protein = 0, weight = 0;
    for (int i = 0; i < r.lineCount(); ++i) {
        const IngredientLineRecord l = r.line(i);
        fields(where + "line " + std::to_string(i + 1) + ": ", l);
        fat += l.fat();
        carbohydrate += l.carbohydrate();
        protein += l.protein();
        weight += l.weight();
    }
    const struct {
        const char* name;
        float total, sum;
    } totals[] = {{"fat", r.fat(), fat},
                  {"carbohydrate", r.carbohydrate(), carbohydrate},
                  {"protein", r.protein(), protein},
                  {"weight", r.weight(), weight}};
    for (const auto& t : totals)
        if (std::isfinite(t.total) && std::isfinite(t.sum) && !nearlyEqual(t.total, t.sum))
            problem(where + "total " + t.name + " " + shown(t.total) +
                    " differs from the sum of its lines (" + shown(t.sum) + ")");
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

void Checker::leftovers() {
    if (writerAtWork(files_.lockPath())) return;
    struct Quiet : Reporter {
        void report(ReportKind, const std::string&) override {}
    } quiet;
    DiaryIo io(FileSystem::native(), quiet, files_);
    for (const auto& t : io.strayTemps())
        problem(t + ": a temporary file that an interrupted write left behind; check --repair "
                    "removes it");
    for (const auto& s : DiaryCheck::staleStagedFiles(files_.indexPath()))
        problem(s + ": a staged file of a change that never took effect; check --repair "
                    "removes it");
}

} // namespace

std::vector<std::string> DiaryCheck::run() const {
    return Checker(path_).run();
}

bool DiaryCheck::entriesSound() const {
    return Checker(path_).entriesSound();
}

std::vector<std::string> DiaryCheck::staleStagedFiles(const std::string& diaryPath) {
    const DiaryFileSet files(diaryPath);
    FileSystem& fs = FileSystem::native();
    std::vector<std::string> found;
    if (fs.fileSize(FileBatch::journalPath(files)) >= 0) return found;
    struct stat st {};
    if (const std::string s = FileBatch::stagedPath(files.indexPath());
        ::lstat(s.c_str(), &st) == 0)
        found.push_back(s);
    // "<name>.tn?.staged" in the diary's folder.
    const std::string stem = files.name() + ".tn";
    const std::size_t length = stem.size() + 1 + std::strlen(kStagedSuffix);
    for (const auto& n : fs.list(files.directory()))
        if (n.size() == length && n.compare(0, stem.size(), stem) == 0 &&
            n.compare(stem.size() + 1, std::string::npos, kStagedSuffix) == 0)
            found.push_back(files.directory() + "/" + n);
    return found;
}

} // namespace tavrin::cli
