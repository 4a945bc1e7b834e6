#include "formats/TextExport.h"

#include "formats/ExportFile.h"
#include "organiser/logic/ReminderSchedule.h"
#include "storage/FileSystem.h"
#include "storage/LocalTime.h"
#include "storage/Reporter.h"
#include "storage/TN.h"

#include <cstdio>
#include <vector>

namespace tavrin::formats {
using organiser::ReminderSchedule;

namespace {

constexpr const char* kTableNames[TextExport::kTables] = {"Reminders", "Planners", "Contacts"};
constexpr const char* kStatusNames[TextExport::kTables] = {"reminder", "planner", "contact"};
// English whatever the user's locale, like the reminders' occurrence texts.
constexpr const char* kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
constexpr const char* kMonthNames[12] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

template <class Rec>
bool exportTable(Table<Rec>& table, ExportFile& out, TextExport::Table which,
                 const TextExport::Progress& progress) {
    std::vector<Rec> records;
    if (!table.ReadAll(records)) return false;
    if (progress) progress(-1, int(records.size()));
    out.put(TextExport::header(which));
    for (std::size_t i = 0; i < records.size() && out.ok(); ++i) {
        if (progress) progress(int(i), int(records.size()));
        if (!records[i].isMarked()) out.put(TextExport::line(records[i]));
    }
    return true;
}

} // namespace

const char* TextExport::tableName(Table t) {
    return kTableNames[t];
}

int TextExport::tableFromName(const std::string& name) {
    for (int t = 0; t < kTables; ++t)
        if (lower(name) == lower(kTableNames[t])) return t;
    return -1;
}

std::string TextExport::header(Table t) {
    switch (t) {
    case Planners:
        return "Description|Priority|Date|Done\r\n";
    case Contacts:
        return "Name|Company|Address|Phone (home)|Phone (work)|Phone (mobile)|Fax|E-mail|WWW "
               "Site|Miscellaneous\r\n";
    default:
        return "";
    }
}

std::string TextExport::line(const ReminderRecord& r) {
    const std::string kind = ReminderSchedule::kindName(r.kind());
    if (kind.empty()) return "";
    return r.description() + "|" + kind + "|" + ReminderSchedule::occurrence(r) + "\r\n";
}

std::string TextExport::longDate(std::int64_t date) {
    const LocalDateTime d = LocalTime::fromTime(date);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s, %s %02d, %d", kDayNames[d.weekday % 7],
                  kMonthNames[(d.month + 11) % 12], d.day, d.year);
    return buf;
}

std::string TextExport::line(const PlannerRecord& r) {
    return r.description() + "|" + (r.priority() == 1 ? "Important" : "Normal") + "|" +
           longDate(r.date()) + "|" + (r.done() ? "Done" : "Not done") + "\r\n";
}

std::string TextExport::line(const ContactRecord& r) {
    return r.name() + "|" + r.company() + "|" + r.address() + "|" + r.homePhone() + "|" +
           r.workPhone() + "|" + r.mobilePhone() + "|" + r.fax() + "|" + r.email() + "|" + r.web() +
           "|" + r.misc() + "\r\n";
}

std::string TextExport::statusText(Table t, int position) {
    return std::string("Exporting ") + kStatusNames[t] + " " + std::to_string(position);
}

bool TextExport::write(TN& tn, Table t, const std::string& destination, const Progress& progress,
                       FileSystem* fs) {
    ExportFile out(fs ? *fs : FileSystem::native(), tn.reporter(), destination);
    if (!out.ok()) return false;
    bool read = false;
    switch (t) {
    case Reminders:
        read = exportTable(tn.reminders, out, t, progress);
        break;
    case Planners:
        read = exportTable(tn.planner, out, t, progress);
        break;
    case Contacts:
        read = exportTable(tn.contacts, out, t, progress);
        break;
    }
    out.put(kClosing);
    return out.finish() && read;
}

} // namespace tavrin::formats
