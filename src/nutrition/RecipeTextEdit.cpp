#include "nutrition/RecipeTextEdit.h"

#include "storage/Cp1252.h"

#include <QTextCursor>

namespace tavrin::nutrition {

RecipeTextEdit::RecipeTextEdit(int limit, QWidget* parent) : QPlainTextEdit(parent), limit_(limit) {
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &RecipeTextEdit::clip);
}

std::string RecipeTextEdit::toStored(const QString& text) {
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return cp1252::fromUtf8(crlf.toStdString());
}

QString RecipeTextEdit::fromStored(const std::string& cp1252) {
    QString s = QString::fromStdString(cp1252::toUtf8(cp1252));
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

std::string RecipeTextEdit::stored() const {
    return toStored(toPlainText());
}

void RecipeTextEdit::setStored(const std::string& cp1252) {
    setPlainText(fromStored(cp1252));
}

void RecipeTextEdit::clip() {
    QString text = toPlainText();
    if (toStored(text).size() <= std::size_t(limit_)) return;
    while (!text.isEmpty() && toStored(text).size() > std::size_t(limit_))
        text.chop(1);
    const QSignalBlocker block(this);
    setPlainText(text);
    moveCursor(QTextCursor::End);
}

} // namespace tavrin::nutrition
