#pragma once
// The pocket calculator behind the floating Calculator panel: a one-line display the user may
// also type into, two operands, a pending operation and a tape of finished calculations. All
// arithmetic is done in 32-bit floats, as the calculator has always done it.

#include <string>
#include <vector>

namespace tavrin::tools {

class CalculatorLogic {
public:
    enum class Op {
        None = -1,
        Add = 0,
        Subtract = 1,
        Divide = 2,
        Multiply = 3,
        Square = 4,
        SquareRoot = 5,
        Percent = 6,
        Reciprocal = 7,
        MinutesToHours = 8,
        HoursToMinutes = 9,
        KmToMiles = 10,
        MilesToKm = 11,
    };
    static constexpr const char* kDivideByZero = "Divide by zero!";
    static constexpr const char* kNegativeRoot = "Negative square root!";

    // Keys.
    void digit(int d);
    void point();
    void clear();      // "C" and Escape
    void clearEntry(); // "CE"
    // "+", "-", "*", "/": repeating the pending operator chains it.
    void binary(Op op);
    void percent();
    // "x^2", "sqrt", "1/x" and the four conversions: computed at once.
    void unary(Op op);
    void changeSign();
    // "=" and Enter. False when no operation is pending (the panel beeps; nothing is written).
    bool equals();

    // The display, also as the user types into it.
    const std::string& display() const { return display_; }
    void setDisplay(std::string text) { display_ = std::move(text); }

    const std::vector<std::string>& tape() const { return tape_; }
    int selectedLine() const { return selected_; } // -1 when none
    void selectLine(int line) { selected_ = line >= 0 && line < int(tape_.size()) ? line : -1; }

    float first() const { return first_; }
    float second() const { return second_; }
    Op pending() const { return pending_; }

    // The display read as the standard text-to-number conversion reads it: the leading number,
    // the rest ignored, 0 without one. Independent of the locale.
    static float read(const std::string& text);
    // printf's "%0.<decimals>f", whatever the locale.
    static std::string fixed(double value, int decimals);

private:
    bool calculate();
    void write(const std::string& line, const std::string& shown);
    float readDisplay() const { return read(display_); }

    std::string display_ = "0";
    float first_ = 0, second_ = 0;
    Op pending_ = Op::None;
    bool startNew_ = true, pointRequested_ = false, pointPresent_ = false, resultShown_ = false;
    std::vector<std::string> tape_;
    int selected_ = -1;
};

} // namespace tavrin::tools
