#include "storage/TN.h"

#include "storage/GsmVoice.h"
#include "storage/LocalTime.h"
#include "storage/Scramble.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
#include <numeric>

namespace tavrin {

namespace messages {
std::string damagedEntry(int index, const std::string& indexPath, const std::string& dataPath) {
    return "Entry " + std::to_string(index + 1) + " of " + indexPath +
           " is damaged: its texts point outside " + dataPath + ".";
}
std::string dataFileFull(const std::string& dataPath) {
    return dataPath + " has reached its largest possible size (4 GB). Compact the entries "
                      "database before adding more entries.";
}
std::string damagedVoice(int index, const std::string& indexPath, const std::string& voicePath) {
    return "Entry " + std::to_string(index + 1) + " of " + indexPath +
           " is damaged: its voice note lies outside " + voicePath + ".";
}
} // namespace messages

namespace {
constexpr std::int64_t kRec = std::int64_t(TN::kIndexRecord);
constexpr const char* kTraceNext = "next: current_index";
constexpr const char* kTraceNextIndex = "next(index): current_index";

std::string_view bytesOf(const EntryRecord& r) {
    return {reinterpret_cast<const char*>(r.data()), EntryRecord::kSize};
}
} // namespace

TN::TN(int initialIndex, const std::string& diaryPath, int extensionOffset, Reporter* reporter,
       FileSystem* fs)
    : TNCore(diaryPath, extensionOffset, reporter ? *reporter : Reporter::global(),
             fs ? *fs : FileSystem::native()),
      currentEntry(initialIndex), reminders(io_, files_.path(DiaryFileSet::kReminders)),
      planner(io_, files_.path(DiaryFileSet::kPlanner)),
      contacts(io_, files_.path(DiaryFileSet::kContacts)),
      recipes(io_, files_.path(DiaryFileSet::kRecipes)),
      ingredients(io_, files_.path(DiaryFileSet::kIngredients)),
      tempIngredients(io_, files_.path(DiaryFileSet::kTempIngredients)),
      medication(io_, files_.path(DiaryFileSet::kMedication)) {
    io_.fs().makeDirectory(files_.directory()); // failures show up when a file is opened
    // Dates would silently shift if the zone were taken as UTC: said once, by the first TN.
    static std::once_flag zoneChecked;
    std::call_once(zoneChecked, [this] {
        if (std::string problem = LocalTime::zoneProblem(); !problem.empty())
            io_.reporter().report(ReportKind::FileError, problem);
    });
}

// ---------------------------------------------------------------- entries

bool TN::readIndexFile(std::string& raw) {
    raw.clear();
    auto f = io_.openIfExists(files_.indexPath(), OpenMode::Read);
    if (!f) {
        entryCount = 0;
        indexFileLength = 0;
        return io_.fs().lastError() == ENOENT;
    }
    if (!io_.readAll(*f, files_.indexPath(), raw)) return false;
    indexFileLength = std::int64_t(raw.size());
    entryCount = int(std::min<std::int64_t>(indexFileLength / kRec, INT32_MAX));
    raw.resize(std::size_t(entryCount) * TN::kIndexRecord); // a partial tail is no record
    return true;
}

bool TN::checkTexts(int index, const EntryRecord& rec, std::int64_t dataSize) {
    // An empty text has no place in the data file, so its offset is never read (as a single
    // entry's read and the checker see it).
    auto inside = [&](std::uint32_t off, std::uint32_t len) {
        return len == 0 || std::int64_t(off) + std::int64_t(len) <= dataSize;
    };
    bool ok = inside(rec.bodyOffset(), rec.bodyLength());
    for (int i = 0; ok && i < EntryRecord::kTypeTexts; ++i)
        ok = inside(rec.typeOffset(i), rec.typeLength(i));
    if (!ok)
        io_.reporter().report(
            ReportKind::Damaged,
            messages::damagedEntry(index, files_.indexPath(), files_.path(DiaryFileSet::kData)));
    return ok;
}

bool TN::readEntryAt(bool unscramble, bool withTexts) {
    const std::string& indexPath = files_.indexPath();
    auto idx = io_.openIfExists(indexPath, OpenMode::Read);
    if (!idx) {
        entryCount = 0;
        indexFileLength = 0;
        return false;
    }
    indexFileLength = idx->size();
    if (indexFileLength < 0) {
        io_.reportError(idx->error(), indexPath);
        return false;
    }
    entryCount = int(std::min<std::int64_t>(indexFileLength / kRec, INT32_MAX));
    if (currentEntry < 0 || currentEntry >= entryCount) return false;

    EntryRecord rec;
    std::int64_t got = idx->readAt(currentEntry * kRec, rec.data(), kRec);
    const int cause = idx->error();
    idx.reset();
    if (got != kRec) {
        if (got < 0) io_.reportError(cause, indexPath);
        return false;
    }
    if (rec.version() != 1) {
        io_.reporter().report(ReportKind::WrongVersion, messages::wrongVersion());
        return false;
    }
    if (unscramble) scramble::indexRecord(rec);

    std::string newBody;
    std::array<std::string, EntryRecord::kTypeTexts> newTypes;
    if (withTexts) {
        bool anyText = rec.bodyLength() > 0;
        for (int i = 0; i < EntryRecord::kTypeTexts; ++i)
            anyText = anyText || rec.typeLength(i);
        if (anyText) {
            const std::string dataPath = files_.path(DiaryFileSet::kData);
            auto data = io_.open(dataPath, OpenMode::Read);
            if (!data) return false;
            dataFileLength = data->size();
            if (!checkTexts(currentEntry, rec, dataFileLength)) return false;
            auto readText = [&](std::uint32_t off, std::uint32_t len, std::string& out) {
                out.resize(len);
                if (len == 0) return true;
                if (data->readAt(off, out.data(), len) == std::int64_t(len)) return true;
                if (data->error()) io_.reportError(data->error(), dataPath);
                return false;
            };
            if (!readText(rec.bodyOffset(), rec.bodyLength(), newBody)) return false;
            for (int i = 0; i < EntryRecord::kTypeTexts; ++i)
                if (!readText(rec.typeOffset(i), rec.typeLength(i), newTypes[i])) return false;
        }
        if (unscramble) {
            std::uint8_t key = scramble::textKey(rec.password());
            scramble::text(newBody, key);
            for (auto& t : newTypes)
                scramble::text(t, key);
        }
        body = std::move(newBody);
        typeText = std::move(newTypes);
    }
    entry = rec;
    return true;
}

bool TN::ReadEntry(bool unscramble) {
    if (readEntryAt(unscramble, true)) return true;
    body.clear();
    for (auto& t : typeText)
        t.clear();
    return false;
}

bool TN::FirstEntry(bool unscramble) {
    currentEntry = 0;
    return ReadEntry(unscramble);
}

bool TN::nextAfterFailure(const char* trace) {
    if (currentEntry < entryCount)
        io_.reporter().report(ReportKind::Trace, trace);
    else
        currentEntry = entryCount;
    return false;
}

bool TN::NextEntry(bool unscramble) {
    if (currentEntry >= entryCount) return false;
    ++currentEntry;
    return ReadEntry(unscramble) || nextAfterFailure(kTraceNext);
}

bool TN::ReadIndexRecord() {
    return readEntryAt(true, false);
}

bool TN::NextIndexRecord() {
    if (currentEntry >= entryCount) return false;
    ++currentEntry;
    return ReadIndexRecord() || nextAfterFailure(kTraceNextIndex);
}

bool TN::decodeEntry(int index, const std::string& raw, bool unscramble, EntryRecord& rec,
                     const char* trace) {
    std::memcpy(rec.data(), raw.data() + std::size_t(index) * TN::kIndexRecord, TN::kIndexRecord);
    if (rec.version() != 1) {
        io_.reporter().report(ReportKind::WrongVersion, messages::wrongVersion());
        if (index > 0) io_.reporter().report(ReportKind::Trace, trace);
        return false;
    }
    if (unscramble) scramble::indexRecord(rec);
    return true;
}

bool TN::ReadAllIndexRecords(std::vector<EntryRecord>& out) {
    out.clear();
    std::string raw;
    if (!readIndexFile(raw)) return false;
    out.resize(std::size_t(entryCount));
    for (int i = 0; i < entryCount; ++i) {
        if (!decodeEntry(i, raw, true, out[std::size_t(i)], kTraceNextIndex)) {
            out.resize(std::size_t(i));
            return false;
        }
    }
    return true;
}

bool TN::ForEachEntry(bool unscramble, const std::function<bool(const EntryView&)>& visit) {
    std::string raw;
    if (!readIndexFile(raw)) return false;
    if (entryCount == 0) return true;

    const std::string dataPath = files_.path(DiaryFileSet::kData);
    std::string data;
    if (auto f = io_.openIfExists(dataPath, OpenMode::Read)) {
        if (!io_.readAll(*f, dataPath, data)) return false;
    } else if (io_.fs().lastError() != ENOENT) {
        return false;
    }
    dataFileLength = std::int64_t(data.size());

    bool all = true;
    EntryRecord rec;
    std::string scratchBody;
    std::array<std::string, EntryRecord::kTypeTexts> scratchTypes;
    for (int i = 0; i < entryCount; ++i) {
        if (!decodeEntry(i, raw, unscramble, rec, kTraceNext)) return false;
        if (!checkTexts(i, rec, dataFileLength)) {
            all = false; // reported; the other entries are still visited
            continue;
        }
        auto slice = [&](std::uint32_t off, std::uint32_t len) {
            return len ? std::string_view(data).substr(off, len) : std::string_view();
        };
        std::uint8_t key;
        if (unscramble) {
            key = scramble::textKey(rec.password());
        } else {
            EntryRecord plain = rec;
            scramble::indexRecord(plain);
            key = scramble::textKey(plain.password());
        }
        EntryView v{i, rec, key, slice(rec.bodyOffset(), rec.bodyLength()), {}};
        for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
            v.types[std::size_t(t)] = slice(rec.typeOffset(t), rec.typeLength(t));
        if (unscramble) {
            scratchBody.assign(v.body);
            scramble::text(scratchBody, key);
            v.body = scratchBody;
            for (int t = 0; t < EntryRecord::kTypeTexts; ++t) {
                auto& s = scratchTypes[std::size_t(t)];
                s.assign(v.types[std::size_t(t)]);
                scramble::text(s, key);
                v.types[std::size_t(t)] = s;
            }
        }
        if (!visit(v)) break;
    }
    return all;
}

bool TN::placeTexts(const EntryRecord& from, const std::string& bodyText,
                    const std::array<std::string, EntryRecord::kTypeTexts>& types,
                    std::int64_t start, std::string& texts, EntryRecord& plain) {
    plain = from;
    plain.syncPasswordLength();
    plain.setVersion(1);
    const std::uint8_t key = scramble::textKey(plain.password());

    // Body, then the non-empty type texts in order.
    std::size_t total = bodyText.size();
    for (const auto& t : types)
        total += t.size();
    if (std::uint64_t(start) + texts.size() + total > UINT32_MAX) {
        io_.reporter().report(ReportKind::FileError,
                              messages::dataFileFull(files_.path(DiaryFileSet::kData)));
        return false;
    }
    auto place = [&](const std::string& t) {
        std::uint32_t off = std::uint32_t(std::uint64_t(start) + texts.size());
        std::size_t at = texts.size();
        texts += t;
        scramble::bytes(reinterpret_cast<std::uint8_t*>(texts.data() + at), t.size(), key);
        return off;
    };
    std::uint32_t bodyOff = place(bodyText);
    plain.setBody(bodyOff, std::uint32_t(bodyText.size()));
    for (int i = 0; i < EntryRecord::kTypeTexts; ++i) {
        const auto& t = types[std::size_t(i)];
        plain.setType(i, place(t), std::uint32_t(t.size()));
    }
    return true;
}

bool TN::appendTexts(File& data, std::int64_t dataLen, const std::string& texts) {
    if (texts.empty() || io_.writeSynced(data, files_.path(DiaryFileSet::kData), dataLen, texts))
        return true;
    data.truncate(dataLen);
    return false;
}

bool TN::AddEntry() {
    auto lock = io_.lockForWriting();
    if (!lock) return false;
    const std::string& indexPath = files_.indexPath();
    const std::string dataPath = files_.path(DiaryFileSet::kData);
    auto idx = io_.open(indexPath, OpenMode::Create);
    if (!idx) return false;
    auto data = io_.open(dataPath, OpenMode::Create);
    if (!data) return false;

    std::int64_t indexLen = idx->size();
    std::int64_t dataLen = data->size();
    if (indexLen < 0 || dataLen < 0) {
        io_.reportError(indexLen < 0 ? idx->error() : data->error(),
                        indexLen < 0 ? indexPath : dataPath);
        return false;
    }
    EntryRecord plain;
    std::string texts;
    if (!placeTexts(entry, body, typeText, dataLen, texts, plain)) return false;
    // The note first: until the index record is written nothing points at it.
    std::unique_ptr<File> voice;
    std::int64_t voiceLen = 0;
    if (!appendVoice(plain, voice, voiceLen)) return false;
    auto dropVoice = [&] {
        if (voice) voice->truncate(voiceLen);
    };
    if (!appendTexts(*data, dataLen, texts)) {
        dropVoice();
        return false;
    }

    // Then the index record, after the last whole record: a partial record left by an
    // interrupted write is overwritten, so that every record stays aligned.
    EntryRecord stored = plain;
    scramble::indexRecord(stored);
    std::int64_t pos = indexLen / kRec * kRec;
    if (pos != indexLen && !idx->truncate(pos)) {
        io_.reportError(idx->error(), indexPath);
        return false;
    }
    if (!io_.writeSynced(*idx, indexPath, pos, bytesOf(stored))) {
        // Reported as failed, so it must not be there: a retry would store the entry twice.
        if (idx->truncate(pos)) {
            data->truncate(dataLen);
            dropVoice();
        }
        return false;
    }

    voiceDone(plain);
    entry = plain;
    dataFileLength = dataLen + std::int64_t(texts.size());
    indexFileLength = pos + kRec;
    entryCount = int(indexFileLength / kRec);
    return true;
}

bool TN::AddEntrySorted(int replacing) {
    auto lock = io_.lockForWriting();
    if (!lock) return false;
    std::string raw;
    if (!readIndexFile(raw)) return false;
    if (replacing >= entryCount) return false;
    std::vector<NewEntry> one(1);
    one[0].record = entry;
    one[0].body = body;
    one[0].types = typeText;
    if (replacing >= 0) raw.erase(std::size_t(replacing) * TN::kIndexRecord, TN::kIndexRecord);
    // The note is appended and synced before the texts and the index that name it.
    std::unique_ptr<File> voice;
    std::int64_t voiceLen = 0;
    if (!appendVoice(one[0].record, voice, voiceLen)) return false;
    if (!addSorted(raw, one)) {
        if (voice) voice->truncate(voiceLen);
        return false;
    }
    voiceDone(entry);
    return true;
}

bool TN::appendVoice(EntryRecord& plain, std::unique_ptr<File>& voice, std::int64_t& voiceLen) {
    // Without a recording the record's voice fields are taken as they are.
    if (plain.voiceFlag() != 1 || voiceStored || voiceSource.empty()) return true;
    plain.setVoiceFlag(0); // until the note is in the voice file
    plain.setVoice(0, 0);

    std::string recorded, compressed;
    {
        WaitScope wait(io_.reporter());
        auto src = io_.open(voiceSource, OpenMode::Read);
        if (!src || !io_.readAll(*src, voiceSource, recorded)) return true; // reported
        VoiceError error;
        if (!GsmVoice::compress(recorded, compressed, error)) {
            io_.reporter().report(ReportKind::Voice, error.text());
            return true; // the entry is stored all the same; the recording stays where it is
        }
    }
    scramble::voice(reinterpret_cast<std::uint8_t*>(compressed.data()), compressed.size());

    const std::string voicePath = files_.path(DiaryFileSet::kVoice);
    voice = io_.open(voicePath, OpenMode::Create);
    if (!voice) return false;
    voiceLen = voice->size();
    if (voiceLen < 0) {
        io_.reportError(voice->error(), voicePath);
        voice.reset();
        return false;
    }
    if (std::uint64_t(voiceLen) + compressed.size() > UINT32_MAX) {
        io_.reporter().report(ReportKind::FileError, messages::dataFileFull(voicePath));
        voice.reset();
        return false;
    }
    // A voice file made just now lasts only once its folder is synced as well.
    bool written = io_.writeSynced(*voice, voicePath, voiceLen, compressed);
    if (written && voiceLen == 0 && !io_.fs().syncDirectory(files_.directory())) {
        io_.reportError(io_.fs().lastError(), voicePath);
        written = false;
    }
    if (!written) {
        voice->truncate(voiceLen);
        voice.reset();
        return false;
    }
    plain.setVoiceFlag(1);
    plain.setVoice(std::uint32_t(voiceLen), std::uint32_t(compressed.size()));
    return true;
}

void TN::voiceDone(const EntryRecord& plain) {
    if (plain.voiceFlag() != 1 || voiceStored || voiceSource.empty()) return;
    io_.fs().remove(voiceSource); // a recording left behind is overwritten by the next one
    voiceSource.clear();
}

bool TN::ReadVoice(std::string& wave) {
    wave.clear();
    if (entry.voiceFlag() != 1) return false;
    const std::string voicePath = files_.path(DiaryFileSet::kVoice);
    auto f = io_.open(voicePath, OpenMode::Read);
    if (!f) return false;
    const std::int64_t size = f->size();
    if (size < 0) {
        io_.reportError(f->error(), voicePath);
        return false;
    }
    const std::uint32_t off = entry.voiceOffset(), len = entry.voiceLength();
    if (len == 0 || std::int64_t(off) + std::int64_t(len) > size) {
        io_.reporter().report(ReportKind::Damaged,
                              messages::damagedVoice(currentEntry, files_.indexPath(), voicePath));
        return false;
    }
    wave.resize(len);
    if (f->readAt(off, wave.data(), len) != std::int64_t(len)) {
        io_.reportError(f->error(), voicePath);
        wave.clear();
        return false;
    }
    scramble::voice(reinterpret_cast<std::uint8_t*>(wave.data()), wave.size());
    return true;
}

bool TN::ExtractVoice(const std::string& toPath) {
    playingPath.clear();
    std::string wave;
    if (!ReadVoice(wave)) return false;
    // A file of our own (0600), put in place whole: a leftover is removed rather than lending
    // its mode, and the rename replaces a link planted at the name instead of writing through it.
    io_.fs().remove(toPath);
    if (!io_.replace(toPath, wave)) return false; // reported
    playingPath = toPath;
    return true;
}

bool TN::AddEntries(const std::vector<NewEntry>& entries) {
    auto lock = io_.lockForWriting();
    if (!lock) return false;
    std::string raw;
    if (!readIndexFile(raw)) return false;
    if (entries.empty()) return true;
    WaitScope wait(io_.reporter());
    return addSorted(raw, entries);
}

bool TN::addSorted(std::string& raw, const std::vector<NewEntry>& entries) {
    const std::string dataPath = files_.path(DiaryFileSet::kData);
    auto data = io_.open(dataPath, OpenMode::Create);
    if (!data) return false;
    const std::int64_t dataLen = data->size();
    if (dataLen < 0) {
        io_.reportError(data->error(), dataPath);
        return false;
    }
    std::string texts;
    EntryRecord plain;
    raw.reserve(raw.size() + entries.size() * TN::kIndexRecord);
    for (const auto& e : entries) {
        if (!placeTexts(e.record, e.body, e.types, dataLen, texts, plain)) return false;
        EntryRecord stored = plain;
        scramble::indexRecord(stored);
        raw.append(bytesOf(stored));
    }
    // The texts first, synced; then the index in one rename. Until the rename nothing points at
    // the new texts, so a failure (or a crash) leaves the diary exactly as it was.
    if (!appendTexts(*data, dataLen, texts)) return false;
    std::string sorted;
    sortIndex(raw, sorted);
    if (!io_.replace(files_.indexPath(), sorted.empty() ? raw : sorted)) {
        data->truncate(dataLen);
        return false;
    }
    entry = plain;
    dataFileLength = dataLen + std::int64_t(texts.size());
    indexFileLength = std::int64_t(raw.size());
    entryCount = int(indexFileLength / kRec);
    return true;
}

bool TN::DeleteEntry(int index) {
    auto lock = io_.lockForWriting();
    if (!lock) return false;
    std::string raw;
    if (!readIndexFile(raw)) return false;
    if (index < 0 || index >= entryCount) return false;
    WaitScope wait(io_.reporter());
    if (entryCount == 1) {
        // The diary's last entry: both entry files go, the index first so that nothing ever
        // points into a missing data file.
        if (!io_.remove(files_.indexPath())) return false;
        io_.remove(files_.path(DiaryFileSet::kData));
        entryCount = 0;
        currentEntry = 0;
        indexFileLength = 0;
        return true;
    }
    raw.erase(std::size_t(index) * TN::kIndexRecord, TN::kIndexRecord);
    if (!io_.replace(files_.indexPath(), raw)) return false;
    --entryCount;
    indexFileLength = std::int64_t(raw.size());
    currentEntry = entryCount;
    return true;
}

bool TN::sortIndex(const std::string& raw, std::string& sorted) {
    sorted.clear();
    const std::size_t n = raw.size() / TN::kIndexRecord;
    std::vector<std::int64_t> keys(n);
    for (std::size_t i = 0; i < n; ++i)
        keys[i] = std::int64_t(le::u64(reinterpret_cast<const std::uint8_t*>(raw.data()) +
                                       i * TN::kIndexRecord + EntryRecord::kDateTime));
    if (std::is_sorted(keys.begin(), keys.end())) return false;
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    sorted.assign(n * TN::kIndexRecord, '\0');
    for (std::size_t i = 0; i < n; ++i)
        std::memcpy(sorted.data() + i * TN::kIndexRecord, raw.data() + order[i] * TN::kIndexRecord,
                    TN::kIndexRecord);
    return true;
}

bool TN::SortEntries() {
    auto lock = io_.lockForWriting();
    if (!lock) return false;
    std::string raw;
    if (!readIndexFile(raw)) return false;
    if (entryCount < 2) return true;
    std::string sorted;
    if (!sortIndex(raw, sorted)) return true; // already in order: nothing is rewritten
    WaitScope wait(io_.reporter());
    return io_.replace(files_.indexPath(), sorted);
}

bool TN::ReKey(const std::string& newPassword) {
    auto lock = io_.lockForWriting();
    if (!lock) return false;
    WaitScope wait(io_.reporter());
    std::string raw;
    if (!readIndexFile(raw)) return false;
    if (entryCount == 0) return true;

    const std::string dataPath = files_.path(DiaryFileSet::kData);
    auto data = io_.open(dataPath, OpenMode::ReadWrite);
    if (!data) return false;
    std::string old;
    if (!io_.readAll(*data, dataPath, old)) return false;
    const std::int64_t oldLen = std::int64_t(old.size());

    // The re-keyed texts are appended after everything the old index points to, and the new
    // index replaces the old one in a single rename: until that moment the diary reads under
    // the old password, afterwards under the new one.
    EntryRecord probe;
    probe.setPassword(newPassword);
    const std::string newPw = probe.password();
    const std::uint8_t newKey = scramble::textKey(newPw);
    std::string texts, index;
    index.reserve(raw.size());
    EntryRecord rec;
    for (int i = 0; i < entryCount; ++i) {
        if (!decodeEntry(i, raw, true, rec, kTraceNextIndex) || !checkTexts(i, rec, oldLen))
            return false;
        const std::uint8_t oldKey = scramble::textKey(rec.password());
        auto move = [&](std::uint32_t off, std::uint32_t len) {
            std::uint32_t at = std::uint32_t(std::uint64_t(oldLen) + texts.size());
            if (len == 0) return at; // an empty text's offset may point anywhere: never read it
            std::string t = old.substr(off, len);
            scramble::text(t, oldKey);
            scramble::text(t, newKey);
            texts += t;
            return at;
        };
        if (std::uint64_t(oldLen) + texts.size() + rec.bodyLength() > UINT32_MAX) {
            io_.reporter().report(ReportKind::FileError, messages::dataFileFull(dataPath));
            return false;
        }
        rec.setBody(move(rec.bodyOffset(), rec.bodyLength()), rec.bodyLength());
        for (int t = 0; t < EntryRecord::kTypeTexts; ++t) {
            const std::uint32_t len = rec.typeLength(t);
            rec.setType(t, move(rec.typeOffset(t), len), len);
        }
        rec.setPassword(newPw);
        scramble::indexRecord(rec);
        index.append(bytesOf(rec));
    }
    if (std::uint64_t(oldLen) + texts.size() > UINT32_MAX) {
        io_.reporter().report(ReportKind::FileError, messages::dataFileFull(dataPath));
        return false;
    }
    if (!texts.empty() && !io_.writeSynced(*data, dataPath, oldLen, texts)) {
        data->truncate(oldLen);
        return false;
    }
    if (!io_.replace(files_.indexPath(), index)) {
        data->truncate(oldLen); // nothing points at the appended texts
        return false;
    }
    dataFileLength = oldLen + std::int64_t(texts.size());
    return true;
}

bool TN::Repair(std::vector<std::string>& done) {
    auto lock = io_.lockForWriting(); // the first holder removes the temporary files
    if (!lock) return false;
    bool ok = true;
    for (const auto& temp : io_.strayTemps())
        if (!io_.remove(temp)) ok = false;
    for (const auto& temp : io_.takeRemovedTemps())
        done.push_back("Removed the temporary file " + temp + ".");
    std::string raw;
    if (!readIndexFile(raw)) return false;
    if (entryCount == 0) return ok; // without an index, every text would look unused: kept

    // A partial record at the end of the index is what an interrupted append leaves.
    const std::string& indexPath = files_.indexPath();
    if (indexFileLength > std::int64_t(raw.size())) {
        auto idx = io_.open(indexPath, OpenMode::ReadWrite);
        if (!idx || !idx->truncate(std::int64_t(raw.size()))) {
            if (idx) io_.reportError(idx->error(), indexPath);
            return false;
        }
        idx->sync(); // should the cut not last, the bytes come back as harmless as they were
        done.push_back("Cut " + std::to_string(indexFileLength - std::int64_t(raw.size())) +
                       " bytes of a partial record from the end of " + indexPath + ".");
    }

    // Texts after the last one that a record points to belong to no entry.
    const std::string dataPath = files_.path(DiaryFileSet::kData);
    auto data = io_.openIfExists(dataPath, OpenMode::ReadWrite);
    if (!data) return ok && io_.fs().lastError() == ENOENT;
    const std::int64_t size = data->size();
    if (size < 0) {
        io_.reportError(data->error(), dataPath);
        return false;
    }
    std::int64_t used = 0;
    EntryRecord rec;
    for (int i = 0; i < entryCount; ++i) {
        std::memcpy(rec.data(), raw.data() + std::size_t(i) * TN::kIndexRecord, TN::kIndexRecord);
        auto reach = [&](std::uint32_t off, std::uint32_t len) {
            if (len) used = std::max(used, std::int64_t(off) + std::int64_t(len));
        };
        reach(rec.bodyOffset(), rec.bodyLength());
        for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
            reach(rec.typeOffset(t), rec.typeLength(t));
    }
    if (used < size) {
        if (!data->truncate(used)) {
            io_.reportError(data->error(), dataPath);
            return false;
        }
        data->sync();
        done.push_back("Cut " + std::to_string(size - used) +
                       " bytes that no entry uses from the end of " + dataPath + ".");
    }

    // Likewise a voice note appended by a save that never wrote its index record.
    const std::string voicePath = files_.path(DiaryFileSet::kVoice);
    const std::int64_t voiceSize = io_.fs().fileSize(voicePath);
    std::int64_t voiceUsed = 0;
    for (int i = 0; i < entryCount; ++i) {
        std::memcpy(rec.data(), raw.data() + std::size_t(i) * TN::kIndexRecord, TN::kIndexRecord);
        if (rec.voiceFlag() == 1 && rec.voiceLength())
            voiceUsed = std::max(voiceUsed, std::int64_t(rec.voiceOffset()) + rec.voiceLength());
    }
    if (voiceUsed < voiceSize) {
        auto voice = io_.open(voicePath, OpenMode::ReadWrite);
        if (!voice) return false;
        if (!voice->truncate(voiceUsed)) {
            io_.reportError(voice->error(), voicePath);
            return false;
        }
        voice->sync();
        done.push_back("Cut " + std::to_string(voiceSize - voiceUsed) +
                       " bytes that no entry uses from the end of " + voicePath + ".");
    }
    return ok;
}

// ---------------------------------------------------------------- configuration blocks

template <class Block>
bool TN::readBlock(Block& block, const std::string& path, bool withIndex,
                   const std::function<void()>& defaults) {
    if (withIndex && !io_.open(files_.indexPath(), OpenMode::Create)) return false;
    {
        auto f = io_.open(path, OpenMode::Create);
        if (!f) return false;
        std::int64_t got = f->readAt(0, block.data(), std::int64_t(Block::kSize));
        if (got == std::int64_t(Block::kSize)) return true;
        if (got < 0) { // unreadable is not short: the user's settings must not be overwritten
            io_.reportError(f->error(), path);
            return false;
        }
    }
    // Missing or short: the defaults replace whatever the file held, unless another writer has
    // written the block meanwhile.
    auto lock = io_.lockForWriting();
    if (!lock) return false;
    if (auto f = io_.openIfExists(path, OpenMode::Read);
        f && f->readAt(0, block.data(), std::int64_t(Block::kSize)) == std::int64_t(Block::kSize))
        return true;
    block.clear();
    defaults();
    if (!io_.replace(path,
                     std::string_view(reinterpret_cast<const char*>(block.data()), Block::kSize)))
        return false;
    auto f = io_.open(path, OpenMode::Read);
    return f &&
           f->readAt(0, block.data(), std::int64_t(Block::kSize)) == std::int64_t(Block::kSize);
}

template <class Block> bool TN::writeBlock(Block& block, const std::string& path) {
    auto lock = io_.lockForWriting();
    if (!lock) return false;
    // A block larger than its file's records would be cut: keep whatever follows it.
    std::string content(reinterpret_cast<const char*>(block.data()), Block::kSize);
    if (auto f = io_.openIfExists(path, OpenMode::Read)) {
        std::string old;
        if (io_.readAll(*f, path, old) && old.size() > Block::kSize)
            content.append(old, Block::kSize, std::string::npos);
    }
    return io_.replace(path, content);
}

bool TN::ReadConfiguration() {
    return readBlock(config, files_.path(DiaryFileSet::kConfig), true,
                     [this] { config.applyDefaults(); });
}
bool TN::WriteConfiguration() {
    return writeBlock(config, files_.path(DiaryFileSet::kConfig));
}
std::int64_t TN::ConfigurationLength() {
    return std::max<std::int64_t>(0, io_.fs().fileSize(files_.path(DiaryFileSet::kConfig)));
}
bool TN::ReadGraphSettings() {
    return readBlock(graph, files_.path(DiaryFileSet::kGraph), false,
                     [this] { graph.applyDefaults(); });
}
bool TN::WriteGraphSettings() {
    return writeBlock(graph, files_.path(DiaryFileSet::kGraph));
}
bool TN::ReadPadTable() {
    return readBlock(pads, files_.path(DiaryFileSet::kPadTable), false,
                     [this] { pads.applyDefaults(files_); });
}
bool TN::PeekPadTable() {
    const std::string path = files_.path(DiaryFileSet::kPadTable);
    auto f = io_.openIfExists(path, OpenMode::Read);
    if (!f && io_.fs().lastError() != ENOENT) return false;
    const std::int64_t got = f ? f->readAt(0, pads.data(), std::int64_t(PadTable::kSize)) : 0;
    if (got < 0) {
        io_.reportError(f->error(), path);
        return false;
    }
    if (got < std::int64_t(PadTable::kSize)) {
        pads.clear();
        pads.applyDefaults(files_);
    }
    return true;
}
bool TN::WritePadTable() {
    return writeBlock(pads, files_.path(DiaryFileSet::kPadTable));
}

std::int64_t TN::PadTextLength(int pad) {
    if (pad < 0 || pad >= PadTable::kPads || !pads.isSet(pad) || pads.path(pad).empty()) return 0;
    auto f = io_.open(pads.path(pad), OpenMode::Create);
    if (!f) return 0;
    return std::max<std::int64_t>(0, f->size());
}

} // namespace tavrin
