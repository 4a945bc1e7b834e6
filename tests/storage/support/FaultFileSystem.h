#pragma once
// The machine's file system with a trap: the N-th mutating step (open for writing, write,
// truncate, sync, close, rename, remove, directory sync) either fails with an error, or
// "crashes" by throwing SimulatedCrash, which unwinds out of the operation with nothing but
// destructors running, as if the process had died there. A write that fails or crashes first
// writes half of its bytes, the way a full disk or a power cut leaves it.

#include "storage/NativeFileSystem.h"

#include <string>
#include <vector>

namespace tavrin::test {

// Deliberately not a std::exception, so that no handler in the code under test can swallow it.
struct SimulatedCrash {
    std::string step;
};

class FaultFileSystem : public FileSystem {
public:
    enum class Mode { Count, Fail, Crash };

    // Starts counting steps from zero; the step-th one (1-based) fails or crashes.
    void arm(Mode mode, int step = 0);
    void disarm() { arm(Mode::Count); }
    int steps() const { return steps_; }
    // Every mutating step since arm(), e.g. "rename Notes.tni.tmp -> Notes.tni".
    const std::vector<std::string>& log() const { return log_; }
    // Reads of files whose path ends with suffix fail with EIO (empty: none).
    void failReadsOf(std::string suffix) { failReads_ = std::move(suffix); }

    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool syncDirectory(const std::string& dir) override;
    bool makeDirectory(const std::string& dir) override;
    std::int64_t fileSize(const std::string& path) override;

    // Counts one step; true when it is to fail. Throws SimulatedCrash when it is to crash.
    bool step(const std::string& what);
    bool readFails(const std::string& path) const;

private:
    NativeFileSystem native_;
    Mode mode_ = Mode::Count;
    int target_ = 0, steps_ = 0;
    std::vector<std::string> log_;
    std::string failReads_;
};

} // namespace tavrin::test
