#pragma once
#include "storage/Record.h"
#include "storage/TableTraits.h"

#include <span>

namespace tavrin {

// Reminders table (file letter r), 68 bytes.
class ReminderRecord : public Record<68> {
public:
    static constexpr char kFileLetter = 'r';
    static constexpr const char* kTrace = "next(reminder): reminder_index";
    static constexpr DeleteStyle kDelete = DeleteStyle::MarkThenPurge;
    static constexpr SortStyle kSort = SortStyle::Reminders;
    static constexpr bool kHasReplace = true;

    enum Kind : std::uint8_t { Yearly = 0, Monthly = 1, Weekly = 2, Daily = 3, Deleted = 250 };

    static constexpr FieldSpec kDate{"date", 0, 8, FieldType::Time};
    static constexpr FieldSpec kTime{"time", 8, 8, FieldType::Time};
    static constexpr FieldSpec kKind{"kind", 16, 1, FieldType::U8};
    static constexpr FieldSpec kDayOfWeek{"dayOfWeek", 17, 1, FieldType::U8};
    static constexpr FieldSpec kDescription{"description", 18, 50, FieldType::Text};

    std::int64_t date() const { return i64(kDate.offset); }
    void setDate(std::int64_t v) { setI64(kDate.offset, v); }
    std::int64_t time() const { return i64(kTime.offset); }
    void setTime(std::int64_t v) { setI64(kTime.offset, v); }
    std::uint8_t kind() const { return u8(kKind.offset); }
    void setKind(std::uint8_t v) { setU8(kKind.offset, v); }
    std::uint8_t dayOfWeek() const { return u8(kDayOfWeek.offset); }
    void setDayOfWeek(std::uint8_t v) { setU8(kDayOfWeek.offset, v); }
    std::string description() const { return get(kDescription); }
    void setDescription(std::string_view s) { put(kDescription, s); }

    bool isMarked() const { return kind() == Deleted; }
    void mark() { setKind(Deleted); }

    // Sort groups: daily first, then weekly, monthly, yearly; other kinds are dropped.
    bool keepOnSort() const { return kind() <= Daily; }
    static bool sortBefore(const ReminderRecord& a, const ReminderRecord& b) {
        int ga = 3 - a.kind(), gb = 3 - b.kind();
        if (ga != gb) return ga < gb;
        switch (a.kind()) {
        case Daily:
            return a.time() < b.time();
        case Weekly:
            return a.dayOfWeek() < b.dayOfWeek();
        default:
            return a.date() < b.date();
        }
    }

    static std::span<const FieldSpec> fields() {
        static const FieldSpec f[] = {kDate, kTime, kKind, kDayOfWeek, kDescription};
        return f;
    }
};

} // namespace tavrin
