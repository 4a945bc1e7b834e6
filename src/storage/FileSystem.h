#pragma once
// The storage layer reads and writes through this small interface, so that tests can make any
// step fail (or stop the process there) and check that the diary is left whole.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavrin {

// An open file. Every call reports failure by returning false (or -1) and leaving errno-style
// cause in error().
class File {
public:
    virtual ~File() = default;
    virtual std::int64_t size() = 0;                                              // -1 on failure
    virtual std::int64_t readAt(std::int64_t off, void* buf, std::int64_t n) = 0; // bytes read, -1
    virtual bool writeAt(std::int64_t off, const void* buf, std::int64_t n) = 0;
    virtual bool truncate(std::int64_t len) = 0;
    virtual bool sync() = 0;
    virtual bool close() = 0; // also done by the destructor; reports a failed close
    int error() const { return err_; }

protected:
    int err_ = 0;
};

// No mode follows a link in place of the file: opening one fails with ELOOP.
enum class OpenMode {
    Read,        // existing file, read only
    ReadWrite,   // existing file, read and write
    Create,      // read and write, created when missing, never truncated
    CreateTrunc, // read and write, created or emptied
    CreateNew,   // read and write, created here and now: fails when the name exists, even as a link
};

// An advisory lock held until the object is destroyed.
class FileLock {
public:
    virtual ~FileLock() = default;
    // True for the holder that took the lock; false for a nested holder in the same process.
    virtual bool outermost() const { return true; }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Returns nullptr on failure with the cause in lastError().
    virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode) = 0;
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual bool syncDirectory(const std::string& dir) = 0;
    // An existing directory is no error; anything else of that name, a link too, is (ELOOP).
    virtual bool makeDirectory(const std::string& dir) = 0;
    virtual std::int64_t fileSize(const std::string& path) = 0; // -1 when missing

    // A new file beside target under a name that nothing else has (target + ".tmp-XXXXXX"),
    // carrying the target's mode, and its owner where permitted; readable by its owner only
    // when the target does not exist yet. The name is returned in tempPath.
    virtual std::unique_ptr<File> createTemp(const std::string& target, std::string& tempPath);
    // The names in a directory; empty when it cannot be read.
    virtual std::vector<std::string> list(const std::string& dir);
    // Takes the exclusive lock of lockPath (created when missing), waiting at most `wait`. Within
    // one process the lock is re-entrant. nullptr with lastError() EWOULDBLOCK when another
    // holder kept it. File systems of one process only (tests, fuzzing) need no lock.
    virtual std::unique_ptr<FileLock> lockExclusive(const std::string& lockPath,
                                                    std::chrono::milliseconds wait);
    int lastError() const { return err_; }

    // Temporary names: target + ".tmp-" + six letters or digits.
    static constexpr const char* kTempMarker = ".tmp-";
    static constexpr int kTempSuffix = 6;
    static std::string tempNameFor(const std::string& target);
    // True when name (a path or a bare name, as target is) is a temporary file of target.
    static bool isTempOf(const std::string& name, const std::string& target);

    // The file system of the machine, shared by every TN that is not given another one.
    static FileSystem& native();

protected:
    int err_ = 0;
};

} // namespace tavrin
