#include "ui/CInPlaceEdit.h"

#include "ui/InPlaceKeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

namespace tavrin::ui {
namespace {

// A character filter, not a number check: "-" and "." may stand anywhere, as they may be
// typed. A cell may show a text that breaks the filter (a stored value printed as "nan");
// its characters may be deleted one by one, but no new one of their kind may come in.
class CharacterFilter : public QValidator {
public:
    CharacterFilter(bool decimals, const QString& start, QObject* parent)
        : QValidator(parent), decimals_(decimals), allowance_(foreign(start)) {}

    State validate(QString& text, int&) const override {
        const int n = foreign(text);
        if (n > allowance_) return Invalid;
        allowance_ = n; // once gone, such a character may not come back
        return Acceptable;
    }

private:
    int foreign(const QString& text) const {
        int n = 0;
        for (const QChar c : text)
            if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') ||
                  (decimals_ && c == QLatin1Char('.'))))
                ++n;
        return n;
    }

    bool decimals_;
    mutable int allowance_;
};

} // namespace

CInPlaceEdit::CInPlaceEdit(QWidget* parent, const QString& text, Mode mode) : QLineEdit(parent) {
    setObjectName(QStringLiteral("inPlaceEdit"));
    setFrame(false);
    setText(text);
    selectAll();
    // Keys that insert nothing (backspace, arrows) always pass.
    if (mode != Mode::Any) setValidator(new CharacterFilter(mode == Mode::Decimals, text, this));
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* e) {
    if (!handleInPlaceKey(e, [this](bool cancelled) { finish(cancelled); }))
        QLineEdit::keyPressEvent(e);
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
