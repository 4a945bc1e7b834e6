#pragma once
#include "storage/IngredientLineRecord.h"
#include "storage/Record.h"
#include "storage/TableTraits.h"

#include <algorithm>
#include <span>

namespace tavrin {

// Cookbook recipes table (file letter k), 3760 bytes.
class RecipeRecord : public Record<3760> {
public:
    static constexpr char kFileLetter = 'k';
    static constexpr const char* kTrace = "next(cooking): cooking_index";
    static constexpr DeleteStyle kDelete = DeleteStyle::Rewrite;
    static constexpr SortStyle kSort = SortStyle::ByName;
    static constexpr bool kHasReplace = false;
    static constexpr int kMaxLines = 30;

    static constexpr FieldSpec kName{"name", 0, 30, FieldType::Text};
    static constexpr FieldSpec kDescription{"description", 30, 100, FieldType::Text};
    static constexpr FieldSpec kLineCount{"lineCount", 132, 4, FieldType::I32};
    static constexpr FieldSpec kFat{"fat", 136, 4, FieldType::F32};
    static constexpr FieldSpec kCarbohydrate{"carbohydrate", 140, 4, FieldType::F32};
    static constexpr FieldSpec kProtein{"protein", 144, 4, FieldType::F32};
    static constexpr FieldSpec kWeight{"weight", 148, 4, FieldType::F32};
    static constexpr std::uint16_t kLines = 152;
    static constexpr FieldSpec kMethod{"method", 1712, 2048, FieldType::Text};

    std::string name() const { return get(kName); }
    void setName(std::string_view s) { put(kName, s); }
    std::string description() const { return get(kDescription); }
    void setDescription(std::string_view s) { put(kDescription, s); }
    std::int32_t lineCount() const { return i32(kLineCount.offset); }
    void setLineCount(std::int32_t n) { setI32(kLineCount.offset, n); }
    // The count as far as it can be trusted: 0 to 30.
    int usableLineCount() const { return std::clamp(lineCount(), 0, kMaxLines); }
    // A count outside 0 to 30 cannot have been written by the cookbook.
    bool damaged() const { return lineCount() < 0 || lineCount() > kMaxLines; }
    float fat() const { return f32(kFat.offset); }
    void setFat(float v) { setF32(kFat.offset, v); }
    float carbohydrate() const { return f32(kCarbohydrate.offset); }
    void setCarbohydrate(float v) { setF32(kCarbohydrate.offset, v); }
    float protein() const { return f32(kProtein.offset); }
    void setProtein(float v) { setF32(kProtein.offset, v); }
    float weight() const { return f32(kWeight.offset); }
    void setWeight(float v) { setF32(kWeight.offset, v); }
    std::string method() const { return get(kMethod); }
    void setMethod(std::string_view s) { put(kMethod, s); }

    IngredientLineRecord line(int i) const {
        IngredientLineRecord l;
        std::copy_n(bytes.begin() + kLines + 52 * i, 52, l.bytes.begin());
        return l;
    }
    void setLine(int i, const IngredientLineRecord& l) {
        std::copy_n(l.bytes.begin(), 52, bytes.begin() + kLines + 52 * i);
    }
    std::string sortName() const { return name(); }

    static std::span<const FieldSpec> fields() {
        static const FieldSpec f[] = {kName,         kDescription, kLineCount, kFat,
                                      kCarbohydrate, kProtein,     kWeight,    kMethod};
        return f;
    }
};

} // namespace tavrin
