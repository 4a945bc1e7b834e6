#include "storage/Reporter.h"

#include <cerrno>
#include <cstdio>

namespace tavrin {
namespace {

class StderrReporter : public Reporter {
public:
    void report(ReportKind, const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

StderrReporter& stderrReporter() {
    static StderrReporter r;
    return r;
}

Reporter* g_reporter = nullptr;

std::string fill(const char* pattern, const std::string& path) {
    std::string s(pattern);
    auto pos = s.find("%1");
    if (pos != std::string::npos) s.replace(pos, 2, path);
    return s;
}

} // namespace

Reporter& Reporter::global() {
    return g_reporter ? *g_reporter : stderrReporter();
}
void Reporter::setGlobal(Reporter* reporter) {
    g_reporter = reporter;
}

namespace messages {

const char* const kSupportAddress = "support@tavelle-suite.org";
const char* const kDiaryInUse = "The diary is in use by another program";

std::string fileError(int cause, const std::string& path) {
    switch (cause) {
    case ENOENT:
    case ENOTDIR:
        return fill("%1\nCannot find this file.\nPlease verify that the correct path and file name "
                    "are given.",
                    path);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return fill("Access to %1 was denied.", path);
    case EBUSY:
    case ETXTBSY:
    case EAGAIN:
        return fill("A sharing violation occurred while accessing %1.", path);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return fill("Disk full while accessing %1.", path);
    case EMFILE:
    case ENFILE:
        return fill("Too many open files while accessing %1.", path);
    case ENAMETOOLONG:
        return fill("%1 contains an invalid path.", path);
    case EIO:
        return fill("A hardware I/O error occurred while accessing %1.", path);
    case EEXIST:
        return fill("%1 already exists.", path);
    case ENODEV:
        return fill("%1 is not a regular file.", path);
    case ELOOP:
        return fill("%1 is a symbolic link where a file was expected.", path);
    default:
        return fill("An unexpected error occurred while accessing %1.", path);
    }
}

std::string damagedRecord(int index, const std::string& path) {
    return "Record " + std::to_string(index + 1) + " of " + path + " is damaged.";
}

std::string wrongVersion() {
    return std::string("Wrong diary version! Please use the converter or contact ") +
           kSupportAddress + " for more information!";
}

} // namespace messages
} // namespace tavrin
