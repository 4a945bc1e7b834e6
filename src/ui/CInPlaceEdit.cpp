#include "CInPlaceEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace tavrin::ui {

CInPlaceEdit::CInPlaceEdit(QWidget* parent, const QString& text, Mode mode) : QLineEdit(parent) {
    setObjectName(QStringLiteral("inPlaceEdit"));
    setFrame(false);
    setText(text);
    selectAll();
    // A character filter, not a number check: "-" and "." may stand anywhere, as they may
    // be typed. Keys that insert nothing (backspace, arrows) always pass.
    if (mode == Mode::Integers)
        setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9-]*")), this));
    else if (mode == Mode::Decimals)
        setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.-]*")), this));
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        finish(false);
        return;
    case Qt::Key_Escape:
        finish(true);
        return;
    default:
        QLineEdit::keyPressEvent(e);
    }
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // A context menu or popup takes the focus only for a moment.
    if (e->reason() != Qt::PopupFocusReason) finish(false);
}

void CInPlaceEdit::finish(bool cancelled) {
    if (finished_) return;
    finished_ = true;
    emit editEnded(cancelled);
}

} // namespace tavrin::ui
