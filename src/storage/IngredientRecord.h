#pragma once
#include "storage/Record.h"
#include "storage/TableTraits.h"

#include <span>

namespace tavrin {

// Ingredients table (file letter n), 48 bytes; values per 100 g.
class IngredientRecord : public Record<48> {
public:
    static constexpr char kFileLetter = 'n';
    static constexpr const char* kTrace = "next(ingredients): ingredients_index";
    static constexpr DeleteStyle kDelete = DeleteStyle::Rewrite;
    static constexpr SortStyle kSort = SortStyle::ByName;
    static constexpr bool kHasReplace = false;

    static constexpr FieldSpec kName{"name", 0, 32, FieldType::Text};
    static constexpr FieldSpec kKcal{"kcal", 32, 4, FieldType::F32};
    static constexpr FieldSpec kFat{"fat", 36, 4, FieldType::F32};
    static constexpr FieldSpec kCarbohydrate{"carbohydrate", 40, 4, FieldType::F32};
    static constexpr FieldSpec kProtein{"protein", 44, 4, FieldType::F32};
    static constexpr std::size_t kMaxName = 29;

    std::string name() const { return get(kName); }
    void setName(std::string_view s) { setText(kName.offset, kMaxName + 1, s); }
    float kcal() const { return f32(kKcal.offset); }
    void setKcal(float v) { setF32(kKcal.offset, v); }
    float fat() const { return f32(kFat.offset); }
    void setFat(float v) { setF32(kFat.offset, v); }
    float carbohydrate() const { return f32(kCarbohydrate.offset); }
    void setCarbohydrate(float v) { setF32(kCarbohydrate.offset, v); }
    float protein() const { return f32(kProtein.offset); }
    void setProtein(float v) { setF32(kProtein.offset, v); }
    std::string sortName() const { return name(); }

    static std::span<const FieldSpec> fields() {
        static const FieldSpec f[] = {kName, kKcal, kFat, kCarbohydrate, kProtein};
        return f;
    }
};

} // namespace tavrin
