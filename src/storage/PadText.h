#pragma once
// The text of a scratch pad: the first pads live in files of the diary, the others in any file
// the user chose. Reading opens the file for reading and writing, creating it when missing, and
// takes at most the first kLimit bytes; writing replaces the whole file atomically.

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

class DiaryIo;

class PadText {
public:
    static constexpr std::int64_t kLimit = 10240;

    // False (reported) when the file cannot be opened or read; `out` then holds what was read.
    static bool read(DiaryIo& io, const std::string& path, std::string& out);
    static bool write(DiaryIo& io, const std::string& path, std::string_view text);
};

} // namespace tavrin
