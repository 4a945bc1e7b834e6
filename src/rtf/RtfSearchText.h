#pragma once
// The text that search looks through: the visible text of a stored entry text (RTF or plain
// Windows-1252), case-folded, as UTF-8. It reads through the document reader's lexer
// (RtfLexer) but keeps no formatting, builds no QString and folds each byte through one table
// per code page, so that a whole diary's bodies are read in a few milliseconds.
//
// It reads the text as the reader shows it: hidden text, field instructions, pictures,
// headers, footnote bodies and the other unseen destinations are left out; paragraphs and line
// breaks become '\n', tabs and cells '\t'; hidden text does not hide a paragraph, row or cell
// mark, which the editor's document cannot hide either. A no-break space is a space and an
// optional hyphen nothing, so that a word typed plainly finds them.

#include <QString>

#include <string>
#include <string_view>

namespace tavrin::diary {

class RtfSearchText {
public:
    // Appends the folded visible text of `stored` to `out`.
    static void append(std::string_view stored, std::string& out);
    // Writes it to `out`, which has room(stored.size()) bytes; returns the bytes written.
    static std::size_t write(std::string_view stored, char* out);
    static constexpr std::size_t room(std::size_t storedSize) { return 3 * storedSize + 16; }
    static std::string of(std::string_view stored) {
        std::string out;
        append(stored, out);
        return out;
    }

    // The same text without the case folding, for showing it.
    static std::string visible(std::string_view stored);

    // A search text folded the same way, to look for inside what append() gives.
    static std::string needle(const QString& text);
    // Windows-1252 bytes (a description) folded the same way.
    static void appendCp1252(std::string_view bytes, std::string& out);
};

} // namespace tavrin::diary
