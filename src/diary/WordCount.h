#pragma once
// The number of words in a text, as the entry sheet shows it while the user writes: runs of
// characters between white space that hold at least one letter or digit ("don't", "well-known"
// and "3.5" are one word each; a lone dash is none).

#include <QString>

namespace tavrin::diary {

class WordCount {
public:
    static int count(const QString& text);
};

} // namespace tavrin::diary
