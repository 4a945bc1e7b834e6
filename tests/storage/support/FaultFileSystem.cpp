#include "FaultFileSystem.h"

#include <cerrno>
#include <filesystem>

namespace tavrin::test {
namespace {

std::string base(const std::string& path) { return std::filesystem::path(path).filename().string(); }

class FaultFile : public File {
public:
    FaultFile(FaultFileSystem& fs, std::unique_ptr<File> inner, std::string path)
        : fs_(fs), in_(std::move(inner)), path_(std::move(path)) {}

    std::int64_t size() override { return pass(in_->size()); }
    std::int64_t readAt(std::int64_t off, void* buf, std::int64_t n) override {
        if (fs_.readFails(path_)) {
            err_ = EIO;
            return -1;
        }
        return pass(in_->readAt(off, buf, n));
    }
    bool writeAt(std::int64_t off, const void* buf, std::int64_t n) override {
        const std::string what = "write " + base(path_) + " @" + std::to_string(off);
        bool failNow;
        try {
            failNow = fs_.step(what);
        } catch (const SimulatedCrash&) {
            in_->writeAt(off, buf, n / 2); // torn write
            throw;
        }
        if (failNow) {
            in_->writeAt(off, buf, n / 2);
            err_ = ENOSPC;
            return false;
        }
        return pass(in_->writeAt(off, buf, n));
    }
    bool truncate(std::int64_t len) override {
        if (fs_.step("truncate " + base(path_) + " " + std::to_string(len))) return fail();
        return pass(in_->truncate(len));
    }
    bool sync() override {
        if (fs_.step("sync " + base(path_))) return fail();
        return pass(in_->sync());
    }
    bool close() override {
        if (fs_.step("close " + base(path_))) {
            in_->close();
            return fail();
        }
        return pass(in_->close());
    }

private:
    template <class T> T pass(T v) {
        err_ = in_->error();
        return v;
    }
    bool fail() {
        err_ = EIO;
        return false;
    }
    FaultFileSystem& fs_;
    std::unique_ptr<File> in_;
    std::string path_;
};

} // namespace

void FaultFileSystem::arm(Mode mode, int step) {
    mode_ = mode;
    target_ = step;
    steps_ = 0;
    log_.clear();
}

bool FaultFileSystem::step(const std::string& what) {
    ++steps_;
    log_.push_back(what);
    if (mode_ == Mode::Count || steps_ != target_) return false;
    if (mode_ == Mode::Crash) throw SimulatedCrash{what};
    err_ = EIO;
    return true;
}

bool FaultFileSystem::readFails(const std::string& path) const {
    return !failReads_.empty() && path.size() >= failReads_.size() &&
           path.compare(path.size() - failReads_.size(), failReads_.size(), failReads_) == 0;
}

std::unique_ptr<File> FaultFileSystem::open(const std::string& path, OpenMode mode) {
    if (mode != OpenMode::Read && step("open " + base(path))) return nullptr;
    auto f = native_.open(path, mode);
    if (!f) {
        err_ = native_.lastError();
        return nullptr;
    }
    return std::make_unique<FaultFile>(*this, std::move(f), path);
}

bool FaultFileSystem::rename(const std::string& from, const std::string& to) {
    if (step("rename " + base(from) + " -> " + base(to))) return false;
    bool ok = native_.rename(from, to);
    err_ = native_.lastError();
    return ok;
}

bool FaultFileSystem::remove(const std::string& path) {
    if (step("remove " + base(path))) return false;
    bool ok = native_.remove(path);
    err_ = native_.lastError();
    return ok;
}

bool FaultFileSystem::syncDirectory(const std::string& dir) {
    if (step("syncdir " + base(dir))) return false;
    return native_.syncDirectory(dir);
}

bool FaultFileSystem::makeDirectory(const std::string& dir) {
    if (step("mkdir " + base(dir))) return false;
    bool ok = native_.makeDirectory(dir);
    err_ = native_.lastError();
    return ok;
}

std::int64_t FaultFileSystem::fileSize(const std::string& path) {
    auto n = native_.fileSize(path);
    err_ = native_.lastError();
    return n;
}

} // namespace tavrin::test
