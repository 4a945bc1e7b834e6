#pragma once
// Splits RTF bytes into groups, control words, control symbols, \'xx bytes and runs of plain
// text. The document reader (RtfParser) and the search scanner (RtfSearchText) both read
// through it, so that they take a file apart the same way; what each token means is theirs.
//
// Line ends outside escapes are dropped and \bin data is read past, never trusting its count
// beyond the bytes that exist; word names are cut at kMaxName letters and numbers saturate at
// the int range. A template, so that the scanner's calls are inlined on the search path.
//
// The handler has:
//   bool done() const;                  stop reading
//   void openGroup(); void closeGroup();
//   void controlWord(std::string_view name, bool hasParam, int param);
//   void controlSymbol(char c);         \\ \{ \} \~ \- \_ \* \<line end> and the rest; also
//                                       \' without hex digits
//   void hexByte(unsigned char b);      \'xx
//   void text(const char* begin, const char* end);  plain bytes, none of { } \ CR LF

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tavrin::diary {

class RtfLexer {
public:
    static constexpr std::size_t kMaxName = 32;
    // Groups nested deeper than this share the deepest one's state, in both readers alike.
    static constexpr int kMaxDepth = 256;

    template <class Handler> static void run(std::string_view rtf, Handler& h) {
        const char* p = rtf.data();
        const char* const end = p + rtf.size();
        while (p < end && !h.done()) {
            const char c = *p;
            if (c == '{') {
                ++p;
                h.openGroup();
            } else if (c == '}') {
                ++p;
                h.closeGroup();
            } else if (c == '\\') {
                p = escape(p + 1, end, h);
            } else if (c == '\r' || c == '\n') {
                ++p;
            } else {
                const char* q = plainEnd(p + 1, end);
                h.text(p, q);
                p = q;
            }
        }
    }

    // Whether a byte ends a run of plain text.
    static bool special(unsigned char c) {
        return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n';
    }

private:
    static bool isLetter(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
    static bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
    static int hexValue(unsigned char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') return (c | 0x20) - 'a' + 10;
        return -1;
    }

    // The end of the run of plain bytes from p: sixteen bytes at a time while none is special.
    static const char* plainEnd(const char* p, const char* end) {
        using V = std::uint8_t __attribute__((vector_size(16)));
        while (end - p >= 16) {
            V v;
            std::memcpy(&v, p, 16);
            const V stop = V(v == '{') | V(v == '}') | V(v == '\\') | V(v == '\r') | V(v == '\n');
            std::uint64_t a, b;
            std::memcpy(&a, &stop, 8);
            std::memcpy(&b, reinterpret_cast<const char*>(&stop) + 8, 8);
            if ((a | b) != 0) break;
            p += 16;
        }
        while (p < end && !special(static_cast<unsigned char>(*p)))
            ++p;
        return p;
    }

    // What follows a backslash; returns where it ends.
    template <class Handler> static const char* escape(const char* p, const char* end, Handler& h) {
        if (p >= end) return p;
        const unsigned char c = static_cast<unsigned char>(*p);
        if (isLetter(c)) {
            const char* start = p;
            while (p < end && isLetter(static_cast<unsigned char>(*p)))
                ++p;
            const std::string_view name(start,
                                        std::min<std::size_t>(std::size_t(p - start), kMaxName));
            bool negative = false;
            bool hasParam = false;
            std::int64_t value = 0;
            if (p + 1 < end && *p == '-' && isDigit(static_cast<unsigned char>(p[1]))) {
                negative = true;
                ++p;
            }
            while (p < end && isDigit(static_cast<unsigned char>(*p))) {
                hasParam = true;
                if (value < INT32_MAX) value = value * 10 + (*p - '0'); // saturates below
                ++p;
            }
            if (p < end && *p == ' ') ++p;
            value = std::min<std::int64_t>(value, INT32_MAX);
            const int param = int(negative ? -value : value);
            if (name == "bin") {
                // Binary data: never interpreted, and never trusted to be as long as it says.
                const std::int64_t count = hasParam && param > 0 ? param : 0;
                return p + std::min<std::int64_t>(count, end - p);
            }
            h.controlWord(name, hasParam, param);
            return p;
        }
        ++p;
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && p < end && hexValue(static_cast<unsigned char>(*p)) >= 0) {
                value = value * 16 + hexValue(static_cast<unsigned char>(*p));
                ++p;
                ++digits;
            }
            if (digits > 0)
                h.hexByte(static_cast<unsigned char>(value));
            else
                h.controlSymbol('\'');
            return p;
        }
        h.controlSymbol(char(c));
        return p;
    }
};

} // namespace tavrin::diary
