#include "storage/PadText.h"

#include "storage/DiaryIo.h"

#include <algorithm>

namespace tavrin {

bool PadText::read(DiaryIo& io, const std::string& path, std::string& out) {
    out.clear();
    auto f = io.open(path, OpenMode::Create);
    if (!f) return false;
    const std::int64_t size = f->size();
    if (size < 0) {
        io.reportError(f->error(), path);
        return false;
    }
    out.resize(std::size_t(std::min(size, kLimit)));
    const std::int64_t got = out.empty() ? 0 : f->readAt(0, out.data(), std::int64_t(out.size()));
    if (got < 0) {
        out.clear();
        io.reportError(f->error(), path);
        return false;
    }
    out.resize(std::size_t(got));
    return true;
}

bool PadText::write(DiaryIo& io, const std::string& path, std::string_view text) {
    auto lock = io.lockForWriting();
    return lock && io.replace(path, text);
}

} // namespace tavrin
