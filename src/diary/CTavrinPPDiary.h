#pragma once
// "Diary Text and Basic Parameters", the first page of the entry sheet: the entry's date and
// time, description, body and five type texts (one editor, switched by the slot chooser), the
// formatting commands (one QAction each, checked as the text at the caret is formatted), the
// parameters the diary enables with the mood picture, and the planner items of the entry's day,
// which can be ticked off here.

#include "diary/logic/EntryParameters.h"
#include "storage/EntryRecord.h"
#include "ui/CCustomPropertyPage.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <string>

class QAction;
class QActionGroup;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTextDocument;
class QTimeEdit;

namespace tavrin {
class DiaryConfig;
}

namespace tavrin::ui {
class CColorButton;
class CCustomListCtrl;
class CCustomRichEdit;
} // namespace tavrin::ui

namespace tavrin::diary {

class VoiceNotePanel;
class EntrySpelling;

class CTavrinPPDiary : public ui::CCustomPropertyPage {
    Q_OBJECT
public:
    static constexpr int kSlots = 1 + EntryRecord::kTypeTexts; // the body, then the type texts
    static constexpr int kMaxDescription = 29;
    static constexpr int kMinFontSize = 8, kMaxFontSize = 98, kFontSizeStep = 2;

    // `texts`: the stored body, then the five type texts.
    CTavrinPPDiary(const DiaryConfig& config, const EntryRecord& entry,
                   const std::array<QByteArray, kSlots>& texts, QWidget* parent = nullptr);
    ~CTavrinPPDiary() override;

    // Date-time (local), description, the enabled parameters and the six texts into the entry.
    // False, after telling the user, when a measurement is no number.
    bool storeInto(EntryRecord& e, std::string& body,
                   std::array<std::string, EntryRecord::kTypeTexts>& types);

    // Whether the date, time, description, a parameter or one of the texts was changed.
    bool isModified() const;

    // Shows text slot 0 (the body) to 5; the chooser follows.
    void showSlot(int slot);
    int shownSlot() const { return shown_; }
    QTextDocument* slotDocument(int slot) const { return docs_[std::size_t(slot)]; }

    // Lists the planner items of the day shown in the date picker.
    void refillPlanner();

    const QList<ParameterRow>& parameterRows() const { return rows_; }
    int moodRow() const { return moodRow_; }
    // The mood the picture shows (-3 to 3).
    int shownMood() const { return shownMood_; }

    QDateEdit* dateEdit() const { return date_; }
    QTimeEdit* timeEdit() const { return time_; }
    QLineEdit* descriptionEdit() const { return description_; }
    QComboBox* slotChooser() const { return slot_; }
    ui::CCustomRichEdit* richEdit() const { return edit_; }
    ui::CCustomListCtrl* parameterList() const { return params_; }
    ui::CCustomListCtrl* plannerList() const { return planner_; }
    QLabel* moodPicture() const { return mood_; }
    VoiceNotePanel* voicePanel() const { return voice_; }

    // Leaving the page while a recording runs asks first.
    bool onKillActive() override;
    EntrySpelling* spelling() const { return spelling_; }

protected:
    bool event(QEvent* e) override;

private:
    QWidget* makeFormatBar();
    void makeFormatActions();
    QLayout* makeFontRow(QWidget* bar);
    QLayout* makeFormatRow(QWidget* bar);
    void fillParameters(const DiaryConfig& config, const EntryRecord& entry);
    void showMood(int value);
    void updateFormatButtons();
    void plannerTicked(int row, bool done);
    void parameterEdited(int row, bool cancelled);

    QList<ParameterRow> rows_;
    // The values the entry came with: parameters the configuration hides keep them.
    EntryRecord initial_;
    int moodRow_ = -1;
    int shownMood_ = 0;
    int shown_ = -1;
    bool refreshingPlanner_ = false;

    QDateEdit* date_;
    QTimeEdit* time_;
    QLineEdit* description_;
    QComboBox* slot_;
    ui::CCustomRichEdit* edit_;
    std::array<QTextDocument*, kSlots> docs_{};
    ui::CCustomListCtrl* params_;
    QLabel* mood_;
    ui::CCustomListCtrl* planner_;
    VoiceNotePanel* voice_;

    QAction *bold_, *italic_, *underline_, *super_, *sub_;
    QActionGroup* alignGroup_;
    std::array<QAction*, 3> align_{}; // left, centre, right
    QActionGroup* spacingGroup_;
    std::array<QAction*, 3> spacing_{}; // 1, 1.5, 2 lines
    QAction *undo_, *cut_, *copy_, *paste_;
    ui::CColorButton* colour_;
    QComboBox* face_;
    QComboBox* size_;
    EntrySpelling* spelling_ = nullptr;
};

} // namespace tavrin::diary
