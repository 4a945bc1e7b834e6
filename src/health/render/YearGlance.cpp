#include "health/render/YearGlance.h"

#include "health/logic/PainHeat.h"

#include <QDate>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace tavrin::health {

std::vector<GlanceValue> YearGlance::values() {
    Measure mood{"Mood", "mood", [](const HealthEntry& e) -> std::optional<double> {
                     return double(e.record.mood());
                 }};
    return {
        {DayValues::rating(Fibro::PainMorning, "Pain morning", "morning pain"), 1, 10},
        {DayValues::rating(Fibro::PainAfternoon, "Pain afternoon", "afternoon pain"), 1, 10},
        {DayValues::rating(Fibro::PainEvening, "Pain evening", "evening pain"), 1, 10},
        {DayValues::rating(Fibro::Sleep, "Sleep", "sleep"), 1, 10},
        {DayValues::rating(Fibro::Fatigue, "Fatigue", "fatigue"), 1, 10},
        {mood, 3, -3},
    };
}

double YearGlance::badness(const GlanceValue& v, double value) {
    return std::clamp((value - v.best) / (v.worst - v.best), 0.0, 1.0);
}

void YearGlance::paint(QPainter& p, const QRectF& area, int firstYear, int firstMonth,
                       const DaySeries& days, const GlanceValue& value, const QColor& ink,
                       const QColor& empty) {
    // Texts at least as large as the painter's font (the window's, or the report's body), so
    // that a small calendar stays readable; larger when the squares are large.
    QFont f = p.font();
    const int readable = QFontInfo(f).pixelSize();
    auto layout = [&](int pixels, double& labelW, double& top, double& legend) {
        f.setPixelSize(pixels);
        labelW = std::max(64.0, QFontMetricsF(f).horizontalAdvance(QStringLiteral("Sep 2026")) + 8);
        top = std::max(16.0, pixels + 4.0);
        legend = std::max(26.0, pixels * 2.0);
        return std::min((area.width() - labelW) / 31.0, (area.height() - top - legend) / 12.0);
    };
    double labelW = 0, top = 0, legend = 0;
    double cell = layout(readable, labelW, top, legend);
    if (int(cell * 0.55) > readable) cell = layout(int(cell * 0.55), labelW, top, legend);
    p.setFont(f);
    p.setPen(ink);
    for (int d = 1; d <= 31; d += (d == 1 ? 4 : 5))
        p.drawText(QRectF(area.left() + labelW + (d - 1) * cell, area.top(), cell * 2, top),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::number(d));
    for (int m = 0; m < 12; ++m) {
        const QDate first = QDate(firstYear, firstMonth, 1).addMonths(m);
        const double y = area.top() + top + m * cell;
        p.setPen(ink);
        p.drawText(QRectF(area.left(), y, labelW - 4, cell), Qt::AlignLeft | Qt::AlignVCenter,
                   first.toString("MMM yyyy"));
        for (int d = 1; d <= first.daysInMonth(); ++d) {
            const QRectF sq(area.left() + labelW + (d - 1) * cell + 1, y + 1, cell - 2, cell - 2);
            const auto it = days.find(HealthData::dayNumber(first.year(), first.month(), d));
            if (it == days.end()) {
                p.fillRect(sq, empty);
                continue;
            }
            const Rgb c = PainHeat::colour(std::max(0.02, badness(value, it->second)));
            p.fillRect(sq, QColor(c.r, c.g, c.b));
        }
    }
    // Legend: best to worst.
    const double ly = area.top() + top + 12 * cell + 8;
    p.setPen(ink);
    p.drawText(
        QPointF(area.left(), ly + cell * 0.8),
        QString("%1: best %2").arg(QString::fromStdString(value.measure.name)).arg(value.best));
    const double lx = area.left() + labelW + 6 * cell;
    for (int i = 0; i <= 5; ++i) {
        const Rgb c = PainHeat::colour(std::max(0.02, i / 5.0));
        p.fillRect(QRectF(lx + i * cell, ly, cell - 2, cell - 2), QColor(c.r, c.g, c.b));
    }
    p.drawText(QPointF(lx + 6 * cell + 4, ly + cell * 0.8),
               QString("worst %1; grey: no value").arg(value.worst));
}

} // namespace tavrin::health
