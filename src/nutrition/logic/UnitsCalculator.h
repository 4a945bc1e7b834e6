#pragma once
// Kitchen measures in grams, and the maintenance calories of a desired weight.

#include <string>

namespace tavrin::nutrition {

class UnitsCalculator {
public:
    enum Unit { Teaspoon, Tablespoon, Cup, Quart, Pint, Ounce, Pound };
    static constexpr int kUnits = 7;
    enum Sex { Male, Female };
    enum Activity { Active, Sedentary };

    static const char* unitLabel(Unit u); // "Teaspoon", ...
    // The grams of `amount` units, worked out in extended precision, kept in single.
    static float grams(Unit u, float amount);
    // Factor (21, 18, 16 or 14) times the weight in kg.
    static float maintenanceCalories(float weightKg, Sex sex, Activity activity);
    // A result as the page shows it: the shortest form that gives the single value back
    // ("14.79", "473.2", "0").
    static std::string shown(float v);
};

} // namespace tavrin::nutrition
