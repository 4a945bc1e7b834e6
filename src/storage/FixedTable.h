#pragma once
// One table of equal-sized records without header: the organiser and nutrition tables.
// FixedTable does the file work on raw records; Table<Rec> adds the record cursor, the record
// buffers and the deletion and order rules that the record type states.

#include "storage/Cp1252.h"
#include "storage/DiaryIo.h"
#include "storage/Reporter.h"
#include "storage/TableTraits.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

namespace tavrin {

class FixedTable {
public:
    FixedTable(DiaryIo& io, std::string path, std::size_t recordSize)
        : io_(io), path_(std::move(path)), size_(recordSize) {}

    const std::string& path() const { return path_; }
    std::size_t recordSize() const { return size_; }

    // Number of whole records; a missing file is an empty table.
    int count();
    // Reads record index into out; false when the table has no such complete record.
    bool read(int index, std::uint8_t* out, int& countOut);
    // Appends a record after the last whole record, created when missing.
    bool append(const std::uint8_t* rec, int& countOut);
    // Every whole record of the table, in file order (a partial tail is left out).
    bool readAll(std::string& out);
    // Replaces the table with the given records.
    bool rewrite(const std::string& records) { return io_.replace(path_, records); }
    bool removeFile() { return io_.remove(path_); }
    std::unique_ptr<FileLock> lockForWriting() { return io_.lockForWriting(); }
    Reporter& reporter() { return io_.reporter(); }

private:
    DiaryIo& io_;
    std::string path_;
    std::size_t size_;
};

template <class Rec> class Table {
public:
    static constexpr std::size_t kSize = Rec::kSize;

    Table(DiaryIo& io, std::string path) : t_(io, std::move(path), kSize) {}

    Rec record;      // filled by Read and Next; filled by the caller before Add
    Rec replacement; // filled by the caller before Replace
    int index = 0;   // current index
    int count = 0;   // record count as of the last time the file was opened

    const std::string& path() const { return t_.path(); }

    int Count() { return count = t_.count(); }

    bool Add() {
        auto lock = t_.lockForWriting();
        return lock && t_.append(record.data(), count);
    }

    // Add followed by Sort, written once: the table is either as it was or holds the record in
    // its place.
    bool AddSorted() requires(Rec::kSort != SortStyle::None) {
        auto lock = t_.lockForWriting();
        if (!lock) return false;
        std::vector<Rec> recs;
        if (!ReadAll(recs)) return false;
        recs.push_back(record);
        std::vector<Rec> sorted = sortedOf(recs);
        if (!t_.rewrite(join(sorted))) return false;
        count = int(sorted.size());
        return true;
    }

    // Adds several records in one write, the table kept in its order: afterwards the table
    // holds all of them or none.
    bool AddAll(const std::vector<Rec>& added) {
        auto lock = t_.lockForWriting();
        if (!lock) return false;
        std::vector<Rec> recs;
        if (!ReadAll(recs)) return false;
        recs.insert(recs.end(), added.begin(), added.end());
        if constexpr (Rec::kSort != SortStyle::None) recs = sortedOf(recs);
        if (!t_.rewrite(join(recs))) return false;
        count = int(recs.size());
        return true;
    }

    bool Read() {
        if (!t_.read(index, record.data(), count)) return false;
        if constexpr (requires(const Rec& r) { r.damaged(); }) {
            if (record.damaged()) {
                t_.reporter().report(ReportKind::Damaged, messages::damagedRecord(index, path()));
                return false;
            }
        }
        if constexpr (Rec::kHasReplace) replacement.bytes[0] = 0;
        return true;
    }
    bool First() {
        index = 0;
        return Read();
    }
    bool Next() {
        if (index >= count) return false;
        ++index;
        if (Read()) return true;
        if (index < count)
            t_.reporter().report(ReportKind::Trace, Rec::kTrace);
        else
            index = count;
        return false;
    }

    // Every record in file order, from one read of the file.
    bool ReadAll(std::vector<Rec>& out) {
        std::string raw;
        out.clear();
        if (!t_.readAll(raw)) return false;
        out.resize(raw.size() / kSize);
        for (std::size_t i = 0; i < out.size(); ++i)
            std::memcpy(out[i].data(), raw.data() + i * kSize, kSize);
        count = int(out.size());
        return true;
    }

    // Puts `replacement` in place of record i. The table is rewritten rather than written over
    // in place, so that an interrupted write cannot leave half a record.
    bool Replace(int i) requires Rec::kHasReplace {
        auto lock = t_.lockForWriting();
        if (!lock) return false;
        std::string raw;
        if (!t_.readAll(raw)) return false;
        count = int(raw.size() / kSize);
        if (i < 0 || i >= count) return false;
        std::memcpy(raw.data() + std::size_t(i) * kSize, replacement.data(), kSize);
        return t_.rewrite(raw);
    }

    // Writes the deletion mark into record i. The last record of a table goes with its file.
    bool Mark(int i) requires(Rec::kDelete == DeleteStyle::MarkThenPurge) {
        auto lock = t_.lockForWriting();
        if (!lock) return false;
        WaitScope wait(t_.reporter());
        std::string raw;
        if (!t_.readAll(raw)) return false;
        count = int(raw.size() / kSize);
        if (i < 0 || i >= count) return false;
        bool ok;
        if (count == 1) {
            ok = t_.removeFile();
            count = 0;
        } else {
            Rec r;
            std::memcpy(r.data(), raw.data() + std::size_t(i) * kSize, kSize);
            r.mark();
            std::memcpy(raw.data() + std::size_t(i) * kSize, r.data(), kSize);
            ok = t_.rewrite(raw);
        }
        index = 0;
        return ok;
    }

    // Drops every marked record; unmarked ones all survive, also a table's only record.
    bool Purge() requires(Rec::kDelete == DeleteStyle::MarkThenPurge) {
        auto lock = t_.lockForWriting();
        if (!lock) return false;
        WaitScope wait(t_.reporter());
        index = 0;
        return filter([](const Rec& r) { return !r.isMarked(); });
    }

    // Removes record i by rewriting the table without it.
    bool Delete(int i) requires(Rec::kDelete == DeleteStyle::Rewrite) {
        auto lock = t_.lockForWriting();
        if (!lock) return false;
        WaitScope wait(t_.reporter());
        std::string raw;
        if (!t_.readAll(raw)) return false;
        count = int(raw.size() / kSize);
        if (i < 0 || i >= count) return false;
        bool ok;
        if (count == 1) {
            ok = t_.removeFile();
        } else {
            raw.erase(std::size_t(i) * kSize, kSize);
            ok = t_.rewrite(raw);
        }
        if (ok) --count;
        index = 0;
        return ok;
    }

    // Empties the table: its file goes (the cookbook's working list is emptied this way).
    bool Clear() {
        auto lock = t_.lockForWriting();
        if (!lock) return false;
        index = 0;
        if (!t_.removeFile()) return false;
        count = 0;
        return true;
    }

    // Puts the table in its kept order; a table already in that order is not rewritten.
    bool Sort() requires(Rec::kSort != SortStyle::None) {
        auto lock = t_.lockForWriting();
        if (!lock) return false;
        std::vector<Rec> recs;
        if (!ReadAll(recs)) return false;
        std::vector<Rec> sorted = sortedOf(recs);
        if (sameOrder(recs, sorted)) return true;
        if (!t_.rewrite(join(sorted))) return false;
        count = int(sorted.size());
        return true;
    }

private:
    static std::vector<Rec> sortedOf(const std::vector<Rec>& recs) {
        std::vector<Rec> sorted;
        if constexpr (Rec::kSort == SortStyle::Reminders) {
            for (const Rec& r : recs)
                if (r.keepOnSort()) sorted.push_back(r);
            std::stable_sort(sorted.begin(), sorted.end(), Rec::sortBefore);
        } else {
            std::vector<std::string> names;
            names.reserve(recs.size());
            for (const Rec& r : recs)
                names.push_back(r.sortName());
            std::vector<std::size_t> order(recs.size());
            std::iota(order.begin(), order.end(), 0);
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
                return cp1252::compareNoCase(names[a], names[b]) < 0;
            });
            for (std::size_t i : order)
                sorted.push_back(recs[i]);
        }
        return sorted;
    }

    template <class Keep> bool filter(Keep keep) {
        std::vector<Rec> recs;
        if (!ReadAll(recs)) return false;
        std::vector<Rec> kept;
        for (const Rec& r : recs)
            if (keep(r)) kept.push_back(r);
        if (kept.size() == recs.size()) return true;
        if (!t_.rewrite(join(kept))) return false;
        count = int(kept.size());
        return true;
    }
    static bool sameOrder(const std::vector<Rec>& a, const std::vector<Rec>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i].bytes != b[i].bytes) return false;
        return true;
    }
    static std::string join(const std::vector<Rec>& recs) {
        std::string out(recs.size() * kSize, '\0');
        for (std::size_t i = 0; i < recs.size(); ++i)
            std::memcpy(out.data() + i * kSize, recs[i].data(), kSize);
        return out;
    }

    FixedTable t_;
};

} // namespace tavrin
