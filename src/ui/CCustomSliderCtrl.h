#pragma once
// Slider on which the user selects a range by holding SHIFT while dragging (or stepping with
// the keys). The anchor is where the SHIFT drag began; the selection runs from the smaller to
// the larger of anchor and position. Every change of the selection made that way, and every
// range set by the program, is sent to the parent as "TNSNotifySLC": low end in the low byte
// and high end in the next byte of the first parameter, the control id in the second.

#include <QSlider>

#include <optional>

namespace tavrin::ui {

class CCustomSliderCtrl : public QSlider {
    Q_OBJECT
public:
    explicit CCustomSliderCtrl(Qt::Orientation orientation = Qt::Horizontal,
                               QWidget* parent = nullptr);

    void setControlId(int id) { id_ = id; }
    int controlId() const { return id_; }

    bool hasSelection() const { return hasSel_; }
    int selectionStart() const { return selLo_; }
    int selectionEnd() const { return selHi_; }

    // Sets the selection from the program (a page opening or being reset) and tells the parent.
    void setSelection(int low, int high);
    void clearSelection();

    // The two packed parameters of "TNSNotifySLC".
    static qintptr packRange(int low, int high) { return (low & 0xFF) | ((high & 0xFF) << 8); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void scrolled();    // a scroll event of the slider (a user's move)
    void endTracking(); // the end of a drag, click or key step
    bool shiftHeld() const;
    void notifyParent();

    int id_ = 0;
    bool hasSel_ = false;
    int selLo_ = 0, selHi_ = 0;
    std::optional<int> anchor_;
    bool dragging_ = false;
    Qt::KeyboardModifiers modifiers_; // as the last input event said
};

} // namespace tavrin::ui
