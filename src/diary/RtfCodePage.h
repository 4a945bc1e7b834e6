#pragma once
// Single-byte code pages that RTF text may be written in. Diary texts are Windows-1252, but
// RTF from other programs can switch code page per document (\ansicpg) or per font
// (\fcharset), and its \'xx escapes must then be read in that code page.

#include <QtGlobal>

#include <array>

namespace tavrin::diary {

class RtfCodePage {
public:
    using Table = std::array<char16_t, 256>;

    // Byte-to-character table of a code page; Windows-1252 for any page we do not know
    // (double-byte pages included: their text normally comes as \u escapes anyway).
    static const Table& table(int codePage);

    // Code page that an \fcharset number selects; 0 when the charset means "the document's".
    static int forCharset(int charset);

    // The Windows-1252 byte of a character, or -1 when the code page cannot hold it.
    static int toCp1252(char16_t c);
};

} // namespace tavrin::diary
