#pragma once
// The ranges of an entry's choice and rating fields. "add" refuses what lies outside them and
// "check" reports it, so that the tool never stores what it would itself call damaged.

#include "storage/EntryRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin::formats {

struct IntRange {
    std::int64_t low, high;
    bool contains(std::int64_t v) const { return v >= low && v <= high; }
};

class EntryLimits {
public:
    static IntRange mood();
    static IntRange fatigue();
    static IntRange dream();
    static IntRange shape();
    static IntRange weather();
    static IntRange check(); // menstruation and copulation bytes
    static IntRange spin();
    static IntRange combo();
    static IntRange pain();
    static IntRange fibro(); // -1 is "not rated"
    static IntRange humidity();
    // Dates and times of the tables: the local years 0000 to 9999, all that the four-digit
    // dates of export and add can write and read back.
    static IntRange time();

    // Every ranged field of a record, named as "check" reports it.
    struct Value {
        std::string name;
        std::int64_t value;
        IntRange range;
    };
    static std::vector<Value> ranged(const EntryRecord& r);
};

} // namespace tavrin::formats
