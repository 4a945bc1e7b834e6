#pragma once
// The main window's outline: every pixel of "back_large.tns" in the skin's window key colour is
// cut out of the window. Runs at every start, so it walks scan lines and collects one rectangle
// per vertical run of key pixels in each column.

#include <QColor>
#include <QRegion>
#include <QSize>

class QImage;

namespace tavrin::ui {
class ActiveSkin;
}

namespace tavrin {

class WindowShape {
public:
    // The window's full rectangle (windowSize) less the key-coloured pixels of `picture`.
    static QRegion compute(const QImage& picture, const QColor& key, const QSize& windowSize);

    // The shape from the skin's "back_large.tns". When the picture cannot be loaded, shows
    // "Unable to load back_large.tns" and returns the full rectangle.
    static QRegion fromSkin(const ui::ActiveSkin& skin, const QSize& windowSize);
};

} // namespace tavrin
