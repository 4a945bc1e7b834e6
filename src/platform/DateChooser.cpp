#include "platform/DateChooser.h"

#include "platform/MessageBox.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QQueue>
#include <QVBoxLayout>

namespace tavrin::platform {
namespace {
QQueue<std::optional<QDate>> g_next;
QDate g_lastInitial;
} // namespace

std::optional<QDate> DateChooser::choose(const QString& title, const QDate& initial,
                                         QWidget* parent) {
    g_lastInitial = initial;
    if (!g_next.isEmpty() || MessageBox::testMode()) {
        if (g_next.isEmpty()) return std::nullopt;
        return g_next.dequeue();
    }
    QDialog dlg(parent);
    dlg.setWindowTitle(title);
    auto* calendar = new QCalendarWidget(&dlg);
    calendar->setObjectName(QStringLiteral("calendar"));
    calendar->setGridVisible(true);
    if (initial.isValid()) calendar->setSelectedDate(initial);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(calendar);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    // A double-click or Enter on a day chooses it.
    QObject::connect(calendar, &QCalendarWidget::activated, &dlg, &QDialog::accept);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return calendar->selectedDate();
}

void DateChooser::setNextDate(const QDate& date) {
    g_next.enqueue(date);
}
void DateChooser::cancelNext() {
    g_next.enqueue(std::nullopt);
}
void DateChooser::clearScripted() {
    g_next.clear();
}
QDate DateChooser::lastInitial() {
    return g_lastInitial;
}

} // namespace tavrin::platform
