#pragma once
// The font chooser. Returns the chosen font, or nothing when the user cancels.
//
// Test seam: setNextFont(f) answers the next chooser with f, cancelNext() cancels it; answers
// queue up in order. In message-box test mode an unscripted chooser cancels. lastInitial() is
// the font the most recent chooser started from.

#include <QFont>

#include <optional>

class QWidget;

namespace tavrin::platform {

class FontChooser {
public:
    static std::optional<QFont> choose(const QFont& initial, QWidget* parent = nullptr);

    // ---- test seam ----
    static void setNextFont(const QFont& font);
    static void cancelNext();
    static void clearScripted();
    static QFont lastInitial();
};

} // namespace tavrin::platform
