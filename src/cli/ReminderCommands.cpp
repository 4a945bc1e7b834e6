// tavrin-cli's reminder commands: "due" lists what the program's timer would find due,
// "add-reminder" adds reminders as the reminders page does. Both use the organiser's own schedule
// code.

#include "cli/CommandRegistry.h"
#include "cli/Session.h"
#include "cli/StreamReporter.h"

#include "formats/EntryJson.h"
#include "organiser/logic/ReminderSchedule.h"
#include "storage/Cp1252.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"

#include <algorithm>
#include <ctime>
#include <iostream>

namespace tavrin::cli {
namespace {

using organiser::ReminderSchedule;

constexpr int kMaxDays = ReminderSchedule::kMaxLookAhead;

bool twoDigits(const std::string& s, std::size_t at, int& v) {
    if (s[at] < '0' || s[at] > '9' || s[at + 1] < '0' || s[at + 1] > '9') return false;
    v = (s[at] - '0') * 10 + (s[at + 1] - '0');
    return true;
}

// "HH:MM", 00:00 to 23:59.
bool parseClock(const std::string& s, int& hour, int& minute) {
    return s.size() == 5 && s[2] == ':' && twoDigits(s, 0, hour) && twoDigits(s, 3, minute) &&
           hour < 24 && minute < 60;
}

bool parseDays(const std::string& s, int& days) {
    if (s.empty() || s.size() > 3) return false;
    days = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        days = days * 10 + (c - '0');
    }
    return days <= kMaxDays;
}

// A date and time of a reminder: "YYYY-MM-DD", "YYYY-MM-DDTHH:MM[:SS]", "HH:MM" (today at that
// time), or whole seconds since 1970 under `key` + "Seconds" (preferred). Absent: `fallback`.
bool timeIn(const Json& j, const std::string& key, std::int64_t today, std::int64_t fallback,
            std::int64_t& out, bool& given, std::string& error) {
    out = fallback;
    given = false;
    const std::string seconds = key + "Seconds";
    if (j.contains(seconds)) { // exact where export wrote both
        if (!j[seconds].is_number_integer()) {
            error = "\"" + seconds + "\" must be a whole number";
            return false;
        }
        out = j[seconds].get<std::int64_t>();
        given = true;
        return true;
    }
    if (!j.contains(key)) return true;
    const std::string text = j[key].is_string() ? j[key].get<std::string>() : std::string();
    int hour = 0, minute = 0;
    if (parseClock(text, hour, minute)) {
        LocalDateTime d = LocalTime::fromTime(today);
        d.hour = hour;
        d.minute = minute;
        d.second = 0;
        out = LocalTime::toTime(d);
    } else if (!LocalTime::parseIso(text, out)) {
        error = "\"" + key + "\" must be a date \"YYYY-MM-DD\", a date and time " +
                "\"YYYY-MM-DDTHH:MM\" or a time \"HH:MM\"";
        return false;
    }
    given = true;
    return true;
}

// A reminder record from one JSON object, checked in full; fields as "export" writes them,
// the kind and the day of week also by name.
bool reminderFromJson(const Json& j, std::int64_t now, ReminderRecord& r, std::string& error) {
    if (!j.is_object()) {
        error = "a reminder must be a JSON object";
        return false;
    }
    static const char* const known[] = {"kind", "description", "date",     "dateSeconds",
                                        "time", "timeSeconds", "dayOfWeek"};
    for (const auto& item : j.items()) {
        if (std::find_if(std::begin(known), std::end(known),
                         [&](const char* k) { return item.key() == k; }) == std::end(known)) {
            error = "unknown field \"" + item.key() + "\"";
            return false;
        }
    }
    int kind = -1;
    if (j.contains("kind") && j["kind"].is_string())
        kind = ReminderSchedule::kindFromName(j["kind"].get<std::string>());
    else if (j.contains("kind") && j["kind"].is_number_integer() &&
             j["kind"].get<long long>() >= 0 &&
             j["kind"].get<long long>() < ReminderSchedule::kKinds)
        kind = int(j["kind"].get<long long>());
    if (kind < 0) {
        error = "\"kind\" must be \"yearly\", \"monthly\", \"weekly\" or \"daily\" (or 0 to 3)";
        return false;
    }
    std::int64_t date = now, time = now;
    bool hasDate = false, hasTime = false;
    if (!timeIn(j, "date", now, now, date, hasDate, error) ||
        !timeIn(j, "time", now, now, time, hasTime, error))
        return false;
    const bool byDate = kind == ReminderRecord::Yearly || kind == ReminderRecord::Monthly;
    if (byDate && !hasDate) {
        error = "a " + ReminderSchedule::kindName(kind) + " reminder needs its \"date\"";
        return false;
    }
    if (!byDate && !hasTime) {
        error = "a " + ReminderSchedule::kindName(kind) + " reminder needs its \"time\"";
        return false;
    }
    int day = 0;
    if (j.contains("dayOfWeek")) {
        const Json& v = j["dayOfWeek"];
        day = v.is_string() ? ReminderSchedule::dayFromName(v.get<std::string>())
              : v.is_number_integer() && v.get<long long>() >= 0 && v.get<long long>() <= 6
                  ? int(v.get<long long>())
                  : -1;
        if (day < 0) {
            error = "\"dayOfWeek\" must be a day name or 0 (Sunday) to 6 (Saturday)";
            return false;
        }
    } else if (kind == ReminderRecord::Weekly) {
        error = "a Weekly reminder needs its \"dayOfWeek\"";
        return false;
    }
    std::string description;
    if (j.contains("description")) {
        if (!j["description"].is_string()) {
            error = "\"description\" must be a text";
            return false;
        }
        description = EntryJson::cp1252(j["description"].get<std::string>());
        if (description.find('\0') != std::string::npos) {
            error = "\"description\" must not contain NUL characters";
            return false;
        }
        if (description.size() > std::size_t(ReminderSchedule::kMaxDescription)) {
            error = "\"description\" holds at most 49 characters";
            return false;
        }
    }
    r = ReminderSchedule::makeRecord(kind, date, time, day, description, true);
    return true;
}

int due(Session& s, const Arguments& a) {
    LocalDateTime when = LocalTime::fromTime(std::int64_t(std::time(nullptr)));
    std::int64_t day = 0;
    if (a.has("--date")) {
        const std::string date = a.value("--date");
        if (date.size() != 10 || !LocalTime::parseIso(date, day)) return s.badValue("--date");
        const LocalDateTime d = LocalTime::fromTime(day);
        when.year = d.year;
        when.month = d.month;
        when.day = d.day;
    }
    if (a.has("--time") && !parseClock(a.value("--time"), when.hour, when.minute))
        return s.badValue("--time");
    int ahead = 0;
    if (a.has("--days") && !parseDays(a.value("--days"), ahead)) return s.badValue("--days");
    when.second = 0;
    const std::int64_t now = LocalTime::toTime(when);

    if (int st = s.admit(a.diary)) return st;
    StreamReporter rep(s.err());
    TN tn(0, a.diary, DiaryFileSet::extensionOffset(a.diary), &rep);
    std::vector<ReminderRecord> table;
    if (!tn.reminders.ReadAll(table)) return kFailed;
    const std::vector<int> due = ReminderSchedule::due(table, now, ahead);
    for (int p : due) {
        const ReminderRecord& r = table[std::size_t(p)];
        s.out() << cp1252::toUtf8(r.description()) << '\t' << ReminderSchedule::kindName(r.kind())
                << '\t' << cp1252::toUtf8(ReminderSchedule::occurrence(r)) << '\n';
    }
    if (a.has("--time"))
        s.out() << "alarm " << (ReminderSchedule::ringing(table, due, now).empty() ? "no" : "yes")
                << '\n';
    return kOk;
}

int addReminder(Session& s, const Arguments& a) {
    std::vector<Json> objects;
    if (!s.readObjects(objects, "reminder")) return kUsage;
    // Every reminder is checked before anything is opened.
    const std::int64_t now = std::int64_t(std::time(nullptr));
    std::vector<ReminderRecord> pending(objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        std::string error;
        if (!reminderFromJson(objects[i], now, pending[i], error)) {
            s.err() << "tavrin-cli: reminder " << (i + 1) << ": " << error << '\n';
            return kUsage;
        }
    }
    return s.writeLocked(a.diary, [&](TN& tn) {
        // All of them in one rewrite, each in its place in the table's order: should the write
        // fail, none is added and the same input can simply be run again.
        if (!tn.reminders.AddAll(pending)) {
            s.err() << "tavrin-cli: no reminder was added\n";
            return kFailed;
        }
        s.out() << "Added " << pending.size() << (pending.size() == 1 ? " reminder" : " reminders")
                << "; the diary holds " << tn.reminders.count << ".\n";
        return kOk;
    });
}

} // namespace

std::vector<Command> reminderCommands() {
    static const std::string days = "a whole number from 0 to " + std::to_string(kMaxDays);
    return {
        {"due",
         {},
         {{"--date", Option::Value, "YYYY-MM-DD", "a date YYYY-MM-DD"},
          {"--time", Option::Value, "HH:MM", "a time HH:MM"},
          {"--days", Option::Value, "N", days.c_str()}},
         "the reminders due on the date (default today) and the N days after it (default 0), "
         "one line each: description, interval and occurrence separated by tabs; with --time "
         "a last line \"alarm yes\" or \"alarm no\"",
         due},
        {"add-reminder", {}, {}, "add reminders from JSON on standard input", addReminder},
    };
}

} // namespace tavrin::cli
