#pragma once
// Deleting the rows chosen in an organiser page's list from the table it shows.

#include "platform/MessageBox.h"

#include <QList>
#include <QString>

namespace tavrin::organiser {

// Marks the records of the chosen rows deleted, then purges the table. With `ask`, each row is
// confirmed first with question(row); No ends the questions, and the records already confirmed
// still go, so that the list never shows a record the table has marked deleted. A failed mark
// is reported by the table and ends the loop.
template <class Table, class Question, class Record>
void deleteChosen(Table& table, const QList<int>& rows, bool ask, Question question, Record record,
                  QWidget* parent) {
    for (int row : rows) {
        if (ask && !platform::MessageBox::question(question(row), parent)) break;
        if (!table.Mark(record(row))) break;
    }
    table.Purge();
}

} // namespace tavrin::organiser
