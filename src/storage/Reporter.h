#pragma once
// Storage never shows anything itself: it hands every failure to a reporter given by the caller.
// The program shows the texts in message boxes; tests record them.

#include <string>

namespace tavrin {

enum class ReportKind {
    FileError,    // a file could not be opened, read, written, moved or deleted (warning)
    WrongVersion, // an index record with a version byte other than 1 (exclamation)
    Trace,        // an iteration stopped at an unreadable record (plain box)
    Damaged,      // a record points outside its file (warning)
    Voice,        // a voice-note step failed (warning)
};

class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void report(ReportKind kind, const std::string& text) = 0;
    // Long operations bracket their work, so that the program can show the wait cursor.
    virtual void beginWait() {}
    virtual void endWait() {}

    // The reporter used by every TN that is not given one. Until the program installs its own,
    // reports go to standard error.
    static Reporter& global();
    static void setGlobal(Reporter* reporter); // nullptr restores the standard-error reporter
};

// Keeps the wait cursor up for one scope.
class WaitScope {
public:
    explicit WaitScope(Reporter& r) : r_(r) { r_.beginWait(); }
    ~WaitScope() { r_.endWait(); }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

private:
    Reporter& r_;
};

namespace messages {
// The file-error text for an errno-style cause, naming the file (ENODEV: not a regular file).
std::string fileError(int cause, const std::string& path);
// A table record whose contents cannot be right (index counted from 0).
std::string damagedRecord(int index, const std::string& path);
// "Wrong diary version! ..." with the support address.
std::string wrongVersion();
extern const char* const kSupportAddress;
// Another program kept the diary's write lock for longer than a writer waits.
extern const char* const kDiaryInUse;
} // namespace messages

} // namespace tavrin
