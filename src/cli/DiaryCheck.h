#pragma once
// Verifies a diary's files without trusting them: every index record and voice note, every
// table record and the configuration blocks, and the files an interrupted writer leaves. Reads
// raw bytes only and never writes. Whatever "show" or "export" would fail on is reported, and
// every value outside its range, naming the file, the record and the field. A file that is not
// a regular file (a directory, a FIFO, a link to nothing) is reported without ever waiting on it.

#include <string>
#include <vector>

namespace tavrin::cli {

class DiaryCheck {
public:
    explicit DiaryCheck(std::string diaryPath) : path_(std::move(diaryPath)) {}
    // Returns the problems found, one text each; empty when the diary is clean.
    std::vector<std::string> run() const;

    // False when an index record or voice note is damaged so that it may not say truly where
    // its bytes end (a wrong version, texts or a note outside their file, a note that is no
    // whole wave file): nothing may then be cut as unused.
    bool entriesSound() const;

    // The staged files of a batch of replacements that never wrote its journal, so never took
    // effect: safe to remove while holding the diary's lock. None while a journal is there (the
    // next opening finishes that batch with them).
    static std::vector<std::string> staleStagedFiles(const std::string& diaryPath);

private:
    std::string path_;
};

} // namespace tavrin::cli
