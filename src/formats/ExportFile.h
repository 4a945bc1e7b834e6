#pragma once
// The file an organiser export writes, piece by piece. After the first failure (reported once
// through the diary's reporter, naming the file) it writes nothing further.

#include <cstdint>
#include <memory>
#include <string>

namespace tavrin {
class File;
class FileSystem;
class Reporter;
} // namespace tavrin

namespace tavrin::formats {

class ExportFile {
public:
    ExportFile(FileSystem& fs, Reporter& rep, const std::string& path);
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    bool ok() const { return ok_; }
    void put(const std::string& s);
    // Closes the file; false when anything failed.
    bool finish();

private:
    void fail(int cause);
    Reporter& rep_;
    std::string path_;
    std::unique_ptr<File> file_;
    std::int64_t at_ = 0;
    bool ok_ = true;
};

} // namespace tavrin::formats
