#pragma once
// "Custom Controls 3": the three spin controls: name, use, the names of the values -3 to +3,
// the range of values in use (selected on a slider with SHIFT held), and graph settings.
// The range is stored as slider positions 0 to 6, lower end first.

#include "options/GraphOptionsPage.h"
#include "storage/DiaryConfig.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tavrin::ui {
class CCustomSliderCtrl;
}

namespace tavrin::options {

class CTavrinPPOptionsCustom3 : public GraphOptionsPage {
    Q_OBJECT
public:
    static constexpr const char* kRangeHint =
        "Press and hold SHIFT while dragging to select the spin control range.";

    // `readable` is false when the diary's configuration could not be read.
    CTavrinPPOptionsCustom3(const DiaryConfig& config, bool readable, QWidget* parent = nullptr);

    bool onSetActive() override;
    void storeConfiguration(DiaryConfig& config) override;
    // "Reset all to default": names, ranges and enabled flags.
    void resetNames();

    // The range shown, as slider positions, low end first.
    int rangeLow(int k) const { return low_[k]; }
    int rangeHigh(int k) const { return high_[k]; }
    QLabel* rangeText(int k) const { return rangeText_[k]; }
    ui::CCustomSliderCtrl* rangeSlider(int k) const { return slider_[k]; }
    QLineEdit* valueField(int k, int v) const { return values_[k][v]; }
    QCheckBox* spinEnabled(int k) const { return enabled_[k]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRange(int k, int a, int b);

    QLineEdit* names_[DiaryConfig::kSpins] = {};
    QCheckBox* enabled_[DiaryConfig::kSpins] = {};
    QLineEdit* values_[DiaryConfig::kSpins][DiaryConfig::kSpinValues] = {};
    ui::CCustomSliderCtrl* slider_[DiaryConfig::kSpins] = {};
    QLabel* rangeText_[DiaryConfig::kSpins] = {};
    QWidget* frames_[DiaryConfig::kSpins] = {};
    int low_[DiaryConfig::kSpins] = {};
    int high_[DiaryConfig::kSpins] = {};
    bool readable_;
    bool told_ = false;
};

} // namespace tavrin::options
