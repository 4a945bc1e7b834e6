#pragma once
// The colour chooser. Returns the chosen colour, or nothing when the user cancels.
//
// Test seam: setNextColor(c) answers the next chooser with c, cancelNext() cancels it; answers
// queue up in order. In message-box test mode an unscripted chooser cancels. lastInitial() is
// the colour the most recent chooser started from.

#include <QColor>

#include <optional>

class QWidget;

namespace tavrin::platform {

class ColorChooser {
public:
    static std::optional<QColor> choose(const QColor& initial, QWidget* parent = nullptr);

    // ---- test seam ----
    static void setNextColor(const QColor& color);
    static void cancelNext();
    static void clearScripted();
    static QColor lastInitial();
};

} // namespace tavrin::platform
