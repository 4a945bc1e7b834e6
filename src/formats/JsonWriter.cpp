#include "formats/JsonWriter.h"

#include "formats/EntryJson.h"
#include "storage/IngredientLineRecord.h"

#include <ostream>
#include <type_traits>

namespace tavrin::formats {
namespace {

template <class Rec> Json table(const std::vector<Rec>& records) {
    Json a = Json::array();
    for (const Rec& r : records) {
        Json o = EntryJson::fromRecord(r.view(), Rec::fields());
        if constexpr (std::is_same_v<Rec, RecipeRecord>) {
            Json lines = Json::array();
            for (int i = 0; i < r.usableLineCount(); ++i) {
                IngredientLineRecord l = r.line(i);
                lines.push_back(EntryJson::fromRecord(l.view(), IngredientLineRecord::fields()));
            }
            o["lines"] = lines;
        }
        a.push_back(std::move(o));
    }
    return a;
}

} // namespace

const Format JsonWriter::kFormat = {"json", "json",
                                    Entries | Configuration | Reminders | Planner | Contacts |
                                        Medication | Ingredients | Recipes};

void JsonWriter::write(std::ostream& out, const DiaryRecords& diary) const {
    Json j;
    j["diary"] = EntryJson::utf8(diary.name);
    Json entries = Json::array();
    for (const Entry& e : diary.entries) {
        Json o;
        o["position"] = e.position;
        o.update(EntryJson::fromEntry(e.record, e.body, e.types));
        entries.push_back(std::move(o));
    }
    j["entries"] = std::move(entries);
    j["reminders"] = table(diary.reminders);
    j["planner"] = table(diary.planner);
    j["contacts"] = table(diary.contacts);
    j["medication"] = table(diary.medication);
    j["ingredients"] = table(diary.ingredients);
    j["recipes"] = table(diary.recipes);
    j["configuration"] = EntryJson::fromConfig(diary.config);
    out << j.dump(2) << '\n';
}

} // namespace tavrin::formats
