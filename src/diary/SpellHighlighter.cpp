#include "diary/SpellHighlighter.h"

#include "diary/SpellChecker.h"

namespace tavrin::diary {

SpellHighlighter::SpellHighlighter(QTextDocument* doc, const SpellChecker& checker)
    : QSyntaxHighlighter(doc), checker_(checker) {
    setObjectName("spellHighlighter");
}

void SpellHighlighter::setActive(bool on) {
    if (active_ == on) return;
    active_ = on;
    rehighlight();
}

void SpellHighlighter::highlightBlock(const QString& text) {
    if (!active_) return;
    QTextCharFormat marked;
    marked.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    marked.setUnderlineColor(Qt::red);
    for (const SpellIssue& issue : checker_.check(text))
        setFormat(issue.start, issue.length, marked);
}

} // namespace tavrin::diary
