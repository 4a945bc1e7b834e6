#pragma once
// "Fibromyalgia Graph": how each fibromyalgia rating is drawn when the graph shows
// "Fibromyalgia Data", and which temperatures and humidities are written on it.

#include "options/GraphOptionsPage.h"

namespace tavrin::options {

class CTavrinPPOptionsFibro : public GraphOptionsPage {
    Q_OBJECT
public:
    explicit CTavrinPPOptionsFibro(QWidget* parent = nullptr);

    // Nothing of the configuration: the page edits graph settings only.
    void storeConfiguration(DiaryConfig&) override {}

    // The 21 series, then the five labels, in the order of the graph settings.
    GraphControls* controls(int i) const { return controls_[i]; }

private:
    GraphControls* controls_[GraphSettings::kFibroSeries + GraphSettings::kFibroLabels] = {};
};

} // namespace tavrin::options
