#pragma once
// The body of the Scratch Pad panel: a button per pad, labelled with the pad's name, and beside
// each a button that copies the pad's text to the clipboard. The names are read again each time
// the panel opens.

#include "app/ShellHooks.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QPushButton;

namespace tavrin::tools {

class CTavrinDlgScratchPadText;

class ScratchPadBody : public QWidget, public app::PanelContent {
    Q_OBJECT
public:
    explicit ScratchPadBody(QWidget* parent = nullptr);
    ~ScratchPadBody() override;

    void panelExpanded() override { relabel(); }
    // Labels the buttons with the open diary's pad names (kept without a diary).
    void relabel();
    // Pad n (1 to 9): shown in the pad window; copied to the clipboard.
    void openPad(int pad);
    void copyPad(int pad);

    QPushButton* padButton(int pad) const { return pads_.value(pad - 1); }
    CTavrinDlgScratchPadText* padWindow();

private:
    QList<QPushButton*> pads_;
    QPointer<CTavrinDlgScratchPadText> window_;
};

} // namespace tavrin::tools
