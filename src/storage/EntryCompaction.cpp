#include "storage/EntryCompaction.h"

#include "storage/FileBatch.h"
#include "storage/TN.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tavrin {

std::optional<int> EntryCompaction::countEntries() {
    // One reading of the whole index tells a missing or empty index (no entries) from one that
    // cannot be read or holds a damaged record.
    std::vector<EntryRecord> records;
    if (!tn_.ReadAllIndexRecords(records)) return std::nullopt;
    if (records.empty()) return 0;
    // The first entry's texts are read too, as they are before a compaction starts.
    if (!tn_.FirstEntry(true)) return std::nullopt;
    return int(records.size());
}

std::int64_t EntryCompaction::dataLength() {
    return std::max<std::int64_t>(0, tn_.io().fs().fileSize(tn_.files().path(DiaryFileSet::kData)));
}

bool EntryCompaction::run(const std::function<void(int)>& progress) {
    DiaryIo& io = tn_.io();
    auto lock = io.lockForWriting();
    if (!lock) return false;
    WaitScope wait(io.reporter());
    const DiaryFileSet& files = tn_.files();
    const std::string dataPath = files.path(DiaryFileSet::kData);

    std::string index, data;
    {
        auto f = io.openIfExists(files.indexPath(), OpenMode::Read);
        if (!f) return false; // nothing to compact, or reported
        if (!io.readAll(*f, files.indexPath(), index)) return false;
    }
    if (auto f = io.openIfExists(dataPath, OpenMode::Read)) {
        if (!io.readAll(*f, dataPath, data)) return false;
    } else if (io.fs().lastError() != ENOENT) {
        return false;
    }
    const std::size_t count = index.size() / TN::kIndexRecord;
    index.resize(count * TN::kIndexRecord); // a partial record at the end is no entry

    // The texts are copied as stored (scrambled), so neither the password nor the text key is
    // needed; only the offsets in the records change, and those are never scrambled.
    std::string out;
    out.reserve(data.size());
    EntryRecord rec;
    for (std::size_t i = 0; i < count; ++i) {
        std::memcpy(rec.data(), index.data() + i * TN::kIndexRecord, TN::kIndexRecord);
        if (rec.version() != 1) {
            io.reporter().report(ReportKind::WrongVersion, messages::wrongVersion());
            return false;
        }
        auto move = [&](std::uint32_t off, std::uint32_t len) {
            const auto at = std::uint32_t(out.size());
            if (len) out.append(data, off, len);
            return at;
        };
        auto inside = [&](std::uint32_t off, std::uint32_t len) {
            return len == 0 || std::uint64_t(off) + len <= data.size();
        };
        bool ok = inside(rec.bodyOffset(), rec.bodyLength());
        for (int t = 0; ok && t < EntryRecord::kTypeTexts; ++t)
            ok = inside(rec.typeOffset(t), rec.typeLength(t));
        if (!ok) {
            io.reporter().report(ReportKind::Damaged,
                                 messages::damagedEntry(int(i), files.indexPath(), dataPath));
            return false;
        }
        rec.setBody(move(rec.bodyOffset(), rec.bodyLength()), rec.bodyLength());
        for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
            rec.setType(t, move(rec.typeOffset(t), rec.typeLength(t)), rec.typeLength(t));
        std::memcpy(index.data() + i * TN::kIndexRecord, rec.data(), TN::kIndexRecord);
        if (progress) progress(int(i + 1));
    }

    FileBatch batch(io);
    batch.replace(DiaryFileSet::kData, out);
    batch.replace(FileBatch::kIndex, index);
    if (!batch.commit()) return false;
    old_ = std::int64_t(data.size());
    new_ = std::int64_t(out.size());
    return true;
}

std::string EntryCompaction::countText(int entries) {
    return " Number of entries: " + std::to_string(entries);
}

std::string EntryCompaction::unreadableText() {
    return " Number of entries: unknown (the diary could not be read)";
}

std::string EntryCompaction::sizeText(std::int64_t bytes) {
    char buf[96];
    std::snprintf(buf, sizeof buf, " File size: %" PRId64 "KB (%" PRId64 " bytes)", bytes / 1024,
                  bytes);
    return buf;
}

std::string EntryCompaction::savedText(std::int64_t oldBytes, std::int64_t newBytes) {
    const std::int64_t saved = oldBytes - newBytes;
    const std::int64_t percent = oldBytes > 0 ? 100 - newBytes * 100 / oldBytes : 0;
    char buf[128];
    std::snprintf(buf, sizeof buf, " Saved: %" PRId64 "KB (%" PRId64 " bytes) (%0.1f%%)",
                  saved / 1024, saved, double(percent));
    return buf;
}

} // namespace tavrin
