// Storage speed on a large diary, each operation beside the floor it must stay close to,
// measured in the same run:
//   list     reading every index record as the entry list does   vs one plain read of the index
//   search   case-insensitive search of every body text           vs one plain read of the data
//   add      adding an entry in the middle, sorting included      vs rewriting the index safely
//   delete   deleting one entry                                   vs rewriting the index safely
//   import   adding 3,653 entries (ten years of days) in one batch  vs writing an index of
//            3,653 records safely
// The table at the end gives medians and the ratio of each operation to its floor.

#include "storage/DiaryFileSet.h"
#include "storage/NoCaseFinder.h"
#include "storage/Scramble.h"
#include "storage/TN.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace tavrin;

namespace {

constexpr int kEntries = 10000;
constexpr std::int64_t kStart = 1'600'000'000; // September 2020
constexpr std::int64_t kStep = 6 * 3600;       // four entries a day
const char* const kNeedle = "kilimanjaro";

class QuietReporter : public Reporter {
public:
    void report(ReportKind, const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
} g_quiet;

struct Fixture {
    fs::path dir;
    std::string diary;
    std::string indexBytes;
    int expectedHits = 0;

    Fixture() {
        dir = fs::temp_directory_path() / ("tavrin-bench-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        diary = (dir / "Bench.tni").string();
        build();
    }
    ~Fixture() { fs::remove_all(dir); }

    // Writes the diary's files directly (setting up through AddEntry would take minutes of fsync).
    void build() {
        DiaryFileSet files(diary);
        fs::create_directories(files.directory());
        std::mt19937 rng(42);
        static const char* const words[] = {"morning", "walk",   "Coffee", "rain",    "the",
                                            "and",     "slept",  "Garden", "friends", "tired",
                                            "letter",  "Doctor", "read",   "wrote",   "quiet",
                                            "evening", "river",  "bread",  "music"};
        const std::string password = "benchmark";
        const std::uint8_t key = scramble::textKey(password);
        std::string data, index;
        data.reserve(std::size_t(kEntries) * 2200);
        index.reserve(std::size_t(kEntries) * 420);
        for (int i = 0; i < kEntries; ++i) {
            std::string body = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
            while (body.size() < 2000) {
                body += words[rng() % (sizeof words / sizeof *words)];
                body += ' ';
            }
            if (i % 100 == 7) {
                body += "Kilimanjaro ";
                ++expectedHits;
            }
            body += "\\par}";
            EntryRecord r;
            r.setPassword(password);
            r.setQuestion(0, "First pet?");
            r.setAnswer(0, "Rex");
            r.setVersion(1);
            r.setDateTime(kStart + kStep * i);
            r.setDescription("Entry " + std::to_string(i));
            for (auto f : EntryRecord::fibroFields())
                r.setFibro(f.field, -1);
            auto append = [&](std::string t) {
                std::uint32_t off = std::uint32_t(data.size());
                scramble::text(t, key);
                data += t;
                return off;
            };
            r.setBody(append(body), std::uint32_t(body.size()));
            for (int t = 0; t < EntryRecord::kTypeTexts; ++t) {
                std::string text =
                    (t == i % 5 && i % 3 == 0) ? "A draft, " + std::to_string(i) : "";
                std::uint32_t off = text.empty() ? std::uint32_t(data.size()) : append(text);
                r.setType(t, off, std::uint32_t(text.size()));
            }
            scramble::indexRecord(r);
            index.append(reinterpret_cast<const char*>(r.data()), EntryRecord::kSize);
        }
        write(diary, index);
        write(files.path(DiaryFileSet::kData), data);
        indexBytes = index;
    }

    static void write(const std::string& path, const std::string& bytes) {
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

std::string plainRead(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    std::string buf(std::size_t(::lseek(fd, 0, SEEK_END)), '\0');
    if (::pread(fd, buf.data(), buf.size(), 0) != ssize_t(buf.size())) std::abort();
    ::close(fd);
    return buf;
}

// The floor of every rewrite: the index bytes to a new file beside it, fsync, rename.
void safeRewriteFloor(const std::string& target, const std::string& bytes) {
    std::string tmp = target + ".floor";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()) || ::fsync(fd) != 0)
        std::abort();
    ::close(fd);
    if (::rename(tmp.c_str(), (target + ".copy").c_str()) != 0) std::abort();
    int dfd = ::open(fs::path(target).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    ::fsync(dfd);
    ::close(dfd);
}

void BM_ListFloor_PlainIndexRead(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(plainRead(f.diary));
}
void BM_List_ReadAllIndexRecords(benchmark::State& state) {
    auto& f = fixture();
    std::vector<EntryRecord> recs;
    for (auto _ : state) {
        TN tn(0, f.diary, DiaryFileSet::extensionOffset(f.diary), &g_quiet);
        if (!tn.ReadAllIndexRecords(recs) || recs.size() < kEntries / 2)
            state.SkipWithError("list failed");
        benchmark::DoNotOptimize(recs.data());
    }
}

void BM_SearchFloor_PlainDataRead(benchmark::State& state) {
    auto& f = fixture();
    const std::string data = DiaryFileSet(f.diary).path(DiaryFileSet::kData);
    for (auto _ : state)
        benchmark::DoNotOptimize(plainRead(data));
}
void BM_Search_AllBodies(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        TN tn(0, f.diary, DiaryFileSet::extensionOffset(f.diary), &g_quiet);
        NoCaseFinder finder(kNeedle);
        int hits = 0;
        tn.ForEachEntry(false, [&](const EntryView& v) {
            // Stored texts are searched as they lie, through the entry's text key.
            hits += finder.inScrambled(v.body, v.textKey);
            return true;
        });
        if (hits != f.expectedHits) state.SkipWithError("search found the wrong entries");
    }
}

void BM_RewriteFloor_WriteSyncRename(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state)
        safeRewriteFloor(f.diary, f.indexBytes);
}
void BM_Add_MiddleEntryAndSort(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        TN tn(0, f.diary, DiaryFileSet::extensionOffset(f.diary), &g_quiet);
        if (!tn.ReadIndexRecord()) state.SkipWithError("no first entry");
        EntryRecord secrets = tn.entry;
        tn.entry.clear();
        tn.entry.copySecretsFrom(secrets);
        tn.entry.setDateTime(kStart + kStep * (kEntries / 2) + 1);
        tn.entry.setDescription("Added in the middle");
        tn.body = "{\\rtf1 A new entry written in the middle of the diary.\\par}";
        if (!tn.AddEntrySorted()) state.SkipWithError("add failed");
    }
}
void BM_Delete_OneEntry(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        TN tn(0, f.diary, DiaryFileSet::extensionOffset(f.diary), &g_quiet);
        if (!tn.DeleteEntry(kEntries / 3)) state.SkipWithError("delete failed");
    }
}

constexpr int kImported = 3653;

// Ten years of daily entries, as tavrin-cli add hands them over.
const std::vector<NewEntry>& importedEntries() {
    static const std::vector<NewEntry> entries = [] {
        std::vector<NewEntry> out(kImported);
        for (int i = 0; i < kImported; ++i) {
            NewEntry& e = out[std::size_t(i)];
            e.record.setPassword("benchmark");
            e.record.setQuestion(0, "First pet?");
            e.record.setAnswer(0, "Rex");
            e.record.setDateTime(kStart + 86400 * std::int64_t(kImported - i)); // newest first
            e.record.setDescription("Day " + std::to_string(i));
            for (auto f : EntryRecord::fibroFields())
                e.record.setFibro(f.field, -1);
            e.body = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
            while (e.body.size() < 600)
                e.body += "a quiet day, some reading and a walk by the river ";
            e.body += "\\par}";
            if (i % 7 == 0) e.types[1] = "Groceries " + std::to_string(i);
        }
        return out;
    }();
    return entries;
}

std::string importDiary() {
    return (fixture().dir / "Import" / "Import.tni").string();
}

void BM_ImportFloor_DurableIndexWrite(benchmark::State& state) {
    const std::string index(std::size_t(kImported) * EntryRecord::kSize, 'i');
    fs::create_directories(fixture().dir / "Import");
    for (auto _ : state)
        safeRewriteFloor(importDiary(), index);
}
void BM_Import_3653EntriesInOneBatch(benchmark::State& state) {
    const auto& entries = importedEntries();
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(fixture().dir / "Import");
        fs::create_directories(fixture().dir / "Import");
        state.ResumeTiming();
        TN tn(0, importDiary(), DiaryFileSet::extensionOffset(importDiary()), &g_quiet);
        if (!tn.AddEntries(entries) || tn.entryCount != kImported)
            state.SkipWithError("import failed");
    }
}

BENCHMARK(BM_ListFloor_PlainIndexRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_List_ReadAllIndexRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchFloor_PlainDataRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_AllBodies)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteFloor_WriteSyncRename)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_Add_MiddleEntryAndSort)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_Delete_OneEntry)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_ImportFloor_DurableIndexWrite)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Import_3653EntriesInOneBatch)->Unit(benchmark::kMillisecond)->Iterations(10);

// Collects the medians so that the ratios can be printed after the usual report.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                medians[r.run_name.function_name] = r.GetAdjustedRealTime();
    }
    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    fixture(); // built before any timing
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    struct Pair {
        const char* what;
        const char* op;
        const char* floor;
        double limit;
    };
    const Pair pairs[] = {
        {"(a) list every index record", "BM_List_ReadAllIndexRecords",
         "BM_ListFloor_PlainIndexRead", 3},
        {"(b) search every body text", "BM_Search_AllBodies", "BM_SearchFloor_PlainDataRead", 3},
        {"(c) add in the middle + sort", "BM_Add_MiddleEntryAndSort",
         "BM_RewriteFloor_WriteSyncRename", 2},
        {"(d) delete one entry", "BM_Delete_OneEntry", "BM_RewriteFloor_WriteSyncRename", 2},
        {"(e) import 3,653 entries", "BM_Import_3653EntriesInOneBatch",
         "BM_ImportFloor_DurableIndexWrite", 4},
    };
    std::printf("\n%-32s %12s %12s %8s %8s\n", "operation (10,000 entries)", "median ms",
                "floor ms", "ratio", "limit");
    bool within = true;
    for (const auto& p : pairs) {
        auto op = reporter.medians.find(p.op), fl = reporter.medians.find(p.floor);
        if (op == reporter.medians.end() || fl == reporter.medians.end()) continue; // filtered out
        double ratio = op->second / fl->second;
        within = within && ratio <= p.limit;
        std::printf("%-32s %12.3f %12.3f %8.2f %8.1f\n", p.what, op->second, fl->second, ratio,
                    p.limit);
    }
    benchmark::Shutdown();
    return within ? 0 : 1;
}
