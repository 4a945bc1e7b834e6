#pragma once
// A failed step of storing or reading a voice note: the error code of the step and its name,
// told to the user as a prefix chosen by the code followed by the step ("Invalid parameter
// passed in acmStreamOpen").

#include <string>

namespace tavrin {

struct VoiceError {
    // The codes that are used here; the text table knows 1 to 12 and 512.
    static constexpr int kNoMemory = 7, kInvalidParam = 11, kNotPossible = 512,
                         kChunkNotFound = 265;

    int code = 0;
    std::string step; // "mmioDescend", "acmFormatSuggest", ...

    bool failed() const { return code != 0; }
    void set(int c, const char* s) {
        code = c;
        step = s;
    }
    std::string text() const { return text(code, step); }
    static std::string text(int code, const std::string& step);
};

} // namespace tavrin
