// The diary page's body search over ten and twenty years of daily entries (3,653 and 7,305
// bodies of about 300 words, stored as the editor writes them), and the RTF reader on one
// paragraph of 8,000 formatting runs. Each is measured beside a floor in the same run:
//   search first   the first body search after opening (every body read)   vs reading the
//                  diary's index and data bytes
//   search again   the same search once the texts are known (Again, typing)  vs the same floor
//   search before  the search as it was: each body unscrambled, parsed into a QString and
//                  compared without case                                   vs the same floor
//   reader         8,000 runs into a QTextDocument             vs the same bytes as plain text
// The table at the end gives medians (CPU time) and the ratio of each to its floor.

#include "diary/logic/EntrySearch.h"
#include "diary/logic/EntrySearchCache.h"
#include "rtf/RtfPlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"
#include "storage/DiaryFileSet.h"
#include "storage/Scramble.h"
#include "storage/TN.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace tavrin;
using tavrin::diary::EntrySearch;
using tavrin::diary::EntrySearchCache;

namespace {

constexpr std::int64_t kStart = 1'300'000'000;
constexpr std::int64_t kDay = 24 * 3600;
const char* const kNeedle = "Kilimanjaro";

class QuietReporter : public Reporter {
public:
    void report(ReportKind, const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
} g_quiet;

// A day's entry as the editor stores it: about 300 words in four paragraphs, a few bold, with
// accented letters.
QByteArray entryBody(std::mt19937& rng, bool hit) {
    static const char* const words[] = {
        "morning", "walk",  "Coffee", "rain",   "the",    "and",    "slept",       "Garden",
        "friends", "tired", "letter", "Doctor", "read",   "wrote",  "quiet",       "evening",
        "river",   "bread", "music",  "café",   "naïve",  "Zürich", "appointment", "headache",
        "better",  "long",  "day",    "with",   "sister", "market"};
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat plain, bold;
    bold.setFontWeight(QFont::Bold);
    for (int p = 0; p < 4; ++p) {
        if (p > 0) c.insertBlock();
        for (int w = 0; w < 75; ++w) {
            const char* word = words[rng() % (sizeof words / sizeof *words)];
            c.insertText(QString::fromUtf8(word), rng() % 23 == 0 ? bold : plain);
            c.insertText(QStringLiteral(" "), plain);
        }
        if (hit && p == 2) c.insertText(QString::fromUtf8(kNeedle) + " ", plain);
    }
    return diary::RtfWriter::write(&doc);
}

struct Diary {
    fs::path dir;
    std::string path;
    int hits = 0;

    explicit Diary(int entries) {
        dir = fs::temp_directory_path() /
              ("tavrin-search-bench-" + std::to_string(::getpid()) + "-" + std::to_string(entries));
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "Bench.tni").string();
        DiaryFileSet files(path);
        fs::create_directories(files.directory());
        std::mt19937 rng(7);
        const std::string password = "benchmark";
        const std::uint8_t key = scramble::textKey(password);
        std::string data, index;
        for (int i = 0; i < entries; ++i) {
            const bool hit = i % 50 == 17;
            hits += hit;
            const QByteArray rtf = entryBody(rng, hit);
            EntryRecord r;
            r.setPassword(password);
            r.setVersion(1);
            r.setDateTime(kStart + kDay * i);
            r.setDescription("Day " + std::to_string(i));
            for (auto f : EntryRecord::fibroFields())
                r.setFibro(f.field, -1);
            std::string body(rtf.constData(), std::size_t(rtf.size()));
            scramble::text(body, key);
            r.setBody(std::uint32_t(data.size()), std::uint32_t(body.size()));
            data += body;
            for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
                r.setType(t, std::uint32_t(data.size()), 0);
            scramble::indexRecord(r);
            index.append(reinterpret_cast<const char*>(r.data()), EntryRecord::kSize);
        }
        write(path, index);
        write(files.path(DiaryFileSet::kData), data);
    }
    ~Diary() { fs::remove_all(dir); }

    static void write(const std::string& p, const std::string& bytes) {
        FILE* f = std::fopen(p.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
};

Diary& diaryOf(int entries) {
    static std::map<int, std::unique_ptr<Diary>> diaries;
    auto& d = diaries[entries];
    if (!d) d = std::make_unique<Diary>(entries);
    return *d;
}

std::string plainRead(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    std::string buf(std::size_t(::lseek(fd, 0, SEEK_END)), '\0');
    if (::pread(fd, buf.data(), buf.size(), 0) != ssize_t(buf.size())) std::abort();
    ::close(fd);
    return buf;
}

void BM_SearchFloor_PlainRead(benchmark::State& state) {
    Diary& d = diaryOf(int(state.range(0)));
    const std::string data = DiaryFileSet(d.path).path(DiaryFileSet::kData);
    for (auto _ : state) {
        benchmark::DoNotOptimize(plainRead(d.path));
        benchmark::DoNotOptimize(plainRead(data));
    }
}

void search(benchmark::State& state, Diary& d, EntrySearchCache& cache) {
    TN tn(0, d.path, DiaryFileSet::extensionOffset(d.path), &g_quiet);
    std::vector<EntrySearch::Found> found;
    EntrySearch::find(tn, {EntrySearch(EntrySearch::BodyText, "kilimanjaro")}, found, &cache);
    if (int(found.size()) != d.hits) state.SkipWithError("search found the wrong entries");
}

void BM_Search_First(benchmark::State& state) {
    Diary& d = diaryOf(int(state.range(0)));
    for (auto _ : state) {
        EntrySearchCache cache; // a diary just opened
        search(state, d, cache);
    }
}

void BM_Search_Again(benchmark::State& state) {
    Diary& d = diaryOf(int(state.range(0)));
    EntrySearchCache cache;
    search(state, d, cache);
    for (auto _ : state)
        search(state, d, cache);
}

void BM_Search_Before(benchmark::State& state) {
    Diary& d = diaryOf(int(state.range(0)));
    for (auto _ : state) {
        TN tn(0, d.path, DiaryFileSet::extensionOffset(d.path), &g_quiet);
        int hits = 0;
        tn.ForEachEntry(true, [&](const EntryView& v) {
            const QByteArray stored(v.body.data(), qsizetype(v.body.size()));
            hits += diary::RtfPlainText::extract(stored).contains(QStringLiteral("kilimanjaro"),
                                                                  Qt::CaseInsensitive);
            return true;
        });
        if (hits != d.hits) state.SkipWithError("search found the wrong entries");
    }
}

// One paragraph of 8,000 runs, every other one bold, as another program may write it.
const QByteArray& manyRuns() {
    static const QByteArray rtf = [] {
        QByteArray r = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs20 ";
        for (int i = 0; i < 8000; ++i)
            r += (i % 2 ? "\\b " : "\\b0 ") + QByteArray("word") + QByteArray::number(i) + " ";
        r += "\\par}";
        return r;
    }();
    return rtf;
}

void BM_ReaderFloor_PlainText(benchmark::State& state) {
    for (auto _ : state) {
        QTextDocument doc;
        doc.setPlainText(QString::fromLatin1(manyRuns()));
        benchmark::DoNotOptimize(doc.characterCount());
    }
}

void BM_Reader_8000Runs(benchmark::State& state) {
    for (auto _ : state) {
        QTextDocument doc;
        diary::RtfReader::read(manyRuns(), &doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
}

BENCHMARK(BM_SearchFloor_PlainRead)->Arg(3653)->Arg(7305)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_First)->Arg(3653)->Arg(7305)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_Again)->Arg(3653)->Arg(7305)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search_Before)->Arg(3653)->Arg(7305)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReaderFloor_PlainText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reader_8000Runs)->Unit(benchmark::kMillisecond);

class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                medians[r.run_name.function_name + "/" + r.run_name.args] = {
                    r.GetAdjustedCPUTime(), r.GetAdjustedRealTime()};
    }
    std::map<std::string, std::pair<double, double>> medians; // cpu, real
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // the reader's documents need fonts
    benchmark::Initialize(&argc, argv);
    diaryOf(3653);
    diaryOf(7305); // built before any timing
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto row = [&](const char* label, const std::string& op, const std::string& floor) {
        const auto o = reporter.medians.find(op);
        const auto f = reporter.medians.find(floor);
        if (o == reporter.medians.end() || f == reporter.medians.end()) return;
        std::printf("%-34s %10.3f %10.3f %10.3f %8.2f\n", label, o->second.first, o->second.second,
                    f->second.first, o->second.first / f->second.first);
    };
    std::printf("\n%-34s %10s %10s %10s %8s\n", "operation (medians)", "cpu ms", "real ms",
                "floor cpu", "ratio");
    for (const char* n : {"3653", "7305"}) {
        const std::string floor = std::string("BM_SearchFloor_PlainRead/") + n;
        const std::string entries = std::string(" (") + n + ")";
        row(("search first" + entries).c_str(), std::string("BM_Search_First/") + n, floor);
        row(("search again" + entries).c_str(), std::string("BM_Search_Again/") + n, floor);
        row(("search before" + entries).c_str(), std::string("BM_Search_Before/") + n, floor);
    }
    row("reader, 8,000 runs", "BM_Reader_8000Runs/", "BM_ReaderFloor_PlainText/");
    benchmark::Shutdown();
    return 0;
}
