#include "health/render/HealthReport.h"

#include "chart/GraphChart.h"
#include "health/logic/DayValues.h"
#include "health/render/YearGlance.h"
#include "platform/PrivatePrinter.h"
#include "rtf/RtfCodec.h"
#include "storage/Cp1252.h"
#include "storage/LocalTime.h"
#include "storage/PainKinds.h"
#include "storage/TN.h"
#include "ui/ActiveSkin.h"
#include "ui/SkinBodyAreas.h"
#include "ui/SkinLoader.h"

#include <QDate>
#include <QDateTime>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <ctime>

namespace tavrin::health {
namespace {

constexpr double kLine = 14;  // points between text lines
constexpr double kBody = 9.5; // body text size in points
constexpr QColor kInk{30, 30, 30};
constexpr QColor kRule{150, 150, 150};
constexpr QColor kShade{236, 236, 236};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}
QString fromCp(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}

QFont font(double size, bool bold = false) {
    QFont f("DejaVu Sans");
    f.setPixelSize(std::max(1, int(size + 0.5)));
    f.setBold(bold);
    return f;
}

QString longDate(std::int64_t t) {
    return q(LocalTime::format(t, "%d %B %Y"));
}

// A section title with a rule under it; returns the y below.
double title(QPainter& p, double x, double y, double width, const QString& text) {
    p.setFont(font(13, true));
    p.setPen(kInk);
    p.drawText(QPointF(x, y + 13), text);
    p.setPen(QPen(kRule, 0.8));
    p.drawLine(QPointF(x, y + 18), QPointF(x + width, y + 18));
    return y + 30;
}

// A table row: texts in columns starting at the given x offsets; shaded when asked.
void tableRow(QPainter& p, double x, double y, double width, const QStringList& texts,
              const std::vector<double>& columns, bool bold, bool shade) {
    if (shade) p.fillRect(QRectF(x, y, width, kLine), kShade);
    p.setFont(font(kBody, bold));
    p.setPen(kInk);
    for (int i = 0; i < texts.size() && i < int(columns.size()); ++i) {
        const double right = i + 1 < int(columns.size()) ? columns[std::size_t(i) + 1] : width;
        p.drawText(
            QRectF(x + columns[std::size_t(i)] + 3, y, right - columns[std::size_t(i)] - 6, kLine),
            Qt::AlignVCenter | (i == 0 ? Qt::AlignLeft : Qt::AlignLeft), texts[i]);
    }
}

// Wrapped text; returns the height used.
double paragraph(QPainter& p, const QRectF& r, const QString& text, double size = kBody,
                 bool italic = false) {
    QFont f = font(size);
    f.setItalic(italic);
    p.setFont(f);
    p.setPen(kInk);
    const QRectF used = p.boundingRect(r, Qt::TextWordWrap, text);
    p.drawText(r, Qt::TextWordWrap, text);
    return used.height();
}

QColor colourOf(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

ui::ActiveSkin reportSkin() {
    const ui::ActiveSkin& current = ui::ActiveSkin::current();
    if (!current.keyedPicture("body_back.tns").isNull()) return current;
    ui::ActiveSkin fallback; // tavrin-cli: no skin loaded, take the default one
    SkinLoader loader;
    if (loader.check(SkinLoader::kDefaultSkin, fallback)) return fallback;
    return current;
}

} // namespace

bool HealthReport::load(TN& tn, const DateRange& range, ReportData& out) {
    out.diaryName = fromCp(tn.files().name());
    out.range = range;
    out.made = std::time(nullptr);
    out.config = tn.config;
    std::vector<HealthEntry> all;
    if (!HealthData::read(tn, {}, all)) return false;
    out.entries.clear();
    for (const HealthEntry& e : all)
        if (range.contains(e.record.dateTime())) out.entries.push_back(e);
    // The glance ends with the range: its last day, or its last entry when it is open-ended.
    out.year.clear();
    out.yearEnd = range.to != DateRange().to ? HealthData::dayOf(range.to)
                  : out.entries.empty()      ? 0
                                             : out.entries.back().day;
    const std::string end = HealthData::dayText(out.yearEnd);
    const QDate first =
        QDate(std::stoi(end.substr(0, 4)), std::stoi(end.substr(5, 2)), 1).addMonths(-11);
    const int firstDay = HealthData::dayNumber(first.year(), first.month(), 1);
    for (HealthEntry& e : all)
        if (e.day >= firstDay && e.day <= out.yearEnd) out.year.push_back(std::move(e));
    out.medication.clear();
    if (tn.medication.Count() > 0) tn.medication.ReadAll(out.medication);
    return true;
}

std::string HealthReport::plainText(const std::string& stored) {
    return diary::RtfCodec::plainText(QByteArray::fromStdString(stored)).toStdString();
}

HealthReport::HealthReport(ReportData data)
    : data_(std::move(data)), summary_(RangeSummary::of(data_.entries, data_.config)),
      findings_(Correlations::study(data_.entries, DayValues::factors(data_.config),
                                    DayValues::outcomes())),
      heat_(PainHeat::of(data_.entries)) {}

QString HealthReport::rangeText() const {
    const bool fromGiven = data_.range.from != DateRange().from;
    const bool toGiven = data_.range.to != DateRange().to;
    if (data_.entries.empty() && !(fromGiven && toGiven)) return "No entries in this range";
    const std::int64_t first =
        fromGiven ? data_.range.from : data_.entries.front().record.dateTime();
    const std::int64_t last = toGiven ? data_.range.to : data_.entries.back().record.dateTime();
    return longDate(first) + " to " + longDate(last);
}

QImage HealthReport::chart(const QString& name,
                           const std::vector<std::pair<Measure, std::uint32_t>>& series, double low,
                           double high, const QSize& size) const {
    std::vector<DaySeries> days;
    for (const auto& s : series)
        days.push_back(DayValues::series(data_.entries, s.first));
    // The points are the days that hold every series of the chart.
    std::vector<int> points;
    for (const auto& [day, v] : days.front()) {
        bool all = true;
        for (const DaySeries& d : days)
            all = all && d.count(day);
        if (all) points.push_back(day);
    }
    graph::Plot plot;
    plot.background = 0x00FFFFFF;
    plot.minimum = low;
    plot.maximum = high;
    for (int d : points)
        plot.pointLabels << q(HealthData::dayText(d).substr(5));
    for (std::size_t i = 0; i < series.size(); ++i) {
        graph::PlotSeries s;
        s.name = q(series[i].first.name);
        s.colour = series[i].second;
        s.type = GraphSettings::Line;
        s.width = 2;
        for (int d : points)
            s.values << days[i].at(d);
        plot.series << s;
    }
    if (points.empty()) {
        QImage empty(size, QImage::Format_RGB32);
        empty.fill(Qt::white);
        QPainter p(&empty);
        p.setPen(kInk);
        p.drawText(empty.rect(), Qt::AlignCenter, name + ": nothing rated in this range");
        return empty;
    }
    return graph::GraphChart::render(plot, size);
}

// The first page: heading and summary.
void HealthReport::summaryPage(QPainter& p, double width) const {
    p.setFont(font(20, true));
    p.setPen(kInk);
    p.drawText(QPointF(0, 22), "Health report: " + data_.diaryName);
    p.setFont(font(11));
    p.drawText(QPointF(0, 42), rangeText());
    p.setFont(font(kBody));
    p.setPen(QColor(90, 90, 90));
    p.drawText(QPointF(0, 58), "Made on " + longDate(data_.made));
    double y = title(p, 0, 76, width, "Summary");
    tableRow(
        p, 0, y, width,
        {"Entries", QString::number(summary_.entries), QString("on %1 days").arg(summary_.days)},
        {0, 190, 270}, true, false);
    y += kLine * 1.6;
    const std::vector<double> cols = {0, 190, 270, 340};
    if (!summary_.ratings.empty()) {
        tableRow(p, 0, y, width, {"Rating (1 best to 10 worst)", "Rated days", "Mean", "Worst"},
                 cols, true, true);
        y += kLine;
        for (const SummaryRow& r : summary_.ratings) {
            tableRow(p, 0, y, width,
                     {q(r.name), QString::number(r.days), q(r.meanText()), q(r.worstShown())}, cols,
                     false, false);
            y += kLine;
        }
    } else {
        p.drawText(QPointF(0, y + 10), "No fibromyalgia rating was given in this range.");
        y += kLine;
    }
    y += kLine * 0.6;
    if (!summary_.scales.empty()) {
        tableRow(p, 0, y, width, {"Scale (diary levels)", "Days", "Mean", "Worst (lowest)"}, cols,
                 true, true);
        y += kLine;
        for (const SummaryRow& r : summary_.scales) {
            tableRow(p, 0, y, width,
                     {q(r.name), QString::number(r.days), q(r.meanText()), q(r.worstShown())}, cols,
                     false, false);
            y += kLine;
        }
    }
}

// The ratings, the scales and the mood over the range.
void HealthReport::chartsPage(QPainter& p, const QRectF& page, double width) const {
    double y = title(p, 0, 0, width, "Over the range");
    const double h = (page.height() - y - 20) / 3;
    const QSize px(int(width * 1.8), int((h - 18) * 1.8));
    const std::vector<std::pair<QString, std::vector<std::pair<Measure, std::uint32_t>>>> charts = {
        {"Pain",
         {{DayValues::rating(Fibro::PainMorning, "Pain morning", ""), 0x002020C0},
          {DayValues::rating(Fibro::PainAfternoon, "Pain afternoon", ""), 0x002080E0},
          {DayValues::rating(Fibro::PainEvening, "Pain evening", ""), 0x00802060}}},
        {"Sleep and fatigue",
         {{DayValues::rating(Fibro::Sleep, "Sleep (1 best, 10 worst)", ""), 0x00A06020},
          {DayValues::rating(Fibro::Fatigue, "Fatigue (1 best, 10 worst)", ""), 0x00208040}}},
    };
    for (const auto& [name, series] : charts) {
        p.setFont(font(10, true));
        p.setPen(kInk);
        p.drawText(QPointF(0, y + 10), name);
        p.drawImage(QRectF(0, y + 14, width, h - 18), chart(name, series, 0, 10, px));
        y += h;
    }
    p.setFont(font(10, true));
    p.setPen(kInk);
    p.drawText(QPointF(0, y + 10), "Mood (-3 worst to 3 best)");
    Measure mood{"Mood", "mood", [](const HealthEntry& e) -> std::optional<double> {
                     return double(e.record.mood());
                 }};
    p.drawImage(QRectF(0, y + 14, width, h - 18), chart("Mood", {{mood, 0x00808000}}, -3, 3, px));
}

// Morning pain, one square a day, over the twelve months up to the range's last month.
void HealthReport::glancePage(QPainter& p, double width) const {
    double y = title(p, 0, 0, width, "A year at a glance");
    y += paragraph(p, QRectF(0, y, width, 40),
                   "Morning pain, one square per day: the twelve months up to the end "
                   "of the range.") +
         8;
    const std::string last = HealthData::dayText(data_.yearEnd);
    const QDate end(std::stoi(last.substr(0, 4)), std::stoi(last.substr(5, 2)), 1);
    const QDate start = end.addMonths(-11);
    const GlanceValue value = YearGlance::values().front();
    p.setFont(font(8));
    YearGlance::paint(p, QRectF(0, y, width, width * 0.5), start.year(), start.month(),
                      DayValues::series(data_.year, value.measure), value);
}

// The pain-map heat map and its table.
void HealthReport::heatPage(QPainter& p, double width) const {
    double y = title(p, 0, 0, width, "Where it hurt");
    y += paragraph(p, QRectF(0, y, width, 40),
                   QString("Each area is coloured by the share of the %1 days with an entry on "
                           "which it hurt. The table counts the pain kinds and gives the mean "
                           "overall pain (1-10) on those days.")
                       .arg(heat_.days)) +
         8;
    const ui::ActiveSkin skin = reportSkin();
    const double scale = 1.45;
    const double pw = SkinBodyAreas::kWidth * scale, ph = SkinBodyAreas::kHeight * scale;
    auto body = [&](const QString& file, double x, const QString& caption, int first,
                    const auto& areas) {
        const QPixmap pic = skin.keyedPicture(file);
        const QRectF r(x, y + 14, pw, ph);
        p.setFont(font(kBody, true));
        p.setPen(kInk);
        p.drawText(QPointF(x, y + 10), caption);
        if (!pic.isNull()) p.drawPixmap(r, pic, QRectF(pic.rect()));
        p.setPen(QPen(kRule, 0.6));
        p.drawRect(r);
        for (std::size_t i = 0; i < areas.size(); ++i) {
            const int area = first + int(i);
            const double share = heat_.share(area);
            const QPointF c(x + areas[i].x * scale, y + 14 + areas[i].y * scale);
            if (share > 0) {
                p.setPen(QPen(QColor(80, 30, 0), 0.6));
                p.setBrush(colourOf(PainHeat::colour(share)));
                p.drawEllipse(c, 7.5, 7.5);
            } else {
                p.setPen(QPen(kRule, 0.6));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(c, 4, 4);
            }
            p.setBrush(Qt::NoBrush);
        }
    };
    body("body_back.tns", 10, "Back", 0, SkinBodyAreas::back);
    body("body_front.tns", 10 + pw + 24, "Front", 10, SkinBodyAreas::front);
    // Legend beside the pictures.
    double lx = 10 + 2 * pw + 60, ly = y + 20;
    p.setFont(font(kBody, true));
    p.setPen(kInk);
    p.drawText(QPointF(lx, ly), "Share of days");
    ly += 8;
    for (double share : PainHeat::kLegend) {
        p.setPen(QPen(QColor(80, 30, 0), 0.6));
        p.setBrush(colourOf(PainHeat::colour(share)));
        p.drawRect(QRectF(lx, ly, 18, 11));
        p.setBrush(Qt::NoBrush);
        p.setPen(kInk);
        p.setFont(font(kBody));
        p.drawText(QPointF(lx + 24, ly + 9), QString("%1 %").arg(int(share * 100 + 0.5)));
        ly += 15;
    }
    p.setPen(QPen(kRule, 0.6));
    p.drawEllipse(QPointF(lx + 9, ly + 6), 4, 4);
    p.setPen(kInk);
    p.drawText(QPointF(lx + 24, ly + 9), "never");
    y += ph + 26;
    const std::vector<double> cols = {0, 22, 70, 205, 255, 440};
    tableRow(p, 0, y, width, {"", "Disc", "Area", "Days", "Pain kinds counted", "Pain 1-10"}, cols,
             true, true);
    y += kLine;
    for (int a = 0; a < PainHeat::kAreas; ++a) {
        const AreaHeat& h = heat_.areas[std::size_t(a)];
        if (h.hurtDays == 0) continue;
        QStringList kinds;
        for (int k = 1; k <= 6; ++k)
            if (h.kinds[std::size_t(k)])
                kinds << QString("%1 %2").arg(PainKinds::name(k)).arg(h.kinds[std::size_t(k)]);
        tableRow(p, 0, y, width,
                 {"", a < 10 ? QString("back %1").arg(a + 1) : QString("front %1").arg(a - 9),
                  q(PainHeat::areaName(a)), QString("%1 of %2").arg(h.hurtDays).arg(heat_.days),
                  kinds.join(", "),
                  h.strength > 0 ? q(RangeSummary::oneDecimal(h.strength)) : "not rated"},
                 cols, false, false);
        p.fillRect(QRectF(4, y + 2, 14, kLine - 4), colourOf(PainHeat::colour(heat_.share(a))));
        y += kLine;
    }
}

// Medication and what comes before a flare.
void HealthReport::medicationPage(QPainter& p, double width) const {
    double y = title(p, 0, 0, width, "Medication");
    const std::vector<double> cols = {0, 150, 220, 350, 460};
    if (data_.medication.empty()) {
        p.setFont(font(kBody));
        p.drawText(QPointF(0, y + 10), "No medication is listed in this diary.");
        y += kLine;
    } else {
        tableRow(p, 0, y, width, {"Name", "Dosage", "Frequency", "Doctor", "Issued"}, cols, true,
                 true);
        y += kLine;
        for (const MedicationRecord& m : data_.medication) {
            tableRow(p, 0, y, width,
                     {fromCp(m.name()), fromCp(m.quantity()), fromCp(m.frequency()),
                      fromCp(m.doctor()), longDate(m.dateIssued())},
                     cols, false, false);
            y += kLine;
        }
    }
    y = title(p, 0, y + 18, width, "What comes before a flare");
    y += paragraph(p, QRectF(0, y, width, 40), q(Correlations::testedText(findings_))) + 3;
    if (findings_.tested > 0 && !findings_.lookedBack)
        y += paragraph(p, QRectF(0, y, width, 40), Correlations::kTooFarApart) + 3;
    const std::vector<Correlation>& found = findings_.found;
    const int shown = std::min<int>(kMaxFindings, int(found.size()));
    for (int i = 0; i < shown; ++i)
        y += paragraph(p, QRectF(12, y, width - 12, 40),
                       QString::fromUtf8("\u2022 ") + q(found[std::size_t(i)].words)) +
             3;
    if (int(found.size()) > shown)
        y += paragraph(p, QRectF(12, y, width - 12, 40),
                       QString("%1 weaker findings are left out.").arg(int(found.size()) - shown)) +
             3;
    y += 6;
    paragraph(p, QRectF(0, y, width, 60), Correlations::kNotACause, kBody, true);
}

// Dates and descriptions of the entries from `start` on, one page's worth.
void HealthReport::entriesPage(QPainter& p, double width, int start, int perPage) const {
    const int count = int(data_.entries.size());
    double y = title(p, 0, 0, width, start == 0 ? "Entries" : "Entries (continued)");
    const std::vector<double> cols = {0, 150, 200};
    tableRow(p, 0, y, width, {"Date", "Time", "Description"}, cols, true, true);
    y += kLine;
    for (int i = start; i < std::min(count, start + perPage); ++i) {
        const EntryRecord& r = data_.entries[std::size_t(i)].record;
        const std::string d = r.description();
        tableRow(p, 0, y, width,
                 {q(LocalTime::format(r.dateTime(), "%a %d %b %Y")),
                  q(LocalTime::format(r.dateTime(), "%H:%M")), d.empty() ? "n/a" : fromCp(d)},
                 cols, false, (i - start) % 2 == 1);
        y += kLine;
    }
}

std::vector<HealthReport::Page> HealthReport::pages(double width) const {
    std::vector<Page> out;
    out.push_back({[this, width](QPainter& p, const QRectF&) { summaryPage(p, width); }});
    out.push_back({[this, width](QPainter& p, const QRectF& page) { chartsPage(p, page, width); }});
    // A year at a glance only for ranges of more than 60 days.
    if (!data_.entries.empty() &&
        data_.entries.back().day - data_.entries.front().day > YearGlance::kReportDays)
        out.push_back({[this, width](QPainter& p, const QRectF&) { glancePage(p, width); }});
    out.push_back({[this, width](QPainter& p, const QRectF&) { heatPage(p, width); }});
    out.push_back({[this, width](QPainter& p, const QRectF&) { medicationPage(p, width); }});
    const int perPage = 48;
    for (int start = 0; start < std::max(int(data_.entries.size()), 1); start += perPage)
        out.push_back({[this, width, start](QPainter& p, const QRectF&) {
            entriesPage(p, width, start, perPage);
        }});
    return out;
}

bool HealthReport::print(QPrinter& printer) const {
    // The job's name, and the PDF's Title.
    printer.setDocName("Health report: " + data_.diaryName);
    QPainter p;
    if (!p.begin(&printer)) return false;
    const QRectF paint = printer.pageLayout().paintRect(QPageLayout::Point);
    const double sx = printer.logicalDpiX() / 72.0, sy = printer.logicalDpiY() / 72.0;
    const QRectF page(0, 0, paint.width(), paint.height() - 20);
    const std::vector<Page> all = pages(page.width());
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i) printer.newPage();
        p.save();
        p.scale(sx, sy);
        p.setRenderHint(QPainter::Antialiasing);
        all[i].paint(p, page);
        p.setFont(font(8));
        p.setPen(QColor(110, 110, 110));
        p.drawText(QRectF(0, page.height(), page.width(), 20), Qt::AlignRight | Qt::AlignBottom,
                   QString("%1 - %2 - page %3 of %4")
                       .arg(data_.diaryName, rangeText())
                       .arg(i + 1)
                       .arg(all.size()));
        p.restore();
    }
    return p.end();
}

bool HealthReport::savePdf(const QString& path) const {
    platform::PrivatePrinter printer(QPrinter::HighResolution); // health data: a 0600 file
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
    return print(printer);
}

} // namespace tavrin::health
