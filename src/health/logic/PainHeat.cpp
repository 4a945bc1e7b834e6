#include "health/logic/PainHeat.h"

#include "ui/SkinBodyAreas.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace tavrin::health {

int AreaHeat::mostKind() const {
    int best = 0;
    for (int k = 1; k < int(kinds.size()); ++k)
        if (kinds[std::size_t(k)] > (best ? kinds[std::size_t(best)] : 0)) best = k;
    return best;
}

std::string PainHeat::areaName(int area) {
    if (area < 0 || area >= kAreas) return {};
    return area < 10 ? SkinBodyAreas::back[std::size_t(area)].name
                     : SkinBodyAreas::front[std::size_t(area - 10)].name;
}

Rgb PainHeat::colour(double share) {
    struct Stop {
        double at;
        Rgb c;
    };
    static constexpr Stop stops[] = {
        {0.0, {255, 237, 160}}, {0.5, {240, 120, 40}}, {1.0, {160, 0, 0}}};
    share = std::clamp(share, 0.0, 1.0);
    for (std::size_t i = 1; i < std::size(stops); ++i)
        if (share <= stops[i].at) {
            const double t = (share - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
            const Rgb &a = stops[i - 1].c, &b = stops[i].c;
            return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
        }
    return stops[std::size(stops) - 1].c;
}

PainHeat PainHeat::of(const std::vector<HealthEntry>& entries) {
    PainHeat h;
    std::set<int> days;
    std::array<std::set<int>, kAreas> hurt;
    // The day's overall pain: the mean of the morning, afternoon and evening ratings given.
    std::map<int, std::pair<double, int>> pain;
    for (const HealthEntry& e : entries) {
        days.insert(e.day);
        for (int a = 0; a < kAreas; ++a) {
            const int kind = e.record.pain(a);
            if (kind < 1 || kind > 6) continue;
            hurt[std::size_t(a)].insert(e.day);
            ++h.areas[std::size_t(a)].kinds[std::size_t(kind)];
        }
        for (Fibro f : {Fibro::PainMorning, Fibro::PainAfternoon, Fibro::PainEvening})
            if (auto v = HealthData::rating(e.record, f)) {
                pain[e.day].first += *v;
                ++pain[e.day].second;
            }
    }
    h.days = int(days.size());
    for (int a = 0; a < kAreas; ++a) {
        AreaHeat& area = h.areas[std::size_t(a)];
        area.hurtDays = int(hurt[std::size_t(a)].size());
        double sum = 0;
        int rated = 0;
        for (int d : hurt[std::size_t(a)])
            if (auto it = pain.find(d); it != pain.end()) {
                sum += it->second.first / it->second.second;
                ++rated;
            }
        area.strength = rated ? sum / rated : 0;
    }
    return h;
}

} // namespace tavrin::health
