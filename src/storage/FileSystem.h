#pragma once
// The storage layer reads and writes through this small interface, so that tests can make any
// step fail (or stop the process there) and check that the diary is left whole.

#include <cstdint>
#include <memory>
#include <string>

namespace tavrin {

// An open file. Every call reports failure by returning false (or -1) and leaving errno-style
// cause in error().
class File {
public:
    virtual ~File() = default;
    virtual std::int64_t size() = 0;                                   // -1 on failure
    virtual std::int64_t readAt(std::int64_t off, void* buf, std::int64_t n) = 0; // bytes read, -1
    virtual bool writeAt(std::int64_t off, const void* buf, std::int64_t n) = 0;
    virtual bool truncate(std::int64_t len) = 0;
    virtual bool sync() = 0;
    virtual bool close() = 0; // also done by the destructor; reports a failed close
    int error() const { return err_; }

protected:
    int err_ = 0;
};

enum class OpenMode {
    Read,        // existing file, read only
    ReadWrite,   // existing file, read and write
    Create,      // read and write, created when missing, never truncated
    CreateTrunc, // read and write, created or emptied
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Returns nullptr on failure with the cause in lastError().
    virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode) = 0;
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual bool syncDirectory(const std::string& dir) = 0;
    virtual bool makeDirectory(const std::string& dir) = 0; // an existing directory is no error
    virtual std::int64_t fileSize(const std::string& path) = 0; // -1 when missing
    int lastError() const { return err_; }

    // The file system of the machine, shared by every TN that is not given another one.
    static FileSystem& native();

protected:
    int err_ = 0;
};

} // namespace tavrin
