#pragma once
// "Custom Controls / Shortcuts / Diary Type Names / Printing": the two check marks and four
// measurements (name, use, graph), the five Alt+1 to Alt+5 texts, the five diary type names,
// and the fonts for printing an entry. A stored name left empty shows its default.

#include "options/GraphOptionsPage.h"
#include "storage/DiaryConfig.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tavrin::options {

class CTavrinPPOptionsCustom : public GraphOptionsPage {
    Q_OBJECT
public:
    static constexpr int kParameters = 6; // check marks 1 and 2, floats 1 and 2, integers 1 and 2

    explicit CTavrinPPOptionsCustom(const DiaryConfig& config, QWidget* parent = nullptr);

    bool onSetActive() override;
    void storeConfiguration(DiaryConfig& config) override;
    void storeSettings(OptionsSettings& values) const override;
    // "Reset all to default": names, enabled flags, shortcut texts and type names.
    void resetNames();

    // The text shown for an empty stored type name.
    static QString shownTypeName(int i, const std::string& stored);

    QLineEdit* parameterName(int i) const { return names_[i]; }
    QCheckBox* parameterEnabled(int i) const { return enabled_[i]; }
    QLineEdit* shortcutField(int i) const { return shortcuts_[i]; }
    QLineEdit* typeNameField(int i) const { return types_[i]; }
    QComboBox* headFont() const { return headFont_; }
    QComboBox* bodyFont() const { return bodyFont_; }
    QLineEdit* headSize() const { return headSize_; }
    QLineEdit* bodySize() const { return bodySize_; }

protected:
    bool validate() override;

private:
    void fillFonts();

    QLineEdit* names_[kParameters] = {};
    QCheckBox* enabled_[kParameters] = {};
    QLineEdit* shortcuts_[DiaryConfig::kShortcuts] = {};
    QLineEdit* types_[DiaryConfig::kTypes] = {};
    QComboBox* headFont_;
    QComboBox* bodyFont_;
    QLineEdit* headSize_;
    QLineEdit* bodySize_;
    bool fontsFilled_ = false;
};

} // namespace tavrin::options
