#pragma once
// Planner items and contacts as `add-planner` and `add-contact` read them: the objects that
// `export` writes under "planner" and "contacts", checked field by field before anything is
// written. Texts are UTF-8 in JSON and Windows-1252 in the diary.

#include "formats/EntryJson.h"
#include "organiser/logic/AddressBook.h"
#include "storage/PlannerRecord.h"

#include <string>
#include <vector>

namespace tavrin::cli {

using formats::Json;

class OrganiserJson {
public:
    // One object gives one item, or with "days" one item for each of that many days.
    static bool toPlanner(const Json& j, std::vector<PlannerRecord>& out, std::string& error);
    static bool toContact(const Json& j, organiser::AddressBook::Contact& out, std::string& error);
};

} // namespace tavrin::cli
