#pragma once
// Base of the options pages that edit the open diary (names, custom controls, graph settings).
// They exist only while a diary is open. Two moments matter to them:
//   - leaving the page: its values are checked (a refusal keeps the user there) and, from the
//     second time on, what it writes at once (graph settings) is written. The sheet activates
//     every page once while it opens, so the first leaving only initialises and writes nothing.
//   - saving the sheet: storeConfiguration() puts the page's values into the diary
//     configuration, which the sheet then writes once for all pages.

#include "ui/CCustomPropertyPage.h"

namespace tavrin {
class DiaryConfig;
}

namespace tavrin::options {

struct OptionsSettings;

class DiaryOptionsPage : public ui::CCustomPropertyPage {
    Q_OBJECT
public:
    using ui::CCustomPropertyPage::CCustomPropertyPage;

    // Puts the page's values into `config` (read from the diary just before).
    virtual void storeConfiguration(DiaryConfig& config) = 0;
    // Puts what the page edits of the settings store into `values` (saved with the sheet).
    virtual void storeSettings(OptionsSettings& /*values*/) const {}

    bool onKillActive() override;
    int timesLeft() const { return timesLeft_; }

protected:
    // The page's input is acceptable; otherwise tell the user and return false.
    virtual bool validate() { return true; }
    // Writes what the page writes on leaving (never on the first leaving).
    virtual void writeOnLeave() {}

private:
    int timesLeft_ = 0;
};

} // namespace tavrin::options
