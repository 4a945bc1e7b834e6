#pragma once
// The scratch pad table (file letter t, 2610 bytes): nine pads, each a title and the full path
// of its text file.

#include "storage/Record.h"

namespace tavrin {

class DiaryFileSet;

class PadTable : public Record<2610> {
public:
    static constexpr int kPads = 9;
    static constexpr std::size_t kDescriptor = 290, kTitleWidth = 30, kPathWidth = 260;
    static constexpr const char* kNotSet = "<not set>";

    void applyDefaults(const DiaryFileSet& files);

    std::string title(int pad) const { return text(kDescriptor * pad, kTitleWidth); }
    void setTitle(int pad, std::string_view s) { setText(kDescriptor * pad, kTitleWidth, s); }
    // A path field may be full without a terminating NUL (the 260 "*" of an unset pad).
    std::string path(int pad) const { return text(kDescriptor * pad + kTitleWidth, kPathWidth); }
    void setPath(int pad, std::string_view s) {
        setText(kDescriptor * pad + kTitleWidth, kPathWidth, s);
    }
    bool isSet(int pad) const { return path(pad) != std::string(kPathWidth, '*'); }
};

} // namespace tavrin
