#pragma once
// Verifies a diary's files without trusting them: every index record, the tables and the
// configuration blocks. Reads raw bytes only and never writes. Whatever "show" or "export"
// would fail on is reported, and every value outside its range, naming the record and field.
// A file that is not a regular file (a directory, a FIFO, a link to nothing) is reported
// without ever waiting on it.

#include <string>
#include <vector>

namespace tavrin::cli {

class DiaryCheck {
public:
    explicit DiaryCheck(std::string diaryPath) : path_(std::move(diaryPath)) {}
    // Returns the problems found, one text each; empty when the diary is clean.
    std::vector<std::string> run() const;

private:
    std::string path_;
};

} // namespace tavrin::cli
