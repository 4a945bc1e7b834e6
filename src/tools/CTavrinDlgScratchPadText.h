#pragma once
// The scratch pad window: one pad's text and name. Pads 1 to 5 keep their text in files of the
// diary; pads 6 to 9 in a file the user chooses ("Choose File"). The window is opened again for
// each pad; switching pads and "Close" save the pad first. Without an open diary nothing is
// read or saved.

#include "storage/PadText.h"
#include "ui/CCustomDialog.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tavrin::tools {

class CTavrinDlgScratchPadText : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Scratch Pad - ";
    static constexpr int kFirstChosen = 6; // pads from here on may be attached to any file
    // What a pad's file keeps, less the closing zero of the old pads, in bytes as stored
    // (UTF-8, a line break one byte).
    static constexpr int kMaxBytes = int(PadText::kLimit) - 1;
    static constexpr const char* kPasteCut =
        "A scratch pad holds 10239 bytes of text: one for most letters, two or more for accented "
        "letters and symbols. The pasted text was cut to fit.";

    explicit CTavrinDlgScratchPadText(QWidget* parent = nullptr);

    // Saves the pad now open, if any, then opens pad `pad` (1 to 9).
    void openPad(int pad);
    // Saves the name into the table and the text into the pad's file.
    void save();
    int pad() const { return pad_; }
    QPlainTextEdit* text() const { return text_; }
    QLineEdit* name() const { return name_; }
    QPushButton* chooseButton() const { return choose_; }

public slots:
    void chooseFile();
    void closePad();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void load(int pad);
    // Cuts back the end of the last insertion so far as the text runs past kMaxBytes.
    void keepWithinLimit();

    int pad_ = 0;
    QString path_;
    bool loading_ = false;
    int changedAt_ = 0, added_ = 0; // the last change of the text
    QPlainTextEdit* text_;
    QLineEdit* name_;
    QPushButton* choose_;
};

} // namespace tavrin::tools
