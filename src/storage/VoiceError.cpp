#include "storage/VoiceError.h"

namespace tavrin {

std::string VoiceError::text(int code, const std::string& step) {
    static const char* const prefixes[] = {
        "Unspecified error in ",        "Device ID out of range in ",
        "Driver failed to enable in ",  "Device already allocated in ",
        "Device handle is invalid in ", "No device driver present in ",
        "Memory allocation error in ",  "Function isn't supported in ",
        "Error value out of range in ", "Invalid flag passed in ",
        "Invalid parameter passed in ", "Handle being already used in "};
    const char* prefix = "Unknown error type in ";
    if (code >= 1 && code <= 12)
        prefix = prefixes[code - 1];
    else if (code == kNotPossible)
        prefix = "Operation is not possible in ";
    return prefix + step;
}

} // namespace tavrin
