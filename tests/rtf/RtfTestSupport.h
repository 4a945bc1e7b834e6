#pragma once
// Looking into documents read from RTF: the format in force over a text, the paragraph that
// holds it. Shared by the RTF tests.

#include <QDebug>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace tavrin::test {

// The character format in force over the first occurrence of a text.
inline QTextCharFormat formatOf(const QTextDocument& doc, const QString& text) {
    const QTextCursor found = doc.find(text, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull()) {
        qWarning() << "text not found:" << text;
        return {};
    }
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

// The paragraph holding the first occurrence of a text.
inline QTextBlock blockOf(const QTextDocument& doc, const QString& text) {
    const QTextCursor found = doc.find(text, 0, QTextDocument::FindCaseSensitively);
    return found.isNull() ? QTextBlock() : found.block();
}

} // namespace tavrin::test
