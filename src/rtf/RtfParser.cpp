#include "rtf/RtfParser.h"

#include "rtf/RtfLexer.h"
#include "rtf/RtfWords.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace tavrin::diary {
namespace {

// Caps on what a hostile file could make us keep.
constexpr int kMaxFonts = 4096;
constexpr int kMaxColours = 4096;
constexpr int kMaxLists = 512;
constexpr int kMaxListLevels = 9;
constexpr int kMaxFontName = 256;
constexpr int kMaxInstruction = 4096;
constexpr int kMaxMarker = 32;

} // namespace

enum class RtfParser::Keyword : quint8 {
    // destinations
    FontTable,
    ColourTable,
    Field,
    FieldInstruction,
    FieldResult,
    Numbering,
    NumberingText,
    ListText,
    UnicodeAlternative, // \ud: read as any text
    AnsiAlternative,    // \upr
    ListTable,
    ListOverrideTable,
    SkipDestination,
    // document
    Ansi,
    AnsiCodePage,
    Mac,
    Pc,
    Pca,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    // characters
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    UnderlineDotted,
    UnderlineDashed,
    UnderlineDashDot,
    UnderlineDashDotDot,
    UnderlineWave,
    UnderlineOther,
    Strike,
    StrikeDouble,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Down,
    Font,
    FontSize,
    Foreground,
    Background,
    Hidden,
    // paragraphs
    Pard,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    LineSpacing,
    LineMultiple,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    TabStop,
    TabRight,
    TabCentre,
    TabDecimal,
    PageBreakBefore,
    ListOverrideNumber,
    ListLevel,
    // old-style numbering
    NumBullet,
    NumBody,
    NumLevel,
    NumDecimal,
    NumUpperAlpha,
    NumLowerAlpha,
    NumUpperRoman,
    NumLowerRoman,
    // list tables
    List,
    ListLevelDef,
    LevelFormat,
    ListId,
    ListOverride,
    // tables
    Red,
    Green,
    Blue,
    FontCharset,
    // special characters
    Par,
    Line,
    Tab,
    Page,
    Sect,
    Cell,
    Row,
    Emdash,
    Endash,
    Emspace,
    Enspace,
    Qmspace,
    Bullet,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
    Zwj,
    Zwnj,
    Zwbo,
    FootnoteNumber,
};

namespace {

using Kw = RtfParser::Keyword;

// The underline kind a \ul... word turns on; nothing for the other words.
std::optional<RtfParser::Underline> underlineOf(Kw kw) {
    using U = RtfParser::Underline;
    switch (kw) {
    case Kw::Underline:
    case Kw::UnderlineOther:
        return U::Single;
    case Kw::UnderlineDotted:
        return U::Dotted;
    case Kw::UnderlineDashed:
        return U::Dashed;
    case Kw::UnderlineDashDot:
        return U::DashDot;
    case Kw::UnderlineDashDotDot:
        return U::DashDotDot;
    case Kw::UnderlineWave:
        return U::Wave;
    default:
        return std::nullopt;
    }
}

// The character a word such as \emdash stands for; 0 for the other words.
char16_t characterOf(Kw kw) {
    switch (kw) {
    case Kw::Tab:
        return u'\t';
    case Kw::Emdash:
        return 0x2014;
    case Kw::Endash:
        return 0x2013;
    case Kw::Emspace:
        return 0x2003;
    case Kw::Enspace:
        return 0x2002;
    case Kw::Qmspace:
        return 0x2005;
    case Kw::Bullet:
        return 0x2022;
    case Kw::LeftQuote:
        return 0x2018;
    case Kw::RightQuote:
        return 0x2019;
    case Kw::LeftDoubleQuote:
        return 0x201C;
    case Kw::RightDoubleQuote:
        return 0x201D;
    case Kw::Zwj:
        return 0x200D;
    case Kw::Zwnj:
        return 0x200C;
    case Kw::Zwbo:
        return 0x200B;
    default:
        return 0;
    }
}

// Every control word the parser acts on. Any other one is read past.
constexpr std::pair<std::string_view, Kw> kKeywords[] = {
    {"fonttbl", Kw::FontTable},
    {"colortbl", Kw::ColourTable},
    {"field", Kw::Field},
    {"fldinst", Kw::FieldInstruction},
    {"fldrslt", Kw::FieldResult},
    {"pn", Kw::Numbering},
    {"pntext", Kw::NumberingText},
    {"listtext", Kw::ListText},
    {"ud", Kw::UnicodeAlternative},
    {"upr", Kw::AnsiAlternative},
    {"listtable", Kw::ListTable},
    {"listoverridetable", Kw::ListOverrideTable},
    {"ansi", Kw::Ansi},
    {"ansicpg", Kw::AnsiCodePage},
    {"mac", Kw::Mac},
    {"pc", Kw::Pc},
    {"pca", Kw::Pca},
    {"deff", Kw::DefaultFont},
    {"uc", Kw::UnicodeSkip},
    {"u", Kw::Unicode},
    {"plain", Kw::Plain},
    {"b", Kw::Bold},
    {"i", Kw::Italic},
    {"ul", Kw::Underline},
    {"ulnone", Kw::UnderlineNone},
    {"uld", Kw::UnderlineDotted},
    {"uldash", Kw::UnderlineDashed},
    {"uldashd", Kw::UnderlineDashDot},
    {"uldashdd", Kw::UnderlineDashDotDot},
    {"ulwave", Kw::UnderlineWave},
    {"ulhwave", Kw::UnderlineWave},
    {"ululdbwave", Kw::UnderlineWave},
    {"uldb", Kw::UnderlineOther},
    {"ulth", Kw::UnderlineOther},
    {"ulw", Kw::UnderlineOther},
    {"ulthd", Kw::UnderlineDotted},
    {"ulthdash", Kw::UnderlineDashed},
    {"ulldash", Kw::UnderlineDashed},
    {"ulthldash", Kw::UnderlineDashed},
    {"ulthdashd", Kw::UnderlineDashDot},
    {"ulthdashdd", Kw::UnderlineDashDotDot},
    {"strike", Kw::Strike},
    {"striked", Kw::StrikeDouble},
    {"super", Kw::Super},
    {"sub", Kw::Sub},
    {"nosupersub", Kw::NoSuperSub},
    {"up", Kw::Up},
    {"dn", Kw::Down},
    {"f", Kw::Font},
    {"fs", Kw::FontSize},
    {"cf", Kw::Foreground},
    {"cb", Kw::Background},
    {"highlight", Kw::Background},
    {"chcbpat", Kw::Background},
    {"v", Kw::Hidden},
    {"deleted", Kw::Hidden},
    {"pard", Kw::Pard},
    {"ql", Kw::AlignLeft},
    {"qc", Kw::AlignCentre},
    {"qr", Kw::AlignRight},
    {"qj", Kw::AlignJustify},
    {"qd", Kw::AlignJustify},
    {"sl", Kw::LineSpacing},
    {"slmult", Kw::LineMultiple},
    {"li", Kw::LeftIndent},
    {"lin", Kw::LeftIndent},
    {"ri", Kw::RightIndent},
    {"rin", Kw::RightIndent},
    {"fi", Kw::FirstIndent},
    {"sb", Kw::SpaceBefore},
    {"sa", Kw::SpaceAfter},
    {"tx", Kw::TabStop},
    {"tqr", Kw::TabRight},
    {"tqc", Kw::TabCentre},
    {"tqdec", Kw::TabDecimal},
    {"pagebb", Kw::PageBreakBefore},
    {"ls", Kw::ListOverrideNumber},
    {"ilvl", Kw::ListLevel},
    {"pnlvlblt", Kw::NumBullet},
    {"pnlvlbody", Kw::NumBody},
    {"pnlvl", Kw::NumLevel},
    {"pndec", Kw::NumDecimal},
    {"pnucltr", Kw::NumUpperAlpha},
    {"pnlcltr", Kw::NumLowerAlpha},
    {"pnucrm", Kw::NumUpperRoman},
    {"pnlcrm", Kw::NumLowerRoman},
    {"list", Kw::List},
    {"listlevel", Kw::ListLevelDef},
    {"levelnfc", Kw::LevelFormat},
    {"levelnfcn", Kw::LevelFormat},
    {"listid", Kw::ListId},
    {"listoverride", Kw::ListOverride},
    {"red", Kw::Red},
    {"green", Kw::Green},
    {"blue", Kw::Blue},
    {"fcharset", Kw::FontCharset},
    {"par", Kw::Par},
    {"line", Kw::Line},
    {"tab", Kw::Tab},
    {"page", Kw::Page},
    {"sect", Kw::Sect},
    {"cell", Kw::Cell},
    {"nestcell", Kw::Cell},
    {"row", Kw::Row},
    {"nestrow", Kw::Row},
    {"emdash", Kw::Emdash},
    {"endash", Kw::Endash},
    {"emspace", Kw::Emspace},
    {"enspace", Kw::Enspace},
    {"qmspace", Kw::Qmspace},
    {"bullet", Kw::Bullet},
    {"lquote", Kw::LeftQuote},
    {"rquote", Kw::RightQuote},
    {"ldblquote", Kw::LeftDoubleQuote},
    {"rdblquote", Kw::RightDoubleQuote},
    {"zwj", Kw::Zwj},
    {"zwnj", Kw::Zwnj},
    {"zwbo", Kw::Zwbo},
    {"chftn", Kw::FootnoteNumber},
};

const std::unordered_map<std::string_view, Kw>& keywords() {
    static const std::unordered_map<std::string_view, Kw> map = [] {
        std::unordered_map<std::string_view, Kw> m(std::begin(kKeywords), std::end(kKeywords));
        for (std::string_view skip : rtfHiddenDestinations())
            m.emplace(skip, Kw::SkipDestination);
        return m;
    }();
    return map;
}

RtfParser::ListKind kindOfLevelFormat(int nfc) {
    using K = RtfParser::ListKind;
    switch (nfc) {
    case 1:
        return K::UpperRoman;
    case 2:
        return K::LowerRoman;
    case 3:
        return K::UpperAlpha;
    case 4:
        return K::LowerAlpha;
    case 23:
        return K::Bullet;
    case 255:
        return K::None;
    default:
        return K::Decimal;
    }
}

// The link target of a HYPERLINK field instruction; empty for any other field.
QString linkOf(const QString& instruction) {
    QStringView s = QStringView(instruction).trimmed();
    if (!s.startsWith(u"HYPERLINK", Qt::CaseInsensitive)) return {};
    s = s.mid(9);
    QString target;
    QString anchor;
    bool anchorNext = false;
    bool skipNext = false;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        QString arg;
        if (c == u'\\' && i + 1 < s.size() && s.at(i + 1).isLetter()) {
            const QChar sw = s.at(i + 1).toLower();
            i += 2;
            anchorNext = sw == u'l';
            skipNext = sw == u'o' || sw == u't';
            continue;
        }
        if (c == u'"') {
            ++i;
            while (i < s.size() && s.at(i) != u'"') {
                if (s.at(i) == u'\\' && i + 1 < s.size()) ++i;
                arg += s.at(i++);
            }
            ++i;
        } else {
            while (i < s.size() && !s.at(i).isSpace())
                arg += s.at(i++);
        }
        if (anchorNext)
            anchor = arg;
        else if (!skipNext && target.isEmpty())
            target = arg;
        anchorNext = skipNext = false;
    }
    if (!anchor.isEmpty()) target += u'#' + anchor;
    return target;
}

} // namespace

RtfParser::RtfParser(Sink& sink) : sink_(sink), formatting_(sink.wantsFormatting()) {}

QString RtfParser::fontFamily(int font) const {
    const auto it = fonts_.find(font < 0 ? defaultFont_ : font);
    return it == fonts_.end() ? QString() : it->second.name;
}

QColor RtfParser::colour(int index) const {
    if (index <= 0 || index >= int(colours_.size())) return {};
    return colours_[index];
}

bool RtfParser::skipping() const {
    return stack_.empty() || stack_.back().dest == Dest::Skip;
}

int RtfParser::currentCodePage() const {
    if (!stack_.empty()) {
        const auto it =
            fonts_.find(stack_.back().chars.font < 0 ? defaultFont_ : stack_.back().chars.font);
        if (it != fonts_.end() && it->second.codePage > 0) return it->second.codePage;
    }
    return docCodePage_;
}

void RtfParser::parse(const QByteArray& rtf) {
    RtfLexer::run(std::string_view(rtf.constData(), std::size_t(rtf.size())), *this);
    if (!done_ && !stack_.empty()) finish(stack_.back());
    done_ = true;
}

void RtfParser::text(const char* p, const char* end) {
    groupStart_ = false;
    if (skipping()) return;
    star_ = false;
    for (; p < end; ++p)
        putByte(static_cast<unsigned char>(*p));
}

void RtfParser::controlWord(std::string_view name, bool hasParam, int param) {
    if (!skipping()) word(name, hasParam, param);
}

void RtfParser::hexByte(unsigned char b) {
    groupStart_ = false;
    if (skipping()) return;
    star_ = false;
    putByte(b);
}

void RtfParser::controlSymbol(char c) {
    if (skipping()) return;
    if (c == '*') {
        // Only "{\*\word" marks an ignorable destination; a \* elsewhere in a group is read
        // past, and the group's text stays.
        star_ = groupStart_;
        return;
    }
    groupStart_ = false;
    star_ = false;
    if (skip_ > 0) {
        --skip_;
        return;
    }
    switch (c) {
    case '\\':
    case '{':
    case '}':
        put(char16_t(c));
        break;
    case '~':
        put(0x00A0);
        break;
    case '-':
        put(0x00AD);
        break;
    case '_':
        put(0x2011);
        break;
    case '\r':
    case '\n':
        word("par", false, 0);
        break;
    case '\t':
        put(u'\t');
        break;
    default:
        break; // \| \: and the like mark up formulas and indexes
    }
}

void RtfParser::openGroup() {
    skip_ = 0;
    lead_ = -1;
    groupStart_ = true;
    star_ = false;
    if (stack_.empty()) {
        if (done_) return;
        stack_.emplace_back();
        return;
    }
    if (overflow_ > 0 || int(stack_.size()) >= kMaxDepth) {
        // Deeper groups share the deepest one's state, so their text is kept; the state is put
        // back when they have all closed.
        if (overflow_++ == 0) overflowSaved_ = stack_.back();
        return;
    }
    Group& parent = stack_.back();
    Group g = parent;
    g.fieldBase = g.fieldDepth;
    g.upr = g.uprSeen = false;
    if (parent.upr && !parent.uprSeen) {
        // The first group of an \upr is the text for readers without Unicode; the \ud group
        // after it holds the same text in Unicode.
        parent.uprSeen = true;
        g.dest = Dest::Skip;
    }
    stack_.push_back(std::move(g));
}

void RtfParser::closeGroup() {
    skip_ = 0;
    lead_ = -1;
    star_ = false;
    groupStart_ = false;
    if (overflow_ > 0) {
        if (--overflow_ == 0) stack_.back() = std::move(overflowSaved_);
        return;
    }
    if (stack_.empty()) return;
    if (stack_.size() == 1) {
        finish(stack_.back());
        stack_.clear();
        done_ = true;
        return;
    }
    Group closed = std::move(stack_.back());
    stack_.pop_back();
    Group& top = stack_.back();
    if (closed.dest == Dest::FontTable && !fontName_.isEmpty()) commitFont();
    if (closed.dest == Dest::Numbering && top.dest != Dest::Numbering) {
        // Old-style numbering describes the paragraph around its group.
        top.para.list = closed.para.list;
        top.para.listLevel = closed.para.listLevel;
    }
    if (int(fields_.size()) > top.fieldDepth) fields_.resize(top.fieldDepth);
}

void RtfParser::word(std::string_view name, bool hasParam, int param) {
    const auto& kws = keywords();
    const auto it = kws.find(name);
    const bool star = star_;
    star_ = false;
    groupStart_ = false;
    if (it == kws.end()) {
        // An unknown word is still a character that a \u's fallback may be.
        if (star)
            stack_.back().dest = Dest::Skip;
        else if (skip_ > 0)
            --skip_;
        return;
    }
    Group& g = stack_.back();
    const Kw kw = it->second;
    const bool isDestination = kw <= Kw::SkipDestination;
    if (star && !isDestination) {
        g.dest = Dest::Skip;
        return;
    }
    if (skip_ > 0 && !isDestination) {
        --skip_;
        return;
    }
    // The enumerators are grouped by family; each family has its own handler.
    if (isDestination)
        destinationWord(kw, g);
    else if (kw <= Kw::Unicode)
        documentWord(kw, g, hasParam, param);
    else if (kw <= Kw::Hidden)
        characterWord(kw, g, hasParam, param);
    else if (kw <= Kw::ListLevel)
        paragraphWord(kw, g, hasParam, param);
    else if (kw <= Kw::NumLowerRoman)
        numberingWord(kw, g, param);
    else if (kw <= Kw::ListOverride)
        listTableWord(kw, g, param);
    else if (kw <= Kw::FontCharset)
        tableEntryWord(kw, g, param);
    else
        breakOrCharacterWord(kw, g);
}

void RtfParser::destinationWord(Kw kw, Group& g) {
    switch (kw) {
    case Kw::FontTable:
        g.dest = Dest::FontTable;
        break;
    case Kw::ColourTable:
        g.dest = Dest::ColourTable;
        colourSet_ = false;
        red_ = green_ = blue_ = 0;
        break;
    case Kw::Field:
        if (g.dest != Dest::Text) break;
        fields_.resize(g.fieldBase);
        fields_.emplace_back();
        g.fieldDepth = g.fieldBase + 1;
        break;
    case Kw::FieldInstruction:
        g.dest = g.fieldDepth > 0 && g.dest == Dest::Text ? Dest::FieldInstruction : Dest::Skip;
        break;
    case Kw::FieldResult:
        if (g.fieldDepth > 0 && g.dest == Dest::Text) {
            const QString link = linkOf(fields_[g.fieldDepth - 1]);
            if (!link.isEmpty()) g.href = link;
        }
        break;
    case Kw::Numbering:
        g.dest = Dest::Numbering;
        break;
    case Kw::NumberingText:
    case Kw::ListText:
        g.dest = g.dest == Dest::Text ? Dest::ListMarker : Dest::Skip;
        break;
    case Kw::ListTable:
        g.dest = Dest::ListTable;
        break;
    case Kw::ListOverrideTable:
        g.dest = Dest::ListOverrideTable;
        break;
    case Kw::UnicodeAlternative:
        break;
    case Kw::AnsiAlternative:
        g.upr = true;
        break;
    default:
        g.dest = Dest::Skip;
        break;
    }
}

void RtfParser::documentWord(Kw kw, Group& g, bool hasParam, int param) {
    switch (kw) {
    case Kw::Ansi:
        docCodePage_ = 1252;
        break;
    case Kw::AnsiCodePage:
        if (hasParam && param > 0) docCodePage_ = param;
        break;
    case Kw::Mac:
        docCodePage_ = 10000;
        break;
    case Kw::Pc:
        docCodePage_ = 437;
        break;
    case Kw::Pca:
        docCodePage_ = 850;
        break;
    case Kw::DefaultFont:
        defaultFont_ = param;
        break;
    case Kw::UnicodeSkip:
        g.uc = std::clamp(param, 0, 255);
        break;
    case Kw::Unicode: {
        const int code = param < 0 ? param + 65536 : param;
        if (code > 0 && code < 65536) put(char16_t(code));
        skip_ = g.uc;
        break;
    }
    default:
        break;
    }
}

void RtfParser::characterWord(Kw kw, Group& g, bool hasParam, int param) {
    const bool on = !hasParam || param != 0;
    CharProps& ch = g.chars;
    if (const auto kind = underlineOf(kw)) {
        ch.underline = on ? *kind : Underline::None;
        return;
    }
    switch (kw) {
    case Kw::Plain:
        ch = CharProps{};
        break;
    case Kw::Bold:
        ch.bold = on;
        break;
    case Kw::Italic:
        ch.italic = on;
        break;
    case Kw::UnderlineNone:
        ch.underline = Underline::None;
        break;
    case Kw::Strike:
    case Kw::StrikeDouble:
        ch.strike = on;
        break;
    case Kw::Super:
        ch.valign = VAlign::Super;
        break;
    case Kw::Sub:
        ch.valign = VAlign::Sub;
        break;
    case Kw::NoSuperSub:
        ch.valign = VAlign::Normal;
        break;
    case Kw::Up:
        ch.valign = (!hasParam || param > 0) ? VAlign::Super : VAlign::Normal;
        break;
    case Kw::Down:
        ch.valign = (!hasParam || param > 0) ? VAlign::Sub : VAlign::Normal;
        break;
    case Kw::Font:
        if (g.dest == Dest::FontTable) {
            if (!fontName_.isEmpty()) commitFont();
            tableFont_ = param;
            tableCharset_ = -1;
        } else {
            ch.font = param;
        }
        break;
    case Kw::FontSize:
        ch.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : 24;
        break;
    case Kw::Foreground:
        ch.foreground = std::max(param, 0);
        break;
    case Kw::Background:
        ch.background = std::max(param, 0);
        break;
    case Kw::Hidden:
        ch.hidden = on;
        break;
    default:
        break;
    }
}

void RtfParser::paragraphWord(Kw kw, Group& g, bool hasParam, int param) {
    ParaProps& pa = g.para;
    switch (kw) {
    case Kw::Pard:
        pa = ParaProps{};
        nextTabKind_ = TabKind::Left;
        break;
    case Kw::AlignLeft:
        pa.align = Align::Left;
        break;
    case Kw::AlignCentre:
        pa.align = Align::Centre;
        break;
    case Kw::AlignRight:
        pa.align = Align::Right;
        break;
    case Kw::AlignJustify:
        pa.align = Align::Justify;
        break;
    case Kw::LineSpacing:
        pa.lineSpacing = param;
        break;
    case Kw::LineMultiple:
        pa.lineMultiple = hasParam && param == 1;
        break;
    case Kw::LeftIndent:
        pa.left = param;
        break;
    case Kw::RightIndent:
        pa.right = param;
        break;
    case Kw::FirstIndent:
        pa.firstLine = param;
        break;
    case Kw::SpaceBefore:
        pa.before = param;
        break;
    case Kw::SpaceAfter:
        pa.after = param;
        break;
    case Kw::PageBreakBefore:
        pa.pageBreakBefore = !hasParam || param != 0;
        break;
    case Kw::ListOverrideNumber:
        if (g.dest == Dest::ListOverrideTable) {
            if (!overrides_.empty()) overrides_.back().ls = param;
        } else {
            pa.listOverride = std::max(param, 0);
        }
        break;
    case Kw::ListLevel:
        pa.listLevel = std::clamp(param, 0, kMaxListLevels - 1);
        break;
    default:
        tabWord(kw, pa, param);
        break;
    }
}

void RtfParser::tabWord(Kw kw, ParaProps& pa, int param) {
    switch (kw) {
    case Kw::TabStop:
        if (pa.tabCount < kMaxTabs && param >= 0) {
            pa.tabs[pa.tabCount] = param;
            pa.tabKinds[pa.tabCount] = nextTabKind_;
            ++pa.tabCount;
        }
        nextTabKind_ = TabKind::Left;
        break;
    case Kw::TabRight:
        nextTabKind_ = TabKind::Right;
        break;
    case Kw::TabCentre:
        nextTabKind_ = TabKind::Centre;
        break;
    case Kw::TabDecimal:
        nextTabKind_ = TabKind::Decimal;
        break;
    default:
        break;
    }
}

// Old-style numbering (\pn groups) describes the paragraph it sits in.
void RtfParser::numberingWord(Kw kw, Group& g, int param) {
    if (g.dest != Dest::Numbering) return;
    ParaProps& pa = g.para;
    switch (kw) {
    case Kw::NumBullet:
        pa.list = ListKind::Bullet;
        break;
    case Kw::NumBody:
        if (pa.list == ListKind::None) pa.list = ListKind::Decimal;
        break;
    case Kw::NumLevel:
        if (pa.list == ListKind::None) pa.list = ListKind::Decimal;
        pa.listLevel = std::clamp(param - 1, 0, kMaxListLevels - 1);
        break;
    case Kw::NumDecimal:
        if (pa.list != ListKind::Bullet) pa.list = ListKind::Decimal;
        break;
    case Kw::NumUpperAlpha:
        pa.list = ListKind::UpperAlpha;
        break;
    case Kw::NumLowerAlpha:
        pa.list = ListKind::LowerAlpha;
        break;
    case Kw::NumUpperRoman:
        pa.list = ListKind::UpperRoman;
        break;
    case Kw::NumLowerRoman:
        pa.list = ListKind::LowerRoman;
        break;
    default:
        break;
    }
}

void RtfParser::listTableWord(Kw kw, const Group& g, int param) {
    const bool inLists = g.dest == Dest::ListTable;
    const bool inOverrides = g.dest == Dest::ListOverrideTable;
    switch (kw) {
    case Kw::List:
        if (inLists && int(lists_.size()) < kMaxLists) lists_.emplace_back();
        break;
    case Kw::ListLevelDef:
        if (inLists && !lists_.empty() && int(lists_.back().levelFormats.size()) < kMaxListLevels)
            lists_.back().levelFormats.push_back(0);
        break;
    case Kw::LevelFormat:
        if (inLists && !lists_.empty() && !lists_.back().levelFormats.empty())
            lists_.back().levelFormats.back() = param;
        break;
    case Kw::ListId:
        if (inLists && !lists_.empty())
            lists_.back().id = param;
        else if (inOverrides && !overrides_.empty())
            overrides_.back().listId = param;
        break;
    case Kw::ListOverride:
        if (inOverrides && int(overrides_.size()) < kMaxLists) overrides_.emplace_back();
        break;
    default:
        break;
    }
}

// Entries of the colour and font tables.
void RtfParser::tableEntryWord(Kw kw, const Group& g, int param) {
    switch (kw) {
    case Kw::Red:
        red_ = std::clamp(param, 0, 255);
        colourSet_ = true;
        break;
    case Kw::Green:
        green_ = std::clamp(param, 0, 255);
        colourSet_ = true;
        break;
    case Kw::Blue:
        blue_ = std::clamp(param, 0, 255);
        colourSet_ = true;
        break;
    case Kw::FontCharset:
        if (g.dest == Dest::FontTable) tableCharset_ = param;
        break;
    default:
        break;
    }
}

// Paragraph, page and cell breaks, and the words that stand for one character.
void RtfParser::breakOrCharacterWord(Kw kw, Group& g) {
    if (const char16_t c = characterOf(kw)) {
        put(c);
        return;
    }
    switch (kw) {
    case Kw::Par:
        if (g.dest == Dest::Text) endParagraph(g);
        break;
    case Kw::Sect:
    case Kw::Page:
        // Both usually follow a paragraph mark; only text before them makes a paragraph.
        if (g.dest == Dest::Text) {
            if (paraHasContent_ || !marker_.isEmpty()) endParagraph(g);
            if (kw == Kw::Page) pageBreakPending_ = true;
        }
        break;
    case Kw::Row:
        if (g.dest == Dest::Text) {
            cellSeparators_ = 0;
            endParagraph(g);
        }
        break;
    case Kw::Cell:
        // Cells become tab-separated text; the tab is only written once more text follows,
        // so that a row does not end in a tab.
        if (g.dest == Dest::Text && cellSeparators_ < 1024) ++cellSeparators_;
        break;
    case Kw::Line:
        if (g.dest == Dest::Text || g.dest == Dest::ListMarker) put(0x2028);
        break;
    case Kw::FootnoteNumber:
        // The reference mark of an automatically numbered footnote; the footnote's own text is
        // not shown, and its copy of the mark is skipped with it.
        if (g.dest == Dest::Text)
            for (QChar c : QString::number(++footnotes_))
                put(c.unicode());
        break;
    default:
        break;
    }
}

void RtfParser::putByte(unsigned char b) {
    if (skip_ > 0) {
        --skip_;
        return;
    }
    const Dest dest = stack_.back().dest;
    if (dest == Dest::ColourTable) {
        if (b == ';') commitColour();
        return;
    }
    if (dest == Dest::FontTable) {
        if (b == ';') {
            commitFont();
            return;
        }
        if (b < 0x20) return;
        const int page = RtfCodePage::forCharset(tableCharset_);
        put(RtfCodePage::table(page > 0 ? page : docCodePage_)[b]);
        return;
    }
    if (dest != Dest::Text && dest != Dest::ListMarker && dest != Dest::FieldInstruction) return;
    if (b == '\t') {
        put(u'\t');
        return;
    }
    if (b < 0x20) return;
    const int page = currentCodePage();
    if (lead_ >= 0) {
        const char32_t c = RtfCodePage::decodePair(page, std::uint8_t(lead_), b);
        lead_ = -1;
        if (c == 0xFFFD) {
            put(u'?');
        } else if (c > 0xFFFF) {
            put(QChar::highSurrogate(c));
            put(QChar::lowSurrogate(c));
        } else {
            put(char16_t(c));
        }
        return;
    }
    if (RtfCodePage::isLeadByte(page, b)) {
        lead_ = b;
        return;
    }
    put(b < 0x80 ? char16_t(b) : RtfCodePage::table(page)[b]);
}

void RtfParser::put(char16_t c) {
    Group& g = stack_.back();
    // Control characters are dropped, the C1 ones too: they are what the five bytes that
    // Windows-1252 leaves undefined decode to, and nothing to show.
    if (c == 0x2029 || c == u'\n' || c == u'\r')
        c = 0x2028;
    else if ((c < 0x20 && c != u'\t') || (c >= 0x7F && c < 0xA0))
        return;
    switch (g.dest) {
    case Dest::Text:
        if (g.chars.hidden) return;
        flushMarker();
        for (; cellSeparators_ > 0; --cellSeparators_)
            appendToRun(u'\t', g.chars, g.href);
        appendToRun(QChar(c), g.chars, g.href);
        break;
    case Dest::ListMarker:
        if (marker_.isEmpty()) markerChars_ = g.chars;
        if (marker_.size() < kMaxMarker) marker_ += QChar(c);
        break;
    case Dest::FieldInstruction:
        if (!fields_.empty() && fields_.back().size() < kMaxInstruction) fields_.back() += QChar(c);
        break;
    case Dest::FontTable:
        if (fontName_.size() < kMaxFontName) fontName_ += QChar(c);
        break;
    default:
        break;
    }
}

void RtfParser::appendToRun(QChar c, const CharProps& chars, const QString& href) {
    if (formatting_ && !run_.isEmpty() && (!(chars == runChars_) || href != runHref_)) flushRun();
    if (run_.isEmpty()) {
        runChars_ = chars;
        runHref_ = href;
    }
    run_ += c;
    paraHasContent_ = true;
}

void RtfParser::flushRun() {
    if (run_.isEmpty()) return;
    sink_.text(run_, runChars_, runHref_);
    run_.resize(0);
}

void RtfParser::flushMarker() {
    if (marker_.isEmpty()) return;
    const QString marker = std::exchange(marker_, QString());
    // A paragraph that is a list gets its number or bullet from the list; the marker text is
    // there for readers without lists, and shown only when we cannot make a list either.
    if (resolveList(stack_.back().para) != ListKind::None) return;
    for (QChar c : marker)
        appendToRun(c, markerChars_, QString());
}

RtfParser::ListKind RtfParser::resolveList(const ParaProps& para) const {
    if (para.list != ListKind::None) return para.list;
    if (para.listOverride <= 0) return ListKind::None;
    for (const ListOverride& o : overrides_) {
        if (o.ls != para.listOverride) continue;
        for (const ListDef& l : lists_) {
            if (l.id != o.listId || l.levelFormats.empty()) continue;
            const int level = std::min<int>(para.listLevel, int(l.levelFormats.size()) - 1);
            return kindOfLevelFormat(l.levelFormats[level]);
        }
        break;
    }
    return ListKind::None;
}

void RtfParser::endParagraph(const Group& g) {
    flushMarker();
    cellSeparators_ = 0;
    flushRun();
    ParaProps para = g.para;
    para.list = resolveList(para);
    if (pageBreakPending_) para.pageBreakBefore = true;
    pageBreakPending_ = false;
    sink_.paragraphEnd(para, g.chars);
    paraHasContent_ = false;
}

void RtfParser::finish(const Group& g) {
    if (!marker_.isEmpty() && g.dest == Dest::Text) flushMarker();
    if (paraHasContent_)
        endParagraph(g);
    else
        flushRun();
}

void RtfParser::commitFont() {
    const QString name = fontName_.trimmed();
    fontName_.clear();
    if (name.isEmpty()) return;
    if (int(fonts_.size()) >= kMaxFonts && !fonts_.count(tableFont_)) return;
    fonts_[tableFont_] = Font{name, RtfCodePage::forCharset(tableCharset_)};
}

void RtfParser::commitColour() {
    if (int(colours_.size()) < kMaxColours)
        colours_.push_back(colourSet_ ? QColor(red_, green_, blue_) : QColor());
    colourSet_ = false;
    red_ = green_ = blue_ = 0;
}

} // namespace tavrin::diary
