#include "app/CTavrinDlgExtNavigator.h"

#include "ui/CNavigatorTitleBar.h"

namespace tavrin::app {

CTavrinDlgExtNavigator::CTavrinDlgExtNavigator(QWidget* mainWindow)
    : FloatingPanel(Panel::Navigator, new ui::CNavigatorTitleBar(QString::fromLatin1(kTitle)),
                    QSize(kWidth, kHeight), mainWindow) {
    setObjectName(QStringLiteral("panelNavigator"));
    setWindowTitle(QString::fromLatin1(kTitle));
}

} // namespace tavrin::app
