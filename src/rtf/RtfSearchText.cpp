#include "rtf/RtfSearchText.h"

#include "rtf/RtfCodePage.h"
#include "rtf/RtfLexer.h"
#include "rtf/RtfWords.h"

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

// Copies sixteen bytes at a time while they are plain ASCII (no control character, DEL
// included), lower-casing them when `fold`; returns where it stopped. Each code page holds
// ASCII as it is, so this is the fold table's result for such bytes.
const unsigned char* foldAscii(const unsigned char* p, const unsigned char* end, char*& w,
                               bool fold) {
    using V = std::uint8_t __attribute__((vector_size(16)));
    auto any = [](V m) {
        std::uint64_t a, b;
        std::memcpy(&a, &m, 8);
        std::memcpy(&b, reinterpret_cast<const char*>(&m) + 8, 8);
        return (a | b) != 0;
    };
    while (end - p >= 16) {
        V v;
        std::memcpy(&v, p, 16);
        const V stop = V(v >= 0x7F) | (V(v < 0x20) & V(v != '\t')); // DEL is no character
        if (any(stop)) break;
        if (fold) v += V(V(v >= 'A') & V(v <= 'Z')) & 0x20;
        std::memcpy(w, &v, 16);
        w += 16;
        p += 16;
    }
    return p;
}

// The words that stand for one character.
const std::unordered_map<std::string_view, char32_t>& characters() {
    static const std::unordered_map<std::string_view, char32_t> chars = {
        {"tab", u'\t'},      {"line", u'\n'},     {"emdash", 0x2014},    {"endash", 0x2013},
        {"emspace", 0x2003}, {"enspace", 0x2002}, {"qmspace", 0x2005},   {"bullet", 0x2022},
        {"lquote", 0x2018},  {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
        {"zwj", 0x200D},     {"zwnj", 0x200C},    {"zwbo", 0x200B}};
    return chars;
}

// Paragraph, page, row and cell marks. Hidden text cannot hide them: the editor's document has
// no hidden block, so the break stays, and search sees it too.
const std::unordered_map<std::string_view, char>& marks() {
    static const std::unordered_map<std::string_view, char> chars = {
        {"par", '\n'},     {"sect", '\n'}, {"page", '\n'},    {"row", '\n'},
        {"nestrow", '\n'}, {"cell", '\t'}, {"nestcell", '\t'}};
    return chars;
}

enum class Word : std::uint8_t {
    Other,
    Character, // stands for one character
    Mark,      // a paragraph, row or cell mark
    Unicode,
    UnicodeSkip,
    UnicodeText, // \ud
    AnsiText,    // \upr
    Hidden,
    Font,
    Plain,
    FootnoteNumber,
    CodePage,
    DefaultFont,
    Charset,
    FontTable,
    Unseen,      // a destination whose text is not shown
    Table,       // the same, but its words that set the document's code page still count
    Instruction, // a Table in text, Unseen in any other destination
    Destination, // a destination whose text is read as any other (\field, \fldrslt)
};

// The control words the scanner acts on, with the character of those that stand for one; one
// look-up per word.
struct WordMeaning {
    Word kind;
    char32_t character = 0;
};
const std::unordered_map<std::string_view, WordMeaning>& words() {
    static const std::unordered_map<std::string_view, WordMeaning> map = [] {
        std::unordered_map<std::string_view, WordMeaning> m = {
            {"u", {Word::Unicode}},
            {"uc", {Word::UnicodeSkip}},
            {"ud", {Word::UnicodeText}},
            {"upr", {Word::AnsiText}},
            {"v", {Word::Hidden}},
            {"deleted", {Word::Hidden}},
            {"f", {Word::Font}},
            {"plain", {Word::Plain}},
            {"chftn", {Word::FootnoteNumber}},
            {"ansi", {Word::CodePage}},
            {"ansicpg", {Word::CodePage}},
            {"mac", {Word::CodePage}},
            {"pc", {Word::CodePage}},
            {"pca", {Word::CodePage}},
            {"deff", {Word::DefaultFont}},
            {"fcharset", {Word::Charset}},
            {"fonttbl", {Word::FontTable}},
        };
        for (const char* table : {"pn", "colortbl", "listtable", "listoverridetable"})
            m.emplace(table, WordMeaning{Word::Table});
        for (const char* instruction : {"fldinst", "pntext", "listtext"})
            m.emplace(instruction, WordMeaning{Word::Instruction});
        for (std::string_view hidden : rtfHiddenDestinations())
            m.emplace(hidden, WordMeaning{Word::Unseen});
        for (const char* shown : {"field", "fldrslt"})
            m.emplace(shown, WordMeaning{Word::Destination});
        for (const auto& [name, c] : characters())
            m.emplace(name, WordMeaning{Word::Character, c});
        for (const auto& [name, c] : marks())
            m.emplace(name, WordMeaning{Word::Mark, char32_t(c)});
        return m;
    }();
    return map;
}

// The same words in an open-addressed table with a cheap hash: a body has a control word every
// few words, and most of them (bold, size, spacing) are not in it.
class WordTable {
public:
    WordTable() {
        for (const auto& [name, meaning] : words()) {
            std::size_t i = hash(name);
            while (!slots_[i].name.empty())
                i = (i + 1) % kSlots;
            slots_[i] = {name, meaning};
        }
    }
    WordMeaning find(std::string_view w) const {
        for (std::size_t i = hash(w);; i = (i + 1) % kSlots) {
            const Slot& s = slots_[i];
            if (s.name.empty()) return {Word::Other};
            if (s.name.size() == w.size() &&
                std::equal(w.begin(), w.end(), s.name.begin())) // short: no call to memcmp
                return s.meaning;
        }
    }

private:
    static constexpr std::size_t kSlots = 512; // at least three times the words
    static std::size_t hash(std::string_view w) {
        std::uint32_t h = 2166136261u;
        for (char c : w)
            h = (h ^ std::uint8_t(c)) * 16777619u;
        return (h ^ (h >> 15)) % kSlots;
    }
    struct Slot {
        std::string_view name;
        WordMeaning meaning{Word::Other};
    };
    std::array<Slot, kSlots> slots_{};
};

const WordTable& wordTable() {
    static const WordTable table;
    return table;
}

class Scanner {
public:
    // No byte of RTF becomes more than three bytes of text (a \'xx four bytes at most, a \uN
    // pair of surrogates four bytes from twelve), so room for three times the input is made
    // once and the text written straight into it.
    // `out` has room for RtfSearchText::room(rtf.size()) bytes.
    Scanner(std::string_view rtf, char* out, bool fold) : rtf_(rtf), w_(out), fold_(fold) {
        stack_.reserve(16);
    }

    // Returns the end of the text written.
    char* run();

private:
    friend class tavrin::diary::RtfLexer;
    bool done() const { return done_; }
    void text(const char* begin, const char* end);
    void controlWord(std::string_view name, bool hasParam, int param);
    void controlSymbol(char c);
    void hexByte(unsigned char b);

    // Table: no text, but the reader still acts on the words that set the document's code page
    // or define fonts there.
    enum class Dest : std::uint8_t { Text, Skip, FontTable, Table };
    struct Group {
        const FoldTable* table = nullptr;
        int codePage = 1252;
        bool doubleByte = false;
        int font = -1;
        int uc = 1;
        unsigned pages = 0; // pagesChanged_ when codePage was worked out
        Dest dest = Dest::Text;
        bool hidden = false;
        bool upr = false;     // an \upr group: its first group is the text for old readers
        bool uprSeen = false; // ... and that group has been opened
    };
    // As deep as the reader's, so that groups beyond it share state the same way.
    static constexpr std::size_t kMaxDepth = std::size_t(RtfLexer::kMaxDepth);

    bool textual() const { return inText() && !top().hidden; }
    bool inText() const { return depth_ > 0 && top().dest == Dest::Text; }
    Group& top() { return stack_.back(); }
    const Group& top() const { return stack_.back(); }
    void openGroup();
    void closeGroup();
    void word(std::string_view w, bool hasParam, int param);
    void resolve(Group& g);
    void byte(unsigned char b);
    void fontNameByte(unsigned char b);
    void commitFont();
    void character(char32_t c);

    const std::string_view rtf_;
    char* w_;
    const bool fold_;
    int tablePage_ = -1; // the code page of table_, the last one looked up
    const FoldTable* table_ = nullptr;
    std::vector<Group> stack_;
    std::size_t depth_ = 0; // groups open, those beyond kMaxDepth included
    Group overflowSaved_;   // the deepest group as it was when deeper ones began
    bool done_ = false;
    bool groupStart_ = false; // nothing but \* read since the last '{'
    bool star_ = false;       // \* read at the start of the group
    int skip_ = 0;            // fallback characters of a \u still to skip
    char16_t highSurrogate_ = 0;
    const char* highSurrogateAt_ = nullptr; // where the text was when it came
    int lead_ = -1;                         // the lead byte of a double-byte character
    int docCodePage_ = 1252;
    int defaultFont_ = 0;
    unsigned pagesChanged_ = 0; // counts changes of the code pages that fonts select
    int tableFont_ = 0;
    int tableCharset_ = -1;
    bool tableNamed_ = false; // the font being defined has a name (the reader keeps no other)
    int footnotes_ = 0;
    std::vector<std::pair<int, int>> fontPages_; // font number, code page (0: the document's)
};

char* Scanner::run() {
    RtfLexer::run(rtf_, *this);
    return w_;
}

void Scanner::text(const char* begin, const char* end) {
    groupStart_ = false;
    if (depth_ == 0 || top().dest == Dest::Skip || top().dest == Dest::Table) return;
    auto p = reinterpret_cast<const unsigned char*>(begin);
    const auto e = reinterpret_cast<const unsigned char*>(end);
    const Group& g = top();
    if (!textual()) {
        // Hidden text and font names still take up \u fallbacks and lead bytes.
        for (; p < e; ++p) {
            if (skip_ > 0)
                --skip_;
            else if (g.dest == Dest::FontTable)
                fontNameByte(*p);
            else
                byte(*p);
        }
        return;
    }
    if (skip_ == 0 && lead_ < 0 && !g.doubleByte) {
        // The common case: folded in one pass, in locals so that the stores into the text are
        // not taken to change the position.
        const FoldTable& t = *g.table;
        char* w = w_;
        while (p < e) {
            p = foldAscii(p, e, w, fold_);
            // Up to sixteen bytes one at a time, then sixteen at once again.
            const unsigned char* const stop = e - p > 16 ? p + 16 : e;
            for (; p < stop; ++p) {
                std::memcpy(w, t.bytes[*p].data(), 4);
                w += t.length[*p];
            }
        }
        w_ = w;
        return;
    }
    for (; p < e; ++p) {
        if (skip_ > 0)
            --skip_;
        else
            byte(*p);
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
        if (top().pages != pagesChanged_) resolve(top());
        return;
    }
    if (depth_ == 0) {
        done_ = true;
        return;
    }
    if (top().dest == Dest::FontTable && tableNamed_) commitFont();
    stack_.pop_back();
    // The fonts or the document's code page may have changed since this group began.
    if (top().pages != pagesChanged_) resolve(top());
}

void Scanner::controlWord(std::string_view name, bool hasParam, int param) {
    if (depth_ == 0 || top().dest == Dest::Skip) return;
    word(name, hasParam, param);
}

void Scanner::hexByte(unsigned char b) {
    groupStart_ = false;
    if (depth_ == 0 || top().dest == Dest::Skip || top().dest == Dest::Table) return;
    if (skip_ > 0)
        --skip_;
    else if (top().dest == Dest::FontTable)
        fontNameByte(b);
    else
        byte(b);
}

void Scanner::controlSymbol(char c) {
    if (c == '*') {
        star_ = groupStart_;
        return;
    }
    groupStart_ = false;
    if (depth_ == 0 || top().dest == Dest::Skip || top().dest == Dest::Table) return;
    if (skip_ > 0) {
        --skip_;
        return;
    }
    if (top().dest == Dest::FontTable) {
        if (c == '\\' || c == '{' || c == '}' || c == '-' || c == '_') tableNamed_ = true;
        return;
    }
    if (c == '\r' || c == '\n') { // a paragraph mark
        *w_++ = '\n';
        return;
    }
    if (top().hidden) return;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        *w_++ = c;
        break;
    case '~':
        *w_++ = ' ';
        break;
    case '_':
        character(0x2011);
        break;
    case '\t':
        *w_++ = '\t';
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
    const WordMeaning meaning = wordTable().find(w);
    const Word kind = meaning.kind;
    if (kind == Word::UnicodeText) return; // the Unicode text of an \upr group is read as any other
    const bool destination = kind == Word::Unseen || kind == Word::Table ||
                             kind == Word::Instruction || kind == Word::Destination ||
                             kind == Word::FontTable || kind == Word::AnsiText;
    if (star && atStart && !destination) {
        // An ignorable destination we do not know: its text is not for us.
        g.dest = Dest::Skip;
        return;
    }
    // Any other word may be a \u's fallback, as the reader takes it.
    if (skip_ > 0 && !destination) {
        --skip_;
        return;
    }
    switch (kind) {
    case Word::Character:
        if (textual()) character(meaning.character);
        break;
    case Word::Mark:
        if (inText()) *w_++ = char(meaning.character);
        break;
    case Word::Unicode: {
        const int code = param < 0 ? param + 65536 : param;
        if (textual() && code > 0 && code < 65536) character(char32_t(code));
        if (g.dest == Dest::FontTable && code > 0x20 && code != 0xA0) tableNamed_ = true;
        skip_ = g.uc;
        break;
    }
    case Word::UnicodeSkip:
        g.uc = std::clamp(param, 0, 255);
        break;
    case Word::Hidden:
        g.hidden = !hasParam || param != 0;
        break;
    case Word::Font:
        if (g.dest == Dest::FontTable) {
            if (tableNamed_) commitFont();
            tableFont_ = param;
            tableCharset_ = -1;
        } else {
            g.font = param;
            resolve(g);
        }
        break;
    case Word::Plain:
        g.hidden = false;
        g.font = -1;
        resolve(g);
        break;
    case Word::FootnoteNumber:
        // The reference number of an automatically numbered footnote; a hidden one is counted.
        if (inText() && (++footnotes_, !g.hidden)) {
            const std::string n = std::to_string(footnotes_);
            std::memcpy(w_, n.data(), n.size());
            w_ += n.size();
        }
        break;
    case Word::AnsiText:
        g.upr = true;
        break;
    case Word::CodePage:
        if (w == "ansicpg")
            docCodePage_ = hasParam && param > 0 ? param : docCodePage_;
        else
            docCodePage_ = w == "ansi" ? 1252 : w == "mac" ? 10000 : w == "pc" ? 437 : 850;
        ++pagesChanged_;
        resolve(g);
        break;
    case Word::DefaultFont:
        defaultFont_ = param;
        ++pagesChanged_;
        resolve(g);
        break;
    case Word::Charset:
        if (g.dest == Dest::FontTable) tableCharset_ = param;
        break;
    case Word::FontTable:
        g.dest = Dest::FontTable;
        break;
    case Word::Unseen:
        g.dest = Dest::Skip;
        break;
    case Word::Table:
        g.dest = Dest::Table;
        break;
    case Word::Instruction:
        g.dest = g.dest == Dest::Text ? Dest::Table : Dest::Skip;
        break;
    default:
        // Any other word is formatting, which search ignores.
        break;
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
    g.pages = pagesChanged_;
    g.doubleByte = RtfCodePage::isLeadByte(page, 0x81); // every double-byte page leads with it
    if (page != tablePage_) {
        table_ = &foldTable(page, fold_);
        tablePage_ = page;
    }
    g.table = table_;
}

// A byte of text, shown or hidden: a hidden lead byte still pairs with the byte after it.
void Scanner::byte(unsigned char b) {
    const Group& g = top();
    if (b == '\t') {
        if (!g.hidden) *w_++ = '\t';
        return;
    }
    if (b < 0x20) return;
    if (lead_ >= 0) {
        const char32_t c = RtfCodePage::decodePair(g.codePage, std::uint8_t(lead_), b);
        lead_ = -1;
        if (!g.hidden) character(c == 0xFFFD ? char32_t(u'?') : c);
        return;
    }
    if (RtfCodePage::isLeadByte(g.codePage, b)) {
        lead_ = b;
        return;
    }
    if (!g.hidden) {
        std::memcpy(w_, g.table->bytes[b].data(), 4);
        w_ += g.table->length[b];
    }
}

// A byte of a font's name in the font table: the name ends at ';'. Only whether it has one
// matters here, since the reader forgets a font without a name.
void Scanner::fontNameByte(unsigned char b) {
    if (b == ';') {
        if (tableNamed_) commitFont();
        return;
    }
    if (b < 0x80) {
        if (b > 0x20 && b != 0x7F) tableNamed_ = true;
        return;
    }
    const FoldTable& t = foldTable(docCodePage_, false);
    if (t.length[b] > 0 && t.bytes[b][0] != ' ') tableNamed_ = true;
}

void Scanner::commitFont() {
    tableNamed_ = false;
    if (fontPages_.size() >= 4096) return;
    fontPages_.emplace_back(tableFont_, RtfCodePage::forCharset(tableCharset_));
    ++pagesChanged_;
}

void Scanner::character(char32_t c) {
    if (c >= 0xD800 && c < 0xDC00) {
        highSurrogate_ = char16_t(c);
        highSurrogateAt_ = w_;
        return;
    }
    // A pair only when nothing was written between its halves.
    if (c >= 0xDC00 && c < 0xE000 && highSurrogate_ && highSurrogateAt_ == w_)
        c = QChar::surrogateToUcs4(highSurrogate_, char16_t(c));
    highSurrogate_ = 0;
    c = searchForm(c, fold_);
    if (c != 0) w_ += utf8(c, w_);
}

} // namespace

std::size_t RtfSearchText::write(std::string_view stored, char* out) {
    if (stored.substr(0, 5) == "{\\rtf") return std::size_t(Scanner(stored, out, true).run() - out);
    const FoldTable& t = foldTable(1252);
    char* w = out;
    for (unsigned char b : stored) {
        std::memcpy(w, t.bytes[b].data(), 4);
        w += t.length[b];
    }
    return std::size_t(w - out);
}

void RtfSearchText::append(std::string_view stored, std::string& out) {
    const std::size_t at = out.size();
    out.resize(at + room(stored.size()));
    out.resize(at + write(stored, out.data() + at));
}

std::string RtfSearchText::visible(std::string_view stored) {
    std::string out;
    if (stored.substr(0, 5) == "{\\rtf") {
        out.resize(room(stored.size()));
        out.resize(std::size_t(Scanner(stored, out.data(), false).run() - out.data()));
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
