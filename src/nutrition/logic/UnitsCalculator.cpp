#include "UnitsCalculator.h"

#include <cstdio>

namespace tavrin::nutrition {

const char* UnitsCalculator::unitLabel(Unit u) {
    static const char* const labels[kUnits] = {"Teaspoon", "Tablespoon", "Cup",  "Quart",
                                               "Pint",     "Ounce",      "Pound"};
    return labels[u];
}

float UnitsCalculator::grams(Unit u, float amount) {
    const long double a = amount;
    switch (u) {
    case Teaspoon:
        return float(a / 3 * 14.79L);
    case Tablespoon:
        return float(a * 14.79L);
    case Cup:
        return float(a * 236.6L);
    case Quart:
        return float(a * 946.4L);
    case Pint:
        return float(a * 946.4L / 2);
    case Ounce:
        return float(a * 28.35L);
    case Pound:
        return float(a * 453.59L);
    }
    return 0;
}

float UnitsCalculator::maintenanceCalories(float weightKg, Sex sex, Activity activity) {
    const float factor =
        activity == Active ? (sex == Male ? 21.0f : 18.0f) : (sex == Male ? 16.0f : 14.0f);
    return factor * weightKg;
}

std::string UnitsCalculator::shown(float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", double(v));
    return buf;
}

} // namespace tavrin::nutrition
