#pragma once
// "Custom Controls 2": the three combo boxes (name, use, nine row names of which the first n
// are in use, graph) and the weather (five names, use, graph).

#include "options/GraphOptionsPage.h"
#include "storage/DiaryConfig.h"

class QCheckBox;
class QLineEdit;
class QSlider;

namespace tavrin::options {

class CTavrinPPOptionsCustom2 : public GraphOptionsPage {
    Q_OBJECT
public:
    explicit CTavrinPPOptionsCustom2(const DiaryConfig& config, QWidget* parent = nullptr);

    void storeConfiguration(DiaryConfig& config) override;
    // "Reset to default": names, row counts and enabled flags.
    void resetNames();

    QLineEdit* comboName(int k) const { return names_[k]; }
    QLineEdit* rowField(int k, int row) const { return rows_[k][row]; }
    QSlider* rowsSlider(int k) const { return used_[k]; }
    QCheckBox* comboEnabled(int k) const { return enabled_[k]; }
    QLineEdit* weatherField(int i) const { return weather_[i]; }

private:
    void rowsInUse(int k, int n);

    QLineEdit* names_[DiaryConfig::kCombos] = {};
    QLineEdit* rows_[DiaryConfig::kCombos][DiaryConfig::kComboRows] = {};
    QSlider* used_[DiaryConfig::kCombos] = {};
    QCheckBox* enabled_[DiaryConfig::kCombos] = {};
    QLineEdit* weather_[DiaryConfig::kWeathers] = {};
    QCheckBox* weatherEnabled_ = nullptr;
};

} // namespace tavrin::options
