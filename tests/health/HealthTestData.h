#pragma once
// Made-up entries for the health tests: records start with every rating unrated and no pain.

#include "health/logic/HealthData.h"
#include "storage/LocalTime.h"

#include <initializer_list>
#include <utility>

namespace tavrin::health::test {

inline HealthEntry entry(int month, int day, int hour,
                         std::initializer_list<std::pair<Fibro, int>> ratings = {}) {
    HealthEntry e;
    LocalDateTime t;
    t.year = 2026;
    t.month = month;
    t.day = day;
    t.hour = hour;
    e.record.setDateTime(LocalTime::toTime(t));
    for (const auto& f : EntryRecord::fibroFields())
        e.record.setFibro(f.field, -1);
    for (const auto& [field, value] : ratings)
        e.record.setFibro(field, std::int8_t(value - 1)); // a 1-10 rating is stored 0-9
    e.day = HealthData::dayOf(e.record.dateTime());
    return e;
}

} // namespace tavrin::health::test
