#include "organiser/logic/AddressBook.h"

#include "storage/TN.h"

#include <algorithm>

namespace tavrin::organiser {
namespace {
const std::string kRule(30, '-');
} // namespace

const std::array<AddressBook::FieldInfo, AddressBook::kFields>& AddressBook::fields() {
    static const std::array<FieldInfo, kFields> f = {{
        {"name", "Name", 34, 128, false},
        {"company", "Company", 99, 128, false},
        {"address", "Address", 99, 256, true},
        {"homePhone", "Phone (home)", 19, 84, false},
        {"workPhone", "Phone (work)", 19, 84, false},
        {"mobilePhone", "Phone (mobile)", 19, 84, false},
        {"fax", "Fax", 19, 84, false},
        {"email", "e-mail", 34, 64, false},
        {"web", "WWW site", 99, 64, false},
        {"misc", "Miscellaneous", 399, 96, true},
    }};
    return f;
}

AddressBook::Contact AddressBook::fromRecord(const ContactRecord& r) {
    return {r.name(),        r.company(), r.address(), r.homePhone(), r.workPhone(),
            r.mobilePhone(), r.fax(),     r.email(),   r.web(),       r.misc()};
}

ContactRecord AddressBook::toRecord(const Contact& c) {
    ContactRecord r;
    r.clear();
    r.setName(c[Name]);
    r.setCompany(c[Company]);
    r.setAddress(c[Address]);
    r.setHomePhone(c[HomePhone]);
    r.setWorkPhone(c[WorkPhone]);
    r.setMobilePhone(c[MobilePhone]);
    r.setFax(c[Fax]);
    r.setEmail(c[Email]);
    r.setWeb(c[Web]);
    r.setMisc(c[Misc]);
    return r;
}

std::string AddressBook::check(const Contact& c) {
    for (int i = 0; i < kFields; ++i) {
        const FieldInfo& f = fields()[std::size_t(i)];
        const std::string& text = c[std::size_t(i)];
        if (text.size() > std::size_t(f.limit))
            return "\"" + std::string(f.key) + "\" holds at most " + std::to_string(f.limit) +
                   " characters";
        if (text.find('\0') != std::string::npos)
            return "\"" + std::string(f.key) + "\" holds a NUL character";
    }
    return {};
}

bool AddressBook::add(TN& tn, const std::vector<Contact>& contacts) {
    if (contacts.empty()) return true;
    std::vector<ContactRecord> recs;
    recs.reserve(contacts.size());
    for (const Contact& c : contacts)
        recs.push_back(toRecord(c));
    return tn.contacts.AddAll(recs);
}

std::string AddressBook::webTarget(std::string_view address) {
    // A scheme is a letter, then letters, digits, "+", "-" or "."; then ":". What follows a host
    // and its port ("localhost:8080") is digits up to a "/" or the end: that is no scheme.
    auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    while (i < address.size() &&
           (isAlpha(address[i]) || (i > 0 && (isDigit(address[i]) || address[i] == '+' ||
                                              address[i] == '-' || address[i] == '.'))))
        ++i;
    if (i > 0 && i < address.size() && address[i] == ':') {
        const std::string_view rest = address.substr(i + 1, address.find('/', i + 1) - i - 1);
        const bool port = !rest.empty() && std::all_of(rest.begin(), rest.end(), isDigit);
        if (!port) return std::string(address);
    }
    return "http://" + std::string(address);
}

std::string AddressBook::mailTarget(std::string_view address) {
    return "mailto:" + std::string(address);
}

std::string AddressBook::cardText(const Contact& c) {
    auto f = [&](Field which) -> const std::string& { return c[std::size_t(which)]; };
    std::string s;
    s += kRule + "\n";
    s += f(Name) + " --------\n";
    s += "Company: " + f(Company) + "   Work phone: " + f(WorkPhone) + "\n";
    s += "Address: " + f(Address) + "\n";
    s += "Home phone: " + f(HomePhone) + "   Mobile phone: " + f(MobilePhone) +
         "   Fax: " + f(Fax) + "\n";
    s += "e-mail: " + f(Email) + "   WWW: " + f(Web) + "\n";
    s += "Miscellaneous: " + f(Misc) + "\n";
    s += kRule + "\n";
    return s;
}

} // namespace tavrin::organiser
