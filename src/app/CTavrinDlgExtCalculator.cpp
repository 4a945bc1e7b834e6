#include "app/CTavrinDlgExtCalculator.h"

#include "ui/CCalculatorTitleBar.h"

namespace tavrin::app {

CTavrinDlgExtCalculator::CTavrinDlgExtCalculator(QWidget* mainWindow)
    : FloatingPanel(Panel::Calculator, new ui::CCalculatorTitleBar(QString::fromLatin1(kTitle)),
                    QSize(kWidth, kHeight), mainWindow) {
    setObjectName(QStringLiteral("panelCalculator"));
    setWindowTitle(QString::fromLatin1(kTitle));
}

} // namespace tavrin::app
