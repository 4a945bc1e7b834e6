// Search reads the plain text of every entry of a diary. This measures that extraction over a
// 10,000-entry diary beside its floor, turning the same bytes into a QString without parsing,
// and fails when the extraction takes more than a second per thousand entries.

#include "rtf/RtfPlainText.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

using tavrin::diary::RtfPlainText;

namespace {

constexpr int kEntries = 10000;
constexpr double kLimitMs = 10000; // a second per thousand entries

// An entry of twelve short paragraphs with bold words and Windows-1252 characters, as the
// editor stores them.
QByteArray entryText(int n) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 "
                     "DejaVu Sans;}}{\\colortbl ;\\red0\\green0\\blue0;}\\viewkind4\\uc1";
    for (int p = 0; p < 12; ++p) {
        rtf += "\\pard\\f0\\fs20 Walked to the caf\\'e9, {\\b slept well} and paid \\'80";
        rtf += QByteArray::number(n % 97 + p);
        rtf += ". Headache at noon, better by the evening.\\par\n";
    }
    rtf += "}";
    return rtf;
}

const std::vector<QByteArray>& diary() {
    static const std::vector<QByteArray> entries = [] {
        std::vector<QByteArray> v;
        v.reserve(kEntries);
        for (int i = 0; i < kEntries; ++i)
            v.push_back(entryText(i));
        return v;
    }();
    return entries;
}

void BM_PlainText_WholeDiary(benchmark::State& state) {
    for (auto _ : state) {
        qsizetype total = 0;
        for (const QByteArray& stored : diary())
            total += RtfPlainText::extract(stored).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_PlainText_WholeDiary)->Unit(benchmark::kMillisecond);

void BM_PlainTextFloor_Latin1(benchmark::State& state) {
    for (auto _ : state) {
        qsizetype total = 0;
        for (const QByteArray& stored : diary())
            total += QString::fromLatin1(stored).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_PlainTextFloor_Latin1)->Unit(benchmark::kMillisecond);

class MedianReporter : public benchmark::ConsoleReporter {
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
    diary(); // built before any timing
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    bool within = true;
    const auto op = reporter.medians.find("BM_PlainText_WholeDiary");
    const auto floor = reporter.medians.find("BM_PlainTextFloor_Latin1");
    if (op != reporter.medians.end() && floor != reporter.medians.end()) {
        within = op->second <= kLimitMs;
        std::printf("\n%-36s %12s %12s %8s %10s\n", "operation (10,000 entries)", "median ms",
                    "floor ms", "ratio", "limit ms");
        std::printf("%-36s %12.3f %12.3f %8.1f %10.0f\n", "plain text of every entry", op->second,
                    floor->second, op->second / floor->second, kLimitMs);
    }
    benchmark::Shutdown();
    return within ? 0 : 1;
}
