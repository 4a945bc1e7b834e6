#pragma once
// A calendar to pick one day. Returns the chosen day, or nothing when the user cancels.
//
// Test seam: setNextDate(d) answers the next chooser with d, cancelNext() cancels it; answers
// queue up in order. In message-box test mode an unscripted chooser cancels. lastInitial() is
// the day the most recent chooser started from.

#include <QDate>
#include <QString>

#include <optional>

class QWidget;

namespace tavrin::platform {

class DateChooser {
public:
    static std::optional<QDate> choose(const QString& title, const QDate& initial,
                                       QWidget* parent = nullptr);

    // ---- test seam ----
    static void setNextDate(const QDate& date);
    static void cancelNext();
    static void clearScripted();
    static QDate lastInitial();
};

} // namespace tavrin::platform
