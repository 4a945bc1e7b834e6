#pragma once
// The diary page's Print: the print dialog ("All" or "Selection"), the pain-map question, then
// every listed (or selected) entry through EntryPrinter, in list order.

#include "diary/logic/EntryPrinter.h"

class QWidget;

namespace tavrin::ui {
class CCustomListCtrl;
}

namespace tavrin::diary {

class EntryPrinting {
public:
    static constexpr const char* kPainMapQuestion = "Print body pain map after each entry?";

    // Prints the entries of `list` (each row's item data is the entry's index) with the text of
    // `slot`. Returns the number of entries printed.
    static int run(ui::CCustomListCtrl* list, int slot, QWidget* parent);
};

} // namespace tavrin::diary
