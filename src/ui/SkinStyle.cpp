#include "ui/SkinStyle.h"

#include <QPainter>
#include <QStyleOption>

namespace tavrin::ui {

bool SkinStyle::isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 110;
}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    const bool indicator = element == PE_IndicatorRadioButton || element == PE_IndicatorCheckBox;
    if (!indicator || !option || !isDark(option->palette)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The outline is taken from the window colour: give it a light one to take it from. The
    // copy keeps the option's own kind, since a check box is drawn only from a button's option.
    auto lighter = [&](auto copy) {
        copy.palette.setColor(QPalette::Window, QColor(205, 210, 215));
        QProxyStyle::drawPrimitive(element, &copy, painter, widget);
    };
    if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option))
        lighter(*button);
    else
        lighter(*option);
}

} // namespace tavrin::ui
