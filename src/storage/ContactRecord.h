#pragma once
#include "storage/Record.h"
#include "storage/TableTraits.h"

#include <cstring>
#include <span>

namespace tavrin {

// Contacts table (file letter a), 850 bytes.
class ContactRecord : public Record<850> {
public:
    static constexpr char kFileLetter = 'a';
    static constexpr const char* kTrace = "next(address): address_index";
    static constexpr DeleteStyle kDelete = DeleteStyle::MarkThenPurge;
    static constexpr SortStyle kSort = SortStyle::ByName;
    static constexpr bool kHasReplace = true;
    // Written with its NUL over the first 27 bytes of the name.
    static constexpr char kDeletedName[] = "TN::this should be deleted";

    static constexpr FieldSpec kName{"name", 0, 35, FieldType::Text};
    static constexpr FieldSpec kCompany{"company", 35, 100, FieldType::Text};
    static constexpr FieldSpec kAddress{"address", 135, 100, FieldType::Text};
    static constexpr FieldSpec kHomePhone{"homePhone", 235, 20, FieldType::Text};
    static constexpr FieldSpec kWorkPhone{"workPhone", 255, 20, FieldType::Text};
    static constexpr FieldSpec kMobilePhone{"mobilePhone", 275, 20, FieldType::Text};
    static constexpr FieldSpec kFax{"fax", 295, 20, FieldType::Text};
    static constexpr FieldSpec kEmail{"email", 315, 35, FieldType::Text};
    static constexpr FieldSpec kWeb{"web", 350, 100, FieldType::Text};
    static constexpr FieldSpec kMisc{"misc", 450, 400, FieldType::Text};

    std::string name() const { return get(kName); }
    void setName(std::string_view s) { put(kName, s); }
    std::string company() const { return get(kCompany); }
    void setCompany(std::string_view s) { put(kCompany, s); }
    std::string address() const { return get(kAddress); }
    void setAddress(std::string_view s) { put(kAddress, s); }
    std::string homePhone() const { return get(kHomePhone); }
    void setHomePhone(std::string_view s) { put(kHomePhone, s); }
    std::string workPhone() const { return get(kWorkPhone); }
    void setWorkPhone(std::string_view s) { put(kWorkPhone, s); }
    std::string mobilePhone() const { return get(kMobilePhone); }
    void setMobilePhone(std::string_view s) { put(kMobilePhone, s); }
    std::string fax() const { return get(kFax); }
    void setFax(std::string_view s) { put(kFax, s); }
    std::string email() const { return get(kEmail); }
    void setEmail(std::string_view s) { put(kEmail, s); }
    std::string web() const { return get(kWeb); }
    void setWeb(std::string_view s) { put(kWeb, s); }
    std::string misc() const { return get(kMisc); }
    void setMisc(std::string_view s) { put(kMisc, s); }

    bool isMarked() const {
        return std::memcmp(bytes.data(), kDeletedName, sizeof kDeletedName) == 0;
    }
    void mark() { std::memcpy(bytes.data(), kDeletedName, sizeof kDeletedName); }
    std::string sortName() const { return name(); }

    static std::span<const FieldSpec> fields() {
        static const FieldSpec f[] = {kName,        kCompany, kAddress, kHomePhone, kWorkPhone,
                                      kMobilePhone, kFax,     kEmail,   kWeb,       kMisc};
        return f;
    }
};

} // namespace tavrin
