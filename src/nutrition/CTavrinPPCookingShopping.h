#pragma once
// The shopping list page of the nutrition window: every ingredient of the catalogue with an
// amount to fill in place, and free items added at the top. The list lives in memory while the
// program runs. It prints, saves as a plain-text checklist and goes to the clipboard as one
// "- [ ] item" line per item to buy, which phone note apps keep as a checklist.

#include "nutrition/logic/ShoppingList.h"
#include "ui/CCustomPropertyPage.h"

#include <vector>

class QLineEdit;

namespace tavrin::ui {
class CCustomListCtrl;
}

namespace tavrin::nutrition {

class CTavrinPPCookingShopping : public ui::CCustomPropertyPage {
    Q_OBJECT
public:
    static constexpr const char* kPrintNone =
        "You must have at least one item present in order to print it!";
    static constexpr const char* kPrintTitle = "Tavelle (tm) Suite Shopping List";
    static constexpr int kMaxInput = 29;

    explicit CTavrinPPCookingShopping(QWidget* parent = nullptr);

    bool onSetActive() override;

    ui::CCustomListCtrl* list() const { return list_; }
    QLineEdit* itemInput() const { return item_; }
    QLineEdit* amountInput() const { return amount_; }
    // The rows as items, in list order.
    std::vector<ShoppingList::Item> items() const;

public slots:
    void fillFromCatalogue();
    void addItem();
    void reset();
    void print();
    void saveChecklist();
    void copyChecklist();

private:
    // Another diary, or none: the list of the one before goes, and the next showing fills it.
    void diaryChanged();

    ui::CCustomListCtrl* list_;
    QLineEdit* item_;
    QLineEdit* amount_;
    bool firstShowing_ = true;
    QString filledFor_; // the diary whose catalogue the list started from
};

} // namespace tavrin::nutrition
