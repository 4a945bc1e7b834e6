#pragma once
// The pain-map heat map of a range: for each of the eighteen areas, on how many of the range's
// days it hurt, its colour from that share, the pain kinds counted, and how strong the overall
// pain was on those days.

#include "health/logic/HealthData.h"

#include <array>
#include <string>

namespace tavrin::health {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct AreaHeat {
    int hurtDays = 0;
    std::array<int, 7> kinds{}; // entries per pain kind 1 to 6 (index 0 unused)
    double strength = 0;        // mean 1-10 pain rating on the days it hurt; 0 when unrated
    int mostKind() const;       // the kind counted most often, 0 when none
};

struct PainHeat {
    static constexpr int kAreas = EntryRecord::kPainAreas;
    int days = 0; // days with an entry in the range
    std::array<AreaHeat, kAreas> areas{};

    static PainHeat of(const std::vector<HealthEntry>& entries);
    double share(int area) const {
        return days ? double(areas[std::size_t(area)].hurtDays) / days : 0;
    }
    // Pale yellow for a rare ache through orange to dark red for every day; share 0 has no colour.
    static Rgb colour(double share);
    static constexpr double kLegend[] = {0.1, 0.25, 0.5, 0.75, 1.0};
    static std::string areaName(int area); // "Left occiput" ...
};

} // namespace tavrin::health
