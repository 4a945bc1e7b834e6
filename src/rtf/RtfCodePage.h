#pragma once
// Code pages that RTF text may be written in. Diary texts are Windows-1252, but RTF from other
// programs can switch code page per document (\ansicpg) or per font (\fcharset), and its \'xx
// escapes must then be read in that code page. The Chinese, Japanese and Korean pages write a
// character as a lead byte and a trail byte, often as two \'xx escapes.

#include <QtGlobal>

#include <array>

namespace tavrin::diary {

class RtfCodePage {
public:
    using Table = std::array<char16_t, 256>;

    // Byte-to-character table of a code page; Windows-1252 for any page we do not know. For a
    // double-byte page it holds the bytes that stand alone.
    static const Table& table(int codePage);

    // Whether the byte starts a two-byte character in the code page (false for single-byte
    // pages).
    static bool isLeadByte(int codePage, unsigned char b);
    // The character a lead and a trail byte make; U+FFFD when the pair means nothing.
    static char32_t decodePair(int codePage, unsigned char lead, unsigned char trail);

    // Code page that an \fcharset number selects; 0 when the charset means "the document's".
    static int forCharset(int charset);

    // The Windows-1252 byte of a character, or -1 when the code page cannot hold it.
    static int toCp1252(char16_t c);
};

} // namespace tavrin::diary
