#include "organiser/PlannerCalendar.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace tavrin::organiser {

PlannerCalendar::PlannerCalendar(QWidget* parent) : QCalendarWidget(parent) {
    setObjectName("plannerCalendar");
    setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    setGridVisible(false);
    setFirstDayOfWeek(Qt::Monday);
    const QDate today = QDate::currentDate();
    anchor_ = first_ = last_ = today;
    setSelectedDate(today);
    connect(this, &QCalendarWidget::selectionChanged, this, [this] { chosen(selectedDate()); });
    connect(this, &QCalendarWidget::clicked, this, &PlannerCalendar::chosen);
}

void PlannerCalendar::chosen(QDate date) {
    if (selecting_ || !date.isValid()) return;
    const bool stretch = QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
    selectRange(stretch ? anchor_ : date, date);
}

void PlannerCalendar::selectRange(QDate anchor, QDate to) {
    if (!anchor.isValid() || !to.isValid()) return;
    if (anchor.daysTo(to) >= kMaxDays) to = anchor.addDays(kMaxDays - 1);
    if (to.daysTo(anchor) >= kMaxDays) to = anchor.addDays(1 - kMaxDays);
    anchor_ = anchor;
    first_ = std::min(anchor, to);
    last_ = std::max(anchor, to);
    selecting_ = true;
    setSelectedDate(to);
    selecting_ = false;
    updateCells();
    emit rangeSelected(first_, last_);
}

void PlannerCalendar::setBoldDays(int year, int month, const QList<int>& days) {
    boldYear_ = year;
    boldMonth_ = month;
    bold_ = days;
    updateCells();
}

void PlannerCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const {
    const bool inRun = date >= first_ && date <= last_;
    const bool bold =
        date.year() == boldYear_ && date.month() == boldMonth_ && bold_.contains(date.day());
    if (!inRun && !bold) {
        QCalendarWidget::paintCell(painter, rect, date);
        return;
    }
    painter->save();
    QFont f = painter->font();
    f.setBold(bold);
    painter->setFont(f);
    if (inRun) {
        painter->fillRect(rect.adjusted(1, 1, -1, -1), palette().color(QPalette::Highlight));
        painter->setPen(palette().color(QPalette::HighlightedText));
    } else {
        const bool otherMonth = date.month() != monthShown();
        painter->setPen(
            palette().color(otherMonth ? QPalette::Disabled : QPalette::Active, QPalette::Text));
    }
    painter->drawText(rect, Qt::AlignCenter, QString::number(date.day()));
    painter->restore();
}

} // namespace tavrin::organiser
