#pragma once
// A year at a glance: one square per day of one chosen value (morning pain, mood, ...), months
// in rows and days in columns, coloured from best to worst; days without a value stay blank.
// The report paints it for ranges of more than 60 days, and YearGlanceWidget shows it; no
// widget here, so that tavrin-cli's report draws it too.

#include "health/logic/DayValues.h"

#include <QColor>
#include <QRectF>

class QPainter;

namespace tavrin::health {

struct GlanceValue {
    Measure measure;
    double best, worst; // the value's ends; colours run from best to worst
};

class YearGlance {
public:
    static constexpr int kReportDays = 60; // the report shows the glance beyond this range
    // The values offered: the pain ratings, sleep, fatigue and mood.
    static std::vector<GlanceValue> values();
    // Share of the way from best to worst, 0 to 1.
    static double badness(const GlanceValue& v, double value);
    // The twelve months from (firstYear, firstMonth) on, into `area`, with texts in `ink` and
    // days without a value in `empty` (dark grey on a light page by default).
    static void paint(QPainter& p, const QRectF& area, int firstYear, int firstMonth,
                      const DaySeries& days, const GlanceValue& value,
                      const QColor& ink = QColor(60, 60, 60),
                      const QColor& empty = QColor(240, 240, 240));
};

} // namespace tavrin::health
