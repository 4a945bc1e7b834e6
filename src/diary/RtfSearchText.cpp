#include "diary/RtfSearchText.h"

#include "diary/RtfCodePage.h"
#include "diary/RtfWords.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace tavrin::diary {
namespace {

// Where a character ends up: '\n' for every kind of line or paragraph break, a space for a
// no-break space, nothing (0) for control characters and the optional hyphen; any other
// character case-folded.
char32_t searchForm(char32_t c, bool fold = true) {
    switch (c) {
    case u'\t':
    case u'\n':
        return c;
    case u'\r':
    case 0x2028:
    case 0x2029:
        return u'\n';
    case 0x00A0:
        return u' ';
    case 0x00AD:
        return 0;
    default:
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c > 0x10FFFF) return 0;
        if (c >= 0xD800 && c < 0xE000) return 0; // a lone surrogate is no character
        return fold ? QChar::toCaseFolded(c) : c;
    }
}

// Writes the UTF-8 form of c at w (room for four bytes); returns the bytes written.
int utf8(char32_t c, char* w) {
    if (c < 0x80) {
        w[0] = char(c);
        return 1;
    }
    if (c < 0x800) {
        w[0] = char(0xC0 | (c >> 6));
        w[1] = char(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        w[0] = char(0xE0 | (c >> 12));
        w[1] = char(0x80 | ((c >> 6) & 0x3F));
        w[2] = char(0x80 | (c & 0x3F));
        return 3;
    }
    w[0] = char(0xF0 | (c >> 18));
    w[1] = char(0x80 | ((c >> 12) & 0x3F));
    w[2] = char(0x80 | ((c >> 6) & 0x3F));
    w[3] = char(0x80 | (c & 0x3F));
    return 4;
}

void appendChar(std::string& out, char32_t c, bool fold = true) {
    c = searchForm(c, fold);
    if (c == 0) return;
    char buf[4];
    out.append(buf, std::size_t(utf8(c, buf)));
}

// Each byte of a single-byte code page, folded, as UTF-8 (at most three bytes: the code pages
// hold no character beyond the basic plane).
struct FoldTable {
    std::array<std::array<char, 4>, 256> bytes{};
    std::array<std::uint8_t, 256> length{};
};

FoldTable makeFoldTable(int codePage, bool fold) {
    FoldTable t;
    const RtfCodePage::Table& chars = RtfCodePage::table(codePage);
    for (int b = 0; b < 256; ++b) {
        const char32_t c =
            searchForm(b < 0x80 ? char32_t(b) : char32_t(chars[std::size_t(b)]), fold);
        if (c != 0)
            t.length[std::size_t(b)] = std::uint8_t(utf8(c, t.bytes[std::size_t(b)].data()));
    }
    return t;
}

// `fold` false: the same table without case folding, for showing the text.
const FoldTable& foldTable(int codePage, bool fold = true) {
    static std::mutex lock;
    static std::unordered_map<int, std::unique_ptr<FoldTable>> tables;
    const std::lock_guard<std::mutex> hold(lock);
    auto& t = tables[fold ? codePage : -1 - codePage];
    if (!t) t = std::make_unique<FoldTable>(makeFoldTable(codePage, fold));
    return *t;
}

// Appends bytes folded through the table. Room for the longest form of every byte is made
// first, so that the loop only copies.
void appendFolded(const FoldTable& t, const unsigned char* p, std::size_t n, std::string& out) {
    const std::size_t at = out.size();
    out.resize(at + 3 * n + 1);
    char* w = out.data() + at;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        std::memcpy(w, t.bytes[b].data(), 4);
        w += t.length[b];
    }
    out.resize(std::size_t(w - out.data()));
}

bool isLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The bytes that end a run of plain text.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> s{};
    s['{'] = s['}'] = s['\\'] = s['\r'] = s['\n'] = true;
    return s;
}();

// The character a control word stands for; 0 for any other word.
char32_t characterOf(std::string_view w) {
    static const std::unordered_map<std::string_view, char32_t> chars = {
        {"tab", u'\t'},      {"cell", u'\t'},       {"nestcell", u'\t'},   {"par", u'\n'},
        {"sect", u'\n'},     {"page", u'\n'},       {"row", u'\n'},        {"nestrow", u'\n'},
        {"line", u'\n'},     {"emdash", 0x2014},    {"endash", 0x2013},    {"emspace", 0x2003},
        {"enspace", 0x2002}, {"qmspace", 0x2005},   {"bullet", 0x2022},    {"lquote", 0x2018},
        {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"zwj", 0x200D},
        {"zwnj", 0x200C},    {"zwbo", 0x200B}};
    const auto it = chars.find(w);
    return it == chars.end() ? 0 : it->second;
}

class Scanner {
public:
    Scanner(std::string_view rtf, std::string& out, bool fold)
        : p_(reinterpret_cast<const unsigned char*>(rtf.data())), end_(p_ + rtf.size()), out_(out),
          fold_(fold) {}

    void run();

private:
    enum class Dest : std::uint8_t { Text, Skip, FontTable };
    struct Group {
        const FoldTable* table = nullptr;
        int codePage = 1252;
        bool doubleByte = false;
        int font = -1;
        int uc = 1;
        Dest dest = Dest::Text;
        bool hidden = false;
        bool upr = false;     // an \upr group: its first group is the text for old readers
        bool uprSeen = false; // ... and that group has been opened
    };
    static constexpr std::size_t kMaxDepth = 4096;

    bool textual() const { return depth_ > 0 && top().dest == Dest::Text && !top().hidden; }
    Group& top() { return stack_.back(); }
    const Group& top() const { return stack_.back(); }
    void openGroup();
    void closeGroup();
    void controlWord();
    void word(std::string_view w, bool hasParam, int param);
    void resolve(Group& g);
    void byte(unsigned char b);
    void character(char32_t c);

    const unsigned char* p_;
    const unsigned char* const end_;
    std::string& out_;
    const bool fold_;
    std::vector<Group> stack_;
    std::size_t depth_ = 0; // groups open, those beyond kMaxDepth included
    Group overflowSaved_;   // the deepest group as it was when deeper ones began
    bool done_ = false;
    bool groupStart_ = false; // nothing but \* read since the last '{'
    bool star_ = false;       // \* read at the start of the group
    int skip_ = 0;            // fallback characters of a \u still to skip
    char16_t highSurrogate_ = 0;
    int lead_ = -1; // the lead byte of a double-byte character
    int docCodePage_ = 1252;
    int defaultFont_ = -1;
    int tableFont_ = 0;
    int footnotes_ = 0;
    std::vector<std::pair<int, int>> fontPages_; // font number, code page (0: the document's)
};

void Scanner::run() {
    while (p_ < end_ && !done_) {
        const unsigned char c = *p_;
        if (c == '{') {
            ++p_;
            openGroup();
        } else if (c == '}') {
            ++p_;
            closeGroup();
        } else if (c == '\\') {
            ++p_;
            controlWord();
        } else if (c == '\r' || c == '\n') {
            ++p_;
        } else {
            const unsigned char* q = p_;
            while (q < end_ && !kSpecial[*q])
                ++q;
            groupStart_ = false;
            if (textual()) {
                while (skip_ > 0 && p_ < q) {
                    --skip_;
                    ++p_;
                }
                const Group& g = top();
                if (lead_ < 0 && !g.doubleByte) {
                    appendFolded(*g.table, p_, std::size_t(q - p_), out_);
                } else {
                    for (; p_ < q; ++p_)
                        byte(*p_);
                }
            }
            p_ = q;
        }
    }
}

void Scanner::openGroup() {
    skip_ = 0;
    lead_ = -1;
    groupStart_ = true;
    star_ = false;
    if (depth_ == 0 && !stack_.empty()) { // after the outermost group: nothing more to read
        done_ = true;
        return;
    }
    ++depth_;
    if (stack_.empty()) {
        stack_.emplace_back();
        resolve(top());
        return;
    }
    if (stack_.size() >= kMaxDepth) {
        // Deeper groups share the deepest one's state; it is put back when they have closed.
        if (depth_ == kMaxDepth + 1) overflowSaved_ = top();
        return;
    }
    Group& parent = top();
    Group g = parent;
    g.upr = g.uprSeen = false;
    if (parent.upr && !parent.uprSeen) {
        parent.uprSeen = true;
        g.dest = Dest::Skip;
    }
    stack_.push_back(g);
}

void Scanner::closeGroup() {
    skip_ = 0;
    lead_ = -1;
    groupStart_ = star_ = false;
    if (depth_ == 0) return;
    --depth_;
    if (depth_ >= kMaxDepth) {
        if (depth_ == kMaxDepth) top() = overflowSaved_;
        return;
    }
    if (depth_ == 0) {
        done_ = true;
        return;
    }
    stack_.pop_back();
}

void Scanner::controlWord() {
    if (p_ >= end_) return;
    const unsigned char c = *p_;
    if (isLetter(c)) {
        const unsigned char* start = p_;
        while (p_ < end_ && isLetter(*p_))
            ++p_;
        const std::string_view name(reinterpret_cast<const char*>(start),
                                    std::min<std::size_t>(std::size_t(p_ - start), 32));
        bool negative = false;
        bool hasParam = false;
        std::int64_t value = 0;
        if (p_ + 1 < end_ && *p_ == '-' && isDigit(p_[1])) {
            negative = true;
            ++p_;
        }
        while (p_ < end_ && isDigit(*p_)) {
            hasParam = true;
            if (value < INT32_MAX) value = value * 10 + (*p_ - '0');
            ++p_;
        }
        if (p_ < end_ && *p_ == ' ') ++p_;
        value = std::min<std::int64_t>(value, INT32_MAX);
        const int param = int(negative ? -value : value);
        if (name == "bin") {
            const std::int64_t count = hasParam && param > 0 ? param : 0;
            p_ += std::min<std::int64_t>(count, end_ - p_);
            return;
        }
        if (depth_ == 0 || top().dest == Dest::Skip) return;
        word(name, hasParam, param);
        return;
    }
    ++p_;
    if (c == '\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && p_ < end_ && hexValue(*p_) >= 0) {
            value = value * 16 + hexValue(*p_);
            ++p_;
            ++digits;
        }
        groupStart_ = false;
        if (digits > 0 && textual()) {
            if (skip_ > 0)
                --skip_;
            else
                byte(static_cast<unsigned char>(value));
        }
        return;
    }
    if (c == '*') {
        star_ = groupStart_;
        return;
    }
    groupStart_ = false;
    if (!textual()) return;
    if (skip_ > 0) {
        --skip_;
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        out_ += char(c);
        break;
    case '~':
        out_ += ' ';
        break;
    case '_':
        character(0x2011);
        break;
    case '\r':
    case '\n':
        out_ += '\n';
        break;
    case '\t':
        out_ += '\t';
        break;
    default:
        break; // \- is an optional hyphen; \| \: and the like mark up formulas and indexes
    }
}

void Scanner::word(std::string_view w, bool hasParam, int param) {
    Group& g = top();
    const bool atStart = groupStart_;
    const bool star = star_;
    groupStart_ = star_ = false;
    if (w == "ud") return; // the Unicode text of an \upr group is read as any other
    if (star && atStart) {
        // An ignorable destination: its text is not for us.
        g.dest = Dest::Skip;
        return;
    }
    const bool text = g.dest == Dest::Text;
    if (skip_ > 0 && text) {
        --skip_;
        return;
    }
    if (const char32_t c = characterOf(w)) {
        if (textual()) character(c);
        return;
    }
    switch (w.size()) {
    case 1:
        if (w == "u") {
            if (!textual()) return;
            const int code = param < 0 ? param + 65536 : param;
            if (code > 0 && code < 65536) character(char32_t(code));
            skip_ = g.uc;
            return;
        }
        if (w == "v") {
            g.hidden = !hasParam || param != 0;
            return;
        }
        if (w == "f") {
            if (g.dest == Dest::FontTable) {
                tableFont_ = param;
            } else {
                g.font = param;
                resolve(g);
            }
        }
        return;
    case 2:
        if (w == "uc") {
            g.uc = std::clamp(param, 0, 255);
        } else if (w == "pc") {
            docCodePage_ = 437;
            resolve(g);
        }
        return;
    case 3:
        if (w == "upr") g.upr = true;
        if (w == "pca" || w == "mac") {
            docCodePage_ = w == "mac" ? 10000 : 850;
            resolve(g);
        }
        return;
    case 4:
        if (w == "ansi") {
            docCodePage_ = 1252;
            resolve(g);
        } else if (w == "deff") {
            defaultFont_ = param;
            resolve(g);
        }
        return;
    case 5:
        if (w == "plain") {
            g.hidden = false;
            g.font = -1;
            resolve(g);
        } else if (w == "chftn") {
            // The reference number of an automatically numbered footnote.
            if (textual()) {
                const std::string n = std::to_string(++footnotes_);
                out_ += n;
            }
        }
        return;
    default:
        break;
    }
    if (w == "ansicpg") {
        if (hasParam && param > 0) docCodePage_ = param;
        resolve(g);
    } else if (w == "fcharset") {
        if (g.dest == Dest::FontTable && fontPages_.size() < 4096)
            fontPages_.emplace_back(tableFont_, RtfCodePage::forCharset(param));
    } else if (w == "deleted") {
        g.hidden = !hasParam || param != 0;
    } else if (w == "fonttbl") {
        g.dest = Dest::FontTable;
    } else if (w == "fldinst" || w == "pntext" || w == "listtext" || w == "pn" || w == "colortbl" ||
               w == "listtable" || w == "listoverridetable" || w == "nonesttables" ||
               isRtfHiddenDestination(w)) {
        g.dest = Dest::Skip;
    }
}

// The code page of the group's font, or the document's.
void Scanner::resolve(Group& g) {
    int page = docCodePage_;
    const int font = g.font < 0 ? defaultFont_ : g.font;
    for (auto it = fontPages_.rbegin(); it != fontPages_.rend(); ++it)
        if (it->first == font) {
            if (it->second > 0) page = it->second;
            break;
        }
    g.codePage = page;
    g.doubleByte = RtfCodePage::isLeadByte(page, 0x81); // every double-byte page leads with it
    g.table = &foldTable(page, fold_);
}

void Scanner::byte(unsigned char b) {
    const Group& g = top();
    if (lead_ >= 0) {
        const char32_t c = RtfCodePage::decodePair(g.codePage, std::uint8_t(lead_), b);
        lead_ = -1;
        character(c == 0xFFFD ? char32_t(u'?') : c);
        return;
    }
    if (RtfCodePage::isLeadByte(g.codePage, b)) {
        lead_ = b;
        return;
    }
    if (b == '\t' || b >= 0x20) out_.append(g.table->bytes[b].data(), g.table->length[b]);
}

void Scanner::character(char32_t c) {
    if (c >= 0xD800 && c < 0xDC00) {
        highSurrogate_ = char16_t(c);
        return;
    }
    if (c >= 0xDC00 && c < 0xE000 && highSurrogate_) {
        c = QChar::surrogateToUcs4(highSurrogate_, char16_t(c));
    }
    highSurrogate_ = 0;
    appendChar(out_, c, fold_);
}

} // namespace

void RtfSearchText::append(std::string_view stored, std::string& out) {
    if (stored.substr(0, 5) == "{\\rtf") {
        Scanner(stored, out, true).run();
        return;
    }
    appendCp1252(stored, out);
}

std::string RtfSearchText::visible(std::string_view stored) {
    std::string out;
    if (stored.substr(0, 5) == "{\\rtf") {
        Scanner(stored, out, false).run();
    } else {
        appendFolded(foldTable(1252, false), reinterpret_cast<const unsigned char*>(stored.data()),
                     stored.size(), out);
    }
    return out;
}

void RtfSearchText::appendCp1252(std::string_view bytes, std::string& out) {
    appendFolded(foldTable(1252), reinterpret_cast<const unsigned char*>(bytes.data()),
                 bytes.size(), out);
}

std::string RtfSearchText::needle(const QString& text) {
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(char16_t(c), text.at(i + 1).unicode());
            ++i;
        }
        appendChar(out, c);
    }
    return out;
}

} // namespace tavrin::diary
