// Typing a date or time into an edit section by section, as a user does after clicking into
// it: digits, month names by their first letters, a weekday section that is only shown, and
// values that do not exist.

#include "TestEnvironment.h"
#include "ui/DateTimeTyping.h"

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>

using namespace tavrin::ui;

namespace {

constexpr const char* kEntryFormat = "dd - MMM - yyyy, ddd";

// Clicks into the edit before the character at `atCharacter`, then types `keys`.
void clickAndType(QDateTimeEdit& edit, int atCharacter, const char* keys) {
    auto* line = edit.findChild<QLineEdit*>();
    QVERIFY(line);
    const int x = line->fontMetrics().horizontalAdvance(line->text().left(atCharacter));
    QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(x + 3, line->height() / 2));
    QTest::keyClicks(line, keys);
}

} // namespace

class TestDateTimeTyping : public QObject {
    Q_OBJECT
private slots:
    void typedDatesAndTimes() {
        const QDateTime july(QDate(2024, 7, 1), QTime(9, 30, 5));
        auto on = [](int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(9, 30, 5)); };
        auto at = [](int h, int m, int s) { return QDateTime(QDate(2024, 7, 1), QTime(h, m, s)); };
        const struct {
            const char* format;
            QDateTime start;
            int at; // character clicked
            const char* keys;
            QDateTime expected;
            const char* selectedAfter; // the section that takes the next key
        } cases[] = {
            {kEntryFormat, july, 1, "15", on(2024, 7, 15), "Jul"},
            {kEntryFormat, july, 0, "3", on(2024, 7, 3), "03"},   // "30" may follow
            {kEntryFormat, july, 0, "9", on(2024, 7, 9), "Jul"},  // no "9x" day
            {kEntryFormat, july, 0, "35", on(2024, 7, 5), "Jul"}, // no day 35: "5"
            {kEntryFormat, july, 13, "1900", on(1900, 7, 1), "1900"},
            {kEntryFormat, july, 13, "19", july, "2024"},   // a year has 4 digits
            {kEntryFormat, july, 13, "2200", july, "2024"}, // out of range
            {kEntryFormat, july, 6, "f", on(2024, 2, 1), "2024"},
            {kEntryFormat, july, 6, "ju", on(2024, 6, 1), "Jun"}, // June or July
            {kEntryFormat, july, 6, "jul", july, "2024"},
            {kEntryFormat, july, 6, "MAY", on(2024, 5, 1), "2024"},
            {kEntryFormat, july, 6, "q", july, "Jul"}, // no month
            {kEntryFormat, july, 6, "12", on(2024, 12, 1), "2024"},
            {kEntryFormat, on(2024, 7, 31), 1, "31f", on(2024, 2, 29), "2024"}, // the last day
            {kEntryFormat, july, 1, "15mar1987", on(1987, 3, 15), "1987"},
            {kEntryFormat, july, 18, "20", on(2024, 7, 20), "Jul"}, // the weekday: its day
            {"dd.MM.yyyy", july, 4, "3", on(2024, 3, 1), "2024"},
            {"d/M/yy", july, 0, "12", on(2024, 7, 12), "7"},
            {"HH:mm:ss", july, 0, "074512", at(7, 45, 12), "12"},
            {"HH:mm:ss", july, 0, "37", at(3, 7, 5), "05"}, // no hour "3x": on to the minutes
        };
        for (const auto& c : cases) {
            QDateTimeEdit edit(c.start);
            edit.setDisplayFormat(c.format);
            edit.setDateRange(QDate(1900, 1, 1), QDate(2199, 12, 31));
            DateTimeTyping::attach(&edit);
            edit.resize(220, 26);
            edit.show();
            QVERIFY(QTest::qWaitForWindowExposed(&edit));
            clickAndType(edit, c.at, c.keys);
            const QString what = QString(c.format) + " " + c.keys;
            auto* line = edit.findChild<QLineEdit*>();
            const bool timeShown = QString(c.format).contains('H');
            QVERIFY2(edit.date() == c.expected.date() &&
                         (!timeShown || edit.time() == c.expected.time()),
                     qPrintable(what + " gave " + edit.dateTime().toString(Qt::ISODate)));
            QVERIFY2(line->selectedText() == c.selectedAfter,
                     qPrintable(what + " selects " + line->selectedText()));
            // The shown text always agrees with the value, the weekday included.
            QCOMPARE(edit.text(), QLocale().toString(edit.dateTime(), c.format));
            // The arrows still step the section the typing left selected.
            if (timeShown) {
                QTest::keyClick(line, Qt::Key_Up);
                QCOMPARE(edit.time().second(), c.expected.time().second() + 1);
            }
        }
    }
};

QTEST_MAIN(TestDateTimeTyping)
#include "tst_datetimetyping.moc"
