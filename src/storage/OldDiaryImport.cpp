#include "storage/OldDiaryImport.h"

#include "storage/DiaryConfig.h"
#include "storage/FileBatch.h"
#include "storage/ProgramTexts.h"
#include "storage/Scramble.h"
#include "storage/TN.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <numeric>
#include <vector>

namespace tavrin {
namespace {

std::uint32_t u32At(const std::string& s, std::size_t off) {
    return le::u32(reinterpret_cast<const std::uint8_t*>(s.data()) + off);
}

// A fixed text field up to its first NUL.
std::string textAt(const std::string& s, std::size_t off, std::size_t width) {
    std::string t = s.substr(off, width);
    return t.substr(0, t.find('\0'));
}

template <class Rec> std::string rawTable(Table<Rec>& table, bool& ok) {
    std::vector<Rec> recs;
    ok = table.ReadAll(recs);
    std::string raw;
    for (const auto& r : recs)
        raw.append(reinterpret_cast<const char*>(r.data()), Rec::kSize);
    return raw;
}

// The whole index in date order, as every other way of adding entries leaves it.
std::string sortedIndex(const std::string& index) {
    const std::size_t n = index.size() / TN::kIndexRecord;
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    auto when = [&](std::size_t i) {
        return std::int64_t(le::u64(reinterpret_cast<const std::uint8_t*>(index.data()) +
                                    i * TN::kIndexRecord + EntryRecord::kDateTime));
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return when(a) < when(b); });
    std::string sorted;
    sorted.reserve(index.size());
    for (std::size_t i : order)
        sorted.append(index, i * TN::kIndexRecord, TN::kIndexRecord);
    return sorted;
}

// The entry's scales as the editor offers them: mood and dream centre on their middle level 0,
// fatigue and shape count down from their best level 0; 0 is also what an entry holds when
// nothing was chosen. Version 2 kept each in four bytes; only the low byte was ever meant.
struct OldScale {
    std::size_t offset;
    int levels;
    bool centred;
    void (EntryRecord::*set)(std::int8_t);
};
const OldScale kOldScales[] = {
    {38, DiaryConfig::kMoods, true, &EntryRecord::setMood},
    {42, DiaryConfig::scaleLevels(DiaryConfig::Scale::Fatigue), false, &EntryRecord::setFatigue},
    {46, DiaryConfig::scaleLevels(DiaryConfig::Scale::Shape), false, &EntryRecord::setShape},
    {60, DiaryConfig::scaleLevels(DiaryConfig::Scale::Dream), true, &EntryRecord::setDream},
};

void tell(const OldDiaryImport::Progress& progress, const char* stage, std::int64_t at,
          std::int64_t total) {
    if (progress) progress(stage, at, total);
}

} // namespace

OldDiaryImport::OldDiaryImport(TN& target, std::string oldIndexPath, int extensionAt)
    : tn_(target), index_(std::move(oldIndexPath)), extAt_(extensionAt) {
    if (extAt_ < 0) {
        const auto dot = index_.find_last_of('.');
        const auto slash = index_.find_last_of('/');
        extAt_ = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                     ? int(dot + 1)
                     : int(index_.size());
    }
}

std::string OldDiaryImport::sibling(char letter) const {
    std::string p = index_;
    if (std::size_t(extAt_) < p.size())
        p[std::size_t(extAt_)] = letter;
    else
        p += letter; // no extension: a name of its own all the same
    return p;
}

std::string OldDiaryImport::badTemperature(int index) const {
    return "Entry " + std::to_string(index + 1) + " of " + index_ +
           " is damaged: its temperature is not a number. Nothing was imported.";
}

std::string OldDiaryImport::successText() const {
    std::string text = "Successfully converted " + std::to_string(entries_) + " entries, " +
                       std::to_string(reminders_) + " reminders, " + std::to_string(planners_) +
                       " planners!";
    if (outOfScale_ == 1)
        text += " 1 mood or scale value outside its scale was stored as not set.";
    else if (outOfScale_ > 1)
        text += " " + std::to_string(outOfScale_) +
                " mood or scale values outside their scales were stored as not set.";
    return text;
}

bool OldDiaryImport::readWhole(const std::string& path, std::string& out) {
    auto f = tn_.io().open(path, OpenMode::Read);
    return f && tn_.io().readAll(*f, path, out);
}

OldDiaryImport::Read OldDiaryImport::readTable(const std::string& path, std::string& out) {
    DiaryIo& io = tn_.io();
    auto f = io.openIfExists(path, OpenMode::Read);
    if (!f) {
        if (io.fs().lastError() != ENOENT) return Read::Failed; // reported
        io.reportError(ENOENT, path); // said, as a missing table has always been
        return Read::Missing;
    }
    return io.readAll(*f, path, out) ? Read::Done : Read::Failed;
}

OldDiaryImport::Result OldDiaryImport::run(const std::string& oldPassword,
                                           const Progress& progress) {
    entries_ = reminders_ = planners_ = outOfScale_ = 0;
    if (oldPassword.size() < 3) return Result::TooShort;

    DiaryIo& io = tn_.io();
    std::string oldIndex, oldTexts;
    if (!readWhole(index_, oldIndex) || !readWhole(sibling('d'), oldTexts)) return Result::Failed;

    auto lock = io.lockForWriting();
    if (!lock) return Result::Failed;
    WaitScope wait(io.reporter());
    // An index that cannot be read is a failure, not a diary without entries.
    std::vector<EntryRecord> own;
    if (!tn_.ReadAllIndexRecords(own)) return Result::Failed;
    if (own.empty()) return Result::NoEntry;
    if (!tn_.FirstEntry(true)) return Result::Failed;
    const EntryRecord first = tn_.entry;

    std::vector<EntryRecord> records;
    std::vector<std::string> bodies;
    if (Result r = readEntries(oldIndex, oldTexts, oldPassword, first, progress, records, bodies);
        r != Result::Done)
        return r;
    if (records.empty()) return Result::NothingToRead;
    std::vector<ReminderRecord> reminders;
    std::vector<PlannerRecord> planned;
    const Result result = readTables(progress, reminders, planned);
    if (result == Result::Failed ||
        !store(records, bodies, reminders, planned, scramble::textKey(first.password())))
        return Result::Failed;
    entries_ = int(records.size());
    reminders_ = int(reminders.size());
    planners_ = int(planned.size());
    return result;
}

OldDiaryImport::Result
OldDiaryImport::readEntries(const std::string& oldIndex, const std::string& oldTexts,
                            const std::string& oldPassword, const EntryRecord& first,
                            const Progress& progress, std::vector<EntryRecord>& records,
                            std::vector<std::string>& bodies) {
    const std::int64_t total = std::int64_t(oldIndex.size() / kIndexRecord);
    tell(progress, kConvertingEntries, 0, total);
    for (std::int64_t i = 0; i < total; ++i) {
        const std::size_t at = std::size_t(i) * kIndexRecord;
        std::string password =
            oldIndex.substr(at + 4, std::min<std::uint32_t>(u32At(oldIndex, at), 30));
        scramble::text(password, scramble::kPasswordKey);
        password = password.substr(0, password.find('\0'));
        if (i == 0 && password != oldPassword) return Result::WrongPassword;

        const std::uint32_t off = u32At(oldIndex, at + 64), len = u32At(oldIndex, at + 68);
        if (std::uint64_t(off) + len > oldTexts.size()) break; // the texts end here
        // Stored as it is, a temperature that is no number would be damage in the new diary.
        const float temperature = std::bit_cast<float>(u32At(oldIndex, at + 52));
        if (!std::isfinite(temperature)) {
            tn_.io().reporter().report(ReportKind::Damaged, badTemperature(int(i)));
            return Result::Failed;
        }
        std::string body = oldTexts.substr(off, len);
        scramble::text(body, scramble::textKey(password));

        EntryRecord r;
        r.clear();
        r.copySecretsFrom(first);
        r.setVersion(1);
        r.setDateTime(std::int64_t(u32At(oldIndex, at + 34)));
        // A level the scale does not have would be damage in the new diary: not set instead.
        for (const OldScale& scale : kOldScales) {
            const auto v = std::int8_t(std::uint8_t(u32At(oldIndex, at + scale.offset)));
            const int low = scale.centred ? -(scale.levels / 2) : -(scale.levels - 1);
            const int high = scale.centred ? scale.levels / 2 : 0;
            const bool fits = v >= low && v <= high;
            if (!fits) ++outOfScale_;
            (r.*scale.set)(fits ? v : std::int8_t(0));
        }
        r.setCopulation(std::uint8_t(oldIndex[at + 50]));
        r.setMenstruation(std::uint8_t(oldIndex[at + 51]));
        r.setReal1(temperature);
        r.setInt1(std::int32_t(u32At(oldIndex, at + 56)));
        // Version 2 knew no symptom ratings: not rated, rather than rated "1" (which 0 means).
        for (const auto& f : EntryRecord::fibroFields())
            r.setFibro(f.field, -1);
        r.setVoiceFlag(0);
        records.push_back(r);
        bodies.push_back(std::move(body));
        tell(progress, kConvertingEntries, i + 1, total);
    }
    return Result::Done;
}

// A missing file ends the import there, with the entries (and reminders) read so far still
// imported. A file that is there but cannot be read imports nothing at all, so that running the
// import again adds nothing twice.
OldDiaryImport::Result OldDiaryImport::readTables(const Progress& progress,
                                                  std::vector<ReminderRecord>& reminders,
                                                  std::vector<PlannerRecord>& planned) {
    std::string raw;
    if (const Read got = readTable(sibling('r'), raw); got != Read::Done)
        return got == Read::Missing ? Result::EntriesOnly : Result::Failed;
    const std::int64_t n = std::int64_t(raw.size() / kReminderRecord);
    tell(progress, kConvertingReminders, 0, n);
    for (std::int64_t i = 0; i < n; ++i) {
        const std::size_t at = std::size_t(i) * kReminderRecord;
        ReminderRecord r;
        r.clear();
        r.setDate(std::int64_t(u32At(raw, at)));
        r.setTime(std::int64_t(u32At(raw, at)));
        r.setKind(0);
        r.setDayOfWeek(0);
        r.setDescription(textAt(raw, at + 4, 40));
        reminders.push_back(r);
        tell(progress, kConvertingReminders, i + 1, n);
    }

    if (const Read got = readTable(sibling('p'), raw); got != Read::Done)
        return got == Read::Missing ? Result::EntriesOnly : Result::Failed;
    const std::int64_t m = std::int64_t(raw.size() / kPlannerRecord);
    tell(progress, kConvertingPlanners, 0, m);
    for (std::int64_t i = 0; i < m; ++i) {
        const std::size_t at = std::size_t(i) * kPlannerRecord;
        PlannerRecord p;
        p.clear();
        p.setDate(std::int64_t(u32At(raw, at)));
        // Any low byte but 0 meant done; stored as the planner stores it, 1.
        p.setDone(raw[at + 58] != 0 ? 1 : 0);
        p.setPriority(0);
        p.setDescription(textAt(raw, at + 8, 49));
        planned.push_back(p);
        tell(progress, kConvertingPlanners, i + 1, m);
    }
    return Result::Done;
}

bool OldDiaryImport::store(std::vector<EntryRecord>& records,
                           const std::vector<std::string>& bodies,
                           const std::vector<ReminderRecord>& reminders,
                           const std::vector<PlannerRecord>& planned, std::uint8_t key) {
    // The texts are appended first; nothing points at them until the batch is done.
    DiaryIo& io = tn_.io();
    const DiaryFileSet& files = tn_.files();
    std::string index;
    if (auto f = io.openIfExists(files.indexPath(), OpenMode::Read)) {
        if (!io.readAll(*f, files.indexPath(), index)) return false;
    } else {
        return false; // FirstEntry read it a moment ago
    }
    index.resize(index.size() / TN::kIndexRecord * TN::kIndexRecord);
    const std::string dataPath = files.path(DiaryFileSet::kData);
    auto data = io.open(dataPath, OpenMode::Create);
    if (!data) return false;
    const std::int64_t dataLen = data->size();
    if (dataLen < 0) {
        io.reportError(data->error(), dataPath);
        return false;
    }
    std::string texts;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (std::uint64_t(dataLen) + texts.size() + bodies[i].size() > UINT32_MAX) {
            io.reporter().report(ReportKind::FileError, messages::dataFileFull(dataPath));
            return false;
        }
        const auto at = std::uint32_t(std::uint64_t(dataLen) + texts.size());
        std::string body = bodies[i];
        scramble::text(body, key);
        texts += body;
        EntryRecord& r = records[i];
        r.setBody(at, std::uint32_t(body.size()));
        for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
            r.setType(t, std::uint32_t(std::uint64_t(dataLen) + texts.size()), 0);
        EntryRecord stored = r;
        scramble::indexRecord(stored);
        index.append(reinterpret_cast<const char*>(stored.data()), TN::kIndexRecord);
    }
    if (!texts.empty() && !io.writeSynced(*data, dataPath, dataLen, texts)) {
        data->truncate(dataLen);
        return false;
    }

    FileBatch batch(io);
    batch.replace(FileBatch::kIndex, sortedIndex(index));
    bool ok = true;
    if (!reminders.empty()) {
        std::string table = rawTable(tn_.reminders, ok);
        for (const auto& r : reminders)
            table.append(reinterpret_cast<const char*>(r.data()), ReminderRecord::kSize);
        batch.replace(DiaryFileSet::kReminders, std::move(table));
    }
    if (ok && !planned.empty()) {
        std::string table = rawTable(tn_.planner, ok);
        for (const auto& p : planned)
            table.append(reinterpret_cast<const char*>(p.data()), PlannerRecord::kSize);
        batch.replace(DiaryFileSet::kPlanner, std::move(table));
    }
    if (!ok || !batch.commit()) {
        data->truncate(dataLen);
        return false;
    }
    return true;
}

} // namespace tavrin
