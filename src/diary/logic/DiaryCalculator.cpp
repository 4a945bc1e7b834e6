#include "diary/logic/DiaryCalculator.h"

#include "storage/LocalTime.h"

#include <cstdio>

namespace tavrin::diary {

std::vector<DiaryCalculator::Parameter> DiaryCalculator::parameters(const DiaryConfig& config) {
    using M = DiaryConfig::Measure;
    std::vector<Parameter> out;
    for (M m : {M::Real1, M::Real2, M::Int1, M::Int2})
        if (config.measureEnabled(m)) out.push_back({m, config.measureName(m)});
    return out;
}

DiaryCalculator::Day DiaryCalculator::dayOf(std::int64_t dateTime) {
    const LocalDateTime t = LocalTime::fromTime(dateTime);
    return {t.year, t.month, t.day};
}

float DiaryCalculator::value(const EntryRecord& e, DiaryConfig::Measure m) {
    switch (m) {
    case DiaryConfig::Measure::Real1:
        return e.real1();
    case DiaryConfig::Measure::Real2:
        return e.real2();
    case DiaryConfig::Measure::Int1:
        return float(e.int1());
    case DiaryConfig::Measure::Int2:
        return float(e.int2());
    }
    return 0;
}

DiaryCalculator::Result DiaryCalculator::compute(const std::vector<EntryRecord>& entries,
                                                 DiaryConfig::Measure sum,
                                                 const DiaryConfig::Measure* divideBy, Day from,
                                                 Day to) {
    Result r;
    r.byCount = divideBy == nullptr;
    for (const EntryRecord& e : entries) {
        const Day d = dayOf(e.dateTime());
        if (d < from || to < d) continue;
        r.sum += value(e, sum);
        if (divideBy) r.divisor += value(e, *divideBy);
        ++r.count;
    }
    return r;
}

std::string DiaryCalculator::Result::text() const {
    char buf[160];
    // An empty range or a divisor summing to zero has no quotient.
    if (count == 0 || (!byCount && divisor == 0.f)) return kNoData;
    if (byCount)
        std::snprintf(buf, sizeof buf, "%0.2f / %d = %0.2f", double(sum), count,
                      double(sum / float(count)));
    else
        std::snprintf(buf, sizeof buf, "%0.2f / %0.2f = %0.2f", double(sum), double(divisor),
                      double(sum / divisor));
    return buf;
}

} // namespace tavrin::diary
