// tavrin-cli graph: the graph window's plot of a diary's entries, written as a PNG image without
// any window (Qt's offscreen platform), with the diary's own graph settings.

#include "cli/CommandRegistry.h"
#include "cli/Session.h"
#include "cli/StreamReporter.h"
#include "storage/DiaryFileSet.h"
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

#include <ostream>

namespace tavrin::cli {

namespace {

#ifdef TAVRIN_CLI_GRAPH
namespace plot = tavrin::graph;

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
#endif

int graph(Session& s, const Arguments& a) {
#ifndef TAVRIN_CLI_GRAPH
    (void)a;
    s.err() << "tavrin-cli: this build has no graph\n";
    return kFailed;
#else
    const std::string& path = a.diary;
    const std::string& file = a.words[0];
    const std::string set = a.value("--set");
    if (a.has("--set") && set != "1" && set != "2") return s.badValue("--set");
    if (int st = s.admit(path)) return st;
    StreamReporter rep(s.err());
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    if (!tn.ReadConfiguration()) return kFailed;
    if (!tn.ReadGraphSettings()) {
        s.err() << plot::GraphPlot::kUnreadableSettings << '\n';
        return kFailed;
    }
    std::vector<EntryRecord> records;
    if (!tn.ReadAllIndexRecords(records) && records.empty()) return kFailed;
    std::vector<const EntryRecord*> chosen;
    for (const EntryRecord& e : records)
        if (a.range.contains(e.dateTime())) chosen.push_back(&e);
    if (chosen.empty()) {
        s.err() << "tavrin-cli: no entries to plot\n";
        return kFailed;
    }
    plot::Plot drawn;
    if (plot::GraphPlot::build(set == "2" ? int(plot::DataSet::Fibro) : int(plot::DataSet::Diary),
                               tn.config, tn.graph, chosen,
                               drawn) != plot::GraphPlot::Outcome::Ok) {
        s.err() << plot::GraphPlot::kNothingToPlot << '\n';
        return kFailed;
    }
    const auto app = application();
    const QImage image = plot::GraphChart::render(
        drawn, QSize(plot::GraphChart::kImageWidth, plot::GraphChart::kImageHeight));
    if (!plot::GraphChart::savePng(image, QFile::decodeName(QByteArray::fromStdString(file)))) {
        s.err() << "tavrin-cli: unable to write " << file << '\n';
        return kFailed;
    }
    s.out() << chosen.size() << " entries plotted to " << file << '\n';
    return kOk;
#endif
}

} // namespace

std::vector<Command> graphCommands() {
    return {
        {"graph",
         {"FILE.png"},
         {kFromOption, kToOption, {"--set", Option::Value, "1|2", "1 or 2"}},
         "the graph of the entries from DATE to DATE, set 1 diary data (default) or 2 "
         "fibromyalgia data, as an 800 x 600 PNG image drawn with the diary's graph settings",
         graph},
    };
}

} // namespace tavrin::cli
