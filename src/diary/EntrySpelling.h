#pragma once
// Spelling on the entry editor's text page: "Check spelling" and the "As-you-type spelling" box,
// the marks under misspelled and doubled words of the text shown, and the automatic correction of
// words the user changed before. The ten options come from the settings when the page opens and go
// back to them when it closes.

#include <QObject>

#include <array>
#include <vector>

class QCheckBox;
class QTextDocument;
class QWidget;

namespace tavrin::ui {
class CCustomRichEdit;
}

namespace tavrin::diary {

class SpellChecker;

class EntrySpelling : public QObject {
    Q_OBJECT
public:
    EntrySpelling(ui::CCustomRichEdit* edit, const std::vector<QTextDocument*>& docs,
                  QWidget* page);
    ~EntrySpelling() override;

    // The "Check spelling" button and the "As-you-type spelling" box, for the format bar.
    QWidget* makeControls(QWidget* parent);

    void setAutoSpelling(bool on);
    bool autoSpelling() const { return auto_; }
    void checkSpelling();

private:
    void correctTyped(QTextDocument* doc, int position, int added);

    ui::CCustomRichEdit* edit_;
    QWidget* page_;
    SpellChecker& checker_;
    QCheckBox* box_ = nullptr;
    bool auto_ = false;
    bool correcting_ = false;
};

} // namespace tavrin::diary
