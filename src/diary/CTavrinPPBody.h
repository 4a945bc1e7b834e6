#pragma once
// "Body Pain Map", the second page of the entry sheet: a chooser per body area.

#include "storage/EntryRecord.h"
#include "ui/CCustomPropertyPage.h"

namespace tavrin::diary {

class PainMapWidget;

class CTavrinPPBody : public ui::CCustomPropertyPage {
    Q_OBJECT
public:
    explicit CTavrinPPBody(const EntryRecord& entry, QWidget* parent = nullptr);

    void storeInto(EntryRecord& e) const;
    PainMapWidget* painMap() const { return map_; }

private:
    PainMapWidget* map_;
};

} // namespace tavrin::diary
