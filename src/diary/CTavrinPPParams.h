#pragma once
// "Fibromyalgia Parameters", the third page of the entry sheet. Its five typed values are
// checked when the page is left and when the entry is saved; the user stays on the page until
// they are valid.

#include "storage/EntryRecord.h"
#include "ui/CCustomPropertyPage.h"

namespace tavrin::diary {

class FibroRatingsWidget;

class CTavrinPPParams : public ui::CCustomPropertyPage {
    Q_OBJECT
public:
    explicit CTavrinPPParams(const EntryRecord& entry, QWidget* parent = nullptr);

    bool onKillActive() override;
    // The ratings and values into the entry; false, after telling the user, when a value is
    // not valid (nothing is stored then).
    bool storeInto(EntryRecord& e);

    FibroRatingsWidget* ratings() const { return ratings_; }

private:
    bool check();
    FibroRatingsWidget* ratings_;
};

} // namespace tavrin::diary
