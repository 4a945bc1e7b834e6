#include "FaultFileSystem.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace tavrin::test {
namespace {

// A temporary file is logged under its fixed part: "Notes.tni.tmp".
std::string base(const std::string& path) {
    std::string b = fs::path(path).filename().string();
    auto at = b.rfind(FileSystem::kTempMarker);
    if (at != std::string::npos && b.size() == at + std::string(FileSystem::kTempMarker).size() +
                                                   std::size_t(FileSystem::kTempSuffix))
        b.resize(at + 4);
    return b;
}

std::string parentOf(const std::string& path) {
    return fs::path(path).parent_path().string();
}

class FaultFile : public File {
public:
    FaultFile(FaultFileSystem& fs, std::unique_ptr<File> inner, std::string path,
              std::shared_ptr<FaultFileSystem::Node> node)
        : fs_(fs), in_(std::move(inner)), path_(std::move(path)), node_(std::move(node)) {
        fs_.adjustOpen(+1);
    }
    ~FaultFile() override { fs_.adjustOpen(-1); }

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
            return fail();
        }
        return pass(in_->writeAt(off, buf, n));
    }
    bool truncate(std::int64_t len) override {
        if (fs_.step("truncate " + base(path_) + " " + std::to_string(len))) return fail();
        return pass(in_->truncate(len));
    }
    bool sync() override {
        if (fs_.step("sync " + base(path_))) return fail();
        if (!pass(in_->sync())) return false;
        if (node_) { // what the file holds now survives a power cut
            std::string bytes(std::size_t(std::max<std::int64_t>(0, in_->size())), '\0');
            bytes.resize(std::size_t(std::max<std::int64_t>(
                0, in_->readAt(0, bytes.data(), std::int64_t(bytes.size())))));
            node_->durable = std::move(bytes);
        }
        return true;
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
        err_ = fs_.error();
        return false;
    }
    FaultFileSystem& fs_;
    std::unique_ptr<File> in_;
    std::string path_;
    std::shared_ptr<FaultFileSystem::Node> node_;
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

void FaultFileSystem::arm(Mode mode, int step, int error, const std::string& watched) {
    mode_ = mode;
    target_ = step;
    error_ = error;
    steps_ = 0;
    log_.clear();
    current_.clear();
    durable_.clear();
    watched_ = mode == Mode::PowerCut ? watched : std::string();
    if (watched_.empty()) return;
    for (const auto& e : fs::recursive_directory_iterator(watched_)) {
        if (!e.is_regular_file()) continue;
        auto node = std::make_shared<Node>(Node{slurp(e.path())});
        current_[e.path().string()] = durable_[e.path().string()] = node;
    }
}

void FaultFileSystem::restoreDurable() {
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(watched_))
        if (e.is_regular_file() || e.is_symlink()) files.push_back(e.path());
    for (const auto& f : files)
        fs::remove(f);
    for (const auto& [path, node] : durable_) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(node->durable.data(), std::streamsize(node->durable.size()));
    }
}

std::shared_ptr<FaultFileSystem::Node> FaultFileSystem::nodeFor(const std::string& path,
                                                                bool created) {
    if (watched_.empty()) return nullptr;
    auto it = current_.find(path);
    if (it != current_.end() && !created) return it->second;
    auto node = std::make_shared<Node>();
    current_[path] = node; // a new file: nothing of it is durable yet
    return node;
}

bool FaultFileSystem::step(const std::string& what) {
    ++steps_;
    log_.push_back(what);
    if (mode_ == Mode::Count || steps_ != target_) return false;
    if (mode_ == Mode::Crash || mode_ == Mode::PowerCut) throw SimulatedCrash{what};
    err_ = error_;
    return true;
}

bool FaultFileSystem::readFails(const std::string& path) const {
    return !failReads_.empty() && path.size() >= failReads_.size() &&
           path.compare(path.size() - failReads_.size(), failReads_.size(), failReads_) == 0;
}

std::unique_ptr<File> FaultFileSystem::wrap(std::unique_ptr<File> f, const std::string& path,
                                            bool created) {
    if (!f) {
        err_ = native_.lastError();
        return nullptr;
    }
    return std::make_unique<FaultFile>(*this, std::move(f), path, nodeFor(path, created));
}

std::unique_ptr<File> FaultFileSystem::open(const std::string& path, OpenMode mode) {
    if (mode != OpenMode::Read && step("open " + base(path))) return nullptr;
    const bool existed = fs::exists(fs::symlink_status(path));
    return wrap(native_.open(path, mode), path, !existed);
}

std::unique_ptr<File> FaultFileSystem::createTemp(const std::string& target,
                                                  std::string& tempPath) {
    if (step("open " + base(target) + ".tmp")) return nullptr;
    auto f = native_.createTemp(target, tempPath);
    return wrap(std::move(f), tempPath, true);
}

bool FaultFileSystem::rename(const std::string& from, const std::string& to) {
    if (step("rename " + base(from) + " -> " + base(to))) return false;
    bool ok = native_.rename(from, to);
    err_ = native_.lastError();
    if (ok && !watched_.empty()) {
        current_[to] = current_[from];
        current_.erase(from);
    }
    return ok;
}

bool FaultFileSystem::remove(const std::string& path) {
    if (step("remove " + base(path))) return false;
    bool ok = native_.remove(path);
    err_ = native_.lastError();
    if (ok) current_.erase(path);
    return ok;
}

bool FaultFileSystem::syncDirectory(const std::string& dir) {
    if (step("syncdir " + base(dir))) return false;
    if (!native_.syncDirectory(dir)) return false;
    // Every name in the folder is now as it is.
    for (auto it = durable_.begin(); it != durable_.end();)
        it = parentOf(it->first) == dir && !current_.count(it->first) ? durable_.erase(it)
                                                                      : std::next(it);
    for (const auto& [path, node] : current_)
        if (parentOf(path) == dir) durable_[path] = node;
    return true;
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

std::unique_ptr<FileLock> FaultFileSystem::lockExclusive(const std::string& path,
                                                         std::chrono::milliseconds wait) {
    auto lock = native_.lockExclusive(path, wait);
    err_ = native_.lastError();
    return lock;
}

} // namespace tavrin::test
