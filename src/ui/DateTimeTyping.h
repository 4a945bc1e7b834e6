#pragma once
// Typing into a date or time edit, section by section, whatever its display format.
//
// Qt's own editor takes typed digits only into a section that is selected whole; after a click
// the caret sits inside a full section and every digit is refused. This helper selects the
// section a click lands in and takes the typing itself:
// - digits fill the day, month, year, hour, minute and second; a section moves on to the next
//   once no further digit could make a valid value (a "4" in the day, or two digits);
// - the year is taken once its four digits are typed;
// - a month shown by name also takes the first letters of its name ("f" February, "ju" June,
//   "jul" July) and moves on once only one month fits;
// - a weekday section ("ddd") is shown, not typed: typing there goes to the day.
// A day beyond the end of the month becomes the month's last day.
//
//     DateTimeTyping::attach(dateEdit);

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QDateTimeEdit;
class QLineEdit;

namespace tavrin::ui {

class DateTimeTyping : public QObject {
    Q_OBJECT
public:
    // The helper lives as long as the edit.
    static DateTimeTyping* attach(QDateTimeEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    enum class Field { Other, Day, Weekday, Month, MonthName, Year, Hour, Minute, Second };
    struct Section {
        Field field = Field::Other;
        int literalAfter = 0; // characters of fixed text between this section and the next
    };

    explicit DateTimeTyping(QDateTimeEdit* edit);
    const QList<Section>& sections();
    Field fieldAt(int index);
    int indexOf(Field f);
    // Selects section `index` whole, the caret at its start.
    void select(int index);
    void typeDigit(int index, int digit);
    void typeLetter(int index, QChar c);
    // Sets one field of the shown date or time; false when the result is out of range.
    bool setField(Field f, int value);
    void moveOn(int index);

    QDateTimeEdit* edit_;
    QPointer<QLineEdit> line_;
    QString parsedFormat_;
    QList<Section> sections_;
    int typedIndex_ = -1; // the section `typed_` belongs to
    QString typed_;
};

} // namespace tavrin::ui
