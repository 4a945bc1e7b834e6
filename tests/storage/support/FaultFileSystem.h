#pragma once
// The machine's file system with a trap. The N-th mutating step (open for writing, write,
// truncate, sync, close, rename, remove, directory sync) either
//   - fails with a chosen error (a write first writes half of its bytes, as a full disk does),
//   - "crashes" by throwing SimulatedCrash, which unwinds out of the operation with nothing but
//     destructors running, as if the process had died there (a write is torn in half), or
//   - crashes and loses power: everything not yet made durable is lost. A file's bytes are
//     durable once it was synced; names (creation, rename, removal) once their directory was
//     synced. restoreDurable() then puts the watched folder back as the disk would hold it.

#include "storage/NativeFileSystem.h"

#include <cerrno>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tavrin::test {

// Deliberately not a std::exception, so that no handler in the code under test can swallow it.
struct SimulatedCrash {
    std::string step;
};

class FaultFileSystem : public FileSystem {
public:
    enum class Mode { Count, Fail, Crash, PowerCut };

    // Starts counting steps from zero; the step-th one (1-based) fails with `error`, crashes or
    // cuts the power. PowerCut needs the folder to watch (its state now counts as durable).
    void arm(Mode mode, int step = 0, int error = EIO, const std::string& watched = {});
    void disarm() { arm(Mode::Count); }
    int steps() const { return steps_; }
    // Every mutating step since arm(), e.g. "rename Notes.tni.tmp -> Notes.tni" (temporary
    // names without their random part).
    const std::vector<std::string>& log() const { return log_; }
    // Files opened through this object and not yet closed.
    int openFiles() const { return openFiles_; }
    // Reads of files whose path ends with suffix fail with EIO (empty: none).
    void failReadsOf(std::string suffix) { failReads_ = std::move(suffix); }
    // After a PowerCut: the watched folder as the disk holds it.
    void restoreDurable();

    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool syncDirectory(const std::string& dir) override;
    bool makeDirectory(const std::string& dir) override;
    std::int64_t fileSize(const std::string& path) override;
    std::unique_ptr<File> createTemp(const std::string& target, std::string& tempPath) override;
    std::vector<std::string> list(const std::string& dir) override { return native_.list(dir); }
    std::unique_ptr<FileLock> lockExclusive(const std::string& path,
                                            std::chrono::milliseconds wait) override;

    // Counts one step; true when it is to fail. Throws SimulatedCrash when it is to crash.
    bool step(const std::string& what);
    bool readFails(const std::string& path) const;
    int error() const { return error_; }

    // The durable bytes of one file as the power-cut model sees them.
    struct Node {
        std::string durable;
    };
    std::shared_ptr<Node> nodeFor(const std::string& path, bool created);
    void adjustOpen(int delta) { openFiles_ += delta; }

private:
    std::unique_ptr<File> wrap(std::unique_ptr<File> f, const std::string& path, bool created);

    NativeFileSystem native_;
    Mode mode_ = Mode::Count;
    int target_ = 0, steps_ = 0, error_ = EIO, openFiles_ = 0;
    std::vector<std::string> log_;
    std::string failReads_, watched_;
    // Names as they are now, and as the disk holds them (as of each directory's last sync).
    std::map<std::string, std::shared_ptr<Node>> current_, durable_;
};

} // namespace tavrin::test
