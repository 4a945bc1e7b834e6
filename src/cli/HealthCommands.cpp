// tavrin-cli correlate, export-csv and report: what comes before a flare, the diary as a
// spreadsheet, and the health report as a PDF, from the same classes as the program's windows.

#include "cli/CommandRegistry.h"
#include "cli/Session.h"
#include "cli/StreamReporter.h"
#include "formats/CsvExport.h"
#include "health/logic/Correlations.h"
#include "health/logic/DayValues.h"
#include "health/logic/HealthData.h"
#include "storage/DiaryFileSet.h"
#include "storage/TN.h"

#ifdef TAVRIN_CLI_GRAPH
#include "health/render/HealthReport.h"

#include <QApplication>
#include <QString>

#include <cstdlib>
#include <memory>
#endif

#include <algorithm>
#include <cctype>
#include <ostream>

namespace tavrin::cli {
namespace {

using health::HealthData;

#ifdef TAVRIN_CLI_GRAPH
// The application the report's charts and the body texts need, offscreen unless the caller
// chose a platform. It ends with the command: one left to the exit handlers crashes there.
std::unique_ptr<QApplication> application() {
    if (QCoreApplication::instance()) return nullptr;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "tavrin-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}
#endif

health::DateRange rangeOf(const Arguments& a) {
    return {a.range.from, a.range.to};
}

// The diary's configuration and the entries of the range; false when they cannot be read.
bool readEntries(const Arguments& a, TN& tn, std::vector<health::HealthEntry>& entries) {
    return tn.ReadConfiguration() && HealthData::read(tn, rangeOf(a), entries);
}

// The pairs that hold on standard output, one a line; how many were tested (and when no pair
// lies a day or two apart) on standard error, as the report says it.
int correlate(Session& s, const Arguments& a) {
    if (int st = s.admit(a.diary)) return st;
    StreamReporter rep(s.err());
    TN tn(0, a.diary, DiaryFileSet::extensionOffset(a.diary), &rep);
    std::vector<health::HealthEntry> entries;
    if (!readEntries(a, tn, entries)) return kFailed;
    const health::Findings f = health::Correlations::study(
        entries, health::DayValues::factors(tn.config), health::DayValues::outcomes());
    for (const auto& c : f.found)
        s.out() << health::Correlations::line(c) << '\n';
    s.err() << health::Correlations::testedText(f) << '\n';
    if (f.tested > 0 && !f.lookedBack) s.err() << health::Correlations::kTooFarApart << '\n';
    return kOk;
}

int exportCsv(Session& s, const Arguments& a) {
#ifndef TAVRIN_CLI_GRAPH
    (void)a;
    s.err() << "tavrin-cli: export-csv needs the build with the program\n";
    return kFailed;
#else
    const std::string& file = a.words[0];
    if (int st = s.admit(a.diary)) return st;
    StreamReporter rep(s.err());
    TN tn(0, a.diary, DiaryFileSet::extensionOffset(a.diary), &rep);
    std::vector<health::HealthEntry> entries;
    if (!readEntries(a, tn, entries)) return kFailed;
    const auto app = application();
    std::string error;
    formats::DiaryRecords d;
    d.config = tn.config;
    d.entries = formats::entriesOf(entries);
    if (!formats::CsvExport(health::HealthReport::plainText).writeFile(file, d, error)) {
        s.err() << "tavrin-cli: " << error << '\n';
        return kFailed;
    }
    s.out() << entries.size() << " entries written to " << file << '\n';
    return kOk;
#endif
}

int report(Session& s, const Arguments& a) {
#ifndef TAVRIN_CLI_GRAPH
    (void)a;
    s.err() << "tavrin-cli: report needs the build with the program\n";
    return kFailed;
#else
    const std::string& file = a.words[0];
    if (int st = s.admit(a.diary)) return st;
    StreamReporter rep(s.err());
    TN tn(0, a.diary, DiaryFileSet::extensionOffset(a.diary), &rep);
    std::vector<health::HealthEntry> entries;
    if (!readEntries(a, tn, entries)) return kFailed;
    const auto app = application();
    health::ReportData data;
    if (!health::HealthReport::load(tn, rangeOf(a), data)) return kFailed;
    health::HealthReport report(std::move(data));
    if (!report.savePdf(QString::fromStdString(file))) {
        s.err() << "tavrin-cli: unable to write " << file << '\n';
        return kFailed;
    }
    s.out() << "Health report of " << entries.size() << " entries written to " << file << '\n';
    return kOk;
#endif
}

} // namespace

std::vector<Command> healthCommands() {
    return {
        {"correlate",
         {},
         {kFromOption, kToOption},
         "what comes before a flare: one line per factor and outcome that holds at a 5 % false "
         "discovery rate, strongest first: factor, outcome, lag in days, Spearman's rho and n, "
         "tab-separated; the number tested goes to standard error",
         correlate},
        {"export-csv", {"FILE.csv"}, {}, "every entry as a spreadsheet row (UTF-8)", exportCsv},
        {"report",
         {"FILE.pdf"},
         {kFromOption, kToOption},
         "the health report of the range as a PDF",
         report},
    };
}

} // namespace tavrin::cli
