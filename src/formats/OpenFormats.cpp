#include "formats/OpenFormats.h"

#include "formats/ExportFile.h"
#include "organiser/logic/AddressBook.h"
#include "organiser/logic/PlannerItems.h"
#include "storage/Cp1252.h"
#include "storage/FileSystem.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

namespace tavrin::formats {
using organiser::AddressBook;
using organiser::CalendarDay;
using organiser::PlannerItems;

namespace {

constexpr const char* kFormatNames[OpenFormats::kFormats] = {
    "Reminders (iCalendar)", "Planners (iCalendar)", "Contacts (vCard)"};
constexpr const char* kProductId = "-//Tavelle Suite//Tavrin//EN";
constexpr const char* kUidDomain = "@tavrin.tavelle-suite";
constexpr const char* kByDay[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// The same record gives the same identifier on every export, so that a calendar program that
// reads the file again updates its entries instead of doubling them. Records that are alike
// in everything the identifier covers are told apart by their turn.
class Identifiers {
public:
    explicit Identifiers(const char* kind) : kind_(kind) {}
    std::string next(std::string_view key) {
        std::uint64_t h = 1469598103934665603ull; // FNV-1a
        for (unsigned char c : key)
            h = (h ^ c) * 1099511628211ull;
        char buf[40];
        std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
        const int turn = ++seen_[h];
        std::string id = kind_ + "-" + buf;
        if (turn > 1) id += "-" + std::to_string(turn);
        return id + kUidDomain;
    }

private:
    std::string kind_;
    std::map<std::uint64_t, int> seen_;
};

icaltimetype dayOf(const LocalDateTime& d) {
    icaltimetype t = icaltime_null_date();
    t.year = d.year;
    t.month = d.month;
    t.day = d.day;
    return t;
}

// Local ("floating") time of day on a calendar day.
icaltimetype timeOn(icaltimetype day, const LocalDateTime& at) {
    icaltimetype t = icaltime_null_time();
    t.year = day.year;
    t.month = day.month;
    t.day = day.day;
    t.hour = at.hour;
    t.minute = at.minute;
    return t;
}

icaltimetype stamp(std::int64_t now) {
    return icaltime_from_timet_with_zone(time_t(now), 0, icaltimezone_get_utc_timezone());
}

icalcomponent* newCalendar() {
    icalcomponent* cal = icalcomponent_new(ICAL_VCALENDAR_COMPONENT);
    icalcomponent_add_property(cal, icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal, icalproperty_new_prodid(kProductId));
    return cal;
}

std::string text(icalcomponent* cal) {
    char* s = icalcomponent_as_ical_string_r(cal);
    std::string out = s ? s : "";
    std::free(s);
    return out;
}

std::string recordKey(const std::uint8_t* bytes, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(bytes), n);
}

// The event of one reminder, or null for a reminder of no known kind.
icalcomponent* reminderEvent(const ReminderRecord& r, std::int64_t now, Identifiers& ids) {
    const LocalDateTime date = LocalTime::fromTime(r.date());
    const LocalDateTime at = LocalTime::fromTime(r.time());
    icaltimetype start = dayOf(date);
    std::string rule;
    bool timed = false;
    switch (r.kind()) {
    case ReminderRecord::Yearly:
        rule = "FREQ=YEARLY;BYMONTH=" + std::to_string(date.month) +
               ";BYMONTHDAY=" + std::to_string(date.day);
        break;
    case ReminderRecord::Monthly:
        rule = "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(date.day);
        break;
    case ReminderRecord::Weekly: {
        if (r.dayOfWeek() > 6) return nullptr;
        // The first such weekday on or after the stored day.
        const int ahead = (r.dayOfWeek() - date.weekday + 7) % 7;
        icaltime_adjust(&start, ahead, 0, 0, 0);
        rule = std::string("FREQ=WEEKLY;BYDAY=") + kByDay[r.dayOfWeek()];
        timed = true;
        break;
    }
    case ReminderRecord::Daily:
        rule = "FREQ=DAILY";
        timed = true;
        break;
    default:
        return nullptr;
    }

    const std::string summary = cp1252::toUtf8(r.description());
    icalcomponent* ev = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(ev, icalproperty_new_uid(ids.next(recordKey(r.data(), 68)).c_str()));
    icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp(now)));
    if (timed) {
        icalcomponent_add_property(ev, icalproperty_new_dtstart(timeOn(start, at)));
    } else {
        icalcomponent_add_property(ev, icalproperty_new_dtstart(start));
        icaltimetype end = start;
        icaltime_adjust(&end, 1, 0, 0, 0);
        icalcomponent_add_property(ev, icalproperty_new_dtend(end));
    }
    icalcomponent_add_property(
        ev, icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
    icalcomponent_add_property(ev, icalproperty_new_summary(summary.c_str()));
    if (timed) {
        icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(alarm,
                                   icalproperty_new_trigger(icaltriggertype_from_string("PT0S")));
        icalcomponent_add_property(alarm, icalproperty_new_description(summary.c_str()));
        icalcomponent_add_component(ev, alarm);
    }
    return ev;
}

icalcomponent* plannerTodo(const PlannerRecord& r, std::int64_t now, Identifiers& ids) {
    const CalendarDay day = PlannerItems::storedDay(r.date());
    icaltimetype due = icaltime_null_date();
    due.year = day.year;
    due.month = day.month;
    due.day = day.day;
    const std::string summary = cp1252::toUtf8(r.description());
    char dayKey[16];
    std::snprintf(dayKey, sizeof dayKey, "%04d%02d%02d", day.year, day.month, day.day);

    icalcomponent* todo = icalcomponent_new(ICAL_VTODO_COMPONENT);
    // Ticking an item off must not make it a different to-do.
    icalcomponent_add_property(
        todo, icalproperty_new_uid(ids.next(std::string(dayKey) + "|" + r.description()).c_str()));
    icalcomponent_add_property(todo, icalproperty_new_dtstamp(stamp(now)));
    icalcomponent_add_property(todo, icalproperty_new_due(due));
    icalcomponent_add_property(todo, icalproperty_new_summary(summary.c_str()));
    // 1 is the highest priority, 5 the middle one.
    icalcomponent_add_property(
        todo, icalproperty_new_priority(r.priority() == PlannerItems::kImportant ? 1 : 5));
    icalcomponent_add_property(
        todo, icalproperty_new_status(r.done() ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION));
    if (r.done()) icalcomponent_add_property(todo, icalproperty_new_percentcomplete(100));
    return todo;
}

void putProperty(std::string& out, std::string_view name, const std::string& value) {
    if (value.empty()) return;
    out += OpenFormats::foldLine(std::string(name) + ":" + value);
}

// A vCard's UID is a URI: the identifier made a name-based UUID (version 8, RFC 9562's own
// layout), the same for the same contact on every export.
std::string cardUid(const std::string& id) {
    auto hash = [&](std::uint64_t h) {
        for (unsigned char c : id)
            h = (h ^ c) * 1099511628211ull; // FNV-1a
        return h;
    };
    std::uint64_t hi = hash(1469598103934665603ull), lo = hash(0x6c62272e07bb0142ull);
    hi = (hi & ~0xf000ull) | 0x8000ull;                        // version 8
    lo = (lo & 0x3fffffffffffffffull) | 0x8000000000000000ull; // the RFC's variant
    char buf[48];
    std::snprintf(buf, sizeof buf, "urn:uuid:%08llx-%04llx-%04llx-%04llx-%012llx",
                  static_cast<unsigned long long>(hi >> 32),
                  static_cast<unsigned long long>((hi >> 16) & 0xffff),
                  static_cast<unsigned long long>(hi & 0xffff),
                  static_cast<unsigned long long>(lo >> 48),
                  static_cast<unsigned long long>(lo & 0xffffffffffffull));
    return buf;
}

// The name is one text: its last word is taken as the family name, the words before it as the
// given names ("Mira Hoffmann": family Hoffmann, given Mira).
std::string structuredName(std::string name) {
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    const std::size_t space = name.find_last_of(' ');
    std::string given = space == std::string::npos ? std::string() : name.substr(0, space);
    while (!given.empty() && given.back() == ' ')
        given.pop_back();
    const std::string family = space == std::string::npos ? name : name.substr(space + 1);
    return OpenFormats::escapeText(family) + ";" + OpenFormats::escapeText(given) + ";;;";
}

std::string card(const ContactRecord& r, Identifiers& ids) {
    const AddressBook::Contact c = AddressBook::fromRecord(r);
    auto field = [&](AddressBook::Field f) { return cp1252::toUtf8(c[f]); };
    auto escaped = [&](AddressBook::Field f) { return OpenFormats::escapeText(field(f)); };
    // Address books need a name to show: the company's, or the e-mail address, stands in.
    std::string shown = escaped(AddressBook::Name);
    for (AddressBook::Field f : {AddressBook::Company, AddressBook::Email})
        if (shown.empty()) shown = escaped(f);
    if (shown.empty()) shown = "-";

    std::string out = "BEGIN:VCARD\r\nVERSION:4.0\r\n";
    // Name and company: a phone number or an address changed is still the same contact.
    out += OpenFormats::foldLine(
        "UID:" + cardUid(ids.next(c[AddressBook::Name] + "|" + c[AddressBook::Company])));
    out += OpenFormats::foldLine("FN:" + shown);
    out += OpenFormats::foldLine("N:" + structuredName(field(AddressBook::Name)));
    putProperty(out, "ORG", escaped(AddressBook::Company));
    // The address is one free text: it goes whole into the street part.
    if (!c[AddressBook::Address].empty())
        putProperty(out, "ADR", ";;" + escaped(AddressBook::Address) + ";;;;");
    putProperty(out, "TEL;TYPE=home", escaped(AddressBook::HomePhone));
    putProperty(out, "TEL;TYPE=work", escaped(AddressBook::WorkPhone));
    putProperty(out, "TEL;TYPE=cell", escaped(AddressBook::MobilePhone));
    putProperty(out, "TEL;TYPE=fax", escaped(AddressBook::Fax));
    putProperty(out, "EMAIL", escaped(AddressBook::Email));
    // A web address is a URI, written unescaped; one without a scheme is taken as a web site.
    if (!c[AddressBook::Web].empty()) {
        std::string url = field(AddressBook::Web);
        if (url.find("://") == std::string::npos) url = "http://" + url;
        putProperty(out, "URL", url);
    }
    putProperty(out, "NOTE", escaped(AddressBook::Misc));
    out += "END:VCARD\r\n";
    return out;
}

// Tells the progress the record count, then each record's position before it is turned.
class Steps {
public:
    Steps(const TextExport::Progress& progress, std::size_t count)
        : progress_(progress), count_(int(count)) {
        if (progress_) progress_(-1, count_);
    }
    void next() {
        if (progress_) progress_(at_++, count_);
    }

private:
    const TextExport::Progress& progress_;
    int count_;
    int at_ = 0;
};

} // namespace

const char* OpenFormats::formatName(Format f) {
    return kFormatNames[f];
}

const char* OpenFormats::extension(Format f) {
    return f == ContactCards ? "vcf" : "ics";
}

const char* OpenFormats::filter(Format f) {
    return f == ContactCards ? "vCard files (*.vcf)|*.vcf|All files (*.*)|*.*||"
                             : "iCalendar files (*.ics)|*.ics|All files (*.*)|*.*||";
}

std::string OpenFormats::reminders(const std::vector<ReminderRecord>& records, std::int64_t now,
                                   const TextExport::Progress& progress) {
    Component cal(newCalendar());
    Identifiers ids("reminder");
    Steps steps(progress, records.size());
    for (const ReminderRecord& r : records) {
        steps.next();
        if (r.isMarked()) continue;
        if (icalcomponent* ev = reminderEvent(r, now, ids))
            icalcomponent_add_component(cal.get(), ev);
    }
    return text(cal.get());
}

std::string OpenFormats::planners(const std::vector<PlannerRecord>& records, std::int64_t now,
                                  const TextExport::Progress& progress) {
    Component cal(newCalendar());
    Identifiers ids("planner");
    Steps steps(progress, records.size());
    for (const PlannerRecord& r : records) {
        steps.next();
        if (!r.isMarked()) icalcomponent_add_component(cal.get(), plannerTodo(r, now, ids));
    }
    return text(cal.get());
}

std::string OpenFormats::contacts(const std::vector<ContactRecord>& records,
                                  const TextExport::Progress& progress) {
    std::string out;
    Identifiers ids("contact");
    Steps steps(progress, records.size());
    for (const ContactRecord& r : records) {
        steps.next();
        if (!r.isMarked()) out += card(r, ids);
    }
    return out;
}

std::string OpenFormats::escapeText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case ',':
            out += "\\,";
            break;
        case ';':
            out += "\\;";
            break;
        case '\r':
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            out += "\\n";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string OpenFormats::foldLine(std::string_view line) {
    constexpr std::size_t kWidth = 75;
    std::string out;
    std::size_t width = kWidth; // the first line has no leading space
    while (line.size() > width) {
        std::size_t cut = width;
        // Step back to the start of a UTF-8 character.
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        width = kWidth - 1;
    }
    out.append(line);
    out += "\r\n";
    return out;
}

bool OpenFormats::write(TN& tn, Format f, const std::string& destination, std::int64_t now,
                        const TextExport::Progress& progress, FileSystem* fs) {
    ExportFile out(fs ? *fs : FileSystem::native(), tn.reporter(), destination);
    if (!out.ok()) return false;
    bool read = false;
    switch (f) {
    case RemindersCalendar: {
        std::vector<ReminderRecord> records;
        if ((read = tn.reminders.ReadAll(records))) {
            out.put(reminders(records, now, progress));
        }
        break;
    }
    case PlannersCalendar: {
        std::vector<PlannerRecord> records;
        if ((read = tn.planner.ReadAll(records))) {
            out.put(planners(records, now, progress));
        }
        break;
    }
    case ContactCards: {
        std::vector<ContactRecord> records;
        if ((read = tn.contacts.ReadAll(records))) {
            out.put(contacts(records, progress));
        }
        break;
    }
    }
    return out.finish() && read;
}

} // namespace tavrin::formats
