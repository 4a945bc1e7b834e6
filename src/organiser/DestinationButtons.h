#pragma once
// The button row of the export and backup windows: "Choose destination" and Start on the left,
// Exit on the right. Start stays off until a destination is chosen; F1 opens the window's help.

#include <QString>

#include <functional>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace tavrin::organiser {

class DestinationButtons {
public:
    static QHBoxLayout* make(QDialog* window, QPushButton* start, const QString& helpTopic,
                             const std::function<void()>& choose, const std::function<void()>& run);
};

} // namespace tavrin::organiser
