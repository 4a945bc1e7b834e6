#include "RecipeBook.h"

#include "storage/TN.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace tavrin::nutrition {
namespace {

float scaled(float per100, float grams) {
    return float(static_cast<long double>(grams) * per100 / 100.0L);
}

// printf into a string; the attribute has the compiler check each call's format and arguments.
[[gnu::format(printf, 1, 2)]] std::string format(const char* fmt, ...) {
    std::va_list args;
    va_start(args, fmt);
    std::va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, args);
    va_end(args);
    std::string s(std::size_t(std::max(n, 0)) + 1, '\0');
    std::vsnprintf(s.data(), s.size(), fmt, again);
    va_end(again);
    s.pop_back();
    return s;
}

} // namespace

IngredientLineRecord RecipeBook::scale(const IngredientRecord& ingredient, float grams) {
    IngredientLineRecord l;
    l.setName(ingredient.name());
    l.setFat(scaled(ingredient.fat(), grams));
    l.setCarbohydrate(scaled(ingredient.carbohydrate(), grams));
    l.setProtein(scaled(ingredient.protein(), grams));
    l.setKcal(scaled(ingredient.kcal(), grams));
    l.setWeight(grams);
    return l;
}

RecipeBook::Totals RecipeBook::totals(const std::vector<IngredientLineRecord>& lines) {
    Totals t;
    for (const auto& l : lines) {
        t.fat += l.fat();
        t.carbohydrate += l.carbohydrate();
        t.protein += l.protein();
        t.kcal += l.kcal();
        t.weight += l.weight();
    }
    return t;
}

RecipeRecord RecipeBook::makeRecipe(std::string_view name, std::string_view description,
                                    std::string_view method,
                                    const std::vector<IngredientLineRecord>& lines) {
    RecipeRecord r;
    r.setName(name);
    r.setDescription(description);
    r.setMethod(method);
    const int n = std::min<int>(int(lines.size()), kMaxLines);
    const std::vector<IngredientLineRecord> kept(lines.begin(), lines.begin() + n);
    r.setLineCount(n);
    for (int i = 0; i < n; ++i)
        r.setLine(i, kept[std::size_t(i)]);
    const Totals t = totals(kept);
    r.setFat(t.fat);
    r.setCarbohydrate(t.carbohydrate);
    r.setProtein(t.protein);
    r.setWeight(t.weight);
    return r;
}

std::vector<IngredientLineRecord> RecipeBook::lines(const RecipeRecord& recipe) {
    std::vector<IngredientLineRecord> out;
    for (int i = 0; i < recipe.usableLineCount(); ++i)
        out.push_back(recipe.line(i));
    return out;
}

RecipeBook::AddResult RecipeBook::addLine(TN& tn, const IngredientLineRecord& line) {
    auto lock = tn.LockForWriting();
    if (!lock) return AddResult::Failed;
    if (tn.tempIngredients.Count() >= kMaxLines) return AddResult::Full;
    // A rewrite rather than an append: the list is the old one or the new one, never a line
    // cut short.
    return tn.tempIngredients.AddAll({line}) ? AddResult::Added : AddResult::Failed;
}

bool RecipeBook::readLines(TN& tn, std::vector<IngredientLineRecord>& out) {
    return tn.tempIngredients.ReadAll(out);
}

bool RecipeBook::removeLine(TN& tn, int position) {
    return tn.tempIngredients.Delete(position);
}

bool RecipeBook::clearLines(TN& tn) {
    return tn.tempIngredients.Clear();
}

bool RecipeBook::save(TN& tn, const RecipeRecord& recipe) {
    tn.recipes.record = recipe;
    return tn.recipes.AddSorted();
}

bool RecipeBook::saveAll(TN& tn, const std::vector<RecipeRecord>& recipes) {
    return tn.recipes.AddAll(recipes);
}

bool RecipeBook::remove(TN& tn, int position) {
    return tn.recipes.Delete(position);
}

std::string RecipeBook::printText(const RecipeRecord& recipe) {
    std::string s = format("%s\n------------------------------\n%s\n\n%s\n\nTotals (g): FAT=%0.2f "
                           "CARBOHYDRATE=%0.2f PROTEIN=%0.2f WEIGHT=%0.2f\n",
                           kPrintHeading, recipe.name().c_str(), recipe.description().c_str(),
                           double(recipe.fat()), double(recipe.carbohydrate()),
                           double(recipe.protein()), double(recipe.weight()));
    s += "\nIngredients:";
    for (const auto& l : lines(recipe))
        s += format("\n- %s: FAT=%0.2f CARBOHYDRATE=%0.2f PROTEIN=%0.2f CALORIES= %0.2f "
                    "WEIGHT=%0.2f",
                    l.name().c_str(), double(l.fat()), double(l.carbohydrate()),
                    double(l.protein()), double(l.kcal()), double(l.weight()));
    s += "\n\nRecipe:";
    s += "\n" + recipe.method();
    return s;
}

} // namespace tavrin::nutrition
