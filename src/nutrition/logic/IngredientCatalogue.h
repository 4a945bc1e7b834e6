#pragma once
// The ingredients catalogue: records with their values per 100 g, the table kept in name order
// without regard to letter case, and the hundred default ingredients.
// Names here are Windows-1252 bytes, as stored.

#include "storage/IngredientRecord.h"

#include <string_view>
#include <vector>

namespace tavrin {
class TN;
}

namespace tavrin::nutrition {

class IngredientCatalogue {
public:
    static constexpr int kDefaults = 100;
    static constexpr int kMaxName = 29;

    static IngredientRecord makeRecord(std::string_view name, float fat, float carbohydrate,
                                       float protein, float kcal);
    // The default ingredients in their given order, kilocalories by the rule; their values are
    // written as text and read as atof reads them.
    static std::vector<IngredientRecord> defaults();

    // Each is one rewrite of the table, which is then in name order.
    static bool add(TN& tn, const IngredientRecord& r);
    static bool addAll(TN& tn, const std::vector<IngredientRecord>& records);
    static bool addDefaults(TN& tn) { return addAll(tn, defaults()); }
    static bool remove(TN& tn, int position);
};

} // namespace tavrin::nutrition
