#pragma once
// "Current Reminders": the due reminders of the open diary in due order, with a sound when the
// window appears. Shown modally by the main window's timer and by the reminders page. The main
// window's timer stops meanwhile, so the window keeps its own minute: a reminder that falls due
// while it is open rings here, and the line above the list names the reminders ringing.

#include "ui/CCustomDialog.h"

#include <QStringList>

#include <set>
#include <vector>

class QLabel;
class QTimer;

namespace tavrin::ui {
class CCustomListCtrl;
}

namespace tavrin::organiser {

class CTavrinDlgReminderView : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Current Reminders";
    static constexpr const char* kPrintTitle = "Tavelle (tm) Suite Current Reminders";

    // `due`: record positions of the reminders table, in the order they are listed.
    explicit CTavrinDlgReminderView(const std::vector<int>& due, QWidget* parent = nullptr);

    ui::CCustomListCtrl* list() const { return list_; }
    // "Ringing: Pills, Choir", empty when nothing rang since the window opened.
    QString ringingLine() const;

public slots:
    void print();
    // The minute's alarm check: reminders that ring now and have not rung in this window are
    // added to the ringing line, the first of them selected, and the sound is played again.
    void checkAlarm();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void markRinging(bool sound);
    void announce();

    ui::CCustomListCtrl* list_;
    QLabel* ringing_;
    QTimer* minute_;
    std::vector<int> rowDue_; // the due position each row shows
    std::set<int> rung_;      // due positions that rang while the window was open
    QStringList rungNames_;
    bool announced_ = false;
};

} // namespace tavrin::organiser
