#pragma once
// A one-line input for an amount or a value per 100 g. It takes what is typed as it is; a text
// that is no amount (no number, below 0 or above the largest amount) leaves the field's number
// as it last was, for the page to say so. A decimal comma counts as a decimal point.

#include <QLineEdit>

namespace tavrin::nutrition {

class NumberField : public QLineEdit {
    Q_OBJECT
public:
    static constexpr const char* kNotANumber = "Please enter a number.";

    explicit NumberField(const char* objectName, QWidget* parent = nullptr);

    // Whether the text is an amount (an empty text is not).
    bool holdsNumber() const;
    // Whether the text is a number still being typed: "-", "." or "2e".
    bool unfinished() const;
    // The amount the text holds, else the last one it held (0 once emptied).
    float number() const;
    void setNumber(float v);
    // Shows the number again after a text that was none.
    void restore() { setNumber(last_); }

private:
    float last_ = 0;
};

} // namespace tavrin::nutrition
