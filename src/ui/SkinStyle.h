#pragma once
// The toolkit's own style with one change for dark skins: the outlines of radio buttons and
// check boxes. The style draws them a shade darker than the window, which on a dark window
// leaves an unchecked box all but invisible; on a dark window they are drawn light instead.

#include <QProxyStyle>

namespace tavrin::ui {

class SkinStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    // Whether the indicators on this palette get the light outline.
    static bool isDark(const QPalette& palette);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace tavrin::ui
