#pragma once
// The spin editor over a list cell. A square at each end of the cell, as wide as the cell is
// high, steps the value: the left one lowers it, the right one raises it, within the lowest
// and highest value, and either press ends the edit at once. A press between the squares
// changes nothing and leaves the editor open; Enter or losing the focus then keeps the value,
// Escape cancels.

#include <QStringList>
#include <QWidget>

namespace tavrin::ui {

class CInPlaceSpin : public QWidget {
    Q_OBJECT
public:
    CInPlaceSpin(QWidget* parent, const QStringList& names, int value, int lowest, int highest,
                 int offset);

    // Handles a press at a point in the editor's own coordinates (also the press that opened
    // it); true when it fell into one of the two squares.
    bool press(const QPoint& pos);

    int value() const { return value_; }
    // The name the cell shows for the value; empty when there is no name at value + offset.
    QString shownText() const;
    // Whether a press on either square ended the edit (the value may have stayed at an end).
    bool stepped() const { return stepped_; }
    bool isFinished() const { return finished_; }

    QRect lowerSquare() const;
    QRect raiseSquare() const;

signals:
    void editEnded(bool cancelled);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void finish(bool cancelled);

    QStringList names_;
    int value_, lowest_, highest_, offset_;
    bool stepped_ = false;
    bool finished_ = false;
};

} // namespace tavrin::ui
