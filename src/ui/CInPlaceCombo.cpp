#include "ui/CInPlaceCombo.h"

#include "ui/InPlaceKeys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

namespace tavrin::ui {

CInPlaceCombo::CInPlaceCombo(QWidget* parent, const QStringList& names, int index)
    : QComboBox(parent) {
    setObjectName(QStringLiteral("inPlaceCombo"));
    addItems(names);
    setCurrentIndex(index >= 0 && index < names.size() ? index : -1);
    setMaxVisibleItems(std::max(1, std::min(12, int(names.size()))));
    connect(this, &QComboBox::activated, this, [this] { finish(false); });
    view()->installEventFilter(this);
}

void CInPlaceCombo::keyPressEvent(QKeyEvent* e) {
    if (!handleInPlaceKey(e, [this](bool cancelled) { finish(cancelled); }))
        QComboBox::keyPressEvent(e);
}

bool CInPlaceCombo::eventFilter(QObject* watched, QEvent* e) {
    // Escape in the open drop-down would only close it; here it cancels the whole edit.
    if (watched == view() && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        hidePopup();
        finish(true);
        return true;
    }
    return QComboBox::eventFilter(watched, e);
}

void CInPlaceCombo::focusOutEvent(QFocusEvent* e) {
    QComboBox::focusOutEvent(e);
    // Dropping the list down moves the focus into the popup; that is not the end of the edit.
    const QWidget* popup = view()->window();
    const QWidget* now = QApplication::focusWidget();
    const bool intoPopup =
        popup->isVisible() || (now && (now == popup || popup->isAncestorOf(now)));
    if (e->reason() != Qt::PopupFocusReason && !intoPopup) finish(false);
}

void CInPlaceCombo::finish(bool cancelled) {
    if (finished_) return;
    finished_ = true;
    emit editEnded(cancelled);
}

} // namespace tavrin::ui
