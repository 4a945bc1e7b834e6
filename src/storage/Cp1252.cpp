#include "storage/Cp1252.h"

#include <array>
#include <cstdint>

namespace tavrin::cp1252 {
namespace {

// Unicode code points of 0x80 to 0x9F; the undefined five keep their C1 value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t toUnicode(unsigned char c) {
    return (c >= 0x80 && c < 0xA0) ? kHigh[c - 0x80] : c;
}

int fromUnicode(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return int(u);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u) return 0x80 + i;
    return -1;
}

void appendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += char(u);
    } else if (u < 0x800) {
        out += char(0xC0 | (u >> 6));
        out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xE0 | (u >> 12));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    }
}

struct FoldTable {
    std::array<unsigned char, 256> t{};
    constexpr FoldTable() {
        for (int i = 0; i < 256; ++i)
            t[i] = static_cast<unsigned char>(i);
        for (int c = 'A'; c <= 'Z'; ++c)
            t[c] = static_cast<unsigned char>(c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7) t[c] = static_cast<unsigned char>(c + 32);
        t[0x8A] = 0x9A; // S caron
        t[0x8C] = 0x9C; // OE
        t[0x8E] = 0x9E; // Z caron
        t[0x9F] = 0xFF; // Y diaeresis
    }
};
constexpr FoldTable kFold;

} // namespace

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (unsigned char c : bytes)
        appendUtf8(out, toUnicode(c));
    return out;
}

std::string fromUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t u;
        std::size_t len;
        if (c < 0x80) {
            u = c;
            len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            u = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            u = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            u = c & 0x07;
            len = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool ok = i + len <= s.size();
        for (std::size_t k = 1; ok && k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                ok = false;
            else
                u = (u << 6) | (cc & 0x3F);
        }
        static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (ok && (u < kLeast[len] || (u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF)) {
            out += '?'; // an overlong form could smuggle in a NUL or a '/'
            i += len;
            continue;
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        int b = fromUnicode(u);
        out += b < 0 ? '?' : char(b);
        i += len;
    }
    return out;
}

unsigned char fold(unsigned char c) {
    return kFold.t[c];
}

int compareNoCase(std::string_view a, std::string_view b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int x = kFold.t[static_cast<unsigned char>(a[i])];
        int y = kFold.t[static_cast<unsigned char>(b[i])];
        if (x != y) return x - y;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace tavrin::cp1252
