// The calculator's worked examples, key by key, without a display.

#include "tools/CalculatorLogic.h"

#include <QTest>

using tavrin::tools::CalculatorLogic;
using Op = CalculatorLogic::Op;

namespace {
// Keys separated by spaces: digits, ".", "+", "-", "*", "/", "%", "=", "C", "CE", "+/-", and the
// unary keys by caption.
void press(CalculatorLogic& c, const QString& keys) {
    const struct {
        const char* caption;
        Op op;
    } unary[] = {{"x^2", Op::Square},
                 {"sqrt", Op::SquareRoot},
                 {"1/x", Op::Reciprocal},
                 {"Min->H", Op::MinutesToHours},
                 {"H->Min", Op::HoursToMinutes},
                 {"Km->M", Op::KmToMiles},
                 {"M->Km", Op::MilesToKm}};
    for (const QString& k : keys.split(' ', Qt::SkipEmptyParts)) {
        if (k.size() == 1 && k[0].isDigit())
            c.digit(k.toInt());
        else if (k == ".")
            c.point();
        else if (k == "+")
            c.binary(Op::Add);
        else if (k == "-")
            c.binary(Op::Subtract);
        else if (k == "*")
            c.binary(Op::Multiply);
        else if (k == "/")
            c.binary(Op::Divide);
        else if (k == "%")
            c.percent();
        else if (k == "=")
            c.equals();
        else if (k == "C")
            c.clear();
        else if (k == "CE")
            c.clearEntry();
        else if (k == "+/-")
            c.changeSign();
        else {
            bool found = false;
            for (const auto& u : unary)
                if (k == u.caption) {
                    c.unary(u.op);
                    found = true;
                }
            QVERIFY2(found, qPrintable("unknown key " + k));
        }
    }
}
} // namespace

class TestCalculator : public QObject {
    Q_OBJECT
private slots:
    void examples_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("tape");
        QTest::addColumn<QString>("display");
        QTest::newRow("second operand from the first")
            << "5 + =" << QStringList{"5.00+5.00=10.00"} << "10.00";
        QTest::newRow("= repeats")
            << "5 + = =" << QStringList{"5.00+5.00=10.00", "10.00+5.00=15.00"} << "15.00";
        QTest::newRow("chaining") << "2 + 3 + 4 ="
                                  << QStringList{"2.00+3.00=5.00", "5.00+4.00=9.00"} << "9.00";
        QTest::newRow("another operator takes the display")
            << "5 + 3 - =" << QStringList{"3.00-3.00=0.00"} << "0.00";
        QTest::newRow("minutes to hours")
            << "9 0 Min->H" << QStringList{"90 min(s)=1 hours 30 min(s)"} << "0.00";
        QTest::newRow("under an hour")
            << "4 5 Min->H" << QStringList{"45 min(s)=0 hours 45 min(s)"} << "0.00";
        QTest::newRow("hours and minutes")
            << "2 . 3 0 H->Min" << QStringList{"2 hour(s) 30 min(s)=150 min(s)"} << "150.00";
        QTest::newRow("h.m is minutes, not tenths")
            << "2 . 5 H->Min" << QStringList{"2 hour(s) 5 min(s)=125 min(s)"} << "125.00";
        QTest::newRow("whole hours")
            << "2 H->Min" << QStringList{"2 hour(s)=120 min(s)"} << "120.00";
        QTest::newRow("km to miles")
            << "1 0 Km->M" << QStringList{"10.000 km(s)=6.214 mile(s)"} << "6.21";
        QTest::newRow("miles to km")
            << "1 0 M->Km" << QStringList{"10.000 mile(s)=16.090 km(s)"} << "16.09";
        QTest::newRow("percent") << "2 0 0 % 1 0 =" << QStringList{"10.00 % of 200.00=20.00"}
                                 << "20.00";
        QTest::newRow("division by zero")
            << "7 / 0 =" << QStringList{"Divide by zero!"} << "Divide by zero!";
        QTest::newRow("reciprocal of zero")
            << "0 1/x" << QStringList{"Divide by zero!"} << "Divide by zero!";
        QTest::newRow("negative root")
            << "4 +/- sqrt" << QStringList{"Negative square root!"} << "Negative square root!";
        QTest::newRow("square") << "1 . 5 x^2" << QStringList{"1.50^2=2.25"} << "2.25";
        QTest::newRow("change sign cancels the operation")
            << "5 + 3 +/- =" << QStringList{} << "-3.00";
        QTest::newRow("a digit after a result starts anew")
            << "5 + = 7" << QStringList{"5.00+5.00=10.00"} << "7";
        QTest::newRow("leading zeros stay") << "0 0 7" << QStringList{} << "007";
        QTest::newRow("C empties the tape") << "5 + = C" << QStringList{} << "0";
    }
    void examples() {
        QFETCH(QString, keys);
        QFETCH(QStringList, tape);
        QFETCH(QString, display);
        CalculatorLogic c;
        press(c, keys);
        QStringList got;
        for (const auto& line : c.tape())
            got << QString::fromStdString(line);
        QCOMPARE(got, tape);
        QCOMPARE(QString::fromStdString(c.display()), display);
        // The newest line is selected, ready for Copy.
        QCOMPARE(c.selectedLine(), int(tape.size()) - 1);
    }

    void divisionByZeroRecovers() {
        CalculatorLogic c;
        press(c, "7 / 0 =");
        QCOMPARE(c.first(), 0.0f);
        press(c, "8 + 1 =");
        QCOMPARE(QString::fromStdString(c.tape().back()), QString("8.00+1.00=9.00"));
    }

    void equalsWithoutOperation() {
        CalculatorLogic c;
        press(c, "4");
        QVERIFY(!c.equals());
        QVERIFY(c.tape().empty());
    }

    void typedDisplayIsRead() {
        QCOMPARE(CalculatorLogic::read("  12.5abc"), 12.5f);
        QCOMPARE(CalculatorLogic::read("abc"), 0.0f);
        QCOMPARE(CalculatorLogic::read("-3"), -3.0f);
        CalculatorLogic c;
        c.setDisplay("12,5"); // the rest after the number is ignored
        c.binary(Op::Add);
        c.equals();
        QCOMPARE(QString::fromStdString(c.tape().back()), QString("12.00+12.00=24.00"));
    }
};

QTEST_GUILESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
