#pragma once
// "Body Pain Map" of the entry preview: each area's pain kind, read-only.

#include "diary/EntryPreviewPage.h"
#include "ui/CCustomPropertyPage.h"

namespace tavrin::diary {

class PainMapWidget;

class CTavrinPPViewBody : public ui::CCustomPropertyPage, public EntryPreviewPage {
    Q_OBJECT
public:
    explicit CTavrinPPViewBody(QWidget* parent = nullptr);

    void showEntry(const TN& tn) override;
    void clearEntry() override;

    PainMapWidget* painMap() const { return map_; }

private:
    PainMapWidget* map_;
};

} // namespace tavrin::diary
