#pragma once
// The planner page: a month calendar in which one day or a run of up to 28 days is selected,
// the items of those days with their done marks, Add (one item per selected day), Modify,
// Delete, the all-entries view, Print, and two status lines with completion percentages.
//
// The page keeps a working copy of the planner table, read again after every change. Each
// row's item data is its record's position in the table.

#include "app/ListedTables.h"
#include "app/Module.h"
#include "storage/DiaryFileSet.h"
#include "storage/PlannerRecord.h"
#include "ui/CCustomDialog.h"

#include <QDate>

#include <vector>

class QLineEdit;
class QRadioButton;

namespace tavrin::ui {
class CCustomButton;
class CCustomListCtrl;
} // namespace tavrin::ui

namespace tavrin::organiser {

class PlannerCalendar;

class CTavrinDlgPlanner : public ui::CCustomDialog, public app::ModulePage {
    Q_OBJECT
public:
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpPlanner.html";
    static constexpr const char* kPrintTitle = "Tavelle (tm) Suite Planners";

    explicit CTavrinDlgPlanner(QWidget* parent = nullptr);
    ~CTavrinDlgPlanner() override;

    void pageShown() override;

    PlannerCalendar* calendar() const { return calendar_; }
    ui::CCustomListCtrl* list() const { return list_; }
    QLineEdit* description() const { return description_; }
    QString selectionLine() const;
    QString totalLine() const;
    const std::vector<PlannerRecord>& items() const { return items_; }

public slots:
    void addItems();
    void modifyItem();
    void deleteItems();
    void showAllEntries();
    void printList();
    // The items of the days selected in the calendar.
    void refreshDays();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override {}
    void accept() override {}

private:
    bool haveDiary();
    void reload();
    void updateBold();
    void updateStatistics();
    void daysSelected();
    void rowSelected(int row);
    void checkToggled(int row, bool checked);
    void setPriority(int priority);
    void forgetRow();
    bool listIsCurrent(bool later);
    void pasteShortcut(int which);

    PlannerCalendar* calendar_;
    ui::CCustomListCtrl* list_;
    QLineEdit* description_;
    QRadioButton* normal_;
    QRadioButton* important_;
    ui::CCustomButton* modify_;
    QLineEdit* selectionStatus_;
    QLineEdit* totalStatus_;

    std::vector<PlannerRecord> items_;
    int priority_ = 0;
    int position_ = -1; // the record Modify writes to
    bool refreshing_ = false;
    app::ListedTables listed_{DiaryFileSet::kPlanner}; // what items_ was read from
};

} // namespace tavrin::organiser
