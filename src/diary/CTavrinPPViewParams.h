#pragma once
// "Fibromyalgia Parameters" of the entry preview: the ratings and values of the shown entry,
// which cannot be changed here.

#include "diary/EntryPreviewPage.h"
#include "ui/CCustomPropertyPage.h"

namespace tavrin::diary {

class FibroRatingsWidget;

class CTavrinPPViewParams : public ui::CCustomPropertyPage, public EntryPreviewPage {
    Q_OBJECT
public:
    explicit CTavrinPPViewParams(QWidget* parent = nullptr);

    void showEntry(const TN& tn) override;
    void clearEntry() override;

    FibroRatingsWidget* ratings() const { return ratings_; }

private:
    FibroRatingsWidget* ratings_;
};

} // namespace tavrin::diary
