#pragma once
#include "storage/Record.h"
#include "storage/TableTraits.h"

#include <span>

namespace tavrin {

// One ingredient line of a recipe: the temporary ingredients table (file letter x) holds these,
// and a recipe record embeds thirty of them. Note the order: kilocalories come fourth here.
class IngredientLineRecord : public Record<52> {
public:
    static constexpr char kFileLetter = 'x';
    static constexpr const char* kTrace = "next(ingredients_temp): ingredients_temp_index";
    static constexpr DeleteStyle kDelete = DeleteStyle::Rewrite;
    static constexpr SortStyle kSort = SortStyle::None;
    static constexpr bool kHasReplace = false;

    static constexpr FieldSpec kName{"name", 0, 32, FieldType::Text};
    static constexpr FieldSpec kFat{"fat", 32, 4, FieldType::F32};
    static constexpr FieldSpec kCarbohydrate{"carbohydrate", 36, 4, FieldType::F32};
    static constexpr FieldSpec kProtein{"protein", 40, 4, FieldType::F32};
    static constexpr FieldSpec kKcal{"kcal", 44, 4, FieldType::F32};
    static constexpr FieldSpec kWeight{"weight", 48, 4, FieldType::F32};

    std::string name() const { return get(kName); }
    void setName(std::string_view s) { put(kName, s); }
    float fat() const { return f32(kFat.offset); }
    void setFat(float v) { setF32(kFat.offset, v); }
    float carbohydrate() const { return f32(kCarbohydrate.offset); }
    void setCarbohydrate(float v) { setF32(kCarbohydrate.offset, v); }
    float protein() const { return f32(kProtein.offset); }
    void setProtein(float v) { setF32(kProtein.offset, v); }
    float kcal() const { return f32(kKcal.offset); }
    void setKcal(float v) { setF32(kKcal.offset, v); }
    float weight() const { return f32(kWeight.offset); }
    void setWeight(float v) { setF32(kWeight.offset, v); }

    static std::span<const FieldSpec> fields() {
        static const FieldSpec f[] = {kName, kFat, kCarbohydrate, kProtein, kKcal, kWeight};
        return f;
    }
};

} // namespace tavrin
