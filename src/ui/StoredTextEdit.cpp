#include "ui/StoredTextEdit.h"

#include "storage/Cp1252.h"

#include <QTextCursor>

namespace tavrin::ui {

StoredTextEdit::StoredTextEdit(int limit, QWidget* parent) : QPlainTextEdit(parent), limit_(limit) {
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &StoredTextEdit::clip);
}

std::string StoredTextEdit::toStored(const QString& text) {
    QString crlf = text;
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return cp1252::fromUtf8(crlf.toStdString());
}

QString StoredTextEdit::fromStored(const std::string& cp1252) {
    QString s = QString::fromStdString(cp1252::toUtf8(cp1252));
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

std::string StoredTextEdit::stored() const {
    return toStored(toPlainText());
}

void StoredTextEdit::setStored(const std::string& cp1252) {
    setPlainText(fromStored(cp1252));
}

void StoredTextEdit::clip() {
    QString text = toPlainText();
    if (toStored(text).size() <= std::size_t(limit_)) return;
    while (!text.isEmpty() && toStored(text).size() > std::size_t(limit_))
        text.chop(1);
    const QSignalBlocker block(this);
    setPlainText(text);
    moveCursor(QTextCursor::End);
}

} // namespace tavrin::ui
