#pragma once
// As-you-type spelling: misspelled and doubled words of a rich text get a red wavy underline.
// The marks live in the text's layout only; they are never part of the stored text.

#include <QSyntaxHighlighter>

namespace tavrin::diary {

class SpellChecker;

class SpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    SpellHighlighter(QTextDocument* doc, const SpellChecker& checker);

    void setActive(bool on);
    bool isActive() const { return active_; }

protected:
    void highlightBlock(const QString& text) override;

private:
    const SpellChecker& checker_;
    bool active_ = false;
};

} // namespace tavrin::diary
