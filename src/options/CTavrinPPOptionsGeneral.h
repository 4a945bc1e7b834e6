#pragma once
// The "General" page of the options: the program-wide preferences of the settings store. The
// values are read when the page is made; values() gathers what the controls hold now. The page
// refuses to be left while "This many days:" is outside 1 to 355.

#include "options/OptionsSettings.h"
#include "ui/CCustomPropertyPage.h"

#include <optional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QVBoxLayout;

namespace tavrin::ui {
class CCustomButton;
class CCustomStatic;
} // namespace tavrin::ui

namespace tavrin::options {

class CTavrinPPOptionsGeneral : public ui::CCustomPropertyPage {
    Q_OBJECT
public:
    // Rows of the start-page list, in module order.
    static const QStringList& startPages();
    static constexpr const char* kWavTitle = "Specify WAVE sound file";
    static constexpr const char* kWavFilter = "WAVE sound files (*.wav)|*.wav||";
    static constexpr const char* kNoSoundFile = "...";

    explicit CTavrinPPOptionsGeneral(QWidget* parent = nullptr);

    // What the controls hold now; the print sizes (edited elsewhere) come as they were read.
    OptionsSettings values() const;
    // The days field as typed, or nothing when it is not a number of 1 to 355.
    std::optional<int> days() const;
    // The wave file chosen ("..." when none).
    QString soundFile() const { return soundFile_; }

    bool onSetActive() override;
    bool onKillActive() override;

    // The range message shown when the days field is refused.
    static QString daysRangeMessage();

public slots:
    void chooseWav();
    void testSound();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildStartColumn(QVBoxLayout* column);
    void buildBehaviourColumn(QVBoxLayout* column);
    void buildLookColumn(QVBoxLayout* column);
    void fill(const OptionsSettings& o);
    void updateDaysEnabled();
    void showSkinAuthor();
    void showSoundFile();

    OptionsSettings read_;
    bool firstShown_ = false;

    QCheckBox* loadAtStartup_;
    QCheckBox* minimizeOnLoad_;
    QCheckBox* openLastDiary_;
    QCheckBox* showReminders_;
    QCheckBox* alwaysOnTop_;
    QListWidget* startPage_;
    QButtonGroup* minimize_;
    QButtonGroup* password_;
    QCheckBox* afterRestore_;
    QButtonGroup* remindersShow_;
    QLineEdit* days_;
    ui::CCustomStatic* daysLabel_;
    QButtonGroup* exit_;
    QCheckBox* confirm_[6];
    QCheckBox* tips_;
    QListWidget* skins_;
    ui::CCustomStatic* author_;
    QCheckBox* randomSkin_;
    QButtonGroup* sound_;
    ui::CCustomStatic* soundPath_;
    QString soundFile_;
};

} // namespace tavrin::options
