#include "ui/SkinStyle.h"

#include <QPainter>
#include <QStyleOption>

namespace tavrin::ui {

bool SkinStyle::isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 110;
}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    // Check boxes in lists come here too: the style draws them as PE_IndicatorCheckBox.
    const bool indicator = element == PE_IndicatorRadioButton || element == PE_IndicatorCheckBox;
    if (!indicator || !option || !isDark(option->palette)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The outline is taken from the window colour: give it a light one to take it from. The
    // indicators read nothing beyond the option's common part.
    QStyleOption lighter(*option);
    lighter.palette.setColor(QPalette::Window, QColor(205, 210, 215));
    QProxyStyle::drawPrimitive(element, &lighter, painter, widget);
    if (element == PE_IndicatorCheckBox) {
        // The check box's frame does not follow the window colour: draw it over.
        painter->save();
        painter->setPen(QColor(150, 156, 162));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

} // namespace tavrin::ui
