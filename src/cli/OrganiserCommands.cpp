// tavrin-cli add-planner and add-contact: the organiser's tables written the way the planner
// and contacts pages write them; export-text and backup: the files the tools page's export and
// backup windows write; export-ics and export-vcard: the calendar and address-book files of the
// export window's open formats.

#include "cli/CommandRegistry.h"
#include "cli/OrganiserJson.h"
#include "cli/Session.h"
#include "cli/StreamReporter.h"

#include "formats/OpenFormats.h"
#include "formats/TextExport.h"
#include "organiser/logic/AddressBook.h"
#include "organiser/logic/DiaryBackup.h"
#include "organiser/logic/PlannerItems.h"
#include "storage/DiaryFileSet.h"
#include "storage/TN.h"

#include <cstdlib>
#include <ctime>
#include <iostream>

namespace tavrin::cli {
namespace {

int addPlanner(Session& s, const Arguments& a) {
    std::vector<Json> objects;
    if (!s.readObjects(objects, "planner item")) return kUsage;
    // Every item is checked before the diary is touched.
    std::vector<PlannerRecord> items;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        std::vector<PlannerRecord> some;
        std::string error;
        if (!OrganiserJson::toPlanner(objects[i], some, error)) {
            s.err() << "tavrin-cli: planner item " << (i + 1) << ": " << error << '\n';
            return kUsage;
        }
        items.insert(items.end(), some.begin(), some.end());
    }
    return s.writeLocked(a.diary, [&](TN& tn) {
        if (!organiser::PlannerItems::add(tn, items)) return kFailed;
        s.out() << "Added " << items.size()
                << (items.size() == 1 ? " planner item" : " planner items")
                << "; the planner holds " << tn.planner.Count() << ".\n";
        return kOk;
    });
}

int addContact(Session& s, const Arguments& a) {
    std::vector<Json> objects;
    if (!s.readObjects(objects, "contact")) return kUsage;
    std::vector<organiser::AddressBook::Contact> contacts(objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        std::string error;
        if (!OrganiserJson::toContact(objects[i], contacts[i], error)) {
            s.err() << "tavrin-cli: contact " << (i + 1) << ": " << error << '\n';
            return kUsage;
        }
    }
    return s.writeLocked(a.diary, [&](TN& tn) {
        if (!organiser::AddressBook::add(tn, contacts)) return kFailed;
        s.out() << "Added " << contacts.size() << (contacts.size() == 1 ? " contact" : " contacts")
                << "; the address book holds " << tn.contacts.Count() << ".\n";
        return kOk;
    });
}

// Admits the diary, runs `write` (told the record count through its progress) and says how many
// records went to `file`.
using ExportProgress = std::function<void(int position, int count)>;
int exportTable(Session& s, const std::string& path, const std::string& file,
                const std::function<bool(TN&, const ExportProgress&)>& write) {
    if (int st = s.admit(path)) return st;
    StreamReporter rep(s.err());
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    int count = 0;
    if (!write(tn, [&](int position, int n) {
            if (position < 0) count = n;
        }))
        return kFailed; // reported
    s.out() << "Exported " << count << (count == 1 ? " record" : " records") << " to " << file
            << ".\n";
    return kOk;
}

int exportText(Session& s, const Arguments& a) {
    using formats::TextExport;
    const std::string& file = a.words[1];
    const int which = TextExport::tableFromName(a.words[0]);
    if (which < 0) return s.misused("export-text takes reminders, planners or contacts");
    return exportTable(s, a.diary, file, [&](TN& tn, const TextExport::Progress& progress) {
        return TextExport::write(tn, TextExport::Table(which), file, progress);
    });
}

// The time that stamps exported calendars: SOURCE_DATE_EPOCH when it is set, so that scripts
// can make the same file twice; otherwise now.
std::int64_t exportStamp() {
    if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        const long long v = std::strtoll(fixed, &end, 10);
        if (end != fixed && *end == '\0' && v >= 0) return v;
    }
    return std::int64_t(std::time(nullptr));
}

// export-ics (table "reminders" or "planners") and export-vcard (table "contacts").
int exportOpen(Session& s, const Arguments& a, const std::string& table, const std::string& file) {
    using formats::OpenFormats;
    const int which = table == "contacts"    ? OpenFormats::ContactCards
                      : table == "reminders" ? OpenFormats::RemindersCalendar
                      : table == "planners"  ? OpenFormats::PlannersCalendar
                                             : -1;
    if (which < 0) return s.misused("export-ics takes reminders or planners");
    return exportTable(s, a.diary, file, [&](TN& tn, const ExportProgress& progress) {
        return OpenFormats::write(tn, OpenFormats::Format(which), file, exportStamp(), progress);
    });
}

int exportIcs(Session& s, const Arguments& a) {
    return exportOpen(s, a, a.words[0] == "contacts" ? "" : a.words[0], a.words[1]);
}

int exportVcard(Session& s, const Arguments& a) {
    return exportOpen(s, a, "contacts", a.words[0]);
}

int backup(Session& s, const Arguments& a) {
    const std::string& destination = a.words[0];
    if (int st = s.admit(a.diary)) return st;
    StreamReporter rep(s.err());
    organiser::DiaryBackup backup(a.diary, rep);
    s.out() << organiser::DiaryBackup::totalText(backup.totalSize()) << '\n';
    const organiser::DiaryBackup::Outcome outcome = backup.run(destination);
    s.out() << outcome.text() << "\n\n" << organiser::DiaryBackup::kPadNotice << '\n';
    return outcome.ok() ? kOk : kFailed;
}

} // namespace

std::vector<Command> organiserCommands() {
    return {
        {"add-planner", {}, {}, "add planner items from JSON on standard input", addPlanner},
        {"add-contact", {}, {}, "add contacts from JSON on standard input", addContact},
        {"export-text",
         {"reminders|planners|contacts", "FILE"},
         {},
         "one table as text lines with fields separated by \"|\"",
         exportText},
        {"export-ics",
         {"reminders|planners", "FILE"},
         {},
         "reminders as recurring events, or planner items as to-dos, in an iCalendar file",
         exportIcs},
        {"export-vcard", {"FILE"}, {}, "the contacts as vCard 4.0 cards", exportVcard},
        {"backup",
         {"DEST"},
         {},
         "copy the diary into the folder DEST; exit status 0 only when every file was copied",
         backup},
    };
}

} // namespace tavrin::cli
