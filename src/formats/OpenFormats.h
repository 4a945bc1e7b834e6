#pragma once
// The organiser's tables in the open formats that calendar and address-book programs read:
// reminders as recurring iCalendar events, planner items as iCalendar to-dos, and contacts as
// vCard 4.0 cards. Texts go out as UTF-8; lines end with CR LF and are folded at 75 bytes.
//
// Reminders recur exactly as the due list has them: a monthly reminder on the 31st skips the
// shorter months and a yearly one on 29 February falls only in leap years (both by the
// recurrence rules' own meaning of a missing day). Yearly and monthly reminders are all-day
// events; weekly and daily ones are at their time of day in local ("floating") time, with an
// alarm at that time, since those are the ones that ring.

#include "formats/TextExport.h"
#include "storage/ContactRecord.h"
#include "storage/PlannerRecord.h"
#include "storage/ReminderRecord.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {
class TN;
class FileSystem;
} // namespace tavrin

namespace tavrin::formats {

class OpenFormats {
public:
    enum Format { RemindersCalendar, PlannersCalendar, ContactCards };
    static constexpr int kFormats = 3;

    // "Reminders (iCalendar)", "Planners (iCalendar)", "Contacts (vCard)".
    static const char* formatName(Format f);
    // "ics" or "vcf".
    static const char* extension(Format f);
    // The chooser's filter for the format's files.
    static const char* filter(Format f);

    // The whole file for the records, in table order; marked records and reminders of no known
    // kind are left out. `now` stamps the calendar entries (DTSTAMP, in UTC). The progress is
    // told as for the text export: the count, then each record's position.
    static std::string reminders(const std::vector<ReminderRecord>& records, std::int64_t now,
                                 const TextExport::Progress& progress = {});
    static std::string planners(const std::vector<PlannerRecord>& records, std::int64_t now,
                                const TextExport::Progress& progress = {});
    // Each card has a UID kept from export to export (from the name and the company), a
    // structured name N, and FN: the name, else the company, else the e-mail address.
    static std::string contacts(const std::vector<ContactRecord>& records,
                                const TextExport::Progress& progress = {});

    // A vCard text value with backslash, comma, semicolon and line breaks escaped.
    static std::string escapeText(std::string_view utf8);
    // One content line folded into lines of at most 75 bytes (never inside a UTF-8 character),
    // each ending with CR LF; continuation lines start with a space.
    static std::string foldLine(std::string_view line);

    // Reads the table of `tn` and writes it to `destination` in the format, replacing what the
    // file held. False when the table could not
    // be read or the destination written (both reported through the diary's reporter).
    static bool write(TN& tn, Format f, const std::string& destination, std::int64_t now,
                      const TextExport::Progress& progress, FileSystem* fs = nullptr);
};

} // namespace tavrin::formats
