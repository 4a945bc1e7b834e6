#include "ui/DateTimeTyping.h"

#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>

namespace tavrin::ui {

DateTimeTyping* DateTimeTyping::attach(QDateTimeEdit* edit) {
    return edit ? new DateTimeTyping(edit) : nullptr;
}

DateTimeTyping::DateTimeTyping(QDateTimeEdit* edit)
    : QObject(edit), edit_(edit), line_(edit->findChild<QLineEdit*>()) {
    edit_->installEventFilter(this);
    if (line_) line_->installEventFilter(this);
}

// The sections of the display format in the order the edit counts them, with the fixed text
// that follows each. Quoted text is fixed text; '' is one quote.
const QList<DateTimeTyping::Section>& DateTimeTyping::sections() {
    const QString format = edit_->displayFormat();
    if (format == parsedFormat_ && !sections_.isEmpty()) return sections_;
    parsedFormat_ = format;
    sections_.clear();
    const QString letters = QStringLiteral("dMyhHmszt");
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            qsizetype j = i + 1;
            int count = 0;
            if (j < format.size() && format.at(j) == QLatin1Char('\'')) {
                count = 1; // '' is a quote
                j += 1;
            } else {
                while (j < format.size() && format.at(j) != QLatin1Char('\'')) {
                    ++count;
                    ++j;
                }
                ++j; // the closing quote
            }
            if (!sections_.isEmpty()) sections_.last().literalAfter += count;
            i = j;
            continue;
        }
        const bool ampm = c == QLatin1Char('a') || c == QLatin1Char('A');
        if (!letters.contains(c) && !ampm) {
            if (!sections_.isEmpty()) sections_.last().literalAfter += 1;
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        if (ampm) {
            if (j < format.size() &&
                (format.at(j) == QLatin1Char('p') || format.at(j) == QLatin1Char('P')))
                ++j;
        } else {
            while (j < format.size() && format.at(j) == c)
                ++j;
        }
        const qsizetype run = j - i;
        Section s;
        switch (c.unicode()) {
        case 'd':
            s.field = run >= 3 ? Field::Weekday : Field::Day;
            break;
        case 'M':
            s.field = run >= 3 ? Field::MonthName : Field::Month;
            break;
        case 'y':
            s.field = run == 4 ? Field::Year : Field::Other;
            break;
        case 'h':
        case 'H':
            s.field = Field::Hour;
            break;
        case 'm':
            s.field = Field::Minute;
            break;
        case 's':
            s.field = Field::Second;
            break;
        default:
            break;
        }
        sections_.append(s);
        i = j;
    }
    // A format this reading does not follow section for section is left to the edit alone.
    if (sections_.size() != edit_->sectionCount()) sections_.clear();
    return sections_;
}

DateTimeTyping::Field DateTimeTyping::fieldAt(int index) {
    const QList<Section>& all = sections();
    return index >= 0 && index < all.size() ? all.at(index).field : Field::Other;
}

int DateTimeTyping::indexOf(Field f) {
    const QList<Section>& all = sections();
    for (int i = 0; i < all.size(); ++i)
        if (all.at(i).field == f) return i;
    return -1;
}

bool DateTimeTyping::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonRelease:
        // The press put the caret into a section: select it whole, so that typing replaces it.
        if (watched == line_ && !line_->hasSelectedText() && !sections().isEmpty()) {
            typed_.clear();
            // A weekday is not typed: the day it names is.
            const int at = edit_->currentSectionIndex();
            select(fieldAt(at) == Field::Weekday ? indexOf(Field::Day) : at);
        }
        break;
    case QEvent::FocusOut:
        typed_.clear(); // an unfinished year is dropped
        typedIndex_ = -1;
        break;
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        const QString text = k->text();
        const bool plain =
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (!plain || text.size() != 1 || sections().isEmpty()) {
            typed_.clear();
            break;
        }
        const QChar c = text.at(0);
        int index = edit_->currentSectionIndex();
        Field f = fieldAt(index);
        if (f == Field::Weekday) { // the weekday follows the day: typing goes there
            index = indexOf(Field::Day);
            f = fieldAt(index);
        }
        if (f == Field::Other) break; // am/pm and the like: the edit's own typing
        if (c.isDigit())
            typeDigit(index, c.digitValue());
        else if (c.isLetter() && f == Field::MonthName)
            typeLetter(index, c);
        // Anything else would only be refused by the edit.
        e->accept();
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, e);
}

void DateTimeTyping::select(int index) {
    const QList<Section>& all = sections();
    if (!line_ || index < 0 || index >= all.size()) return;
    edit_->setCurrentSectionIndex(index);
    const int start = line_->cursorPosition();
    int end = int(line_->text().size()) - all.at(index).literalAfter;
    if (index + 1 < all.size()) {
        edit_->setCurrentSectionIndex(index + 1);
        end = line_->cursorPosition() - all.at(index).literalAfter;
    }
    if (end <= start) {
        edit_->setCurrentSectionIndex(index);
        return;
    }
    // Selected backwards, as the edit does itself: the caret stays in the section.
    line_->setSelection(end, start - end);
}

void DateTimeTyping::typeDigit(int index, int digit) {
    Field f = fieldAt(index);
    if (f == Field::MonthName) f = Field::Month;
    if (index != typedIndex_) {
        typed_.clear();
        typedIndex_ = index;
    }
    typed_ += QChar(u'0' + digit);

    if (f == Field::Year) {
        if (typed_.size() < 4) {
            select(index);
            return;
        }
        const int year = typed_.toInt();
        typed_.clear();
        if (setField(f, year))
            moveOn(index);
        else
            select(index); // out of range: the year stays as it was
        return;
    }

    const int lowest = f == Field::Day || f == Field::Month ? 1 : 0;
    const int highest = f == Field::Day ? 31 : f == Field::Month ? 12 : f == Field::Hour ? 23 : 59;
    int n = typed_.toInt();
    if (n > highest) { // no such value: the digit starts the section afresh
        typed_ = QChar(u'0' + digit);
        n = digit;
    }
    if (n >= lowest) setField(f, n);
    if (typed_.size() >= 2 || n * 10 > highest) {
        typed_.clear();
        moveOn(index);
    } else {
        select(index);
    }
}

void DateTimeTyping::typeLetter(int index, QChar c) {
    if (index != typedIndex_) {
        typed_.clear();
        typedIndex_ = index;
    }
    const QLocale locale = edit_->locale();
    auto monthsStartingWith = [&locale](const QString& prefix) {
        QList<int> months;
        for (int m = 1; m <= 12; ++m)
            if (locale.monthName(m, QLocale::ShortFormat).startsWith(prefix, Qt::CaseInsensitive) ||
                locale.monthName(m, QLocale::LongFormat).startsWith(prefix, Qt::CaseInsensitive))
                months.append(m);
        return months;
    };
    QString prefix = typed_ + c;
    QList<int> months = monthsStartingWith(prefix);
    if (months.isEmpty()) { // a letter that fits no month after the others begins anew
        prefix = QString(c);
        months = monthsStartingWith(prefix);
    }
    if (months.isEmpty()) {
        select(index);
        return;
    }
    typed_ = prefix;
    setField(Field::Month, months.first());
    if (months.size() == 1) {
        typed_.clear();
        moveOn(index);
    } else {
        select(index);
    }
}

bool DateTimeTyping::setField(Field f, int value) {
    QDate d = edit_->date();
    QTime t = edit_->time();
    auto lastDay = [](int y, int m) { return QDate(y, m, 1).daysInMonth(); };
    switch (f) {
    case Field::Day:
        d = QDate(d.year(), d.month(), std::min(value, d.daysInMonth()));
        break;
    case Field::Month:
        d = QDate(d.year(), value, std::min(d.day(), lastDay(d.year(), value)));
        break;
    case Field::Year:
        d = QDate(value, d.month(), std::min(d.day(), lastDay(value, d.month())));
        break;
    case Field::Hour:
        t = QTime(value, t.minute(), t.second());
        break;
    case Field::Minute:
        t = QTime(t.hour(), value, t.second());
        break;
    case Field::Second:
        t = QTime(t.hour(), t.minute(), value);
        break;
    default:
        return false;
    }
    if (!d.isValid() || !t.isValid()) return false;
    if (d < edit_->minimumDate() || d > edit_->maximumDate()) return false;
    if (d == edit_->date()) {
        if (t < edit_->minimumTime() || t > edit_->maximumTime()) return false;
        edit_->setTime(t);
    } else {
        edit_->setDate(d);
    }
    return true;
}

void DateTimeTyping::moveOn(int index) {
    typedIndex_ = -1;
    const QList<Section>& all = sections();
    for (int i = index + 1; i < all.size(); ++i) {
        const Field f = all.at(i).field;
        if (f != Field::Other && f != Field::Weekday) {
            select(i);
            return;
        }
    }
    select(index); // the last section stays selected
}

} // namespace tavrin::ui
