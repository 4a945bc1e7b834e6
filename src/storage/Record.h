#pragma once
// Fixed-size little-endian records, encoded and decoded field by field at their byte offsets.
// The record types (EntryRecord, ReminderRecord, ...) derive from Record<N> and only describe
// their fields; nothing here relies on the compiler's struct layout.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace tavrin {

enum class FieldType : std::uint8_t {
    U8,   // unsigned byte
    I8,   // signed byte
    U32,  // unsigned 32-bit
    I32,  // signed 32-bit
    Time, // signed 64-bit seconds since 1970 UTC
    F32,  // IEEE 754 single
    Text, // NUL-terminated 8-bit text within its width
    Rgb,  // 32-bit colour, red in the low byte
};

struct FieldSpec {
    const char* name;
    std::uint16_t offset;
    std::uint16_t width;
    FieldType type;
};

namespace le {
inline std::uint32_t u32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
inline std::uint64_t u64(const std::uint8_t* p) {
    return std::uint64_t(u32(p)) | std::uint64_t(u32(p + 4)) << 32;
}
inline void putU32(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}
inline void putU64(std::uint8_t* p, std::uint64_t v) {
    putU32(p, std::uint32_t(v));
    putU32(p + 4, std::uint32_t(v >> 32));
}
} // namespace le

// Byte-level access shared by every record and block.
class ByteView {
public:
    explicit ByteView(std::span<std::uint8_t> bytes) : b_(bytes) {}

    std::uint8_t u8(std::size_t off) const { return b_[off]; }
    std::int8_t i8(std::size_t off) const { return std::int8_t(b_[off]); }
    std::uint32_t u32(std::size_t off) const { return le::u32(&b_[off]); }
    std::int32_t i32(std::size_t off) const { return std::int32_t(le::u32(&b_[off])); }
    std::int64_t i64(std::size_t off) const { return std::int64_t(le::u64(&b_[off])); }
    float f32(std::size_t off) const { return std::bit_cast<float>(le::u32(&b_[off])); }
    // Text up to the first NUL or the end of the field: a field without NUL is read to its end.
    std::string text(std::size_t off, std::size_t width) const {
        const auto* p = &b_[off];
        const void* nul = std::memchr(p, 0, width);
        std::size_t n = nul ? std::size_t(static_cast<const std::uint8_t*>(nul) - p) : width;
        return std::string(reinterpret_cast<const char*>(p), n);
    }

    void setU8(std::size_t off, std::uint8_t v) { b_[off] = v; }
    void setI8(std::size_t off, std::int8_t v) { b_[off] = std::uint8_t(v); }
    void setU32(std::size_t off, std::uint32_t v) { le::putU32(&b_[off], v); }
    void setI32(std::size_t off, std::int32_t v) { le::putU32(&b_[off], std::uint32_t(v)); }
    void setI64(std::size_t off, std::int64_t v) { le::putU64(&b_[off], std::uint64_t(v)); }
    void setF32(std::size_t off, float v) { le::putU32(&b_[off], std::bit_cast<std::uint32_t>(v)); }
    // Stores at most width - 1 bytes, then a NUL; the rest of the field is zeroed.
    void setText(std::size_t off, std::size_t width, std::string_view s) {
        std::size_t n = std::min(s.size(), width - 1);
        if (n == 0) { // an empty view may point nowhere, which memchr and memcpy do not allow
            std::memset(&b_[off], 0, width);
            return;
        }
        if (const void* nul = std::memchr(s.data(), 0, n))
            n = std::size_t(static_cast<const char*>(nul) - s.data());
        std::memcpy(&b_[off], s.data(), n);
        std::memset(&b_[off + n], 0, width - n);
    }
    // Fills a field completely, without a terminating NUL when the text is as long as the field.
    void setFullText(std::size_t off, std::size_t width, std::string_view s) {
        std::size_t n = std::min(s.size(), width);
        if (n) std::memcpy(&b_[off], s.data(), n);
        std::memset(&b_[off + n], 0, width - n);
    }

    // Generic access by field description, used by exports and checks.
    std::int64_t integer(const FieldSpec& f) const;
    double real(const FieldSpec& f) const { return f32(f.offset); }

private:
    std::span<std::uint8_t> b_;
};

inline std::int64_t ByteView::integer(const FieldSpec& f) const {
    switch (f.type) {
    case FieldType::U8:
        return u8(f.offset);
    case FieldType::I8:
        return i8(f.offset);
    case FieldType::U32:
    case FieldType::Rgb:
        return u32(f.offset);
    case FieldType::I32:
        return i32(f.offset);
    case FieldType::Time:
        return i64(f.offset);
    default:
        return 0;
    }
}

template <std::size_t N> class Record {
public:
    static constexpr std::size_t kSize = N;

    std::array<std::uint8_t, N> bytes{};

    ByteView view() { return ByteView(bytes); }
    ByteView view() const {
        return ByteView(std::span<std::uint8_t>(const_cast<std::uint8_t*>(bytes.data()), N));
    }
    void clear() { bytes.fill(0); }
    std::uint8_t* data() { return bytes.data(); }
    const std::uint8_t* data() const { return bytes.data(); }

protected:
    std::uint8_t u8(std::size_t off) const { return view().u8(off); }
    std::int8_t i8(std::size_t off) const { return view().i8(off); }
    std::uint32_t u32(std::size_t off) const { return view().u32(off); }
    std::int32_t i32(std::size_t off) const { return view().i32(off); }
    std::int64_t i64(std::size_t off) const { return view().i64(off); }
    float f32(std::size_t off) const { return view().f32(off); }
    std::string text(std::size_t off, std::size_t w) const { return view().text(off, w); }
    void setU8(std::size_t off, std::uint8_t v) { view().setU8(off, v); }
    void setI8(std::size_t off, std::int8_t v) { view().setI8(off, v); }
    void setU32(std::size_t off, std::uint32_t v) { view().setU32(off, v); }
    void setI32(std::size_t off, std::int32_t v) { view().setI32(off, v); }
    void setI64(std::size_t off, std::int64_t v) { view().setI64(off, v); }
    void setF32(std::size_t off, float v) { view().setF32(off, v); }
    void setText(std::size_t off, std::size_t w, std::string_view s) { view().setText(off, w, s); }

    // Typed access through a field description.
    std::string get(const FieldSpec& f) const { return text(f.offset, f.width); }
    void put(const FieldSpec& f, std::string_view s) { setText(f.offset, f.width, s); }
};

} // namespace tavrin
