#pragma once
// The cookbook: an ingredient scaled to the grams put into a recipe, the working list of the
// recipe being composed (the temporary ingredients table, at most thirty lines), recipes built
// from it and kept in name order without regard to letter case, their totals and their printed
// text. Texts here are Windows-1252 bytes, as stored.

#include "storage/IngredientLineRecord.h"
#include "storage/IngredientRecord.h"
#include "storage/RecipeRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavrin {
class TN;
}

namespace tavrin::nutrition {

class RecipeBook {
public:
    static constexpr int kMaxLines = RecipeRecord::kMaxLines;
    static constexpr int kMaxName = 29, kMaxDescription = 99, kMaxMethod = 2047;
    static constexpr const char* kPrintHeading = "Tavelle (tm) Suite Nutrition (Cookbook) Recipe";
    static constexpr const char* kPrintDocument = "Tavelle (tm) Suite Cookbook Recipe";

    struct Totals {
        float fat = 0, carbohydrate = 0, protein = 0, kcal = 0, weight = 0;
    };

    // `grams` of the ingredient: each value per 100 g times grams / 100, worked out in extended
    // precision and kept in single.
    static IngredientLineRecord scale(const IngredientRecord& ingredient, float grams);
    // The lines summed in order, in single precision, kilocalories from the lines.
    static Totals totals(const std::vector<IngredientLineRecord>& lines);

    // A recipe of the given lines (at most thirty are kept) with their totals.
    static RecipeRecord makeRecipe(std::string_view name, std::string_view description,
                                   std::string_view method,
                                   const std::vector<IngredientLineRecord>& lines);
    static std::vector<IngredientLineRecord> lines(const RecipeRecord& recipe);

    // ---- the working list ----
    enum class AddResult { Added, Full, Failed };
    // Appends a line unless the list already holds thirty.
    static AddResult addLine(TN& tn, const IngredientLineRecord& line);
    static bool readLines(TN& tn, std::vector<IngredientLineRecord>& out);
    static bool removeLine(TN& tn, int position);
    static bool clearLines(TN& tn);

    // Added as a new recipe, also beside one of the same name; one rewrite, name order after.
    static bool save(TN& tn, const RecipeRecord& recipe);
    static bool saveAll(TN& tn, const std::vector<RecipeRecord>& recipes);
    static bool remove(TN& tn, int position);

    // The printed text: heading, name, description, stored totals, one line per ingredient and
    // the preparation method.
    static std::string printText(const RecipeRecord& recipe);
};

} // namespace tavrin::nutrition
