#pragma once
// What the graph draws for a set of entries, worked out from the diary's configuration and graph
// settings: the series taking part with their points, the free text labels, the point labels
// and the fixed vertical range. No drawing here; GraphChart draws a Plot.

#include "storage/DiaryConfig.h"
#include "storage/EntryRecord.h"
#include "storage/GraphSettings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace tavrin::graph {

// The two data sets, as the rows of the window's chooser.
enum class DataSet { Diary = 0, Fibro = 1 };

struct PlotSeries {
    QString name;
    std::uint32_t colour = 0; // 0x00BBGGRR, as stored
    int type = GraphSettings::Line;
    int width = 1;
    QList<double> values; // one per point; NaN where the entry has no value (no point)
};

struct PlotLabel {
    QString text;
    int x = 0;         // the point's zero-based place
    double height = 0; // on the vertical axis
    std::uint32_t colour = 0;
};

struct Plot {
    std::uint32_t background = 0;
    double minimum = 0, maximum = 0;
    QStringList pointLabels; // one per point: "date-time"
    QList<PlotSeries> series;
    QList<PlotLabel> labels;
    int points() const { return int(pointLabels.size()); }
};

class GraphPlot {
public:
    static constexpr const char* kNothingToPlot =
        "Nothing to plot! Set graph visibility for some parameters in the corresponding Options!";
    static constexpr const char* kUnknownSet = "Internal graph error (default:)";
    static constexpr const char* kUnreadableSettings = "Unable to read the graph configuration!";

    enum class Outcome { Ok, NothingToPlot, UnknownSet };

    // The plot of `entries` (in selection order) for data set `set` (the chooser's row).
    // Labels alone are no plot: without a series taking part the outcome is NothingToPlot.
    static Outcome build(int set, const DiaryConfig& config, const GraphSettings& settings,
                         const std::vector<const EntryRecord*>& entries, Plot& out);

    // The series names of the fibromyalgia ratings, in the order of their settings.
    static const QStringList& fibroNames();
    // "date-time" in the locale's forms.
    static QString pointLabel(std::int64_t dateTime);
};

} // namespace tavrin::graph
