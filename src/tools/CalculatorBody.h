#pragma once
// The body of the floating Calculator panel: display, keys, conversions and the tape, over
// CalculatorLogic. Enter is "=", Escape is "C", F1 opens the calculator's help.

#include "tools/CalculatorLogic.h"

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace tavrin::tools {

class CalculatorBody : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kHelpTopic = "Tavrin.chm::/HIDD_ROOT_DIALOG.htm";
    static constexpr const char* kNoLine = "You must have a line selected to copy it!";

    explicit CalculatorBody(QWidget* parent = nullptr);

    CalculatorLogic& logic() { return logic_; }
    // Presses the key with this caption ("7", "+", "Min -> H", "Copy", ...).
    void press(const QString& caption);

protected:
    // Keys typed into the display act as the calculator's keys.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void copyLine();

    CalculatorLogic logic_;
    QLineEdit* display_;
    QListWidget* tape_;
};

} // namespace tavrin::tools
