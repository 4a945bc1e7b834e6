#pragma once
// A one-line input for an amount or a value per 100 g: it takes digits and one decimal point,
// and is read the way atof reads a text.

#include <QLineEdit>

namespace tavrin::nutrition {

class NumberField : public QLineEdit {
    Q_OBJECT
public:
    static constexpr const char* kNotANumber = "Please enter a number.";

    explicit NumberField(const char* objectName, QWidget* parent = nullptr);

    // Whether the text is a number (an empty text is not).
    bool holdsNumber() const;
    // The number the text starts with, 0 when none.
    float number() const;
    void setNumber(float v);
};

} // namespace tavrin::nutrition
