#pragma once
// The drop-down list that opens over a list cell, dropped down at once. Choosing a name ends
// the edit with that index; Enter keeps the current choice, Escape (also in the drop-down)
// cancels, and losing the focus keeps it.

#include <QComboBox>

namespace tavrin::ui {

class CInPlaceCombo : public QComboBox {
    Q_OBJECT
public:
    CInPlaceCombo(QWidget* parent, const QStringList& names, int index);

    bool isFinished() const { return finished_; }

signals:
    // Emitted once; the chosen index is then currentIndex() (-1 when no name is chosen).
    void editEnded(bool cancelled);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void finish(bool cancelled);
    bool finished_ = false;
};

} // namespace tavrin::ui
