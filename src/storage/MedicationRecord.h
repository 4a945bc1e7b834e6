#pragma once
#include "storage/Record.h"
#include "storage/TableTraits.h"

#include <span>

namespace tavrin {

// Medication table (file letter m), 108 bytes.
class MedicationRecord : public Record<108> {
public:
    static constexpr char kFileLetter = 'm';
    static constexpr const char* kTrace = "next(medication): medication_index";
    static constexpr DeleteStyle kDelete = DeleteStyle::Rewrite;
    static constexpr SortStyle kSort = SortStyle::ByName;
    static constexpr bool kHasReplace = false;

    static constexpr FieldSpec kName{"name", 0, 30, FieldType::Text};
    static constexpr FieldSpec kQuantity{"quantity", 30, 10, FieldType::Text};
    static constexpr FieldSpec kFrequency{"frequency", 40, 30, FieldType::Text};
    static constexpr FieldSpec kDoctor{"doctor", 70, 30, FieldType::Text};
    static constexpr FieldSpec kDateIssued{"dateIssued", 100, 8, FieldType::Time};

    std::string name() const { return get(kName); }
    void setName(std::string_view s) { put(kName, s); }
    std::string quantity() const { return get(kQuantity); }
    void setQuantity(std::string_view s) { put(kQuantity, s); }
    std::string frequency() const { return get(kFrequency); }
    void setFrequency(std::string_view s) { put(kFrequency, s); }
    std::string doctor() const { return get(kDoctor); }
    void setDoctor(std::string_view s) { put(kDoctor, s); }
    std::int64_t dateIssued() const { return i64(kDateIssued.offset); }
    void setDateIssued(std::int64_t v) { setI64(kDateIssued.offset, v); }
    std::string sortName() const { return name(); }

    static std::span<const FieldSpec> fields() {
        static const FieldSpec f[] = {kName, kQuantity, kFrequency, kDoctor, kDateIssued};
        return f;
    }
};

} // namespace tavrin
