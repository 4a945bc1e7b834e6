// tavrin-cli add-planner and add-contact: the organiser's tables written the way the planner
// and contacts pages write them; export-text and backup: the files the tools page's export and
// backup windows write; export-ics and export-vcard: the calendar and address-book files of the
// export window's open formats.

#include "cli/Cli.h"
#include "cli/OrganiserJson.h"
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
int Cli::addPlanner(const std::string& path) {
    std::vector<Json> objects;
    if (!readObjects(objects, "planner item")) return kUsage;
    // Every item is checked before the diary is touched.
    std::vector<PlannerRecord> items;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        std::vector<PlannerRecord> some;
        std::string error;
        if (!OrganiserJson::toPlanner(objects[i], some, error)) {
            err_ << "tavrin-cli: planner item " << (i + 1) << ": " << error << '\n';
            return kUsage;
        }
        items.insert(items.end(), some.begin(), some.end());
    }
    return writeLocked(path, [&](TN& tn) {
        if (!organiser::PlannerItems::add(tn, items)) return kFailed;
        out_ << "Added " << items.size() << (items.size() == 1 ? " planner item" : " planner items")
             << "; the planner holds " << tn.planner.Count() << ".\n";
        return kOk;
    });
}

int Cli::addContact(const std::string& path) {
    std::vector<Json> objects;
    if (!readObjects(objects, "contact")) return kUsage;
    std::vector<organiser::AddressBook::Contact> contacts(objects.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        std::string error;
        if (!OrganiserJson::toContact(objects[i], contacts[i], error)) {
            err_ << "tavrin-cli: contact " << (i + 1) << ": " << error << '\n';
            return kUsage;
        }
    }
    return writeLocked(path, [&](TN& tn) {
        if (!organiser::AddressBook::add(tn, contacts)) return kFailed;
        out_ << "Added " << contacts.size() << (contacts.size() == 1 ? " contact" : " contacts")
             << "; the address book holds " << tn.contacts.Count() << ".\n";
        return kOk;
    });
}

int Cli::exportText(const std::string& path, const std::string& table, const std::string& file) {
    using formats::TextExport;
    const int which = TextExport::tableFromName(table);
    if (which < 0) {
        err_ << "tavrin-cli: export-text takes reminders, planners or contacts\n" << usage();
        return kUsage;
    }
    return exportTable(path, file, [&](TN& tn, const TextExport::Progress& progress) {
        return TextExport::write(tn, TextExport::Table(which), file, progress);
    });
}

int Cli::exportTable(const std::string& path, const std::string& file,
                     const std::function<bool(TN&, const ExportProgress&)>& write) {
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    int count = 0;
    if (!write(tn, [&](int position, int n) {
            if (position < 0) count = n;
        }))
        return kFailed; // reported
    out_ << "Exported " << count << (count == 1 ? " record" : " records") << " to " << file
         << ".\n";
    return kOk;
}

namespace {

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

} // namespace

int Cli::exportOpen(const std::string& path, const std::string& table, const std::string& file) {
    using formats::OpenFormats;
    const int which = table == "contacts"    ? OpenFormats::ContactCards
                      : table == "reminders" ? OpenFormats::RemindersCalendar
                      : table == "planners"  ? OpenFormats::PlannersCalendar
                                             : -1;
    if (which < 0) {
        err_ << "tavrin-cli: export-ics takes reminders or planners\n" << usage();
        return kUsage;
    }
    return exportTable(path, file, [&](TN& tn, const ExportProgress& progress) {
        return OpenFormats::write(tn, OpenFormats::Format(which), file, exportStamp(), progress);
    });
}

int Cli::backup(const std::string& path, const std::string& destination) {
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    organiser::DiaryBackup backup(path, rep);
    out_ << organiser::DiaryBackup::totalText(backup.totalSize()) << '\n';
    const organiser::DiaryBackup::Outcome outcome = backup.run(destination);
    out_ << outcome.text() << "\n\n" << organiser::DiaryBackup::kPadNotice << '\n';
    return outcome.ok() ? kOk : kFailed;
}

} // namespace tavrin::cli
