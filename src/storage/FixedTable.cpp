#include "storage/FixedTable.h"

#include <cerrno>
#include <climits>

namespace tavrin {

int FixedTable::count() {
    auto f = io_.openIfExists(path_, OpenMode::Read);
    if (!f) return 0;
    std::int64_t len = f->size();
    return len < 0 ? 0 : int(std::min<std::int64_t>(len / std::int64_t(size_), INT32_MAX));
}

bool FixedTable::read(int index, std::uint8_t* out, int& countOut) {
    auto f = io_.openIfExists(path_, OpenMode::Read);
    if (!f) {
        countOut = 0;
        return false;
    }
    std::int64_t len = f->size();
    countOut = len < 0 ? 0 : int(std::min<std::int64_t>(len / std::int64_t(size_), INT32_MAX));
    if (index < 0 || index >= countOut) return false;
    std::int64_t got =
        f->readAt(std::int64_t(index) * std::int64_t(size_), out, std::int64_t(size_));
    if (got < 0) io_.reportError(f->error(), path_);
    return got == std::int64_t(size_);
}

bool FixedTable::append(const std::uint8_t* rec, int& countOut) {
    auto f = io_.open(path_, OpenMode::Create);
    if (!f) return false;
    std::int64_t len = f->size();
    if (len < 0) {
        io_.reportError(f->error(), path_);
        return false;
    }
    // A partial record left by an interrupted write is overwritten, so records stay aligned.
    std::int64_t whole = len / std::int64_t(size_) * std::int64_t(size_);
    if (whole != len && !f->truncate(whole)) {
        io_.reportError(f->error(), path_);
        return false;
    }
    if (!io_.writeSynced(*f, path_, whole,
                         std::string_view(reinterpret_cast<const char*>(rec), size_))) {
        f->truncate(whole); // reported as failed, so the record must not appear later
        return false;
    }
    countOut = int(whole / std::int64_t(size_) + 1);
    return true;
}

bool FixedTable::readAll(std::string& out) {
    out.clear();
    auto f = io_.openIfExists(path_, OpenMode::Read);
    if (!f) return io_.fs().lastError() == ENOENT;
    if (!io_.readAll(*f, path_, out)) return false;
    out.resize(out.size() / size_ * size_);
    return true;
}

} // namespace tavrin
