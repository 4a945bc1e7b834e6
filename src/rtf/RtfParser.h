#pragma once
// Walks RTF bytes once and reports the visible text in runs of equal formatting, and the end of
// every paragraph with its paragraph formatting. The document reader and the plain-text
// extractor both sit on it, so that search sees exactly the text the preview shows; it takes
// the bytes apart with RtfLexer, as the search scanner does.
//
// Hostile input is expected (a damaged diary, a pasted file): nesting deeper than kMaxDepth is
// read past without keeping its text, \bin counts are clamped to the bytes that exist, numbers
// saturate, and every table the parser keeps is capped. Nothing is allocated beyond a small
// multiple of the input size, and the walk is one pass over the bytes.

#include "rtf/RtfCodePage.h"
#include "rtf/RtfLexer.h"

#include <QByteArray>
#include <QColor>
#include <QString>

#include <array>
#include <map>
#include <string_view>
#include <vector>

namespace tavrin::diary {

class RtfParser {
public:
    static constexpr int kMaxDepth = RtfLexer::kMaxDepth;
    static constexpr int kMaxTabs = 32;

    enum class Align : quint8 { Left, Centre, Right, Justify };
    enum class VAlign : quint8 { Normal, Super, Sub };
    enum class Underline : quint8 { None, Single, Dotted, Dashed, DashDot, DashDotDot, Wave };
    enum class ListKind : quint8 {
        None,
        Bullet,
        Decimal,
        LowerAlpha,
        UpperAlpha,
        LowerRoman,
        UpperRoman
    };
    enum class TabKind : quint8 { Left, Centre, Right, Decimal };
    // The control words acted on; defined in the source beside their names.
    enum class Keyword : quint8;

    struct CharProps {
        bool bold = false;
        bool italic = false;
        bool strike = false;
        bool hidden = false;
        Underline underline = Underline::None;
        VAlign valign = VAlign::Normal;
        int font = -1;      // font number; -1 is the document's default font
        int halfPoints = 0; // 0: no size given, the document's default applies
        int foreground = 0; // colour table index; 0 is automatic
        int background = 0;
        bool operator==(const CharProps&) const = default;
    };

    // Lengths are twips (1/1440 inch), as in the file.
    struct ParaProps {
        Align align = Align::Left;
        int lineSpacing = 0;       // 0: single; >0 at least, <0 exactly (unless lineMultiple)
        bool lineMultiple = false; // lineSpacing is in 240ths of a line
        int left = 0;
        int right = 0;
        int firstLine = 0;
        int before = 0;
        int after = 0;
        bool pageBreakBefore = false;
        ListKind list = ListKind::None;
        int listLevel = 0;
        int listOverride = 0; // \ls number, resolved through the list tables
        int tabCount = 0;
        std::array<int, kMaxTabs> tabs{};
        std::array<TabKind, kMaxTabs> tabKinds{};
    };

    class Sink {
    public:
        virtual ~Sink() = default;
        // A sink that only wants the text gets longer runs and no format comparisons.
        virtual bool wantsFormatting() const { return true; }
        // Text of one run. Tabs are '\t', soft line breaks U+2028; no other control characters.
        virtual void text(const QString& run, const CharProps& chars, const QString& href) = 0;
        // The paragraph whose text was reported since the previous call has ended. A document
        // that does not end with a paragraph mark still gets a last call for its last text.
        virtual void paragraphEnd(const ParaProps& para, const CharProps& mark) = 0;
    };

    explicit RtfParser(Sink& sink);

    // Reads one RTF document; text before the first '{' and after the outermost group is ignored.
    void parse(const QByteArray& rtf);

    // The face name of a font number (-1: the default font); empty when the table lacks it.
    QString fontFamily(int font) const;
    // A colour of the colour table; invalid for index 0 (automatic) and unknown indices.
    QColor colour(int index) const;

private:
    enum class Dest : quint8 {
        Text,
        Skip,
        FontTable,
        ColourTable,
        FieldInstruction,
        ListMarker,
        Numbering,
        ListTable,
        ListOverrideTable
    };

    struct Group {
        CharProps chars;
        ParaProps para;
        Dest dest = Dest::Text;
        int uc = 1;
        int fieldBase = 0;    // fields open outside this group
        int fieldDepth = 0;   // fields open in this group and outside it
        bool upr = false;     // an \upr group: its first group is the text for old readers
        bool uprSeen = false; // ... and that group has been opened
        QString href;
    };

    struct Font {
        QString name;
        int codePage = 0;
    };
    struct ListDef {
        int id = 0;
        std::vector<int> levelFormats;
    };
    struct ListOverride {
        int listId = 0;
        int ls = 0;
    };

    // The lexer's calls.
    friend class RtfLexer;
    bool done() const { return done_; }
    void text(const char* p, const char* end);
    void controlWord(std::string_view name, bool hasParam, int param);
    void controlSymbol(char c);
    void hexByte(unsigned char b);
    void word(std::string_view name, bool hasParam, int param);
    // One handler per family of control words.
    void destinationWord(Keyword kw, Group& g);
    void documentWord(Keyword kw, Group& g, bool hasParam, int param);
    void characterWord(Keyword kw, Group& g, bool hasParam, int param);
    void paragraphWord(Keyword kw, Group& g, bool hasParam, int param);
    void tabWord(Keyword kw, ParaProps& pa, int param);
    void numberingWord(Keyword kw, Group& g, int param);
    void listTableWord(Keyword kw, const Group& g, int param);
    void tableEntryWord(Keyword kw, const Group& g, int param);
    void breakOrCharacterWord(Keyword kw, Group& g);
    void openGroup();
    void closeGroup();
    void put(char16_t c);
    void putByte(unsigned char b);
    void appendToRun(QChar c, const CharProps& chars, const QString& href);
    void flushRun();
    void flushMarker();
    void endParagraph(const Group& g);
    void commitFont();
    void commitColour();
    void finish(const Group& g);
    ListKind resolveList(const ParaProps& para) const;
    bool skipping() const;
    int currentCodePage() const;

    Sink& sink_;
    const bool formatting_;
    std::vector<Group> stack_;
    int overflow_ = 0;    // groups opened beyond kMaxDepth; they share the deepest group's state
    Group overflowSaved_; // the deepest group as it was when deeper ones began
    bool groupStart_ = false; // nothing but \* read since the last '{'
    int lead_ = -1;           // the lead byte of a double-byte character
    int footnotes_ = 0;       // automatic footnote numbers given so far
    bool done_ = false;
    bool star_ = false; // a \* was seen: an unknown destination that follows is skipped
    int skip_ = 0;      // fallback characters still to skip after a \u
    int docCodePage_ = 1252;
    int defaultFont_ = 0;

    std::map<int, Font> fonts_;
    int tableFont_ = 0;
    int tableCharset_ = -1;
    QString fontName_;

    std::vector<QColor> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourSet_ = false;

    std::vector<QString> fields_; // instruction of each open field, outermost first
    std::vector<ListDef> lists_;
    std::vector<ListOverride> overrides_;

    QString run_;
    CharProps runChars_;
    QString runHref_;
    bool paraHasContent_ = false;
    bool pageBreakPending_ = false;
    int cellSeparators_ = 0;
    QString marker_; // list number or bullet text, kept until we know the paragraph is no list
    CharProps markerChars_;
    TabKind nextTabKind_ = TabKind::Left;
};

} // namespace tavrin::diary
