#include "cli/OrganiserJson.h"

#include "organiser/logic/PlannerItems.h"
#include "storage/Cp1252.h"
#include "storage/LocalTime.h"

#include <algorithm>

namespace tavrin::cli {
namespace {
using organiser::AddressBook;
using organiser::PlannerItems;

// Names a key that the object may not carry.
bool onlyKnownKeys(const Json& j, std::initializer_list<const char*> known, std::string& error) {
    for (auto it = j.begin(); it != j.end(); ++it) {
        if (std::none_of(known.begin(), known.end(),
                         [&](const char* k) { return it.key() == k; })) {
            error = "unknown field \"" + it.key() + "\"";
            return false;
        }
    }
    return true;
}

bool text(const Json& j, const char* key, std::string& out, std::string& error) {
    out.clear();
    if (!j.contains(key)) return true;
    if (!j[key].is_string()) {
        error = "\"" + std::string(key) + "\" is a text";
        return false;
    }
    out = cp1252::fromUtf8(j[key].get<std::string>());
    return true;
}
} // namespace

bool OrganiserJson::toPlanner(const Json& j, std::vector<PlannerRecord>& out, std::string& error) {
    out.clear();
    if (!j.is_object()) {
        error = "a planner item is a JSON object";
        return false;
    }
    if (!onlyKnownKeys(j, {"date", "dateSeconds", "days", "description", "priority", "done"},
                       error))
        return false;

    // The day: from the seconds when present (as `export` writes them), else from the date text.
    std::int64_t when = 0;
    if (j.contains("dateSeconds")) {
        if (!j["dateSeconds"].is_number_integer()) {
            error = "\"dateSeconds\" is a whole number";
            return false;
        }
        when = j["dateSeconds"].get<std::int64_t>();
    } else if (!j.contains("date") || !j["date"].is_string() ||
               !LocalTime::parseIso(j["date"].get<std::string>(), when)) {
        error = "\"date\" is a local date, \"2026-12-07\"";
        return false;
    }

    int days = 1;
    if (j.contains("days")) {
        if (!j["days"].is_number_integer() || j["days"].get<long long>() < 1 ||
            j["days"].get<long long>() > PlannerItems::kMaxDays) {
            error =
                "\"days\" is a whole number from 1 to " + std::to_string(PlannerItems::kMaxDays);
            return false;
        }
        days = j["days"].get<int>();
    }

    int priority = PlannerItems::kNormal;
    if (j.contains("priority")) {
        const Json& p = j["priority"];
        if (p == "Normal" || p == 0)
            priority = PlannerItems::kNormal;
        else if (p == "Important" || p == 1)
            priority = PlannerItems::kImportant;
        else {
            error = "\"priority\" is \"Normal\" or \"Important\" (or 0 or 1)";
            return false;
        }
    }

    bool done = false;
    if (j.contains("done")) {
        const Json& d = j["done"];
        if (d.is_boolean())
            done = d.get<bool>();
        else if (d.is_number_integer() && d.get<long long>() >= 0 && d.get<long long>() <= 255)
            done = d.get<long long>() != 0;
        else {
            error = "\"done\" is true or false (or a number from 0 to 255)";
            return false;
        }
    }

    std::string description;
    if (!text(j, "description", description, error)) return false;
    if (std::string why = PlannerItems::check(description, priority); !why.empty()) {
        error = why;
        return false;
    }
    out = PlannerItems::forDays(PlannerItems::dayOf(when), days, description,
                                std::uint8_t(priority), done);
    for (const PlannerRecord& r : out)
        if (r.date() == -1) {
            error = "the date cannot be stored";
            return false;
        }
    return true;
}

bool OrganiserJson::toContact(const Json& j, AddressBook::Contact& out, std::string& error) {
    out = {};
    if (!j.is_object()) {
        error = "a contact is a JSON object";
        return false;
    }
    for (auto it = j.begin(); it != j.end(); ++it) {
        const auto& fields = AddressBook::fields();
        if (std::none_of(fields.begin(), fields.end(),
                         [&](const auto& f) { return it.key() == f.key; })) {
            error = "unknown field \"" + it.key() + "\"";
            return false;
        }
    }
    for (int i = 0; i < AddressBook::kFields; ++i)
        if (!text(j, AddressBook::fields()[std::size_t(i)].key, out[std::size_t(i)], error))
            return false;
    // Line breaks are stored as carriage return and line feed, as the window stores them.
    for (auto i : {AddressBook::Address, AddressBook::Misc}) {
        std::string& s = out[std::size_t(i)];
        std::string crlf;
        for (std::size_t k = 0; k < s.size(); ++k) {
            if (s[k] == '\n' && (k == 0 || s[k - 1] != '\r')) crlf += '\r';
            crlf += s[k];
        }
        s = crlf;
    }
    error = AddressBook::check(out);
    return error.empty();
}

} // namespace tavrin::cli
