#pragma once
// The address book as the contacts page and tavrin-cli see it: the ten fields of a contact with
// their input limits, the table kept in name order without regard to letter case, the web
// address that the browser is given, and the text of a printed contact card.
// Texts here are Windows-1252 bytes, as stored.

#include "storage/ContactRecord.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {
class TN;
}

namespace tavrin::organiser {

class AddressBook {
public:
    enum Field { Name, Company, Address, HomePhone, WorkPhone, MobilePhone, Fax, Email, Web, Misc };
    static constexpr int kFields = 10;

    struct FieldInfo {
        const char* key;    // the name in JSON, as `tavrin-cli export` writes it
        const char* column; // the list column
        int limit;          // characters the input takes
        int width;          // default column width
        bool multiline;
    };
    static const std::array<FieldInfo, kFields>& fields();

    using Contact = std::array<std::string, kFields>;

    static Contact fromRecord(const ContactRecord& r);
    static ContactRecord toRecord(const Contact& c);

    // Empty when every field keeps within its limit; otherwise what is wrong, naming the field.
    static std::string check(const Contact& c);

    // Adds the contacts and keeps the table in name order, in one write: all of them or none.
    static bool add(TN& tn, const std::vector<Contact>& contacts);

    // What the browser is asked to open for a web address: unchanged when it begins with a
    // scheme ("https:", "ftp:", "mailto:"), otherwise with "http://" in front.
    static std::string webTarget(std::string_view address);
    // What the mail program is asked to open for an e-mail address.
    static std::string mailTarget(std::string_view address);

    // A contact as one printed card; every line ends with a line feed.
    static std::string cardText(const Contact& c);
};

} // namespace tavrin::organiser
