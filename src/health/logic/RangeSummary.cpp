#include "health/logic/RangeSummary.h"

#include "health/logic/DayValues.h"
#include "storage/Cp1252.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace tavrin::health {
namespace {

using Scale = DiaryConfig::Scale;

SummaryRow row(const std::vector<HealthEntry>& entries, const Measure& m, bool highIsWorst) {
    SummaryRow r;
    r.name = m.name;
    const DaySeries days = DayValues::series(entries, m);
    r.days = int(days.size());
    if (days.empty()) return r;
    double sum = 0;
    for (const auto& [day, v] : days)
        sum += v;
    r.mean = sum / double(days.size());
    bool first = true;
    for (const HealthEntry& e : entries)
        if (auto v = m.value(e)) {
            if (first || (highIsWorst ? *v > r.worst : *v < r.worst)) r.worst = *v;
            first = false;
        }
    return r;
}

} // namespace

std::string RangeSummary::oneDecimal(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return std::string(buf) == "-0.0" ? "0.0" : buf;
}

std::string SummaryRow::meanText() const {
    return RangeSummary::oneDecimal(mean);
}

std::string SummaryRow::worstShown() const {
    // A rating's worst is one the user chose: a whole number, shown as chosen.
    if (worstText.empty())
        return worst == std::floor(worst) ? std::to_string(int(worst))
                                          : RangeSummary::oneDecimal(worst);
    return std::to_string(int(worst)) + " (" + worstText + ")";
}

RangeSummary RangeSummary::of(const std::vector<HealthEntry>& entries, const DiaryConfig& c) {
    RangeSummary s;
    s.entries = int(entries.size());
    std::set<int> days;
    for (const HealthEntry& e : entries)
        days.insert(e.day);
    s.days = int(days.size());
    for (const auto& f : EntryRecord::fibroFields()) {
        SummaryRow r =
            row(entries, DayValues::rating(f.field, HealthData::ratingName(f.field), {}), true);
        if (r.days > 0) s.ratings.push_back(r);
    }
    // The scales: mood -3..3, dream -2..2, fatigue -2..0, shape -3..0, spins -3..3. Level names
    // sit at value + 3, + 2, + 2, + 3 and + 3.
    auto scale = [&](const std::string& name, auto read, int offset, auto levelName) {
        Measure m{name, name, [read](const HealthEntry& e) -> std::optional<double> {
                      return double(read(e.record));
                  }};
        SummaryRow r = row(entries, m, false);
        if (r.days == 0) return;
        r.worstText = cp1252::toUtf8(levelName(int(r.worst) + offset));
        s.scales.push_back(r);
    };
    if (c.moodEnabled())
        scale(
            "Mood", [](const EntryRecord& r) { return r.mood(); }, 3,
            [&](int i) { return c.moodName(std::clamp(i, 0, DiaryConfig::kMoods - 1)); });
    const struct {
        Scale s;
        int offset;
    } named[] = {{Scale::Dream, 2}, {Scale::Fatigue, 2}, {Scale::Shape, 3}};
    for (const auto& n : named)
        if (c.scaleEnabled(n.s))
            scale(
                cp1252::toUtf8(c.scaleName(n.s)),
                [sc = n.s](const EntryRecord& r) {
                    return sc == Scale::Dream     ? r.dream()
                           : sc == Scale::Fatigue ? r.fatigue()
                                                  : r.shape();
                },
                n.offset,
                [&, sc = n.s](int i) {
                    return c.scaleLevel(sc, std::clamp(i, 0, DiaryConfig::scaleLevels(sc) - 1));
                });
    for (int k = 0; k < DiaryConfig::kSpins; ++k)
        if (c.spinEnabled(k))
            scale(
                cp1252::toUtf8(c.spinName(k)), [k](const EntryRecord& r) { return r.spin(k); }, 3,
                [&, k](int i) {
                    return c.spinValue(k, std::clamp(i, 0, DiaryConfig::kSpinValues - 1));
                });
    return s;
}

} // namespace tavrin::health
