#include "cli/Cli.h"
#include "cli/StreamReporter.h"

#include "cli/DiaryCheck.h"
#include "formats/JsonReader.h"
#include "formats/JsonWriter.h"
#include "storage/Cp1252.h"
#include "storage/FileBatch.h"
#include "storage/FileSystem.h"
#include "storage/LocalTime.h"
#include "storage/PainKinds.h"
#include "storage/ProgramTexts.h"
#include "storage/Scramble.h"
#include "storage/TN.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sys/stat.h>

namespace tavrin::cli {
namespace {

bool isFile(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
bool isDir(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
std::int64_t fileSize(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? std::int64_t(st.st_size) : -1;
}

bool hasDiaryExtension(const std::string& path) {
    if (path.size() < 5) return false;
    std::string ext = path.substr(path.size() - 4);
    for (auto& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".tni";
}

// The first bytes of a regular file (never blocking on anything else); false when there are
// fewer, or the file cannot be opened (cause in `cause`, 0 when it is only short).
bool readPrefix(const std::string& path, void* out, std::int64_t n, int& cause) {
    FileSystem& fs = FileSystem::native();
    cause = 0;
    auto f = fs.open(path, OpenMode::Read);
    if (!f) {
        cause = fs.lastError();
        return false;
    }
    std::int64_t got = f->readAt(0, out, n);
    if (got < 0) cause = f->error();
    return got == n;
}

// The diary's configuration as stored, or the defaults, read without creating anything.
DiaryConfig loadConfig(const DiaryFileSet& files) {
    DiaryConfig c;
    int cause;
    if (!readPrefix(files.path(DiaryFileSet::kConfig), c.data(), DiaryConfig::kSize, cause)) {
        c.clear();
        c.applyDefaults();
    }
    return c;
}

std::string nameAt(const std::string& name, int value) {
    return cp1252::toUtf8(name) + " (" + std::to_string(value) + ")";
}

} // namespace

std::string Cli::usage() {
    return "Usage: tavrin-cli COMMAND DIARY.tni [ARGUMENT]\n"
           "       tavrin-cli --help | --version\n"
           "\n"
           "Commands:\n"
           "  info DIARY.tni       entry count and the files of the diary with their sizes\n"
           "  list DIARY.tni       one line per entry: position, date and time, voice note,\n"
           "                       type texts present, description\n"
           "  show DIARY.tni N     every field of entry N (1 is the oldest) with its texts\n"
           "  export DIARY.tni     the whole diary as JSON on standard output\n"
           "  add DIARY.tni        add entries from JSON on standard input, then sort\n"
           "  add-planner DIARY.tni  add planner items from JSON on standard input\n"
           "  add-contact DIARY.tni  add contacts from JSON on standard input\n"
           "  check DIARY.tni      verify every record; exit status 0 only when clean\n"
           "  check DIARY.tni --repair  first cut unused bytes left by an interrupted write\n"
           "                       and remove stray temporary and staged files, saying what\n"
           "                       was done\n"
           "  due DIARY.tni [--date YYYY-MM-DD] [--time HH:MM] [--days N]\n"
           "                       the reminders due on the date (default today) and the N\n"
           "                       days after it (default 0), one line each: description,\n"
           "                       interval and occurrence separated by tabs; with --time a\n"
           "                       last line \"alarm yes\" or \"alarm no\"\n"
           "  add-reminder DIARY.tni  add reminders from JSON on standard input\n"
           "  export-text DIARY.tni reminders|planners|contacts FILE\n"
           "                       one table as text lines with fields separated by \"|\"\n"
           "  export-ics DIARY.tni reminders|planners FILE\n"
           "                       reminders as recurring events, or planner items as to-dos,\n"
           "                       in an iCalendar file\n"
           "  export-vcard DIARY.tni FILE  the contacts as vCard 4.0 cards\n"
           "  search DIARY.tni MODE TERM  the entries the diary page's search lists, as list\n"
           "                       prints them; MODE is the number of the page's search mode\n"
           "                       (0 all, 1 body, 2 description, 3 body or description, 4\n"
           "                       voice, 5-9 type text 1-5); exit status 0 also for no match\n"
           "  show DIARY.tni N --text  the visible text of entry N's body, as search sees it\n"
           "  backup DIARY.tni DEST  copy the diary into the folder DEST; exit status 0 only\n"
           "                       when every file was copied\n"
           "  graph DIARY.tni FILE.png [--from DATE] [--to DATE] [--set 1|2]\n"
           "                       the graph of the entries from DATE to DATE (YYYY-MM-DD),\n"
           "                       set 1 diary data (default) or 2 fibromyalgia data, as an\n"
           "                       800 x 600 PNG image drawn with the diary's graph settings\n"
           "  add-default-ingredients DIARY.tni  add the 100 default ingredients\n"
           "  add-ingredient DIARY.tni  add ingredients from JSON on standard input\n"
           "  add-recipe DIARY.tni  add recipes from JSON on standard input, made of\n"
           "                       catalogue ingredients and their grams\n"
           "  daily-calories DIARY.tni  the totals of the eaten ingredients and recipes\n"
           "                       given as JSON on standard input, as the daily calorie\n"
           "                       sheet shows them\n"
           "  voice DIARY.tni N FILE.wav  entry N's voice note as a 16-bit PCM wave file\n"
           "  attach-voice DIARY.tni N FILE.wav  a mono or stereo PCM wave file as entry N's\n"
           "                       voice note (resampled to 11025 Hz mono, compressed)\n"
           "  compact DIARY.tni    rewrite the entry data file with the texts in use only\n"
           "  import-v2 DIARY.tni OLD.itn  add a version 2 diary's entries, reminders and\n"
           "                       planned items (its password from TAVRIN_OLD_PASSWORD)\n"
           "  passwd DIARY.tni     change the password to TAVRIN_NEW_PASSWORD\n"
           "  print DIARY.tni FILE.pdf [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--pain-map]\n"
           "                       the entries of the days given (default all) printed to a\n"
           "                       PDF file as the diary page prints them\n"
           "  correlate DIARY.tni [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
           "                       what comes before a flare: one line per factor and outcome\n"
           "                       that holds at a 5 % false discovery rate, strongest first:\n"
           "                       factor, outcome, lag in days, Spearman's rho and n,\n"
           "                       tab-separated; the number tested goes to standard error\n"
           "  export-csv DIARY.tni FILE.csv  every entry as a spreadsheet row (UTF-8)\n"
           "  report DIARY.tni FILE.pdf [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
           "                       the health report of the range as a PDF\n"
           "\n"
           "The password comes from the environment variable TAVRIN_PASSWORD, or is asked on\n"
           "the terminal. Exit status: 0 done, 1 bad arguments, 2 wrong password, 3 failed or\n"
           "problems found.\n";
}

int Cli::run(const std::vector<std::string>& args) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out_ << usage();
        return kOk;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out_ << "tavrin-cli " TAVRIN_VERSION "\n";
        return kOk;
    }
    if (args.size() < 2) {
        err_ << usage();
        return kUsage;
    }
    const std::string& cmd = args[0];
    if (cmd == "correlate" || cmd == "export-csv" || cmd == "report")
        return health(cmd, {args.begin() + 1, args.end()});
    const std::string& path = args[1];
    const std::vector<std::string> rest(args.begin() + 2, args.end());

    // Each command with the number of arguments it takes after the diary: from `least` to
    // `most`, in steps of `step`.
    using Rest = std::vector<std::string>;
    struct Command {
        const char* name;
        std::size_t least, most, step;
        std::function<int(Cli&, const std::string&, const Rest&)> run;
    };
    static const Command commands[] = {
        {"info", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.info(p); }},
        {"list", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.list(p); }},
        {"show", 1, 2, 1,
         [](Cli& c, auto& p, auto& r) {
             return r.size() == 2 ? c.showText(p, r[0]) : c.show(p, r[0]);
         }},
        {"search", 2, 2, 1, [](Cli& c, auto& p, auto& r) { return c.search(p, r[0], r[1]); }},
        {"export", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.exportJson(p); }},
        {"add", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.add(p); }},
        {"check", 0, 1, 1, [](Cli& c, auto& p, auto& r) { return c.check(p, !r.empty()); }},
        {"due", 0, 6, 2, [](Cli& c, auto& p, auto& r) { return c.due(p, r); }},
        {"add-reminder", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.addReminder(p); }},
        {"add-planner", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.addPlanner(p); }},
        {"add-contact", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.addContact(p); }},
        {"export-text", 2, 2, 1,
         [](Cli& c, auto& p, auto& r) { return c.exportText(p, r[0], r[1]); }},
        {"export-ics", 2, 2, 1,
         [](Cli& c, auto& p, auto& r) {
             return c.exportOpen(p, r[0] == "contacts" ? "" : r[0], r[1]);
         }},
        {"export-vcard", 1, 1, 1,
         [](Cli& c, auto& p, auto& r) { return c.exportOpen(p, "contacts", r[0]); }},
        {"backup", 1, 1, 1, [](Cli& c, auto& p, auto& r) { return c.backup(p, r[0]); }},
        {"graph", 1, 7, 2, [](Cli& c, auto& p, auto& r) { return c.graph(p, r); }},
        {"add-default-ingredients", 0, 0, 1,
         [](Cli& c, auto& p, auto&) { return c.addDefaultIngredients(p); }},
        {"add-ingredient", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.addIngredient(p); }},
        {"add-recipe", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.addRecipe(p); }},
        {"daily-calories", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.dailyCalories(p); }},
        {"voice", 2, 2, 1, [](Cli& c, auto& p, auto& r) { return c.voice(p, r[0], r[1]); }},
        {"attach-voice", 2, 2, 1,
         [](Cli& c, auto& p, auto& r) { return c.attachVoice(p, r[0], r[1]); }},
        {"compact", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.compact(p); }},
        {"import-v2", 1, 1, 1, [](Cli& c, auto& p, auto& r) { return c.importV2(p, r[0]); }},
        {"passwd", 0, 0, 1, [](Cli& c, auto& p, auto&) { return c.passwd(p); }},
        {"print", 1, 6, 1, [](Cli& c, auto& p, auto& r) { return c.print(p, r); }},
    };
    const Command* command = nullptr;
    for (const Command& c : commands)
        if (cmd == c.name) command = &c;
    const bool countOk = command && rest.size() >= command->least && rest.size() <= command->most &&
                         (rest.size() - command->least) % command->step == 0 &&
                         (cmd != "check" || rest.empty() || rest[0] == "--repair") &&
                         (cmd != "show" || rest.size() == 1 || rest[1] == "--text");
    if (!command || !countOk || !hasDiaryExtension(path)) {
        if (command && !hasDiaryExtension(path)) err_ << "tavrin-cli: a diary path ends in .tni\n";
        err_ << usage();
        return kUsage;
    }
    if (cmd != "add" && !diaryExists(path)) {
        err_ << "tavrin-cli: there is no diary at " << path << '\n';
        return kFailed;
    }
    return command->run(*this, path, rest);
}

bool Cli::diaryExists(const std::string& path) {
    return isFile(path) || isDir(DiaryFileSet(path).directory());
}

int Cli::admit(const std::string& path) {
    EntryRecord first;
    int cause;
    if (!readPrefix(path, first.data(), EntryRecord::kSize, cause)) {
        if (cause == 0 || cause == ENOENT) return kOk; // no entry yet
        err_ << messages::fileError(cause, path) << '\n';
        return kFailed;
    }
    if (first.version() != 1) {
        err_ << messages::wrongVersion() << '\n';
        return kFailed;
    }
    scramble::indexRecord(first);
    if (!typed_) typed_ = password_();
    const auto& typed = *typed_;
    if (!typed) {
        err_ << "tavrin-cli: no password: set TAVRIN_PASSWORD or run the tool on a terminal\n";
        return kUsage;
    }
    if (cp1252::fromUtf8(*typed) != first.password()) {
        err_ << texts::kInvalidPassword << '\n';
        return kWrongPassword;
    }
    return kOk;
}

int Cli::info(const std::string& path) {
    DiaryFileSet files(path);
    const std::int64_t indexSize = std::max<std::int64_t>(0, fileSize(path));
    out_ << "Diary: " << files.name() << '\n';
    out_ << "Entries: " << indexSize / std::int64_t(EntryRecord::kSize) << '\n';
    struct Row {
        std::string path;
        const char* what;
        std::size_t record; // 0: no fixed records
    };
    const Row rows[] = {
        {path, "entry index", EntryRecord::kSize},
        {files.path(DiaryFileSet::kData), "entry texts", 0},
        {files.path(DiaryFileSet::kVoice), "voice notes", 0},
        {files.path(DiaryFileSet::kConfig), "diary configuration", DiaryConfig::kSize},
        {files.path(DiaryFileSet::kGraph), "graph settings", GraphSettings::kSize},
        {files.path(DiaryFileSet::kPadTable), "scratch pad table", PadTable::kSize},
        {files.path(DiaryFileSet::kReminders), "reminders", ReminderRecord::kSize},
        {files.path(DiaryFileSet::kPlanner), "planner", PlannerRecord::kSize},
        {files.path(DiaryFileSet::kContacts), "contacts", ContactRecord::kSize},
        {files.path(DiaryFileSet::kMedication), "medication", MedicationRecord::kSize},
        {files.path(DiaryFileSet::kIngredients), "ingredients", IngredientRecord::kSize},
        {files.path(DiaryFileSet::kRecipes), "recipes", RecipeRecord::kSize},
        {files.path(DiaryFileSet::kTempIngredients), "recipe being edited",
         IngredientLineRecord::kSize},
    };
    char line[512];
    for (const auto& r : rows) {
        std::int64_t size = fileSize(r.path);
        if (size < 0) {
            std::snprintf(line, sizeof line, "  %-22s %12s  %s\n", r.what, "missing",
                          r.path.c_str());
        } else if (r.record) {
            std::int64_t n = size / std::int64_t(r.record), rest = size % std::int64_t(r.record);
            std::string recs = std::to_string(n) + (n == 1 ? " record" : " records");
            if (rest) recs += " + " + std::to_string(rest) + " stray bytes";
            std::snprintf(line, sizeof line, "  %-22s %12lld  %-24s %s\n", r.what, (long long)size,
                          recs.c_str(), r.path.c_str());
        } else {
            std::snprintf(line, sizeof line, "  %-22s %12lld  %-24s %s\n", r.what, (long long)size,
                          "", r.path.c_str());
        }
        out_ << line;
    }
    for (int pad = 0; pad < DiaryFileSet::kPadFiles; ++pad) {
        std::int64_t size = fileSize(files.padPath(pad));
        if (size >= 0) {
            std::snprintf(line, sizeof line, "  %-22s %12lld  %-24s %s\n",
                          ("scratch pad " + std::to_string(pad + 1)).c_str(), (long long)size, "",
                          files.padPath(pad).c_str());
            out_ << line;
        }
    }
    return kOk;
}

int Cli::list(const std::string& path) {
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    std::vector<EntryRecord> recs;
    bool ok = tn.ReadAllIndexRecords(recs);
    for (std::size_t i = 0; i < recs.size(); ++i)
        out_ << listLine(int(i + 1), recs[i]);
    return ok ? kOk : kFailed;
}

std::string Cli::listLine(int position, const EntryRecord& r) {
    std::string types;
    for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
        types += r.typeLength(t) ? char('1' + t) : '-';
    return std::to_string(position) + '\t' + LocalTime::iso(r.dateTime()) + '\t' +
           (r.voiceFlag() == 1 ? "voice" : "-") + '\t' + types + '\t' +
           cp1252::toUtf8(r.description()) + '\n';
}

long Cli::entryArgument(const std::string& text) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 1 || n > INT32_MAX) {
        err_ << "tavrin-cli: the entry number is a whole number from 1\n" << usage();
        return 0;
    }
    return n;
}

std::unique_ptr<TN> Cli::openEntry(const std::string& path, long n, Reporter& rep, bool texts) {
    auto tn = std::make_unique<TN>(int(n - 1), path, DiaryFileSet::extensionOffset(path), &rep);
    if (texts ? tn->ReadEntry(true) : tn->ReadIndexRecord()) return tn;
    if (n > tn->entryCount)
        err_ << "tavrin-cli: the diary holds " << tn->entryCount << " entries\n";
    return nullptr;
}

int Cli::show(const std::string& path, const std::string& position) {
    const long n = entryArgument(position);
    if (!n) return kUsage;
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    const std::unique_ptr<TN> opened = openEntry(path, n, rep, true);
    if (!opened) return kFailed;
    TN& tn = *opened;
    using Scale = DiaryConfig::Scale;
    using Measure = DiaryConfig::Measure;
    const DiaryConfig c = loadConfig(tn.files());
    const EntryRecord& r = tn.entry;
    auto u = [](const std::string& s) { return cp1252::toUtf8(s); };
    auto pick = [&](auto nameOf, int count, int index, int value) {
        return index >= 0 && index < count ? nameAt(nameOf(index), value)
                                           : "? (" + std::to_string(value) + ")";
    };
    auto off = [](bool enabled) { return enabled ? "" : "  [not shown]"; };
    char num[64];

    out_ << "Entry " << n << " of " << tn.entryCount << '\n';
    out_ << "Date and time: " << LocalTime::iso(r.dateTime()) << '\n';
    out_ << "Description: " << u(r.description()) << '\n';
    out_ << "Mood: "
         << pick([&](int i) { return c.moodName(i); }, DiaryConfig::kMoods, r.mood() + 3, r.mood())
         << off(c.moodEnabled()) << '\n';
    const std::pair<Scale, int> scales[] = {{Scale::Dream, r.dream() + 2},
                                            {Scale::Fatigue, r.fatigue() + 2},
                                            {Scale::Shape, r.shape() + 3}};
    const int scaleValues[] = {r.dream(), r.fatigue(), r.shape()};
    for (int i = 0; i < 3; ++i) {
        Scale s = scales[i].first;
        out_ << u(c.scaleName(s)) << ": "
             << pick([&](int k) { return c.scaleLevel(s, k); }, DiaryConfig::scaleLevels(s),
                     scales[i].second, scaleValues[i])
             << off(c.scaleEnabled(s)) << '\n';
    }
    out_ << u(c.checkName(0)) << ": " << (r.menstruation() == 1 ? "Yes" : "No")
         << off(c.checkEnabled(0)) << '\n';
    out_ << u(c.checkName(1)) << ": " << (r.copulation() == 1 ? "Yes" : "No")
         << off(c.checkEnabled(1)) << '\n';
    std::snprintf(num, sizeof num, "%0.2f", double(r.real1()));
    out_ << u(c.measureName(Measure::Real1)) << ": " << num << off(c.measureEnabled(Measure::Real1))
         << '\n';
    std::snprintf(num, sizeof num, "%0.2f", double(r.real2()));
    out_ << u(c.measureName(Measure::Real2)) << ": " << num << off(c.measureEnabled(Measure::Real2))
         << '\n';
    out_ << u(c.measureName(Measure::Int1)) << ": " << r.int1()
         << off(c.measureEnabled(Measure::Int1)) << '\n';
    out_ << u(c.measureName(Measure::Int2)) << ": " << r.int2()
         << off(c.measureEnabled(Measure::Int2)) << '\n';
    out_ << "Weather: "
         << pick([&](int i) { return c.weatherName(i); }, DiaryConfig::kWeathers, r.weather(),
                 r.weather())
         << off(c.weatherEnabled()) << '\n';
    for (int k = 0; k < DiaryConfig::kSpins; ++k)
        out_ << u(c.spinName(k)) << ": "
             << pick([&](int i) { return c.spinValue(k, i); }, DiaryConfig::kSpinValues,
                     r.spin(k) + 3, r.spin(k))
             << off(c.spinEnabled(k)) << '\n';
    for (int k = 0; k < DiaryConfig::kCombos; ++k)
        out_ << u(c.comboName(k)) << ": "
             << pick([&](int i) { return c.comboRow(k, i); }, c.comboRows(k), r.combo(k),
                     r.combo(k))
             << off(c.comboEnabled(k)) << '\n';
    out_ << "Body pain map, back view:";
    for (int a = 0; a < 10; ++a)
        out_ << (a == 5 ? " |" : "") << ' ' << PainKinds::name(r.pain(a));
    out_ << "\nBody pain map, front view:";
    for (int a = 10; a < EntryRecord::kPainAreas; ++a)
        out_ << (a == 14 ? " |" : "") << ' ' << PainKinds::name(r.pain(a));
    out_ << '\n';
    out_ << "Fibromyalgia ratings (1 to 10, - = not rated):";
    for (const auto& f : EntryRecord::fibroFields()) {
        int v = r.fibro(f.field);
        out_ << ' ' << f.name << '=' << (v < 0 ? std::string("-") : std::to_string(v + 1));
    }
    std::snprintf(num, sizeof num, "%g / %g / %g", double(r.bodyTemperature()),
                  double(r.outdoorTemperature()), double(r.indoorTemperature()));
    out_ << "\nTemperature (body / outdoor / indoor): " << num << '\n';
    out_ << "Humidity (outdoor / indoor): " << r.outdoorHumidity() << " / " << r.indoorHumidity()
         << '\n';
    out_ << "Voice note: "
         << (r.voiceFlag() == 1
                 ? std::to_string(r.voiceLength()) + " bytes at " + std::to_string(r.voiceOffset())
                 : std::string("none"))
         << '\n';
    out_ << "\nBody:\n" << u(tn.body) << '\n';
    for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
        if (!tn.typeText[std::size_t(t)].empty())
            out_ << '\n' << u(c.typeName(t)) << ":\n" << u(tn.typeText[std::size_t(t)]) << '\n';
    return kOk;
}

int Cli::exportJson(const std::string& path) {
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    formats::DiaryRecords d;
    d.name = tn.files().name();
    bool ok = tn.ForEachEntry(true, [&](const EntryView& v) {
        formats::Entry e{v.record, std::string(v.body), {}, v.index + 1};
        for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
            e.types[std::size_t(t)] = std::string(v.types[std::size_t(t)]);
        d.entries.push_back(std::move(e));
        return true;
    });
    ok = tn.reminders.ReadAll(d.reminders) && ok;
    ok = tn.planner.ReadAll(d.planner) && ok;
    ok = tn.contacts.ReadAll(d.contacts) && ok;
    ok = tn.medication.ReadAll(d.medication) && ok;
    ok = tn.ingredients.ReadAll(d.ingredients) && ok;
    ok = tn.recipes.ReadAll(d.recipes) && ok;
    d.config = loadConfig(tn.files());
    formats::JsonWriter().write(out_, d);
    return ok ? kOk : kFailed;
}

int Cli::writeLocked(const std::string& path, const std::function<int(TN&)>& write) {
    if (int s = admit(path)) return s; // asked before the lock, so no writer waits on a typist
    StreamReporter rep(err_);
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    auto lock = tn.LockForWriting();
    if (!lock) return kFailed;         // reported
    if (int s = admit(path)) return s; // the diary may have been re-keyed meanwhile
    return write(tn);
}

bool Cli::readObjects(std::vector<Json>& objects, const char* what) {
    if (std::string why; !formats::JsonReader::parseObjects(in_, objects, why)) {
        err_ << "tavrin-cli: standard input is " << why << '\n';
        return false;
    }
    if (objects.empty()) {
        err_ << "tavrin-cli: no " << what << " to add\n";
        return false;
    }
    return true;
}

int Cli::add(const std::string& path) {
    // Every entry is checked before anything is opened.
    formats::JsonReader reader;
    std::vector<formats::Entry> read;
    if (formats::ReadProblem problem; !reader.read(in_, read, problem)) {
        if (problem.entry == 0)
            err_ << "tavrin-cli: standard input is " << problem.text << '\n';
        else
            err_ << "tavrin-cli: entry " << problem.entry << ": " << problem.text << '\n';
        return kUsage;
    }
    if (read.empty()) {
        err_ << "tavrin-cli: no entry to add\n";
        return kUsage;
    }
    std::vector<NewEntry> pending;
    for (formats::Entry& e : read)
        pending.push_back({e.record, std::move(e.body), std::move(e.types)});
    const std::vector<Json>& objects = reader.objects();

    // A diary's first entry brings its password and security pairs.
    auto newDiarySecrets = [&](EntryRecord& secrets) {
        const Json& first = objects.front();
        std::string pw = first.contains("password") && first["password"].is_string()
                             ? cp1252::fromUtf8(first["password"].get<std::string>())
                             : std::string();
        if (pw.size() < 3 || pw.size() > 29) {
            err_ << "tavrin-cli: a new diary needs a \"password\" of 3 to 29 characters\n";
            return kUsage;
        }
        secrets.setPassword(pw);
        int full = 0;
        if (first.contains("security") && first["security"].is_array()) {
            const Json& pairs = first["security"];
            for (std::size_t i = 0; i < pairs.size() && full < EntryRecord::kPairs; ++i) {
                auto text = [&](const char* k) {
                    return pairs[i].is_object() && pairs[i].contains(k) && pairs[i][k].is_string()
                               ? cp1252::fromUtf8(pairs[i][k].get<std::string>())
                               : std::string();
                };
                std::string q = text("question"), a = text("answer");
                if (q.empty() || a.empty()) continue; // half a pair is dropped
                if (q.size() > 29 || a.size() > 29) {
                    err_ << "tavrin-cli: security questions and answers hold at most 29 "
                            "characters\n";
                    return kUsage;
                }
                secrets.setQuestion(full, q);
                secrets.setAnswer(full, a);
                ++full;
            }
        }
        if (full == 0) {
            err_ << "tavrin-cli: a new diary needs at least one full pair of question and answer "
                    "in \"security\"\n";
            return kUsage;
        }
        return kOk;
    };
    // Asked before the lock is taken, so that no other writer waits while someone types.
    auto hasEntries = [&] { return fileSize(path) >= std::int64_t(EntryRecord::kSize); };
    const bool hadEntries = hasEntries();
    EntryRecord secrets;
    if (int s = hadEntries ? admit(path) : newDiarySecrets(secrets)) return s;

    // From here to the end the diary is ours: another writer waits or is refused, never mixed in.
    StreamReporter rep(err_);
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    auto lock = tn.LockForWriting();
    if (!lock) return kFailed; // reported
    if (hasEntries()) {
        if (int s = admit(path)) return s; // the diary may have been made or re-keyed meanwhile
        if (!tn.FirstEntry(true)) return kFailed;
        secrets = tn.entry;
    } else if (hadEntries) {
        if (int s = newDiarySecrets(secrets)) return s;
    }
    for (auto& p : pending)
        p.record.copySecretsFrom(secrets);
    // One operation: all the entries, sorted, or none of them (so a retry never stores twice).
    if (!tn.AddEntries(pending)) return kFailed;
    out_ << "Added " << pending.size() << (pending.size() == 1 ? " entry" : " entries")
         << "; the diary holds " << tn.entryCount << ".\n";
    return kOk;
}

int Cli::check(const std::string& path, bool repair) {
    if (repair) {
        StreamReporter rep(err_);
        TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
        auto lock = tn.LockForWriting();
        if (!lock) return kFailed; // reported
        bool repaired = true;
        std::vector<std::string> done;
        // Staged files without a journal never took effect; with the lock held they are ours.
        for (const auto& staged : DiaryCheck::staleStagedFiles(path)) {
            if (tn.io().remove(staged))
                done.push_back("Removed the staged file " + staged + ".");
            else
                repaired = false;
        }
        // A batch with its journal is finished first, so that the files agree when judged.
        repaired = FileBatch::settle(tn.io()) && repaired;
        const bool sound = DiaryCheck(path).entriesSound();
        if (sound) {
            repaired = tn.Repair(done) && repaired;
        } else {
            // Bytes past what a damaged record claims may still be an entry's: cut nothing.
            for (const auto& temp : tn.io().takeRemovedTemps())
                done.push_back("Removed the temporary file " + temp + ".");
            out_ << "The entries are damaged, so nothing was cut from the diary's files.\n";
        }
        for (const auto& d : done)
            out_ << d << '\n';
        if (!repaired) return kFailed;
        if (done.empty() && sound) out_ << "Nothing to repair.\n";
    }
    auto problems = DiaryCheck(path).run();
    for (const auto& p : problems)
        out_ << p << '\n';
    if (problems.empty()) {
        out_ << "No problems found.\n";
        return kOk;
    }
    out_ << problems.size() << (problems.size() == 1 ? " problem" : " problems") << " found.\n";
    return kFailed;
}

} // namespace tavrin::cli
