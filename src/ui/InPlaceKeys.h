#pragma once
// The keys every in-place cell editor shares: Enter keeps the edit, Escape cancels it.

#include <QKeyEvent>

namespace tavrin::ui {

// Calls finish(cancelled) for Enter or Escape and returns true; false for any other key.
template <class Finish> bool handleInPlaceKey(QKeyEvent* e, Finish&& finish) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        finish(false);
        return true;
    case Qt::Key_Escape:
        finish(true);
        return true;
    default:
        return false;
    }
}

} // namespace tavrin::ui
