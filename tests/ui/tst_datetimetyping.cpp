// Typing a date or time into an edit section by section, as a user does after clicking into
// it: digits, month names by their first letters, a weekday section that is only shown, and
// values that do not exist.

#include "ui/DateTimeTyping.h"
#include "TestEnvironment.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QTest>
#include <QTimeEdit>

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
    void typedDates() {
        const struct {
            const char* format;
            QDate start;
            int at; // character clicked
            const char* keys;
            QDate expected;
            const char* selectedAfter; // the section that takes the next key
        } cases[] = {
            {kEntryFormat, {2024, 7, 1}, 1, "15", {2024, 7, 15}, "Jul"},
            {kEntryFormat, {2024, 7, 1}, 0, "3", {2024, 7, 3}, "03"},   // "30" may follow
            {kEntryFormat, {2024, 7, 1}, 0, "9", {2024, 7, 9}, "Jul"},  // no "9x" day
            {kEntryFormat, {2024, 7, 1}, 0, "35", {2024, 7, 5}, "Jul"}, // no day 35: "5"
            {kEntryFormat, {2024, 7, 1}, 13, "1900", {1900, 7, 1}, "1900"},
            {kEntryFormat, {2024, 7, 1}, 13, "19", {2024, 7, 1}, "2024"},   // a year has 4 digits
            {kEntryFormat, {2024, 7, 1}, 13, "2200", {2024, 7, 1}, "2024"}, // out of range
            {kEntryFormat, {2024, 7, 1}, 6, "f", {2024, 2, 1}, "2024"},
            {kEntryFormat, {2024, 7, 1}, 6, "ju", {2024, 6, 1}, "Jun"}, // June or July
            {kEntryFormat, {2024, 7, 1}, 6, "jul", {2024, 7, 1}, "2024"},
            {kEntryFormat, {2024, 7, 1}, 6, "MAY", {2024, 5, 1}, "2024"},
            {kEntryFormat, {2024, 7, 1}, 6, "q", {2024, 7, 1}, "Jul"}, // no month
            {kEntryFormat, {2024, 7, 1}, 6, "12", {2024, 12, 1}, "2024"},
            {kEntryFormat, {2024, 7, 31}, 1, "31f", {2024, 2, 29}, "2024"}, // the month's last
            {kEntryFormat, {2024, 7, 1}, 1, "15mar1987", {1987, 3, 15}, "1987"},
            {kEntryFormat, {2024, 7, 1}, 18, "20", {2024, 7, 20}, "Jul"}, // the weekday: its day
            {"dd.MM.yyyy", {2024, 7, 1}, 4, "3", {2024, 3, 1}, "2024"},
            {"d/M/yy", {2024, 7, 1}, 0, "12", {2024, 7, 12}, "7"},
        };
        for (const auto& c : cases) {
            QDateEdit edit(c.start);
            edit.setDisplayFormat(c.format);
            edit.setDateRange(QDate(1900, 1, 1), QDate(2199, 12, 31));
            edit.setCalendarPopup(true);
            DateTimeTyping::attach(&edit);
            edit.resize(220, 26);
            edit.show();
            QVERIFY(QTest::qWaitForWindowExposed(&edit));
            clickAndType(edit, c.at, c.keys);
            const QByteArray what = QByteArray(c.format) + " " + c.keys;
            QVERIFY2(edit.date() == c.expected,
                     qPrintable(what + " gave " + edit.date().toString(Qt::ISODate)));
            QVERIFY2(edit.findChild<QLineEdit*>()->selectedText() == c.selectedAfter,
                     qPrintable(what + " selects " + edit.findChild<QLineEdit*>()->selectedText()));
            // The shown text always agrees with the date, the weekday included.
            QCOMPARE(edit.text(), QLocale().toString(edit.date(), c.format));
        }
    }

    void typedTimesAndTheKeysLeftToTheEdit() {
        QTimeEdit edit(QTime(9, 30, 5));
        edit.setDisplayFormat("HH:mm:ss");
        DateTimeTyping::attach(&edit);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        clickAndType(edit, 0, "074512");
        QCOMPARE(edit.time(), QTime(7, 45, 12));
        clickAndType(edit, 0, "3"); // no hour "3x": on to the minutes
        QCOMPARE(edit.time(), QTime(3, 45, 12));
        QTest::keyClicks(edit.findChild<QLineEdit*>(), "7");
        QCOMPARE(edit.time(), QTime(3, 7, 12));
        // The arrows still step the clicked section.
        clickAndType(edit, 4, "");
        QTest::keyClick(edit.findChild<QLineEdit*>(), Qt::Key_Up);
        QCOMPARE(edit.time(), QTime(3, 8, 12));
    }
};

QTEST_MAIN(TestDateTimeTyping)
#include "tst_datetimetyping.moc"
