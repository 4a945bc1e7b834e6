#include "ui/CustomListDelegate.h"

#include "ui/ActiveSkin.h"
#include "ui/CustomListModel.h"

#include <QPainter>
#include <QPainterPath>

namespace tavrin::ui {
namespace {
constexpr int kTextPad = 2;

void drawTriangle(QPainter* p, const QRect& square, bool pointsLeft, const QColor& c) {
    const int s = std::max(3, square.height() / 4);
    const QPoint mid = square.center();
    QPainterPath path;
    if (pointsLeft) {
        path.moveTo(mid.x() - s / 2, mid.y());
        path.lineTo(mid.x() + s / 2, mid.y() - s);
        path.lineTo(mid.x() + s / 2, mid.y() + s);
    } else {
        path.moveTo(mid.x() + s / 2, mid.y());
        path.lineTo(mid.x() - s / 2, mid.y() - s);
        path.lineTo(mid.x() - s / 2, mid.y() + s);
    }
    path.closeSubpath();
    p->fillPath(path, c);
}
} // namespace

CustomListDelegate::CustomListDelegate(QAbstractItemView* view)
    : QStyledItemDelegate(view), view_(view) {}

QRect CustomListDelegate::checkBoxRect(const QRect& cell) {
    const int side = std::max(7, std::min(13, cell.height() - 4));
    return QRect(cell.left() + kTextPad, cell.top() + (cell.height() - side) / 2, side, side);
}

QSize CustomListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(std::max(s.height(), option.fontMetrics.height() + 4));
    return s;
}

void CustomListDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const ActiveSkin& skin = ActiveSkin::current();
    const auto* model = qobject_cast<const CustomListModel*>(index.model());
    if (!model) {
        QStyledItemDelegate::paint(p, option, index);
        return;
    }
    const int row = index.row(), column = index.column();
    const bool selected = (option.state & QStyle::State_Selected) && (fullRow_ || column == 0);

    QColor back = skin.listBackground(), fore = skin.listText();
    if (model->isImportant(row)) {
        back = skin.listHighlightBackground();
        fore = skin.listHighlightText();
    }
    if (selected) {
        back = skin.selectionBackground();
        fore = skin.listHighlightText();
    }
    if (!(option.state & QStyle::State_Enabled)) fore.setAlphaF(0.5f);

    p->save();
    p->fillRect(option.rect, back);

    QRect textRect = option.rect.adjusted(kTextPad, 0, -kTextPad, 0);
    if (model->isCheckable() && column == 0) {
        const QRect box = checkBoxRect(option.rect);
        p->fillRect(box, skin.listBackground());
        p->setPen(QPen(skin.checkBox(), 1));
        p->drawRect(box.adjusted(0, 0, -1, -1));
        if (model->isChecked(row)) {
            QPen tick(skin.checkBox(), std::max(2, box.width() / 6));
            tick.setCapStyle(Qt::RoundCap);
            p->setPen(tick);
            p->setRenderHint(QPainter::Antialiasing, true);
            const QRectF b = QRectF(box).adjusted(3, 3, -3, -3);
            p->drawPolyline(QPolygonF{QPointF(b.left(), b.center().y()),
                                      QPointF(b.left() + b.width() * 0.4, b.bottom()),
                                      QPointF(b.right(), b.top())});
            p->setRenderHint(QPainter::Antialiasing, false);
        }
        textRect.setLeft(box.right() + kTextPad);
    }

    if (const auto* cell = model->cell(row, column);
        cell && cell->kind == CustomListModel::CellKind::Spin) {
        // The squares at both ends step the value; mark them so the user sees where to press.
        const int side = option.rect.height();
        if (option.rect.width() >= 2 * side) {
            QColor arrow = fore;
            arrow.setAlphaF(arrow.alphaF() * 0.6f);
            p->setRenderHint(QPainter::Antialiasing, true);
            drawTriangle(p, QRect(option.rect.left(), option.rect.top(), side, side), true, arrow);
            drawTriangle(p, QRect(option.rect.right() - side + 1, option.rect.top(), side, side),
                         false, arrow);
            p->setRenderHint(QPainter::Antialiasing, false);
            textRect = option.rect.adjusted(side, 0, -side, 0);
        }
    }

    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty() && textRect.width() > 0) {
        const auto align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
        p->setFont(option.font);
        p->setPen(fore);
        p->drawText(textRect, int(align | Qt::TextSingleLine),
                    option.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width()));
    }

    // One frame round the whole current row, drawn piece by piece by its cells.
    if (view_->hasFocus() && view_->currentIndex().row() == row) {
        p->setPen(QPen(fore, 1, Qt::DotLine));
        const QRect r = option.rect.adjusted(0, 0, -1, -1);
        p->drawLine(r.topLeft(), r.topRight());
        p->drawLine(r.bottomLeft(), r.bottomRight());
        if (column == 0) p->drawLine(r.topLeft(), r.bottomLeft());
        if (column == model->columnCount() - 1) p->drawLine(r.topRight(), r.bottomRight());
    }
    p->restore();
}

} // namespace tavrin::ui
