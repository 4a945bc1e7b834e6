#pragma once
// The graph control: draws a Plot with Qt Charts. Series carry their colour, style (line, bar,
// point) and width; the vertical range is fixed by the plot; point labels (the entries' dates)
// run under the plot and free text labels sit at a point and a height, on the plot's background
// colour. It prints, exports PNG images of an exact size and copies itself to the clipboard.
// render() draws a plot without any window (tavrin-cli graph).
//
// Free labels and point labels are painted by one item over the chart, which leaves out a label
// that would overlap the one before it on its row: a plot of thousands of entries stays one
// cheap item instead of thousands of text items.

#include "chart/GraphPlot.h"

#include <QChartView>
#include <QImage>

class QPainter;

namespace tavrin::graph {

class GraphLabelLayer;

class GraphChart : public QChartView {
    Q_OBJECT
public:
    static constexpr int kImageWidth = 800, kImageHeight = 600;

    explicit GraphChart(QWidget* parent = nullptr);
    ~GraphChart() override;

    // Replaces whatever was drawn by `plot`.
    void showPlot(const Plot& plot);
    // Takes the free text labels of the last plot away; its series stay.
    void removeLabels();
    bool hasPlot() const { return hasPlot_; }
    const Plot& plot() const { return plot_; }
    // How many free labels are drawn now.
    int labelCount() const;

    // The plot as an image of exactly `size` pixels (laid out anew for that size).
    QImage image(const QSize& size = QSize(kImageWidth, kImageHeight)) const;
    bool savePng(const QString& path) const;
    // A picture of diary data as a PNG file, created readable by its owner only (0600); no file
    // is left when it cannot be written.
    static bool savePng(const QImage& image, const QString& path);
    void copyToClipboard() const;
    // Draws the plot into `target` of a painter (a printer page) in the shape of the saved
    // image, as large as fits.
    void paintInto(QPainter& painter, const QRectF& target) const;

    // A plot drawn with no window; needs a QApplication (the offscreen platform will do).
    static QImage render(const Plot& plot, const QSize& size);
    // Fills an empty chart with a plot; returns the label item it added.
    static GraphLabelLayer* fill(QChart* chart, const Plot& plot);

private:
    Plot plot_;
    bool hasPlot_ = false;
    GraphLabelLayer* layer_ = nullptr;
};

} // namespace tavrin::graph
