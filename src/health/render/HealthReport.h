#pragma once
// The health report: a few pages a patient can hand to a doctor for a range of the diary. A
// heading and the summary table, charts drawn with the graph's chart, the pain-map heat map on
// the skin's body pictures, the medication list with what comes before a flare, and the
// entries' dates and descriptions. The window's preview, Print and Save as PDF and tavrin-cli's
// report all paint through print().

#include "health/logic/Correlations.h"
#include "health/logic/HealthData.h"
#include "health/logic/PainHeat.h"
#include "health/logic/RangeSummary.h"
#include "storage/MedicationRecord.h"

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

class QPainter;
class QPrinter;

namespace tavrin::health {

struct ReportData {
    QString diaryName;
    DateRange range;
    std::vector<HealthEntry> entries;
    // The year at a glance: the entries of the twelve months up to yearEnd (a day number), the
    // range's last day, whether or not they lie in the range.
    std::vector<HealthEntry> year;
    int yearEnd = 0;
    DiaryConfig config;
    std::vector<MedicationRecord> medication;
    std::int64_t made = 0; // when the report was made
};

class HealthReport {
public:
    static constexpr int kMaxFindings = 12; // correlations shown in the report

    // Reads the range's entries, the configuration and the medication list; false when the
    // diary could not be read.
    static bool load(TN& tn, const DateRange& range, ReportData& out);
    // The visible text of a stored body, in UTF-8.
    static std::string plainText(const std::string& stored);

    explicit HealthReport(ReportData data);

    const ReportData& data() const { return data_; }
    const RangeSummary& summary() const { return summary_; }
    const Findings& findings() const { return findings_; }
    const PainHeat& heat() const { return heat_; }
    QString rangeText() const;

    // Paints every page onto the printer; false when the printer could not be started.
    bool print(QPrinter& printer) const;
    // Writes a PDF at the default page size (A4 or Letter by the locale).
    bool savePdf(const QString& path) const;

private:
    struct Page {
        std::function<void(QPainter&, const QRectF&)> paint;
    };
    std::vector<Page> pages(double width) const;
    void summaryPage(QPainter& p, double width) const;
    void chartsPage(QPainter& p, const QRectF& page, double width) const;
    void glancePage(QPainter& p, double width) const;
    void heatPage(QPainter& p, double width) const;
    void medicationPage(QPainter& p, double width) const;
    void entriesPage(QPainter& p, double width, int start, int perPage) const;
    QImage chart(const QString& title, const std::vector<std::pair<Measure, std::uint32_t>>& series,
                 double low, double high, const QSize& size) const;

    ReportData data_;
    RangeSummary summary_;
    Findings findings_;
    PainHeat heat_;
};

} // namespace tavrin::health
