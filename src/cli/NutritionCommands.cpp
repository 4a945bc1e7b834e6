// tavrin-cli add-default-ingredients, add-ingredient, add-recipe and daily-calories: the
// nutrition tables written, and a day's calories summed, the way the nutrition pages do it.

#include "cli/CommandRegistry.h"
#include "cli/NutritionJson.h"
#include "cli/Session.h"
#include "cli/StreamReporter.h"
#include "nutrition/logic/DailyTally.h"
#include "nutrition/logic/IngredientCatalogue.h"
#include "nutrition/logic/RecipeBook.h"
#include "storage/Cp1252.h"
#include "storage/DiaryFileSet.h"
#include "storage/TN.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace tavrin::cli {

namespace {

using nutrition::IngredientCatalogue;
using nutrition::RecipeBook;

int addDefaultIngredients(Session& s, const Arguments& a) {
    return s.writeLocked(a.diary, [&](TN& tn) {
        if (!IngredientCatalogue::addDefaults(tn)) return kFailed;
        s.out() << "Added " << IngredientCatalogue::kDefaults
                << " default ingredients; the catalogue holds " << tn.ingredients.Count() << ".\n";
        return kOk;
    });
}

int addIngredient(Session& s, const Arguments& a) {
    std::vector<Json> objects;
    if (!s.readObjects(objects, "ingredient")) return kUsage;
    std::vector<IngredientRecord> records(objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (std::string error; !NutritionJson::toIngredient(objects[i], records[i], error)) {
            s.err() << "tavrin-cli: ingredient " << (i + 1) << ": " << error << '\n';
            return kUsage;
        }
    return s.writeLocked(a.diary, [&](TN& tn) {
        if (!IngredientCatalogue::addAll(tn, records)) return kFailed;
        s.out() << "Added " << records.size()
                << (records.size() == 1 ? " ingredient" : " ingredients")
                << "; the catalogue holds " << tn.ingredients.Count() << ".\n";
        return kOk;
    });
}

int addRecipe(Session& s, const Arguments& a) {
    std::vector<Json> objects;
    if (!s.readObjects(objects, "recipe")) return kUsage;
    // The ingredients are looked up in the catalogue under the lock, so that what is checked is
    // what the recipes are made of.
    return s.writeLocked(a.diary, [&](TN& tn) {
        std::vector<IngredientRecord> catalogue;
        if (!tn.ingredients.ReadAll(catalogue)) return kFailed;
        std::vector<RecipeRecord> recipes(objects.size());
        for (std::size_t i = 0; i < objects.size(); ++i)
            if (std::string error;
                !NutritionJson::toRecipe(objects[i], catalogue, recipes[i], error)) {
                s.err() << "tavrin-cli: recipe " << (i + 1) << ": " << error << '\n';
                return kUsage;
            }
        if (!RecipeBook::saveAll(tn, recipes)) return kFailed;
        s.out() << "Added " << recipes.size() << (recipes.size() == 1 ? " recipe" : " recipes")
                << "; the cookbook holds " << tn.recipes.Count() << ".\n";
        return kOk;
    });
}

int dailyCalories(Session& s, const Arguments& a) {
    std::vector<Json> objects;
    if (!s.readObjects(objects, "eaten item")) return kUsage;
    if (int st = s.admit(a.diary)) return st;
    StreamReporter rep(s.err());
    TN tn(0, a.diary, DiaryFileSet::extensionOffset(a.diary), &rep);
    std::vector<IngredientRecord> ingredients;
    std::vector<RecipeRecord> recipes;
    if (!tn.ingredients.ReadAll(ingredients) || !tn.recipes.ReadAll(recipes)) return kFailed;
    nutrition::DailyTally tally;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        std::string error, name;
        float grams = 0;
        if (!NutritionJson::toEaten(objects[i], name, grams, error)) {
            s.err() << "tavrin-cli: eaten item " << (i + 1) << ": " << error << '\n';
            return kUsage;
        }
        // As on the page's list: the catalogue's ingredients first, then the recipes.
        auto ing = std::find_if(ingredients.begin(), ingredients.end(),
                                [&](const IngredientRecord& r) { return r.name() == name; });
        auto rec = std::find_if(recipes.begin(), recipes.end(),
                                [&](const RecipeRecord& r) { return r.name() == name; });
        if (ing != ingredients.end())
            tally.addIngredient(*ing, grams);
        else if (rec != recipes.end())
            tally.addRecipe(*rec, grams);
        else {
            s.err() << "tavrin-cli: eaten item " << (i + 1) << ": no ingredient or recipe \""
                    << cp1252::toUtf8(name) << "\"\n";
            return kUsage;
        }
        // Damaged values (not numbers) would make every total "nan": said, and no totals.
        const float sums[] = {tally.fat(), tally.carbohydrate(), tally.protein(), tally.weight(),
                              tally.kcal()};
        if (!std::all_of(std::begin(sums), std::end(sums),
                         [](float v) { return std::isfinite(v); })) {
            s.err() << "tavrin-cli: eaten item " << (i + 1) << ": \"" << cp1252::toUtf8(name)
                    << "\" holds values that are not numbers; see tavrin-cli check\n";
            return kFailed;
        }
    }
    s.out() << tally.statusText() << '\n';
    return kOk;
}

} // namespace

std::vector<Command> nutritionCommands() {
    return {
        {"add-default-ingredients",
         {},
         {},
         "add the 100 default ingredients",
         addDefaultIngredients},
        {"add-ingredient", {}, {}, "add ingredients from JSON on standard input", addIngredient},
        {"add-recipe",
         {},
         {},
         "add recipes from JSON on standard input, made of catalogue ingredients and their grams",
         addRecipe},
        {"daily-calories",
         {},
         {},
         "the totals of the eaten ingredients and recipes given as JSON on standard input, as "
         "the daily calorie sheet shows them",
         dailyCalories},
    };
}

} // namespace tavrin::cli
