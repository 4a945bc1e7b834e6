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
class CCustomListCtrl;
class CCustomRichEdit;
class CCustomStatic;
} // namespace tavrin::ui

namespace tavrin::diary {

class CTavrinPPViewDiary : public ui::CCustomPropertyPage, public EntryPreviewPage {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Diary Text and Basic Parameters";

    explicit CTavrinPPViewDiary(QWidget* parent = nullptr);

    void showEntry(const TN& tn) override;
    // Shows the program banner instead of an entry.
    void clearEntry() override;

    // "%d - %b - %Y, %a, at " and the time in the locale's form.
    static QString heading(std::int64_t dateTime);
    // The banner shown when there is no entry: the program title and version.
    static QString banner();

    // Shows the text of chooser item `item` (0 the body, 1 to 5 the type texts).
    void showText(int item);

    ui::CCustomStatic* headingLabel() const { return heading_; }
    QComboBox* typeChooser() const { return chooser_; }
    ui::CCustomRichEdit* textView() const { return text_; }
    QLabel* moodPicture() const { return mood_; }
    ui::CCustomListCtrl* parameterList() const { return params_; }
    // The mood value whose picture is shown; nothing shown outside -3 to 3.
    int shownMood() const { return moodValue_; }

private:
    ui::CCustomStatic* heading_;
    QComboBox* chooser_;
    ui::CCustomRichEdit* text_;
    QTextDocument* doc_; // the shown text, made from the stored one
    QLabel* mood_;
    ui::CCustomListCtrl* params_;
    QList<QByteArray> texts_; // body, then the five type texts, as stored
    int moodValue_ = 99;
};

} // namespace tavrin::diary
