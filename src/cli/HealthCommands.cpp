// tavrin-cli correlate, export-csv and report: what comes before a flare, the diary as a
// spreadsheet, and the health report as a PDF, from the same classes as the program's windows.

#include "cli/Cli.h"
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

using health::DateRange;
using health::HealthData;

bool endsWithNoCase(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size()) return false;
    return std::equal(tail.begin(), tail.end(), s.end() - std::ptrdiff_t(tail.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

// --from DATE and --to DATE from `options` (pairs); false on anything else.
bool parseRange(const std::vector<std::string>& options, DateRange& range) {
    if (options.size() % 2) return false;
    for (std::size_t i = 0; i < options.size(); i += 2) {
        const std::string& value = options[i + 1];
        if (options[i] == "--from") {
            if (!HealthData::parseDate(value, false, range.from)) return false;
        } else if (options[i] == "--to") {
            if (!HealthData::parseDate(value, true, range.to)) return false;
        } else {
            return false;
        }
    }
    return true;
}

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

} // namespace

int Cli::health(const std::string& cmd, const std::vector<std::string>& args) {
    // args: DIARY.tni, then the command's file (export-csv, report) and options.
    const bool takesFile = cmd != "correlate";
    DateRange range;
    const bool shapeOk =
        args.size() >= (takesFile ? 2u : 1u) && endsWithNoCase(args[0], ".tni") &&
        (cmd == "export-csv" ? args.size() == 2
                             : parseRange({args.begin() + (takesFile ? 2 : 1), args.end()}, range));
    if (!shapeOk) {
        err_ << "tavrin-cli: " << cmd << " takes DIARY.tni"
             << (cmd == "correlate"    ? " [--from YYYY-MM-DD] [--to YYYY-MM-DD]"
                 : cmd == "export-csv" ? " FILE.csv"
                                       : " FILE.pdf [--from YYYY-MM-DD] [--to YYYY-MM-DD]")
             << '\n'
             << usage();
        return kUsage;
    }
    const std::string& path = args[0];
    if (!diaryExists(path)) {
        err_ << "tavrin-cli: there is no diary at " << path << '\n';
        return kFailed;
    }
#ifndef TAVRIN_CLI_GRAPH
    if (cmd != "correlate") {
        err_ << "tavrin-cli: " << cmd << " needs the build with the program\n";
        return kFailed;
    }
#endif
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    if (!tn.ReadConfiguration()) return kFailed;
    std::vector<health::HealthEntry> entries;
    if (!HealthData::read(tn, range, entries)) return kFailed;

    if (cmd == "correlate") {
        // The pairs that hold on standard output, one a line; how many were tested (and when
        // no pair lies a day or two apart) on standard error, as the report says it.
        const health::Findings f = health::Correlations::study(
            entries, health::DayValues::factors(tn.config), health::DayValues::outcomes());
        for (const auto& c : f.found)
            out_ << health::Correlations::line(c) << '\n';
        err_ << health::Correlations::testedText(f) << '\n';
        if (f.tested > 0 && !f.lookedBack) err_ << health::Correlations::kTooFarApart << '\n';
        return kOk;
    }
#ifdef TAVRIN_CLI_GRAPH
    const auto app = application();
    if (cmd == "export-csv") {
        std::string error;
        formats::DiaryRecords d;
        d.config = tn.config;
        d.entries = formats::entriesOf(entries);
        if (!formats::CsvExport(health::HealthReport::plainText).writeFile(args[1], d, error)) {
            err_ << "tavrin-cli: " << error << '\n';
            return kFailed;
        }
        out_ << entries.size() << " entries written to " << args[1] << '\n';
        return kOk;
    }
    health::ReportData data;
    if (!health::HealthReport::load(tn, range, data)) return kFailed;
    health::HealthReport report(std::move(data));
    if (!report.savePdf(QString::fromStdString(args[1]))) {
        err_ << "tavrin-cli: unable to write " << args[1] << '\n';
        return kFailed;
    }
    out_ << "Health report of " << entries.size() << " entries written to " << args[1] << '\n';
#endif
    return kOk;
}

} // namespace tavrin::cli
