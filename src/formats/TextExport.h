#pragma once
// One organiser table of a diary written as a text file of lines with fields separated by
// vertical bars: the reminders, the planner or the contacts, each in stored order. Field texts
// go out as stored (Windows-1252), unquoted; lines end with CR LF, and every file ends with a
// closing notice whose line breaks are bare line feeds.

#include "storage/ContactRecord.h"
#include "storage/PlannerRecord.h"
#include "storage/ReminderRecord.h"

#include <functional>
#include <string>

namespace tavrin {
class TN;
class FileSystem;
} // namespace tavrin

namespace tavrin::formats {

class TextExport {
public:
    enum Table { Reminders, Planners, Contacts };
    static constexpr int kTables = 3;
    static constexpr const char* kClosing = "\n--------\n\n--------\n";

    // "Reminders", "Planners", "Contacts"; the choice from its name (letter case ignored), or -1.
    static const char* tableName(Table t);
    static int tableFromName(const std::string& name);

    // The header line ("" for the reminders) and one record's line; "" for a record that
    // gives no line (a reminder of no known kind).
    static std::string header(Table t);
    static std::string line(const ReminderRecord& r);
    static std::string line(const PlannerRecord& r);
    static std::string line(const ContactRecord& r);
    // A planner date in the long form "Friday, March 05, 2004".
    static std::string longDate(std::int64_t date);

    // "Exporting reminder %d" and so on, with the record's position from 0.
    static std::string statusText(Table t, int position);

    // Told the record count once (position -1), then each record's position before its line.
    using Progress = std::function<void(int position, int count)>;

    // Writes the table of `tn` to `destination`, replacing what the file held. False when the
    // destination could not be written (reported through the diary's reporter, and nothing
    // further is written) or the table could not be read (reported by the table).
    static bool write(TN& tn, Table t, const std::string& destination, const Progress& progress,
                      FileSystem* fs = nullptr);
};

} // namespace tavrin::formats
