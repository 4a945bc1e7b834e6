#pragma once
// The reminders page of the main window: the kind (Yearly, Monthly, Weekly, Daily) with the
// inputs it uses, the description and a preview of how the reminder recurs, the commands Add,
// Modify, Delete, Print and Show Current Reminders, and the reminders table in its stored order
// (list row n is record position n).

#include "app/ListedTables.h"
#include "app/Module.h"
#include "ui/CCustomDialog.h"

#include <QStringList>

#include <cstdint>
#include <memory>

class QButtonGroup;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;

namespace tavrin {
class ReminderRecord;
}

namespace tavrin::ui {
class CCustomButton;
class CCustomListCtrl;
} // namespace tavrin::ui

namespace tavrin::organiser {

class DueReminders;

class CTavrinDlgReminder : public ui::CCustomDialog, public app::ModulePage {
    Q_OBJECT
public:
    static constexpr const char* kDeleteNone =
        "You must have at least one reminder selected in order to delete it!";
    static constexpr const char* kPrintNone =
        "You must have at least one reminder present in order to print it!";
    static constexpr const char* kDeleteConfirm = "Are you sure you wish to delete %1 (%2)?";
    static constexpr const char* kPrintTitle = "Tavelle (tm) Suite Reminders";

    explicit CTavrinDlgReminder(DueReminders& due, QWidget* parent = nullptr);
    ~CTavrinDlgReminder() override;

    // A list row: the description, the kind's name and the occurrence text (the last two empty
    // for a record of any other kind).
    static QStringList rowTexts(const ReminderRecord& r);

    // Shown by the main window: date and time are now again, the description is emptied and
    // the list is read again.
    void pageShown() override;

    // Lists the table in stored order, then rebuilds the due list.
    void refresh();
    void chooseKind(int kind);
    int kind() const;
    // The occurrence text of the current inputs.
    QString previewText() const;

    ui::CCustomListCtrl* reminderList() const { return list_; }

public slots:
    void addReminder();
    void modifyReminder();
    void deleteReminders();
    void printList();
    void showCurrent();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override {}
    void accept() override {}

private:
    void addShortcuts();
    void rowChosen(int row);
    void updatePreview();
    void resetToNow();
    ReminderRecord inputs(bool fillEmpty) const;
    void afterChange();
    void pasteShortcut(int which);

    DueReminders& due_;
    QButtonGroup* kinds_;
    QDateTimeEdit* date_;
    QDateTimeEdit* time_;
    QComboBox* day_;
    QLineEdit* description_;
    QLineEdit* preview_;
    ui::CCustomButton* modify_;
    ui::CCustomListCtrl* list_;
    // The record the last selected row named, and its position. Adds, modifies and deletes
    // re-sort the table; the position follows the record, so that Modify never overwrites
    // another reminder that has moved into its place.
    int chosen_ = -1;
    std::unique_ptr<ReminderRecord> chosenRecord_;
    app::ListedTables listed_;
};

} // namespace tavrin::organiser
