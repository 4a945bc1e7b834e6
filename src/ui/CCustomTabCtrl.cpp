#include "ui/CCustomTabCtrl.h"

#include "ui/ActiveSkin.h"

#include <QPainter>
#include <QPainterPath>

namespace tavrin::ui {

CCustomTabCtrl::CCustomTabCtrl(QWidget* parent) : QTabBar(parent) {
    setDrawBase(false);
    setExpanding(false);
    setAttribute(Qt::WA_Hover);
}

QSize CCustomTabCtrl::tabSizeHint(int index) const {
    QFont bold = font(); // the current tab's text is bold: leave room for it on every tab
    bold.setBold(true);
    const QFontMetrics fm(bold);
    return QSize(fm.horizontalAdvance(tabText(index)) + 24, fm.height() + 10);
}

void CCustomTabCtrl::paintEvent(QPaintEvent*) {
    const ActiveSkin& skin = ActiveSkin::current();
    QPainter p(this);
    p.fillRect(rect(), skin.tabBackground());
    // The line the tabs stand on; the current tab breaks it.
    p.setPen(skin.frameDark());
    p.drawLine(0, height() - 1, width() - 1, height() - 1);

    p.setRenderHint(QPainter::Antialiasing);
    const QPoint hover = mapFromGlobal(QCursor::pos());
    for (int i = 0; i < count(); ++i) {
        const bool current = i == currentIndex();
        QRectF r = QRectF(tabRect(i)).adjusted(1.5, current ? 1.5 : 3.5, -0.5, current ? 1 : -0.5);
        QPainterPath path;
        path.moveTo(r.bottomLeft());
        path.lineTo(r.left(), r.top() + 3);
        path.quadTo(r.topLeft(), QPointF(r.left() + 3, r.top()));
        path.lineTo(r.right() - 3, r.top());
        path.quadTo(r.topRight(), QPointF(r.right(), r.top() + 3));
        path.lineTo(r.bottomRight());
        QColor face = current ? skin.sheetBackground() : skin.tabBackground();
        if (!current && tabRect(i).contains(hover) && underMouse()) face = skin.buttonHover();
        p.setPen(QPen(skin.frameDark(), 1));
        p.setBrush(face);
        p.drawPath(path);
        if (current) { // open towards the page
            p.setPen(QPen(face, 2));
            p.drawLine(QPointF(r.left() + 1, r.bottom()), QPointF(r.right() - 1, r.bottom()));
        }
        p.setPen(isTabEnabled(i) ? skin.staticText() : skin.frameDark());
        QFont f = font();
        f.setBold(current);
        p.setFont(f);
        p.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, tabText(i));
    }
}

} // namespace tavrin::ui
