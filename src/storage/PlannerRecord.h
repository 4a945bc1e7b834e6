#pragma once
#include "storage/Record.h"
#include "storage/TableTraits.h"

#include <span>

namespace tavrin {

// Planner table (file letter p), 60 bytes.
class PlannerRecord : public Record<60> {
public:
    static constexpr char kFileLetter = 'p';
    static constexpr const char* kTrace = "next(planner): planner_index";
    static constexpr DeleteStyle kDelete = DeleteStyle::MarkThenPurge;
    static constexpr SortStyle kSort = SortStyle::None;
    static constexpr bool kHasReplace = true;
    static constexpr std::uint8_t kDeleted = 250;

    static constexpr FieldSpec kDate{"date", 0, 8, FieldType::Time};
    static constexpr FieldSpec kDone{"done", 8, 1, FieldType::U8};
    static constexpr FieldSpec kPriority{"priority", 9, 1, FieldType::U8};
    static constexpr FieldSpec kDescription{"description", 10, 50, FieldType::Text};

    std::int64_t date() const { return i64(kDate.offset); }
    void setDate(std::int64_t v) { setI64(kDate.offset, v); }
    std::uint8_t done() const { return u8(kDone.offset); }
    void setDone(std::uint8_t v) { setU8(kDone.offset, v); }
    std::uint8_t priority() const { return u8(kPriority.offset); }
    void setPriority(std::uint8_t v) { setU8(kPriority.offset, v); }
    std::string description() const { return get(kDescription); }
    void setDescription(std::string_view s) { put(kDescription, s); }

    bool isMarked() const { return priority() == kDeleted; }
    void mark() { setPriority(kDeleted); }

    static std::span<const FieldSpec> fields() {
        static const FieldSpec f[] = {kDate, kDone, kPriority, kDescription};
        return f;
    }
};

} // namespace tavrin
