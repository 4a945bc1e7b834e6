#pragma once
// The "Options" sheet: the "General" page always, and while a diary is open the pages that edit
// that diary's configuration. Its buttons read "Save" and "Discard"; F1 opens the options help.
// The sheet itself writes nothing to the settings store: on "Save" it closes with Accepted and
// OptionsCommand writes what the pages hold.

#include "options/OptionsSettings.h"
#include "ui/CCustomPropertySheet.h"

#include <QList>

namespace tavrin::options {

class CTavrinPPOptionsGeneral;
class DiaryOptionsPage;

class CTavrinPSOptions : public ui::CCustomPropertySheet {
    Q_OBJECT
public:
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpOptions.html";
    static constexpr const char* kNoDiaryMessage =
        "You don't have a diary open, so you can only change general options. Once you open or "
        "create a diary, you will have access to all options available!";

    // Makes the pages, each reading its values; without an open diary only "General" is made
    // and the user is told why.
    explicit CTavrinPSOptions(QWidget* parent = nullptr);

    CTavrinPPOptionsGeneral* generalPage() const { return general_; }
    const QList<DiaryOptionsPage*>& diaryPages() const { return diaryPages_; }
    // Appends a page that edits the open diary (in sheet order, after "General").
    void addDiaryPage(DiaryOptionsPage* page);

    // The settings-store values of all pages.
    OptionsSettings settingsValues() const;
    // Reads the diary configuration, lets every diary page put its values in and writes it
    // back. True when there was nothing to write or the write succeeded (storage reports why
    // it failed).
    bool writeDiaryConfiguration() const;

public slots:
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void activateAllPages();

    CTavrinPPOptionsGeneral* general_;
    QList<DiaryOptionsPage*> diaryPages_;
    bool activated_ = false;
};

} // namespace tavrin::options
