#include "chart/GraphChart.h"

#include "storage/PrivateFiles.h"

#include <QAreaSeries>
#include <QBrush>
#include <QChart>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QHash>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <cmath>

namespace tavrin::graph {

namespace {

QColor colourOf(std::uint32_t c) {
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

QFont smallFont(bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(7);
    f.setBold(bold);
    return f;
}

// Room under the plot for the point labels, written upwards.
constexpr int kPointLabelRoom = 96;
// Points drawn one by one up to twice this many.
constexpr int kMaxGroups = 1200;

// The points of one series in consecutive groups of `group` points.
struct Range {
    int first, last; // indexes
    bool valid;      // some value in it (not NaN)
    double low, high, firstValue, lastValue;
};

QList<Range> rangesOf(const QList<double>& values, int group) {
    QList<Range> ranges;
    for (int i = 0; i < values.size(); i += group) {
        const int last = std::min<int>(int(values.size()), i + group) - 1;
        Range r{i, last, false, 0, 0, 0, 0};
        for (int k = i; k <= last; ++k) {
            const double v = values[k];
            if (std::isnan(v)) continue;
            if (!r.valid) r.low = r.high = r.firstValue = v;
            r.valid = true;
            r.low = std::min(r.low, v);
            r.high = std::max(r.high, v);
            r.lastValue = v;
        }
        ranges << r;
    }
    return ranges;
}

// One filled area for all bars of a series, between their tops and bottoms (zero on one side):
// cheap for any number of points. `shift` places an ungrouped bar within its point.
QAreaSeries* barArea(const QList<Range>& ranges, int group, double shift, double barWidth,
                     const QColor& colour) {
    QList<QPointF> tops, bottoms;
    tops.reserve(ranges.size() * 4);
    bottoms.reserve(ranges.size() * 4);
    for (const Range& r : ranges) {
        if (!r.valid) continue;
        const double a = group > 1 ? r.first - 0.5 : r.first + shift;
        const double b = group > 1 ? r.last + 0.5 : a + barWidth;
        const double hi = std::max(0.0, r.high), lo = std::min(0.0, r.low);
        tops << QPointF(a, 0) << QPointF(a, hi) << QPointF(b, hi) << QPointF(b, 0);
        bottoms << QPointF(a, 0) << QPointF(a, lo) << QPointF(b, lo) << QPointF(b, 0);
    }
    auto* upper = new QLineSeries;
    upper->replace(tops);
    auto* lower = new QLineSeries;
    lower->replace(bottoms);
    auto* area = new QAreaSeries(upper, lower);
    upper->setParent(area); // an area series does not own its edges
    lower->setParent(area);
    area->setColor(colour);
    area->setBorderColor(colour);
    QPen pen(colour);
    pen.setWidth(1);
    area->setPen(pen);
    return area;
}

// A group's distinct values, all at the group's middle.
QScatterSeries* pointSeries(const QList<Range>& ranges, const QList<double>& values, int group,
                            int width, const QColor& colour) {
    QList<QPointF> points;
    for (const Range& r : ranges) {
        if (!r.valid) continue;
        const double x = (r.first + r.last) / 2.0;
        if (group == 1) {
            points << QPointF(x, r.low);
            continue;
        }
        QList<double> seen;
        for (int k = r.first; k <= r.last; ++k)
            if (!std::isnan(values[k]) && !seen.contains(values[k])) seen << values[k];
        for (double v : seen)
            points << QPointF(x, v);
    }
    auto* scatter = new QScatterSeries;
    scatter->setMarkerSize(4 + 2 * width);
    scatter->setColor(colour);
    scatter->setBorderColor(colour);
    scatter->replace(points);
    return scatter;
}

// The runs of a line between points without a value; a group is drawn through its first value,
// its range and its last value.
QList<QList<QPointF>> lineRuns(const QList<Range>& ranges, int group) {
    QList<QList<QPointF>> runs(1);
    for (const Range& r : ranges) {
        if (!r.valid) {
            if (!runs.last().isEmpty()) runs << QList<QPointF>();
            continue;
        }
        if (group == 1) {
            runs.last() << QPointF(r.first, r.low);
            continue;
        }
        const double mid = (r.first + r.last) / 2.0;
        runs.last() << QPointF(r.first, r.firstValue) << QPointF(mid, r.low) << QPointF(mid, r.high)
                    << QPointF(r.last, r.lastValue);
    }
    if (runs.size() > 1 && runs.last().isEmpty()) runs.removeLast();
    return runs;
}

} // namespace

// Paints the free labels and the point labels over the chart, mapped through the plot area.
class GraphLabelLayer : public QGraphicsItem {
public:
    GraphLabelLayer(QChart* chart, const Plot& plot)
        : QGraphicsItem(chart), chart_(chart), labels_(plot.labels), points_(plot.pointLabels),
          min_(plot.minimum), max_(plot.maximum), background_(colourOf(plot.background)) {
        setZValue(100);
        moved_ = QObject::connect(chart, &QChart::plotAreaChanged, chart, [this] {
            prepareGeometryChange();
            update();
        });
    }
    ~GraphLabelLayer() override { QObject::disconnect(moved_); }

    void removeLabels() {
        labels_.clear();
        update();
    }
    int labelCount() const { return int(labels_.size()); }

    QRectF boundingRect() const override { return chart_->boundingRect(); }

    void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override {
        const QRectF area = chart_->plotArea();
        const int n = int(points_.size());
        if (n == 0 || area.isEmpty()) return;
        auto xAt = [&](double x) { return area.left() + (x + 0.5) / n * area.width(); };
        auto yAt = [&](double y) {
            return area.bottom() - (y - min_) / (max_ - min_) * area.height();
        };
        p->save();
        const QFont font = smallFont();
        p->setFont(font);
        const QFontMetricsF fm(font);

        // Point labels, upwards under the plot; one in each line height at most.
        double lastRight = -1e9;
        p->setPen(chart_->axes(Qt::Vertical).isEmpty()
                      ? Qt::black
                      : chart_->axes(Qt::Vertical).first()->labelsColor());
        for (int i = 0; i < n; ++i) {
            const double x = xAt(i);
            if (x - fm.height() / 2 < lastRight) continue;
            lastRight = x + fm.height() / 2;
            p->save();
            p->translate(x + fm.ascent() / 2, area.bottom() + 4);
            p->rotate(-90);
            p->drawText(QPointF(-fm.horizontalAdvance(points_[i]), 0), points_[i]);
            p->restore();
        }

        // Free labels: each row (height) keeps its labels apart.
        QHash<double, double> rowRight;
        for (const PlotLabel& l : labels_) {
            const double w = fm.horizontalAdvance(l.text) + 4;
            const QRectF box(xAt(l.x) - w / 2, yAt(l.height) - fm.height() / 2, w, fm.height());
            auto it = rowRight.find(l.height);
            if (it != rowRight.end() && box.left() < it.value()) continue;
            rowRight[l.height] = box.right();
            p->fillRect(box, background_);
            p->setPen(colourOf(l.colour));
            p->drawText(box, Qt::AlignCenter, l.text);
        }
        p->restore();
    }

private:
    QChart* chart_;
    QList<PlotLabel> labels_;
    QStringList points_;
    double min_, max_;
    QColor background_;
    QMetaObject::Connection moved_;
};

GraphLabelLayer* GraphChart::fill(QChart* chart, const Plot& plot) {
    chart->removeAllSeries();
    for (QAbstractAxis* a : chart->axes()) {
        chart->removeAxis(a); // gives the axis back to us
        delete a;
    }
    chart->setBackgroundBrush(colourOf(plot.background));
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 8, kPointLabelRoom));
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setFont(smallFont(true));

    const int n = plot.points();
    auto* xAxis = new QValueAxis;
    xAxis->setRange(-0.5, std::max(0.5, n - 0.5));
    xAxis->setLabelsVisible(false);
    xAxis->setGridLineVisible(false);
    xAxis->setTickCount(2);
    auto* yAxis = new QValueAxis;
    yAxis->setRange(plot.minimum, plot.maximum);
    yAxis->setTickType(QValueAxis::TicksDynamic);
    yAxis->setTickAnchor(0);
    yAxis->setTickInterval(1);
    yAxis->setLabelFormat(QStringLiteral("%d"));
    yAxis->setLabelsFont(smallFont());
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    // Bars of several series stand side by side within a point.
    int bars = 0;
    for (const PlotSeries& s : plot.series)
        bars += s.type == GraphSettings::Bar;
    const double barWidth = bars ? 0.8 / bars : 0;
    int bar = 0;

    // Beyond about two points a pixel, consecutive points are drawn as one group: its range
    // for bars and lines, its distinct values for points. A plot of years of daily entries
    // then costs what one of a few thousand does, and looks the same.
    const int group = n > 2 * kMaxGroups ? (n + kMaxGroups - 1) / kMaxGroups : 1;
    for (const PlotSeries& s : plot.series) {
        const QColor colour = colourOf(s.colour);
        const QList<Range> ranges = rangesOf(s.values, group);
        QAbstractSeries* series = nullptr;
        if (s.type == GraphSettings::Bar) {
            series = barArea(ranges, group, -0.4 + bar * barWidth, barWidth, colour);
            ++bar;
        } else if (s.type == GraphSettings::Point) {
            series = pointSeries(ranges, s.values, group, s.width, colour);
        } else {
            // A point without a value breaks the line: each run is a series of its own, and
            // only the first one has a place in the legend.
            const QList<QList<QPointF>> runs = lineRuns(ranges, group);
            QPen pen(colour);
            pen.setWidth(s.width);
            qsizetype total = 0;
            for (const QList<QPointF>& run : runs)
                total += run.size();
            for (int k = 0; k < runs.size(); ++k) {
                auto* line = new QLineSeries;
                line->setPen(pen);
                // Markers where few points would hardly make a line (one makes none).
                line->setPointsVisible(total <= 60);
                line->replace(runs[k]);
                if (k == 0) {
                    series = line;
                    continue;
                }
                chart->addSeries(line);
                line->attachAxis(xAxis);
                line->attachAxis(yAxis);
                for (QLegendMarker* m : chart->legend()->markers(line))
                    m->setVisible(false);
            }
        }
        series->setName(s.name);
        chart->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    return new GraphLabelLayer(chart, plot);
}

GraphChart::GraphChart(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("graphChart"));
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setVisible(true);
    chart()->setBackgroundRoundness(0);
}

GraphChart::~GraphChart() = default;

void GraphChart::showPlot(const Plot& plot) {
    delete layer_;
    plot_ = plot;
    hasPlot_ = true;
    layer_ = fill(chart(), plot_);
}

void GraphChart::removeLabels() {
    plot_.labels.clear();
    if (layer_) layer_->removeLabels();
}

int GraphChart::labelCount() const {
    return layer_ ? layer_->labelCount() : 0;
}

QImage GraphChart::render(const Plot& plot, const QSize& size) {
    QGraphicsScene scene;
    auto* chart = new QChart;
    scene.addItem(chart);
    chart->legend()->setVisible(true);
    fill(chart, plot);
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
    QCoreApplication::processEvents();
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    scene.render(&p, QRectF(QPointF(0, 0), QSizeF(size)), QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QImage GraphChart::image(const QSize& size) const {
    if (!hasPlot_) {
        QImage blank(size, QImage::Format_ARGB32);
        blank.fill(Qt::white);
        return blank;
    }
    return render(plot_, size);
}

bool GraphChart::savePng(const QString& path) const {
    return savePng(image(), path);
}

bool GraphChart::savePng(const QImage& image, const QString& path) {
    // Qt's image writer creates a file by the umask but keeps the mode of one it overwrites.
    const std::string native = QFile::encodeName(path).toStdString();
    const bool created = PrivateFiles::prepare(native);
    if (image.save(path, "PNG")) return true;
    if (created) QFile::remove(path);
    return false;
}

void GraphChart::copyToClipboard() const {
    QGuiApplication::clipboard()->setImage(image(size()));
}

void GraphChart::paintInto(QPainter& painter, const QRectF& target) const {
    if (!hasPlot_) return;
    // Laid out at the saved image's size and scaled onto the page, so that the fonts keep their
    // proportion to the plot; as large as fits, in the image's own shape, centred across the top.
    const double aspect = double(kImageWidth) / kImageHeight;
    QSizeF fit(target.width(), target.width() / aspect);
    if (fit.height() > target.height()) fit = QSizeF(target.height() * aspect, target.height());
    const QRectF r(target.left() + (target.width() - fit.width()) / 2, target.top(), fit.width(),
                   fit.height());
    painter.drawImage(r, render(plot_, QSize(kImageWidth, kImageHeight)));
}

} // namespace tavrin::graph
