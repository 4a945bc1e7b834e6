#pragma once
// The planner's month calendar: week numbers, one day or a run of days selected (a click
// selects a day, Shift with a click or an arrow key stretches the run from the day first
// chosen, never beyond 28 days), and the busy days of the shown month in bold.

#include <QCalendarWidget>
#include <QList>

namespace tavrin::organiser {

class PlannerCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    static constexpr int kMaxDays = 28;

    explicit PlannerCalendar(QWidget* parent = nullptr);

    QDate first() const { return first_; }
    QDate last() const { return last_; }
    int days() const { return int(first_.daysTo(last_)) + 1; }

    // Selects the run from `anchor` to `to` (either order), cut to 28 days on the side of `to`.
    void selectRange(QDate anchor, QDate to);
    // The days of that month drawn in bold; the days of other months are drawn plain.
    void setBoldDays(int year, int month, const QList<int>& days);
    const QList<int>& boldDays() const { return bold_; }

signals:
    // The selection changed or a day was clicked.
    void rangeSelected(QDate first, QDate last);

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;

private:
    void chosen(QDate date);

    QDate anchor_, first_, last_;
    int boldYear_ = 0, boldMonth_ = 0;
    QList<int> bold_;
    bool selecting_ = false;
};

} // namespace tavrin::organiser
