#pragma once
// Shared helpers of the storage tests: a reporter that records, a throwaway directory, whole-file
// access and a little-endian byte builder for files made by hand from the layout tables.

#include "storage/Reporter.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::test {

struct Report {
    ReportKind kind;
    std::string text;
};

class RecordingReporter : public Reporter {
public:
    void report(ReportKind kind, const std::string& text) override {
        reports.push_back({kind, text});
    }
    void beginWait() override { ++waitDepth; }
    void endWait() override { --waitDepth; }

    int count(ReportKind kind) const;
    bool has(ReportKind kind, std::string_view text) const;
    std::string dump() const; // for failure messages
    void clear() { reports.clear(); }

    std::vector<Report> reports;
    int waitDepth = 0;
};

// A fresh directory in a scratch folder (a RAM file system when there is one), removed with
// the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::string& path); // empty when missing
void writeFile(const std::string& path, std::string_view bytes);
bool exists(const std::string& path);
std::int64_t sizeOf(const std::string& path); // -1 when missing
void copyTree(const std::filesystem::path& from, const std::filesystem::path& to);

// Bytes written at explicit offsets, little-endian, independent of the record classes.
class Bytes {
public:
    explicit Bytes(std::size_t n = 0) : b(n, '\0') {}
    explicit Bytes(std::string bytes) : b(std::move(bytes)) {}
    Bytes& u8(std::size_t off, int v); // out of line: inlined, GCC mistakes the string's size
    Bytes& u32(std::size_t off, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            u8(off + std::size_t(i), int((v >> (8 * i)) & 0xFF));
        return *this;
    }
    Bytes& i32(std::size_t off, std::int32_t v) { return u32(off, std::uint32_t(v)); }
    Bytes& i64(std::size_t off, std::int64_t v) {
        u32(off, std::uint32_t(std::uint64_t(v)));
        return u32(off + 4, std::uint32_t(std::uint64_t(v) >> 32));
    }
    Bytes& f32(std::size_t off, float v) {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        return u32(off, u);
    }
    Bytes& rgb(std::size_t off, int r, int g, int bl) {
        return u8(off, r).u8(off + 1, g).u8(off + 2, bl).u8(off + 3, 0);
    }
    // Raw bytes, no terminator added (the zeros already there terminate short texts).
    Bytes& text(std::size_t off, std::string_view s) {
        for (std::size_t i = 0; i < s.size(); ++i)
            b.at(off + i) = s[i];
        return *this;
    }

    std::uint8_t getU8(std::size_t off) const { return std::uint8_t(b.at(off)); }
    std::uint32_t getU32(std::size_t off) const {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | getU8(off + std::size_t(i));
        return v;
    }
    std::int64_t getI64(std::size_t off) const {
        return std::int64_t(std::uint64_t(getU32(off)) | std::uint64_t(getU32(off + 4)) << 32);
    }
    std::string getText(std::size_t off, std::size_t width) const {
        std::string s = b.substr(off, width);
        return s.substr(0, s.find('\0'));
    }

    std::string b;
};

// XOR with a key, a byte equal to the key passing unchanged: the diary's scrambling, by hand.
std::string xorExcept(std::string_view s, std::uint8_t key);

} // namespace tavrin::test
