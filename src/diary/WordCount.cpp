#include "diary/WordCount.h"

namespace tavrin::diary {

int WordCount::count(const QString& text) {
    int words = 0;
    bool inWord = false, counted = false;
    for (const QChar c : text) {
        if (c.isSpace()) {
            inWord = false;
            continue;
        }
        if (!inWord) {
            inWord = true;
            counted = false;
        }
        if (!counted && c.isLetterOrNumber()) {
            counted = true;
            ++words;
        }
    }
    return words;
}

} // namespace tavrin::diary
