#pragma once
// The shopping list as text to take along: one checklist line ("- [ ] item") per item that is
// to be bought, in list order. Catalogue rows whose amount was never filled in are not on it.

#include <string>
#include <vector>

namespace tavrin::nutrition {

class ShoppingList {
public:
    static constexpr const char* kPlaceholder = "<amount>";

    struct Item {
        std::string name;
        std::string amount;
        bool fromCatalogue = false;
    };

    // Lines end with "\n". A typed amount follows the name after ", ".
    static std::string checklist(const std::vector<Item>& items);
    // Whether the item goes on the checklist.
    static bool wanted(const Item& item);
};

} // namespace tavrin::nutrition
