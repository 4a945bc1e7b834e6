#pragma once
// The entry sheet, "Create a new entry" or "Edit an entry": the text page, the body pain map and
// the fibromyalgia parameters, with "Save", "Discard" and "Help". Save asks the page that is
// shown, then the saver; the sheet closes only once the entry was written.

#include "storage/EntryRecord.h"
#include "ui/CCustomPropertySheet.h"

#include <QByteArray>

class QLabel;

#include <array>
#include <functional>

namespace tavrin {
class DiaryConfig;
}

namespace tavrin::diary {

class CTavrinPPBody;
class CTavrinPPDiary;
class CTavrinPPParams;

class CTavrinPSDiary : public ui::CCustomPropertySheet {
    Q_OBJECT
public:
    static constexpr const char* kNewCaption = "Create a new entry";
    static constexpr const char* kEditCaption = "Edit an entry";
    static constexpr const char* kHelpTopic = "hlpDiary.html";
    static constexpr const char* kDiscardQuestion =
        "This entry has been changed. Do you want to discard the changes?";

    using Saver = std::function<bool(CTavrinPSDiary&)>;

    // `texts`: the stored body, then the five type texts.
    CTavrinPSDiary(bool editing, const DiaryConfig& config, const EntryRecord& entry,
                   const std::array<QByteArray, 1 + EntryRecord::kTypeTexts>& texts,
                   QWidget* parent = nullptr);

    CTavrinPPDiary* textPage() const { return text_; }
    CTavrinPPBody* bodyPage() const { return body_; }
    CTavrinPPParams* paramsPage() const { return params_; }

    // Writes the entry; false keeps the sheet open.
    void setSaver(Saver saver) { saver_ = std::move(saver); }

    // Whether anything the entry would be saved with differs from what the sheet opened with.
    bool isModified() const;

public slots:
    void accept() override;
    // "Discard" and the close button: a changed entry is only thrown away when the user agrees.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void countWords();

    EntryRecord initial_;
    QLabel* words_;
    CTavrinPPDiary* text_;
    CTavrinPPBody* body_;
    CTavrinPPParams* params_;
    Saver saver_;
};

} // namespace tavrin::diary
