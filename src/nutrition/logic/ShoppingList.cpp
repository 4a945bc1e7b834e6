#include "ShoppingList.h"

namespace tavrin::nutrition {
namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

// A line break inside an item would start a line that is no checklist item.
std::string oneLine(std::string s) {
    for (char& c : s)
        if (c == '\n' || c == '\r') c = ' ';
    return trimmed(s);
}

} // namespace

bool ShoppingList::wanted(const Item& item) {
    const std::string amount = trimmed(item.amount);
    if (item.fromCatalogue) return !amount.empty() && amount != kPlaceholder;
    return !trimmed(item.name).empty() || !amount.empty();
}

std::string ShoppingList::checklist(const std::vector<Item>& items) {
    std::string out;
    for (const Item& item : items) {
        if (!wanted(item)) continue;
        std::string amount = oneLine(item.amount);
        if (amount == kPlaceholder) amount.clear();
        const std::string name = oneLine(item.name);
        out += "- [ ] " + name;
        if (!amount.empty()) out += (name.empty() ? "" : ", ") + amount;
        out += '\n';
    }
    return out;
}

} // namespace tavrin::nutrition
