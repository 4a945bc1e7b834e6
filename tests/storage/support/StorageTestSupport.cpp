#include "StorageTestSupport.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tavrin::test {

int RecordingReporter::count(ReportKind kind) const {
    int n = 0;
    for (const auto& r : reports)
        n += r.kind == kind;
    return n;
}

bool RecordingReporter::has(ReportKind kind, std::string_view text) const {
    for (const auto& r : reports)
        if (r.kind == kind && r.text == text) return true;
    return false;
}

std::string RecordingReporter::dump() const {
    std::string s;
    for (const auto& r : reports)
        s += "[" + std::to_string(int(r.kind)) + "] " + r.text + "\n";
    return s.empty() ? "(no reports)" : s;
}

namespace {
// The rewrites fsync every file; on a RAM file system that costs nothing, which keeps the
// step-by-step crash tests fast on a busy disk. An explicit TMPDIR wins.
fs::path scratchRoot() {
    if (!std::getenv("TMPDIR") && ::access("/dev/shm", W_OK | X_OK) == 0 &&
        fs::is_directory("/dev/shm"))
        return "/dev/shm";
    return fs::temp_directory_path();
}
} // namespace

TempDir::TempDir() {
    static std::atomic<int> serial{0};
    static const fs::path root = scratchRoot();
    path_ =
        root / ("tavrin-storage-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

bool exists(const std::string& path) {
    return fs::exists(path);
}

std::int64_t sizeOf(const std::string& path) {
    std::error_code ec;
    auto n = fs::file_size(path, ec);
    return ec ? -1 : std::int64_t(n);
}

void copyTree(const fs::path& from, const fs::path& to) {
    fs::remove_all(to);
    fs::create_directories(to);
    fs::copy(from, to, fs::copy_options::recursive);
}

Bytes& Bytes::u8(std::size_t off, int v) {
    b.at(off) = char(std::uint8_t(v));
    return *this;
}

std::string xorExcept(std::string_view s, std::uint8_t key) {
    std::string out(s);
    for (char& c : out)
        if (std::uint8_t(c) != key) c = char(std::uint8_t(c) ^ key);
    return out;
}

} // namespace tavrin::test
