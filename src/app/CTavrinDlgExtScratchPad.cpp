#include "app/CTavrinDlgExtScratchPad.h"

#include "ui/CScratchPadTitleBar.h"

namespace tavrin::app {

CTavrinDlgExtScratchPad::CTavrinDlgExtScratchPad(QWidget* mainWindow)
    : FloatingPanel(Panel::ScratchPad, new ui::CScratchPadTitleBar(QString::fromLatin1(kTitle)),
                    QSize(kWidth, kHeight), mainWindow) {
    setObjectName(QStringLiteral("panelScratchPad"));
    setWindowTitle(QString::fromLatin1(kTitle));
}

} // namespace tavrin::app
