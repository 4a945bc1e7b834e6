#pragma once
// Prints a recipe's text: "Print List Font" at "Print List Size" points, word-wrapped between
// half-inch margins. A text taller than one page goes on over further pages, lines never cut.

#include <QString>

class QPrinter;

namespace tavrin::nutrition {

class RecipePrinter {
public:
    // The number of pages printed; 0 when the printer could not be painted on.
    static int print(const QString& text, QPrinter& printer);
};

} // namespace tavrin::nutrition
