// tavrin-cli graph: the graph window's plot of a diary's entries, written as a PNG image without
// any window (Qt's offscreen platform), with the diary's own graph settings.

#include "cli/Cli.h"
#include "cli/StreamReporter.h"
#include "storage/DiaryFileSet.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"

#ifdef TAVRIN_CLI_GRAPH
#include "chart/GraphChart.h"
#include "chart/GraphPlot.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdlib>
#include <memory>
#endif

#include <cstdint>
#include <ostream>

namespace tavrin::cli {

#ifdef TAVRIN_CLI_GRAPH
namespace plot = tavrin::graph;
#endif

#ifdef TAVRIN_CLI_GRAPH
namespace {

// A date alone means the whole day: its first second for --from, its last for --to.
bool parseDate(const std::string& text, bool end, std::int64_t& out) {
    if (text.size() == 10)
        return LocalTime::parseIso(text + (end ? "T23:59:59" : "T00:00:00"), out);
    return LocalTime::parseIso(text, out);
}

// The application the chart needs, made for the command's length when there is none;
// offscreen unless the caller chose a platform.
std::unique_ptr<QApplication> application() {
    if (QCoreApplication::instance()) return nullptr;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "tavrin-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace
#endif

int Cli::graph(const std::string& path, const std::vector<std::string>& rest) {
#ifndef TAVRIN_CLI_GRAPH
    (void)path;
    (void)rest;
    err_ << "tavrin-cli: this build has no graph\n";
    return kFailed;
#else
    const std::string& file = rest[0];
    std::int64_t from = INT64_MIN, to = INT64_MAX;
    int set = int(plot::DataSet::Diary);
    for (std::size_t i = 1; i + 1 < rest.size(); i += 2) {
        const std::string& option = rest[i];
        const std::string& value = rest[i + 1];
        bool ok = true;
        if (option == "--from")
            ok = parseDate(value, false, from);
        else if (option == "--to")
            ok = parseDate(value, true, to);
        else if (option == "--set" && (value == "1" || value == "2"))
            set = value == "1" ? int(plot::DataSet::Diary) : int(plot::DataSet::Fibro);
        else
            ok = false;
        if (!ok) {
            err_ << "tavrin-cli: graph takes --from DATE, --to DATE (YYYY-MM-DD or "
                    "YYYY-MM-DDTHH:MM[:SS]) and --set 1|2\n"
                 << usage();
            return kUsage;
        }
    }
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    if (!tn.ReadConfiguration()) return kFailed;
    if (!tn.ReadGraphSettings()) {
        err_ << plot::GraphPlot::kUnreadableSettings << '\n';
        return kFailed;
    }
    std::vector<EntryRecord> records;
    if (!tn.ReadAllIndexRecords(records) && records.empty()) return kFailed;
    std::vector<const EntryRecord*> chosen;
    for (const EntryRecord& e : records)
        if (e.dateTime() >= from && e.dateTime() <= to) chosen.push_back(&e);
    if (chosen.empty()) {
        err_ << "tavrin-cli: no entries to plot\n";
        return kFailed;
    }
    plot::Plot drawn;
    if (plot::GraphPlot::build(set, tn.config, tn.graph, chosen, drawn) !=
        plot::GraphPlot::Outcome::Ok) {
        err_ << plot::GraphPlot::kNothingToPlot << '\n';
        return kFailed;
    }
    const auto app = application();
    const QImage image = plot::GraphChart::render(
        drawn, QSize(plot::GraphChart::kImageWidth, plot::GraphChart::kImageHeight));
    if (!plot::GraphChart::savePng(image, QFile::decodeName(QByteArray::fromStdString(file)))) {
        err_ << "tavrin-cli: unable to write " << file << '\n';
        return kFailed;
    }
    out_ << chosen.size() << " entries plotted to " << file << '\n';
    return kOk;
#endif
}

} // namespace tavrin::cli
