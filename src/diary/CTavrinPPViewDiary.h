#pragma once
// First page of the entry preview: the entry's date and time, a chooser between its body and
// its five type texts, the chosen text as read-only rich text in the editor's own control (so
// links look and open alike), the mood picture, and the enabled parameters with their values.

#include "diary/EntryPreviewPage.h"
#include "ui/CCustomPropertyPage.h"

#include <QByteArray>
#include <QList>

#include <cstdint>

class QComboBox;
class QLabel;
class QTextDocument;

namespace tavrin::ui {
class CCustomButton;
class CCustomListCtrl;
class CCustomRichEdit;
class CCustomStatic;
} // namespace tavrin::ui

namespace tavrin::diary {

class CTavrinPPViewDiary : public ui::CCustomPropertyPage, public EntryPreviewPage {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Diary Text and Basic Parameters";
    static constexpr const char* kVoiceItem = "Voice";
    static constexpr const char* kPlayVoice = "Play Voice";
    static constexpr const char* kPlaying = "Playing...";

    explicit CTavrinPPViewDiary(QWidget* parent = nullptr);

    void showEntry(const TN& tn) override;
    // Shows the program banner instead of an entry.
    void clearEntry() override;

    // "%d - %b - %Y, %a, at " and the time in the locale's form.
    static QString heading(std::int64_t dateTime);
    // The banner shown when there is no entry: the program title and version.
    static QString banner();

    // Shows the text of chooser item `item` (0 the body, 1 to 5 the type texts); the item after
    // them, "Voice" for an entry with a note, shows the "Play Voice" button instead.
    void showText(int item);
    // Extracts the shown entry's note to the temporary "TNV" file, plays it and deletes it.
    void playVoice();

    ui::CCustomStatic* headingLabel() const { return heading_; }
    QComboBox* typeChooser() const { return chooser_; }
    ui::CCustomRichEdit* textView() const { return text_; }
    QLabel* moodPicture() const { return mood_; }
    ui::CCustomListCtrl* parameterList() const { return params_; }
    ui::CCustomButton* playVoiceButton() const { return play_; }
    // The mood value whose picture is shown; nothing shown outside -3 to 3.
    int shownMood() const { return moodValue_; }

private:
    ui::CCustomStatic* heading_;
    QComboBox* chooser_;
    ui::CCustomRichEdit* text_;
    QTextDocument* doc_; // the shown text, made from the stored one
    QLabel* mood_;
    ui::CCustomListCtrl* params_;
    ui::CCustomButton* play_;
    int entryIndex_ = -1;     // the shown entry's index, for reading its note again
    QList<QByteArray> texts_; // body, then the five type texts, as stored
    int moodValue_ = 99;
};

} // namespace tavrin::diary
