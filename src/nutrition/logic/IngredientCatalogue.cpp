#include "IngredientCatalogue.h"

#include "NutritionNumbers.h"
#include "storage/TN.h"

namespace tavrin::nutrition {
namespace {

// Name, then protein, carbohydrate and fat per 100 g, as text.
struct DefaultIngredient {
    const char* name;
    const char* protein;
    const char* carbohydrate;
    const char* fat;
};

constexpr DefaultIngredient kDefaultTable[IngredientCatalogue::kDefaults] = {
    {"Apricot (raw)", "0.9", "7.2", "0.1"},
    {"Pineapple (raw)", "0.4", "10.1", "0.2"},
    {"Orange (raw)", "1.1", "8.5", "0.1"},
    {"Artichoke (raw)", "2.8", "2.7", "0.2"},
    {"Artichoke (cooked)", "1.2", "1.2", "0.1"},
    {"Peanuts (raw)", "25.6", "12.5", "46.1"},
    {"Peanuts (roasted)", "25.5", "10.3", "49.8"},
    {"Peanuts (roasted salted)", "24.5", "7.1", "53"},
    {"Banana (raw)", "1.2", "23.2", "0.3"},
    {"Lamb (leg roasted)", "26.1", "0", "17.9"},
    {"Lamb (neck roasted)", "25.6", "0", "21.1"},
    {"Lamb (shoulder roasted)", "19.9", "0", "26.3"},
    {"Lamb (breast roasted)", "19.1", "0", "37.1"},
    {"Sweet potato (raw)", "1.5", "28.2", "0.3"},
    {"Sweet potato (cooked)", "1.7", "33", "0.3"},
    {"Bacon (fried crispy)", "2", "17.7", "7.4"},
    {"Peas (raw)", "3.6", "4.2", "0.2"},
    {"Peas (cooked)", "3.2", "3.3", "0.1"},
    {"Peas (fried)", "3.6", "4.2", "0.2"},
    {"Soya beans (cooked)", "14", "5.1", "7.3"},
    {"Hamburger buns", "9.1", "48.8", "5"},
    {"Vermouth (dry)", "0.1", "5.5", "0"},
    {"Vermouth (sweet)", "0.1", "15.9", "0"},
    {"White wine (dry)", "0.1", "0.6", "0"},
    {"White wine (semi-dry)", "0.1", "3.4", "0"},
    {"White wine (sparkling)", "0.2", "5.9", "0"},
    {"White wine (sweet)", "0.2", "5.9", "0"},
    {"Tonic", "0", "5.1", "0"},
    {"Beef (breast roasted)", "27.6", "0", "23.9"},
    {"Grapefruit (raw)", "0.8", "6.8", "0.1"},
    {"Chinese mushrooms (dried)", "10", "59.9", "1.8"},
    {"Mushrooms (raw)", "1.8", "0.4", "0.5"},
    {"Mushrooms (cooked)", "1.8", "0.4", "0.3"},
    {"Pear (raw)", "0.3", "10", "0.1"},
    {"Melon (raw)", "0.5", "5.6", "0.1"},
    {"Watermelon (raw)", "0.5", "7.1", "0.3"},
    {"Zuccini (raw)", "1.8", "1.8", "0.4"},
    {"Zuccini (cooked)", "2", "2", "0.4"},
    {"Zuccini (fried)", "2.6", "2.6", "4.8"},
    {"Cabbage (raw)", "1.7", "4.1", "0.4"},
    {"Cabbage (cooked)", "1", "2.2", "0.4"},
    {"Lettuce (raw)", "3.4", "1.4", "1.6"},
    {"Lettuce (cooked)", "2.4", "1", "1.1"},
    {"Cauliflower (raw)", "3.6", "3", "0.9"},
    {"Cauliflower (cooked)", "2.9", "2.1", "0.9"},
    {"Potato (cooked)", "1.5", "17.8", "0.3"},
    {"Crab meat (cooked)", "20.1", "0", "5.2"},
    {"Prawns (cooked)", "22.6", "0", "1.8"},
    {"Corn cob (raw)", "2", "9.9", "1"},
    {"Corn cob (cooked)", "2.5", "11.6", "1.3"},
    {"Lemon (raw)", "1", "3.2", "0.3"},
    {"Onion (raw)", "1.2", "7.9", "0.2"},
    {"Onion (cooked)", "0.6", "3.7", "0.1"},
    {"Raspberry (raw)", "0.9", "0.8", "0.1"},
    {"Mango (raw)", "0.7", "14.1", "0.2"},
    {"Honey (raw)", "0.6", "74.4", "4.6"},
    {"Mussels (cooked)", "17.2", "0.1", "2"},
    {"Carrot (raw)", "0.7", "6", "0.5"},
    {"Carrot (cooked)", "0.6", "4.4", "0.4"},
    {"Coconut (dried)", "5.6", "6.4", "62"},
    {"Peach (raw)", "1", "7.6", "0.1"},
    {"Paprika (green raw)", "0.8", "2.6", "0.3"},
    {"Paprika (green cooked)", "1", "2.6", "0.5"},
    {"Paprika (red raw)", "1", "6.4", "0.4"},
    {"Paprika (red cooked)", "1.1", "7", "0.4"},
    {"Paprika (yellow raw)", "1.2", "5.3", "0.2"},
    {"Liver (lamb fried)", "22.9", "3.9", "14"},
    {"Liver (ox stewed)", "24.8", "3.6", "9.5"},
    {"Liver (chicken fried)", "20.7", "3.4", "10.9"},
    {"Liver (pig stewed)", "25.6", "3.6", "8.1"},
    {"Liver (calf fried)", "26.9", "7.3", "13.2"},
    {"Beer (root)", "0", "7.4", "0.1"},
    {"Beer (dark canned)", "0.3", "2.3", "0.1"},
    {"Beer (dark on tap)", "0.3", "2.3", "0.1"},
    {"Beer (light on tap)", "0.2", "1.6", "0.1"},
    {"Beer (light bottled)", "0.3", "2", "0.1"},
    {"Kidney (lamb fried)", "24.6", "0", "6.3"},
    {"Kidney (ox stewed)", "25.6", "0", "7.7"},
    {"Kidney (pig stewed)", "24.4", "0", "6.1"},
    {"Sugar", "0.5", "97.2", "0"},
    {"Beet (raw)", "1.7", "7.6", "0.1"},
    {"Beet (cooked)", "2.3", "9.5", "0.1"},
    {"Celery (raw)", "1.2", "2.3", "0.4"},
    {"Celery (cooked)", "0.9", "1.9", "0.5"},
    {"Herring (raw)", "16.8", "0", "18.5"},
    {"Herring (fried)", "23.1", "1.5", "15.1"},
    {"Herring (grilled)", "20.4", "0", "13"},
    {"Heart (ox stewed)", "31.4", "0", "5.9"},
    {"Heart (lamb fried)", "26.1", "0", "14.7"},
    {"Cider (sweet)", "0.1", "4.3", "0"},
    {"Cider (dry)", "0.1", "2.6", "0"},
    {"Cider (matured)", "0.1", "7.3", "0"},
    {"Plum (raw)", "0.5", "8.6", "0.1"},
    {"Tomato (raw)", "0.7", "3.1", "0.3"},
    {"Snail (cooked)", "2.9", "0.1", "0.3"},
    {"Apple (raw)", "0.3", "8.9", "0.1"},
    {"Egg (chicken raw)", "12.5", "0.1", "10.8"},
    {"Egg (chicken cooked)", "12.5", "0.1", "10.8"},
    {"Egg (chicken fried)", "13.6", "0.1", "13.9"},
    {"Egg (duck raw)", "14.3", "0.1", "11.8"},
};

float number(const char* text) {
    return float(NutritionNumbers::leading(text));
}

} // namespace

IngredientRecord IngredientCatalogue::makeRecord(std::string_view name, float fat,
                                                 float carbohydrate, float protein, float kcal) {
    IngredientRecord r;
    r.setName(name);
    r.setFat(fat);
    r.setCarbohydrate(carbohydrate);
    r.setProtein(protein);
    r.setKcal(kcal);
    return r;
}

std::vector<IngredientRecord> IngredientCatalogue::defaults() {
    std::vector<IngredientRecord> out;
    out.reserve(kDefaults);
    for (const DefaultIngredient& d : kDefaultTable) {
        const float p = number(d.protein), c = number(d.carbohydrate), f = number(d.fat);
        out.push_back(makeRecord(d.name, f, c, p, NutritionNumbers::kcal(f, c, p)));
    }
    return out;
}

bool IngredientCatalogue::add(TN& tn, const IngredientRecord& r) {
    tn.ingredients.record = r;
    return tn.ingredients.AddSorted();
}

bool IngredientCatalogue::addAll(TN& tn, const std::vector<IngredientRecord>& records) {
    return tn.ingredients.AddAll(records);
}

bool IngredientCatalogue::remove(TN& tn, int position) {
    return tn.ingredients.Delete(position);
}

} // namespace tavrin::nutrition
