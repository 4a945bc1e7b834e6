// The organiser's files outside the diary: text exports and backups, made through tavrin-cli
// (which shares its code with the tools page's windows). Interrupted backups are in the fault
// matrix (tests/storage/CrashSafetyTest.cpp).

#include "CliFixture.h"

#include "organiser/logic/DiaryBackup.h"
#include "storage/DiaryFileSet.h"
#include "storage/Reporter.h"
#include "storage/TN.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace fs = std::filesystem;
using namespace tavrin;
using tavrin::cli::Cli;
using tavrin::organiser::DiaryBackup;

namespace {

class OrganiserFilesTest : public cli::test::CliFixture {
protected:
    static std::string slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void spill(const fs::path& p, const std::string& bytes) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    // A diary at `path` with `entries` entries added in order, made through the tool itself.
    void makeDiary(const std::string& path, int entries, int first = 1) {
        fs::create_directories(fs::path(path).parent_path());
        for (int i = first; i < first + entries; ++i) {
            const std::string json =
                (i == 1 ? "{" + newDiary() : std::string("{")) + R"("dateTime": "2026-02-)" +
                (i < 10 ? "0" : "") + std::to_string(i) + R"(T09:00:00", "description": "Day )" +
                std::to_string(i) + R"(", "body": "Text )" + std::to_string(i) + "\"}";
            auto r = run({"add", path}, json);
            ASSERT_EQ(r.status, Cli::kOk) << r.err;
        }
    }
    // The entries a diary reads back whole, or -1 when any of them is damaged.
    static int readableEntries(const std::string& path) {
        struct Quiet : Reporter {
            int reports = 0;
            void report(ReportKind, const std::string&) override { ++reports; }
        } quiet;
        TN tn(0, path, DiaryFileSet::extensionOffset(path), &quiet);
        int n = 0;
        const bool ok = tn.ForEachEntry(true, [&](const EntryView& e) {
            n += e.body == "Text " + std::to_string(e.index + 1);
            return true;
        });
        return ok && quiet.reports == 0 ? n : -1;
    }
    // The bare names and bytes of every file below `root`.
    static std::map<std::string, std::string> tree(const fs::path& root) {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(root))
            if (e.is_regular_file()) files[fs::relative(e.path(), root).string()] = slurp(e.path());
        return files;
    }
};

TEST_F(OrganiserFilesTest, ExportTextWritesEachTableExactly) {
    const std::string closing = "\n--------\n\n--------\n";
    const std::string contactsHeader = "Name|Company|Address|Phone (home)|Phone (work)|Phone "
                                       "(mobile)|Fax|E-mail|WWW Site|Miscellaneous\r\n";
    struct Case {
        const char* table;
        const char* command; // fills the table first ("" for none)
        const char* json;
        std::string file;
    };
    const Case cases[] = {
        {"reminders", "", "", closing},
        {"Reminders", "add-reminder", R"([
            {"kind": "daily", "time": "08:30", "description": "Take pills"},
            {"kind": "weekly", "dayOfWeek": "Friday", "time": "18:15", "description": "Choir|Hall"},
            {"kind": "monthly", "date": "2027-03-05", "description": "Rent"},
            {"kind": "yearly", "date": "2027-03-05", "description": "Ann"}])",
         "Take pills|Daily|everyday at 08:30\r\nChoir|Hall|Weekly|every Friday at 18:15\r\n"
         "Rent|Monthly|on the 05 day of every month\r\n"
         "Ann|Yearly|every year on the 05 of March\r\n" +
             closing},
        {"planners", "add-planner", R"([
            {"date": "2026-03-05", "description": "Stretch", "priority": "Important", "done": true},
            {"date": "2026-12-31", "description": "Caf\u00e9"}])",
         "Description|Priority|Date|Done\r\nStretch|Important|Thursday, March 05, 2026|Done\r\n"
         "Caf\xE9|Normal|Thursday, December 31, 2026|Not done\r\n" +
             closing},
        {"contacts", "", "", contactsHeader + closing},
        {"contacts", "add-contact",
         R"([{"name": "bob", "address": "1 Lane\nYork", "email": "b@x.org", "misc": "m"},
             {"name": "Alice", "web": "a.org"}])",
         contactsHeader + "Alice||||||||a.org|\r\nbob||1 Lane\r\nYork|||||b@x.org||m\r\n" +
             closing},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        const std::string path = (dir / std::to_string(++n) / "Journal.tni").string();
        makeDiary(path, 1);
        if (*c.command) {
            ASSERT_EQ(run({c.command, path}, c.json).status, Cli::kOk);
        }
        const fs::path out = dir / ("export" + std::to_string(n) + ".txt");
        spill(out, std::string(5000, '#')); // replaced from its first byte
        auto r = run({"export-text", path, c.table, out.string()});
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        EXPECT_EQ(slurp(out), c.file);
    }

    // A destination that cannot be written is reported; an unknown table is refused.
    const std::string path = (dir / "1" / "Journal.tni").string();
    auto r = run({"export-text", path, "contacts", (dir / "no" / "x.txt").string()});
    EXPECT_EQ(r.status, Cli::kFailed);
    EXPECT_NE(r.err.find("x.txt"), std::string::npos) << r.err;
    EXPECT_EQ(run({"export-text", path, "recipes", (dir / "y.txt").string()}).status, Cli::kUsage);
}

// The calendar and address-book files are read back by independent parsers (python3-icalendar
// with dateutil's recurrence rules, and python3-vobject): what they read is what was stored, and
// the recurrences fall on the days the due list uses.
TEST_F(OrganiserFilesTest, OpenFormatsReadBackByRealParsers) {
    const fs::path reader = dir / "read.py";
    spill(reader, R"PY(import sys, datetime
kind, path = sys.argv[1], sys.argv[2]
data = open(path, 'rb').read()
if kind == 'ics':
    import icalendar
    from dateutil.rrule import rrulestr
    for c in icalendar.Calendar.from_ical(data).walk():
        if c.name == 'VEVENT':
            start = c.decoded('dtstart')
            timed = isinstance(start, datetime.datetime)
            if not timed:
                start = datetime.datetime.combine(start, datetime.time())
            rule = rrulestr(c['rrule'].to_ical().decode(), dtstart=start)
            days = [d.strftime('%Y-%m-%dT%H:%M' if timed else '%Y-%m-%d') for d in rule[:3]]
            print('EVENT|%s|%s|%s' % (c['summary'], ' '.join(days),
                  'alarm' if c.walk('VALARM') else 'all-day'))
        elif c.name == 'VTODO':
            print('TODO|%s|%s|%s|%s|%s' % (c['summary'], c.decoded('due').isoformat(),
                  c['priority'], c['status'], c.get('percent-complete', '-')))
else:
    import re, vobject
    uids = set()
    for card in vobject.readComponents(data.decode('utf-8')):
        uid = card.contents.get('uid')
        uid = uid[0].value if uid else ''
        if not re.fullmatch(r'urn:uuid:[0-9a-f]{8}-[0-9a-f]{4}-8[0-9a-f]{3}-[89ab][0-9a-f]{3}-'
                            r'[0-9a-f]{12}', uid) or uid in uids:
            print('BAD UID ' + uid)
        uids.add(uid)
        out = [card.fn.value, 'n=%s/%s' % (card.n.value.family, card.n.value.given)]
        for key in ('org', 'adr', 'tel', 'email', 'url', 'note'):
            for line in card.contents.get(key, []):
                v = line.value
                if key == 'adr': v = v.street
                if key == 'org': v = ';'.join(v)
                t = line.params.get('TYPE')
                out.append('%s%s=%s' % (key, '(' + t[0] + ')' if t else '', v))
        print('CARD|' + '|'.join(out).replace('\n', '\\n'))
)PY");
    makeDiary(diary, 1);
    ASSERT_EQ(run({"add-reminder", diary}, R"([
        {"kind": "daily", "date": "2027-03-03", "time": "08:30", "description": "Take pills"},
        {"kind": "weekly", "date": "2027-03-03", "dayOfWeek": "Friday", "time": "18:15",
         "description": "Chor, Saal; Caf\u00e9 \\ ok"},
        {"kind": "monthly", "date": "2027-01-31", "description": "Rent"},
        {"kind": "yearly", "date": "2028-02-29", "description": "Leap day"}])")
                  .status,
              Cli::kOk);
    ASSERT_EQ(run({"add-planner", diary}, R"([
        {"date": "2026-03-05", "description": "Stretch", "priority": "Important", "done": true},
        {"date": "2026-12-31", "description": "Caf\u00e9"}])")
                  .status,
              Cli::kOk);
    ASSERT_EQ(run({"add-contact", diary}, R"([
        {"name": "Zo\u00eb", "company": "A; B, C", "address": "1 Lane\nYork", "homePhone": "1",
         "workPhone": "2", "mobilePhone": "3", "fax": "4", "email": "z@x.org", "web": "a.org",
         "misc": "A note past the fold, with commas; semicolons, a backslash \\ and \u00fcml\u00e4ute \u00fcml\u00e4ute"},
        {"name": "Alice", "web": "https://alice.example"},
        {"name": "Anna Maria  Berg", "email": "amb@x.org"}, {"name": "Anna Maria  Berg"},
        {"company": "Birkenhof", "web": "birkenhof.example.org"}, {"email": "n@x.org"}, {}])")
                  .status,
              Cli::kOk);

    struct Case {
        std::vector<std::string> command; // without the diary and the file
        const char* kind;
        std::string read;
    };
    const Case cases[] = {
        {{"export-ics", "reminders"},
         "ics",
         "EVENT|Take pills|2027-03-03T08:30 2027-03-04T08:30 2027-03-05T08:30|alarm\n"
         "EVENT|Chor, Saal; Caf\u00e9 \\ ok|2027-03-05T18:15 2027-03-12T18:15 "
         "2027-03-19T18:15|alarm\n"
         "EVENT|Rent|2027-01-31 2027-03-31 2027-05-31|all-day\n"
         "EVENT|Leap day|2028-02-29 2032-02-29 2036-02-29|all-day\n"},
        {{"export-ics", "planners"},
         "ics",
         "TODO|Stretch|2026-03-05|1|COMPLETED|100\nTODO|Caf\u00e9|2026-12-31|5|NEEDS-ACTION|-\n"},
        {{"export-vcard"},
         "vcf",
         "CARD|Birkenhof|n=/|org=Birkenhof|url=http://birkenhof.example.org\n"
         "CARD|n@x.org|n=/|email=n@x.org\n"
         "CARD|-|n=/\n"
         "CARD|Alice|n=Alice/|url=https://alice.example\n"
         "CARD|Anna Maria  Berg|n=Berg/Anna Maria|email=amb@x.org\n"
         "CARD|Anna Maria  Berg|n=Berg/Anna Maria\n"
         "CARD|Zo\u00eb|n=Zo\u00eb/|org=A; B, C|adr=1 "
         "Lane\\nYork|tel(home)=1|tel(work)=2|tel(cell)=3|"
         "tel(fax)=4|email=z@x.org|url=http://a.org|note=A note past the fold, with commas; "
         "semicolons, a backslash \\ and \u00fcml\u00e4ute \u00fcml\u00e4ute\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command[0]);
        const fs::path out = dir / (std::string("open.") + c.kind);
        std::vector<std::string> args = c.command;
        args.insert(args.begin() + 1, diary);
        args.push_back(out.string());
        auto r = run(args);
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        const std::string bytes = slurp(out);
        // Every line ends with CR LF and keeps within 75 bytes.
        std::size_t start = 0;
        for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos;
             start = end + 1) {
            ASSERT_GT(end, start);
            EXPECT_EQ(bytes[end - 1], '\r');
            EXPECT_LE(end - 1 - start, 75u) << bytes.substr(start, end - start);
        }
        EXPECT_EQ(start, bytes.size()) << "a last line without CR LF";

        const fs::path read = dir / "read.txt";
        const std::string shell = "/usr/bin/python3 '" + reader.string() + "' " + c.kind + " '" +
                                  out.string() + "' > '" + read.string() + "' 2>&1";
        ASSERT_EQ(std::system(shell.c_str()), 0) << slurp(read);
        EXPECT_EQ(slurp(read), c.read);
    }
    EXPECT_EQ(run({"export-ics", diary, "contacts", (dir / "x.ics").string()}).status, Cli::kUsage);

    // A card keeps its UID from export to export, also when a contact sorted before it came in
    // and its phone number changed.
    auto uidOfAlice = [&] {
        const fs::path out = dir / "again.vcf";
        EXPECT_EQ(run({"export-vcard", diary, out.string()}).status, Cli::kOk);
        const std::string bytes = slurp(out);
        const std::size_t fn = bytes.find("\r\nFN:Alice\r\n");
        const std::size_t uid = bytes.rfind("UID:", fn);
        return fn == std::string::npos || uid == std::string::npos ? std::string()
                                                                   : bytes.substr(uid, fn - uid);
    };
    const std::string before = uidOfAlice();
    ASSERT_EQ(run({"add-contact", diary}, R"({"name": "Aaron"})").status, Cli::kOk);
    {
        TN tn(0, diary, DiaryFileSet::extensionOffset(diary));
        std::vector<ContactRecord> all;
        ASSERT_TRUE(tn.contacts.ReadAll(all));
        const auto alice = std::find_if(all.begin(), all.end(),
                                        [](const ContactRecord& c) { return c.name() == "Alice"; });
        ASSERT_NE(alice, all.end());
        tn.contacts.replacement = *alice;
        tn.contacts.replacement.setHomePhone("555");
        ASSERT_TRUE(tn.contacts.Replace(int(alice - all.begin())));
    }
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(uidOfAlice(), before);
}

TEST_F(OrganiserFilesTest, BackupCountsCopiesAndReplacesTheEarlierCopy) {
    // The size counts the files that exist, and creates nothing.
    {
        const std::string path = (dir / "sized" / "Notes.tni").string();
        const DiaryFileSet files(path);
        spill(path, std::string(1000, 'i'));
        spill(files.path(DiaryFileSet::kData), std::string(1500, 'd'));
        spill(files.path(DiaryFileSet::kVoice), std::string(500, 'v'));
        spill(files.padPath(0), std::string(24, 'p')); // found through the pad table's defaults
        const auto before = tree(dir / "sized");
        DiaryBackup backup(path, Reporter::global());
        EXPECT_EQ(DiaryBackup::totalText(backup.totalSize()),
                  "Total backup size: 3024 bytes (2 KB)");
        EXPECT_EQ(DiaryBackup::totalText(1023), "Total backup size: 1023 bytes (0 KB)");
        EXPECT_EQ(DiaryBackup::totalText(1024), "Total backup size: 1024 bytes (1 KB)");
        EXPECT_EQ(tree(dir / "sized"), before);
        EXPECT_EQ(DiaryBackup::destination("/"), "/");
        EXPECT_EQ(DiaryBackup::destination("/media/usb/"), "/media/usb/");
    }

    // Two diaries of one name; the second backup into a folder replaces the first one's files.
    // Backing up reads the diary without changing it, and the copy is a diary that checks clean.
    const std::string older = (dir / "a" / "Journal.tni").string();
    const std::string newer = (dir / "b" / "Journal.tni").string();
    makeDiary(older, 2);
    makeDiary(newer, 3);
    ASSERT_EQ(run({"add-contact", newer}, R"({"name": "Alice"})").status, Cli::kOk);
    spill(DiaryFileSet(older).padPath(4), "pad of the older");
    spill(DiaryFileSet(older).padPath(0), "first pad of the older");
    spill(DiaryFileSet(newer).padPath(0), "first pad");
    spill(DiaryFileSet(newer).padPath(1), ""); // an empty file is copied too
    std::string large(5 << 19, '\0');          // copied in pieces
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = char('a' + i / 7 % 26);
    spill(DiaryFileSet(newer).padPath(3), large);
    const auto olderFiles = tree(dir / "a"), newerFiles = tree(dir / "b");
    const fs::path dest = dir / "usb";
    fs::create_directories(dest);
    for (const std::string& path : {older, newer}) {
        auto r = run({"backup", path, dest.string() + "/"});
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        EXPECT_EQ(r.out.substr(0, 18), "Total backup size:");
        EXPECT_NE(r.out.find("\nSuccessfully backed up your files!\n\nPlease note that only the "
                             "pre-set scratch pad files are backed up!"),
                  std::string::npos)
            << r.out;
    }
    EXPECT_EQ(tree(dir / "a"), olderFiles);
    EXPECT_EQ(tree(dir / "b"), newerFiles);
    EXPECT_EQ(run({"check", older}).status, Cli::kOk);
    EXPECT_EQ(run({"check", (dest / "Journal.tni").string()}).status, Cli::kOk);
    // The copy holds what the diary holds of the fifteen files, and the older one's pad is gone.
    auto copied = tree(dest);
    EXPECT_EQ(copied.erase("Journal/Journal.lock"), 1u);
    auto expected = newerFiles;
    std::erase_if(expected, [](const auto& file) {
        const std::string ext = fs::path(file.first).extension().string();
        return ext == ".lock" || ext == ".tng" || ext == ".tnt" || ext == ".tnx";
    });
    EXPECT_EQ(copied, expected);
    EXPECT_EQ(readableEntries((dest / "Journal.tni").string()), 3);

    // A copy that cannot be made is named and the tool fails; nothing of the earlier copy is
    // replaced.
    fs::create_directory(dest / "Journal" / "Journal.tn2");
    auto r = run({"backup", older, dest.string()});
    EXPECT_EQ(r.status, Cli::kFailed);
    EXPECT_NE(r.out.find("AN ERROR HAS OCCURED!\n\nThese files were not copied:\nJournal.tn2 ("
                         "Is a directory)\n\nThe earlier backup in this folder was left as it "
                         "was.\n\nPlease note"),
              std::string::npos)
        << r.out;
    fs::remove(dest / "Journal" / "Journal.tn2");
    // So does an earlier backup's journal that cannot be read: it is not taken for none.
    fs::create_directory(dest / "Journal" / "Journal.commit");
    r = run({"backup", older, dest.string()});
    EXPECT_EQ(r.status, Cli::kFailed) << r.out;
    EXPECT_NE(r.out.find("AN ERROR HAS OCCURED!"), std::string::npos) << r.out;
    fs::remove(dest / "Journal" / "Journal.commit");
    copied = tree(dest);
    copied.erase("Journal/Journal.lock");
    EXPECT_EQ(copied, expected);
}

// A backup into the diary's own folder would copy the diary over itself and say it succeeded;
// one inside the diary directory would lie among the files it copies. Both are refused however
// the folder is named, and nothing is written; a folder beside the diary is a fine destination.
TEST_F(OrganiserFilesTest, BackupRefusesTheDiarysOwnFolders) {
    const fs::path home = dir / "home";
    const std::string path = (home / "Journal.tni").string();
    makeDiary(path, 2);
    fs::create_directories(home / "Journal" / "old");
    fs::create_directories(home / "other");
    fs::create_directory_symlink(home, dir / "link");
    const auto before = tree(home);
    for (const fs::path& dest :
         {home, fs::path(home.string() + "/"), home / "other" / "..", dir / "link",
          home / "Journal", dir / "link" / "Journal" / "old", home / "Journal" / "new"}) {
        auto r = run({"backup", path, dest.string()});
        EXPECT_EQ(r.status, Cli::kFailed) << dest;
        EXPECT_NE(r.out.find("\nA backup cannot be made in the diary's own folder or in a folder "
                             "inside the diary. Please choose another folder.\n"),
                  std::string::npos)
            << dest << r.out;
        EXPECT_EQ(tree(home), before) << dest;
    }
    EXPECT_FALSE(fs::exists(home / "Journal" / "new"));
    auto r = run({"backup", path, (home / "other").string()});
    EXPECT_EQ(r.status, Cli::kOk) << r.out;
    EXPECT_EQ(readableEntries((home / "other" / "Journal.tni").string()), 2);
}

} // namespace
