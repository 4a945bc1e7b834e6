// tavrin-cli's commands over the entries: info, list, show, export, add and check (and print's
// row; its run function is in PrintCommands.cpp).

#include "cli/CommandRegistry.h"
#include "cli/Session.h"
#include "cli/StreamReporter.h"

#include "cli/DiaryCheck.h"
#include "formats/JsonReader.h"
#include "formats/JsonWriter.h"
#include "rtf/RtfSearchText.h"
#include "storage/Cp1252.h"
#include "storage/FileBatch.h"
#include "storage/LocalTime.h"
#include "storage/PainKinds.h"
#include "storage/TN.h"

#include <cstdio>
#include <iostream>
#include <sys/stat.h>

namespace tavrin::cli {
namespace {

std::int64_t fileSize(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? std::int64_t(st.st_size) : -1;
}

// The diary's configuration as stored, or the defaults, read without creating anything.
DiaryConfig loadConfig(const DiaryFileSet& files) {
    DiaryConfig c;
    int cause;
    if (!Session::readPrefix(files.path(DiaryFileSet::kConfig), c.data(), DiaryConfig::kSize,
                             cause)) {
        c.clear();
        c.applyDefaults();
    }
    return c;
}

std::string nameAt(const std::string& name, int value) {
    return cp1252::toUtf8(name) + " (" + std::to_string(value) + ")";
}

int info(Session& s, const Arguments& a) {
    const std::string& path = a.diary;
    DiaryFileSet files(path);
    const std::int64_t indexSize = std::max<std::int64_t>(0, fileSize(path));
    s.out() << "Diary: " << files.name() << '\n';
    s.out() << "Entries: " << indexSize / std::int64_t(EntryRecord::kSize) << '\n';
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
        s.out() << line;
    }
    for (int pad = 0; pad < DiaryFileSet::kPadFiles; ++pad) {
        std::int64_t size = fileSize(files.padPath(pad));
        if (size >= 0) {
            std::snprintf(line, sizeof line, "  %-22s %12lld  %-24s %s\n",
                          ("scratch pad " + std::to_string(pad + 1)).c_str(), (long long)size, "",
                          files.padPath(pad).c_str());
            s.out() << line;
        }
    }
    return kOk;
}

int list(Session& s, const Arguments& a) {
    const std::string& path = a.diary;
    if (int st = s.admit(path)) return st;
    StreamReporter rep(s.err());
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    std::vector<EntryRecord> recs;
    bool ok = tn.ReadAllIndexRecords(recs);
    for (std::size_t i = 0; i < recs.size(); ++i)
        s.out() << Session::entryLine(int(i + 1), recs[i]);
    return ok ? kOk : kFailed;
}

int showFields(Session& s, const Arguments& a) {
    const std::string& path = a.diary;
    const long n = s.entryArgument(a.words[0]);
    if (!n) return kUsage;
    if (int st = s.admit(path)) return st;
    StreamReporter rep(s.err());
    const std::unique_ptr<TN> opened = s.openEntry(path, n, rep, true);
    if (!opened) return kFailed;
    TN& tn = *opened;
    using Scale = DiaryConfig::Scale;
    using Measure = DiaryConfig::Measure;
    const DiaryConfig c = loadConfig(tn.files());
    const EntryRecord& r = tn.entry;
    auto u = [](const std::string& text) { return cp1252::toUtf8(text); };
    auto pick = [&](auto nameOf, int count, int index, int value) {
        return index >= 0 && index < count ? nameAt(nameOf(index), value)
                                           : "? (" + std::to_string(value) + ")";
    };
    auto off = [](bool enabled) { return enabled ? "" : "  [not shown]"; };
    char num[64];

    s.out() << "Entry " << n << " of " << tn.entryCount << '\n';
    s.out() << "Date and time: " << LocalTime::iso(r.dateTime()) << '\n';
    s.out() << "Description: " << u(r.description()) << '\n';
    s.out() << "Mood: "
            << pick([&](int i) { return c.moodName(i); }, DiaryConfig::kMoods, r.mood() + 3,
                    r.mood())
            << off(c.moodEnabled()) << '\n';
    const std::pair<Scale, int> scales[] = {{Scale::Dream, r.dream() + 2},
                                            {Scale::Fatigue, r.fatigue() + 2},
                                            {Scale::Shape, r.shape() + 3}};
    const int scaleValues[] = {r.dream(), r.fatigue(), r.shape()};
    for (int i = 0; i < 3; ++i) {
        Scale scale = scales[i].first;
        s.out() << u(c.scaleName(scale)) << ": "
                << pick([&](int k) { return c.scaleLevel(scale, k); },
                        DiaryConfig::scaleLevels(scale), scales[i].second, scaleValues[i])
                << off(c.scaleEnabled(scale)) << '\n';
    }
    s.out() << u(c.checkName(0)) << ": " << (r.menstruation() == 1 ? "Yes" : "No")
            << off(c.checkEnabled(0)) << '\n';
    s.out() << u(c.checkName(1)) << ": " << (r.copulation() == 1 ? "Yes" : "No")
            << off(c.checkEnabled(1)) << '\n';
    std::snprintf(num, sizeof num, "%0.2f", double(r.real1()));
    s.out() << u(c.measureName(Measure::Real1)) << ": " << num
            << off(c.measureEnabled(Measure::Real1)) << '\n';
    std::snprintf(num, sizeof num, "%0.2f", double(r.real2()));
    s.out() << u(c.measureName(Measure::Real2)) << ": " << num
            << off(c.measureEnabled(Measure::Real2)) << '\n';
    s.out() << u(c.measureName(Measure::Int1)) << ": " << r.int1()
            << off(c.measureEnabled(Measure::Int1)) << '\n';
    s.out() << u(c.measureName(Measure::Int2)) << ": " << r.int2()
            << off(c.measureEnabled(Measure::Int2)) << '\n';
    s.out() << "Weather: "
            << pick([&](int i) { return c.weatherName(i); }, DiaryConfig::kWeathers, r.weather(),
                    r.weather())
            << off(c.weatherEnabled()) << '\n';
    for (int k = 0; k < DiaryConfig::kSpins; ++k)
        s.out() << u(c.spinName(k)) << ": "
                << pick([&](int i) { return c.spinValue(k, i); }, DiaryConfig::kSpinValues,
                        r.spin(k) + 3, r.spin(k))
                << off(c.spinEnabled(k)) << '\n';
    for (int k = 0; k < DiaryConfig::kCombos; ++k)
        s.out() << u(c.comboName(k)) << ": "
                << pick([&](int i) { return c.comboRow(k, i); }, c.comboRows(k), r.combo(k),
                        r.combo(k))
                << off(c.comboEnabled(k)) << '\n';
    s.out() << "Body pain map, back view:";
    for (int area = 0; area < 10; ++area)
        s.out() << (area == 5 ? " |" : "") << ' ' << PainKinds::name(r.pain(area));
    s.out() << "\nBody pain map, front view:";
    for (int area = 10; area < EntryRecord::kPainAreas; ++area)
        s.out() << (area == 14 ? " |" : "") << ' ' << PainKinds::name(r.pain(area));
    s.out() << '\n';
    s.out() << "Fibromyalgia ratings (1 to 10, - = not rated):";
    for (const auto& f : EntryRecord::fibroFields()) {
        int v = r.fibro(f.field);
        s.out() << ' ' << f.name << '=' << (v < 0 ? std::string("-") : std::to_string(v + 1));
    }
    std::snprintf(num, sizeof num, "%g / %g / %g", double(r.bodyTemperature()),
                  double(r.outdoorTemperature()), double(r.indoorTemperature()));
    s.out() << "\nTemperature (body / outdoor / indoor): " << num << '\n';
    s.out() << "Humidity (outdoor / indoor): " << r.outdoorHumidity() << " / " << r.indoorHumidity()
            << '\n';
    s.out() << "Voice note: "
            << (r.voiceFlag() == 1 ? std::to_string(r.voiceLength()) + " bytes at " +
                                         std::to_string(r.voiceOffset())
                                   : std::string("none"))
            << '\n';
    s.out() << "\nBody:\n" << u(tn.body) << '\n';
    for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
        if (!tn.typeText[std::size_t(t)].empty())
            s.out() << '\n' << u(c.typeName(t)) << ":\n" << u(tn.typeText[std::size_t(t)]) << '\n';
    return kOk;
}

int exportJson(Session& s, const Arguments& a) {
    const std::string& path = a.diary;
    if (int st = s.admit(path)) return st;
    StreamReporter rep(s.err());
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
    formats::JsonWriter().write(s.out(), d);
    return ok ? kOk : kFailed;
}

int add(Session& s, const Arguments& a) {
    const std::string& path = a.diary;
    // Every entry is checked before anything is opened.
    formats::JsonReader reader;
    std::vector<formats::Entry> read;
    if (formats::ReadProblem problem; !reader.read(s.in(), read, problem)) {
        if (problem.entry == 0)
            s.err() << "tavrin-cli: standard input is " << problem.text << '\n';
        else
            s.err() << "tavrin-cli: entry " << problem.entry << ": " << problem.text << '\n';
        return kUsage;
    }
    if (read.empty()) {
        s.err() << "tavrin-cli: no entry to add\n";
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
            s.err() << "tavrin-cli: a new diary needs a \"password\" of 3 to 29 characters\n";
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
                std::string q = text("question"), answer = text("answer");
                if (q.empty() || answer.empty()) continue; // half a pair is dropped
                if (q.size() > 29 || answer.size() > 29) {
                    s.err() << "tavrin-cli: security questions and answers hold at most 29 "
                               "characters\n";
                    return kUsage;
                }
                secrets.setQuestion(full, q);
                secrets.setAnswer(full, answer);
                ++full;
            }
        }
        if (full == 0) {
            s.err()
                << "tavrin-cli: a new diary needs at least one full pair of question and answer "
                   "in \"security\"\n";
            return kUsage;
        }
        return kOk;
    };
    // Asked before the lock is taken, so that no other writer waits while someone types.
    auto hasEntries = [&] { return fileSize(path) >= std::int64_t(EntryRecord::kSize); };
    const bool hadEntries = hasEntries();
    EntryRecord secrets;
    if (int st = hadEntries ? s.admit(path) : newDiarySecrets(secrets)) return st;

    // From here to the end the diary is ours: another writer waits or is refused, never mixed in.
    StreamReporter rep(s.err());
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    auto lock = tn.LockForWriting();
    if (!lock) return kFailed; // reported
    if (hasEntries()) {
        if (int st = s.admit(path)) return st; // the diary may have been made or re-keyed meanwhile
        if (!tn.FirstEntry(true)) return kFailed;
        secrets = tn.entry;
    } else if (hadEntries) {
        if (int st = newDiarySecrets(secrets)) return st;
    }
    for (auto& p : pending)
        p.record.copySecretsFrom(secrets);
    // One operation: all the entries, sorted, or none of them (so a retry never stores twice).
    if (!tn.AddEntries(pending)) return kFailed;
    s.out() << "Added " << pending.size() << (pending.size() == 1 ? " entry" : " entries")
            << "; the diary holds " << tn.entryCount << ".\n";
    return kOk;
}

int check(Session& s, const Arguments& a) {
    const std::string& path = a.diary;
    if (a.has("--repair")) {
        StreamReporter rep(s.err());
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
            s.out() << "The entries are damaged, so nothing was cut from the diary's files.\n";
        }
        for (const auto& d : done)
            s.out() << d << '\n';
        if (!repaired) return kFailed;
        if (done.empty() && sound) s.out() << "Nothing to repair.\n";
    }
    auto problems = DiaryCheck(path).run();
    for (const auto& p : problems)
        s.out() << p << '\n';
    if (problems.empty()) {
        s.out() << "No problems found.\n";
        return kOk;
    }
    s.out() << problems.size() << (problems.size() == 1 ? " problem" : " problems") << " found.\n";
    return kFailed;
}

// The visible text of an entry's body, as search sees it.
int showText(Session& s, const Arguments& a) {
    const long n = s.entryArgument(a.words[0]);
    if (!n) return kUsage;
    if (int st = s.admit(a.diary)) return st;
    StreamReporter rep(s.err());
    const std::unique_ptr<TN> tn = s.openEntry(a.diary, n, rep, true);
    if (!tn) return kFailed;
    const std::string text = diary::RtfSearchText::visible(tn->body);
    s.out() << text;
    if (!text.empty() && text.back() != '\n') s.out() << '\n';
    return kOk;
}

int show(Session& s, const Arguments& a) {
    return a.has("--text") ? showText(s, a) : showFields(s, a);
}

} // namespace

std::vector<Command> diaryCommands() {
    return {
        {"info", {}, {}, "entry count and the files of the diary with their sizes", info},
        {"list",
         {},
         {},
         "one line per entry: position, date and time, voice note, type texts present, "
         "description",
         list},
        {"show",
         {"N"},
         {{"--text", Option::Flag, nullptr, nullptr}},
         "every field of entry N (1 is the oldest) with its texts; with --text only the "
         "visible text of its body, as search sees it",
         show},
        {"export", {}, {}, "the whole diary as JSON on standard output", exportJson},
        {"add", {}, {}, "add entries from JSON on standard input, then sort", add, true},
        {"check",
         {},
         {{"--repair", Option::Flag, nullptr, nullptr}},
         "verify every record; exit status 0 only when clean. With --repair first cut unused "
         "bytes left by an interrupted write and remove stray temporary and staged files, "
         "saying what was done",
         check},
        {"print",
         {"FILE.pdf"},
         {kFromOption, kToOption, {"--pain-map", Option::Flag, nullptr, nullptr}},
         "the entries from DATE to DATE (default all) printed to a PDF file as the diary page "
         "prints them",
         printEntries},
    };
}

} // namespace tavrin::cli
