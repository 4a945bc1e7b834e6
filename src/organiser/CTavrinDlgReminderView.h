#pragma once
// "Current Reminders": the due reminders of the open diary in due order, with a sound when the
// window appears. Shown modally by the main window's timer and by the reminders page.

#include "ui/CCustomDialog.h"

#include <vector>

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

public slots:
    void print();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ui::CCustomListCtrl* list_;
    bool announced_ = false;
};

} // namespace tavrin::organiser
