#include "tools/CalculatorLogic.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tavrin::tools {

float CalculatorLogic::read(const std::string& text) {
    const char* p = text.c_str();
    const char* end = p + text.size();
    while (p < end &&
           (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v'))
        ++p;
    if (p < end && *p == '+') ++p;
    double v = 0;
    if (std::from_chars(p, end, v).ec != std::errc()) return 0;
    return float(v);
}

std::string CalculatorLogic::fixed(double value, int decimals) {
    std::array<char, 400> buf{};
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed,
                           decimals);
    return std::string(buf.data(), r.ptr);
}

void CalculatorLogic::digit(int d) {
    if (startNew_ || resultShown_) display_.clear();
    if (pointRequested_ && !pointPresent_) {
        display_ += '.';
        pointPresent_ = true;
    }
    display_ += char('0' + d);
    startNew_ = resultShown_ = false;
}

void CalculatorLogic::point() {
    pointRequested_ = true;
}

void CalculatorLogic::clear() {
    pointRequested_ = pointPresent_ = false;
    startNew_ = true;
    display_ = "0";
    first_ = second_ = 0;
    tape_.clear();
    selected_ = -1;
    pending_ = Op::None;
}

void CalculatorLogic::clearEntry() {
    pointRequested_ = pointPresent_ = false;
    startNew_ = true;
    display_ = "0";
    second_ = 0;
}

void CalculatorLogic::binary(Op op) {
    resultShown_ = false;
    if (op == pending_) {
        // A number typed since the operator is the second operand; without one the first
        // stands in for it, so that pressing the key again repeats the operation.
        second_ = readDisplay();
        calculate();
    } else {
        first_ = readDisplay();
    }
    startNew_ = true;
    pending_ = op;
    pointRequested_ = pointPresent_ = false;
}

void CalculatorLogic::percent() {
    resultShown_ = false;
    startNew_ = true;
    first_ = readDisplay();
    pointRequested_ = pointPresent_ = false;
    pending_ = Op::Percent;
}

void CalculatorLogic::unary(Op op) {
    resultShown_ = false;
    startNew_ = true;
    first_ = readDisplay();
    pending_ = op;
    calculate();
    pointRequested_ = pointPresent_ = false;
}

void CalculatorLogic::changeSign() {
    resultShown_ = false;
    startNew_ = true;
    first_ = readDisplay() * -1.0f;
    display_ = fixed(first_, 2);
    pending_ = Op::None;
}

bool CalculatorLogic::equals() {
    return calculate();
}

void CalculatorLogic::write(const std::string& line, const std::string& shown) {
    tape_.push_back(line);
    selected_ = int(tape_.size()) - 1;
    display_ = shown;
}

bool CalculatorLogic::calculate() {
    if (!resultShown_) second_ = readDisplay();
    if (startNew_) {
        startNew_ = false;
        second_ = first_;
    }
    const float a = first_, b = second_;
    const auto f2 = [](float v) { return fixed(v, 2); };
    bool done = true;
    switch (pending_) {
    case Op::None:
        done = false;
        break;
    case Op::Add:
    case Op::Subtract:
    case Op::Multiply: {
        const float r = pending_ == Op::Add ? a + b : pending_ == Op::Subtract ? a - b : a * b;
        const char* sign = pending_ == Op::Add ? "+" : pending_ == Op::Subtract ? "-" : "*";
        first_ = r;
        write(f2(a) + sign + f2(b) + "=" + f2(r), f2(r));
        break;
    }
    case Op::Divide:
        if (b == 0) {
            first_ = 0;
            startNew_ = true;
            write(kDivideByZero, kDivideByZero);
        } else {
            const float r = a / b;
            first_ = r;
            write(f2(a) + "/" + f2(b) + "=" + f2(r), f2(r));
        }
        break;
    case Op::Square: {
        const float r = b * b;
        second_ = r;
        write(f2(b) + "^2=" + f2(r), f2(r));
        break;
    }
    case Op::SquareRoot:
        if (b < 0) {
            second_ = 0;
            startNew_ = true;
            write(kNegativeRoot, kNegativeRoot);
        } else {
            const float r = std::sqrt(b);
            second_ = r;
            write("sqrt(" + f2(b) + ")=" + f2(r), f2(r));
        }
        break;
    case Op::Percent: {
        const float r = a * (b / 100.0f);
        second_ = r;
        write(f2(b) + " % of " + f2(a) + "=" + f2(r), f2(r));
        break;
    }
    case Op::Reciprocal:
        if (b == 0) {
            second_ = 0;
            startNew_ = true;
            write(kDivideByZero, kDivideByZero);
        } else {
            const float r = 1.0f / b;
            second_ = r;
            write("1/" + f2(b) + "=" + f2(r), f2(r));
        }
        break;
    case Op::MinutesToHours: {
        const float hours = b < 60 ? 0.0f : std::trunc(b / 60.0f);
        const float minutes = float(int(b) % 60);
        second_ = 0;
        write(fixed(b, 0) + " min(s)=" + fixed(hours, 0) + " hours " + fixed(minutes, 0) +
                  " min(s)",
              f2(0));
        break;
    }
    case Op::HoursToMinutes: {
        const auto dot = display_.find('.');
        if (pointPresent_ && dot != std::string::npos) {
            // h.mm: 2.30 is two hours and thirty minutes, 2.5 two hours and five.
            const int h = std::atoi(display_.substr(0, dot).c_str());
            const int m = std::atoi(display_.substr(dot + 1).c_str());
            const float r = float(h * 60 + m);
            write(std::to_string(h) + " hour(s) " + std::to_string(m) + " min(s)=" + fixed(r, 0) +
                      " min(s)",
                  f2(r));
        } else {
            const float r = b * 60.0f;
            write(fixed(b, 0) + " hour(s)=" + fixed(r, 0) + " min(s)", f2(r));
        }
        second_ = 0;
        break;
    }
    case Op::KmToMiles:
    case Op::MilesToKm: {
        const bool km = pending_ == Op::KmToMiles;
        const float r = b * (km ? 0.6214f : 1.609f);
        second_ = r;
        write(fixed(b, 3) + (km ? " km(s)=" : " mile(s)=") + fixed(r, 3) +
                  (km ? " mile(s)" : " km(s)"),
              f2(r));
        break;
    }
    }
    pointRequested_ = pointPresent_ = false;
    resultShown_ = true;
    return done;
}

} // namespace tavrin::tools
