#include "cli/NutritionJson.h"

#include "nutrition/logic/IngredientCatalogue.h"
#include "nutrition/logic/NutritionNumbers.h"
#include "nutrition/logic/RecipeBook.h"
#include "storage/Cp1252.h"

#include <algorithm>
#include <cstdint>
#include <set>

namespace tavrin::cli {
namespace {

using nutrition::IngredientCatalogue;
using nutrition::NutritionNumbers;
using nutrition::RecipeBook;

bool onlyKeys(const Json& j, const std::set<std::string>& keys, const char* what,
              std::string& error) {
    if (!j.is_object()) {
        error = std::string("a") +
                (std::string("aeiou").find(what[0]) != std::string::npos ? "n " : " ") + what +
                " is a JSON object";
        return false;
    }
    for (auto it = j.begin(); it != j.end(); ++it)
        if (!keys.count(it.key())) {
            error = "unknown field \"" + it.key() + "\"";
            return false;
        }
    return true;
}

// A text of at most `limit` Windows-1252 bytes; absent is empty.
bool text(const Json& j, const char* key, std::size_t limit, std::string& out, std::string& error) {
    out.clear();
    if (!j.contains(key)) return true;
    if (!j[key].is_string()) {
        error = "\"" + std::string(key) + "\" is a text";
        return false;
    }
    out = cp1252::fromUtf8(j[key].get<std::string>());
    if (out.size() > limit) {
        error =
            "\"" + std::string(key) + "\" is longer than " + std::to_string(limit) + " characters";
        return false;
    }
    return true;
}

// Line breaks as the several-line inputs store them: carriage return and line feed.
std::string crlf(const std::string& s) {
    std::string out;
    for (std::size_t k = 0; k < s.size(); ++k) {
        if (s[k] == '\n' && (k == 0 || s[k - 1] != '\r')) out += '\r';
        out += s[k];
    }
    return out;
}

// Grams or a value per 100 g, within the limits the nutrition pages keep; absent is `fallback`.
bool amount(const Json& j, const char* key, float fallback, float& out, std::string& error) {
    out = fallback;
    if (!j.contains(key)) return true;
    if (!j[key].is_number()) {
        error = "\"" + std::string(key) + "\" is a number";
        return false;
    }
    const double v = j[key].get<double>();
    if (!NutritionNumbers::isAmount(v)) {
        error = "\"" + std::string(key) + "\" is a number from 0 to " +
                std::to_string(std::int64_t(NutritionNumbers::kMaxAmount));
        return false;
    }
    out = float(v);
    return true;
}

bool named(const Json& j, std::string& name, std::string& error) {
    if (!j.contains("name") || !j["name"].is_string()) {
        error = "\"name\" is a text and cannot be missing";
        return false;
    }
    return text(j, "name", IngredientCatalogue::kMaxName, name, error);
}

} // namespace

bool NutritionJson::toIngredient(const Json& j, IngredientRecord& out, std::string& error) {
    if (!onlyKeys(j, {"name", "fat", "carbohydrate", "protein", "kcal"}, "ingredient", error))
        return false;
    std::string name;
    float fat, carbohydrate, protein, kcal;
    if (!named(j, name, error) || !amount(j, "fat", 0, fat, error) ||
        !amount(j, "carbohydrate", 0, carbohydrate, error) ||
        !amount(j, "protein", 0, protein, error) ||
        !amount(j, "kcal", NutritionNumbers::kcal(fat, carbohydrate, protein), kcal, error))
        return false;
    out = IngredientCatalogue::makeRecord(name, fat, carbohydrate, protein, kcal);
    return true;
}

bool NutritionJson::toRecipe(const Json& j, const std::vector<IngredientRecord>& catalogue,
                             RecipeRecord& out, std::string& error) {
    if (!onlyKeys(j, {"name", "description", "method", "ingredients"}, "recipe", error))
        return false;
    std::string name, description, method;
    if (!named(j, name, error)) return false;
    if (name.empty()) {
        error = "a recipe needs a name";
        return false;
    }
    if (!text(j, "description", RecipeBook::kMaxDescription, description, error) ||
        !text(j, "method", RecipeBook::kMaxMethod, method, error))
        return false;
    description = crlf(description);
    method = crlf(method);
    if (description.size() > RecipeBook::kMaxDescription ||
        method.size() > RecipeBook::kMaxMethod) {
        error = "a text is too long once its line breaks are stored";
        return false;
    }
    std::vector<IngredientLineRecord> lines;
    if (j.contains("ingredients")) {
        const Json& list = j["ingredients"];
        if (!list.is_array()) {
            error = "\"ingredients\" is a list";
            return false;
        }
        if (list.size() > std::size_t(RecipeBook::kMaxLines)) {
            error = "a recipe holds at most 30 ingredients";
            return false;
        }
        for (const Json& item : list) {
            std::string wanted;
            float grams;
            if (!onlyKeys(item, {"name", "grams"}, "ingredient", error) ||
                !named(item, wanted, error) || !amount(item, "grams", 0, grams, error))
                return false;
            const auto found =
                std::find_if(catalogue.begin(), catalogue.end(),
                             [&](const IngredientRecord& r) { return r.name() == wanted; });
            if (found == catalogue.end()) {
                error = "no ingredient \"" + cp1252::toUtf8(wanted) + "\" in the catalogue";
                return false;
            }
            lines.push_back(RecipeBook::scale(*found, grams));
        }
    }
    out = RecipeBook::makeRecipe(name, description, method, lines);
    return true;
}

bool NutritionJson::toEaten(const Json& j, std::string& name, float& grams, std::string& error) {
    return onlyKeys(j, {"name", "grams"}, "eaten item", error) && named(j, name, error) &&
           amount(j, "grams", 0, grams, error);
}

} // namespace tavrin::cli
