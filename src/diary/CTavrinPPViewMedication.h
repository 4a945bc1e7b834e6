#pragma once
// The "Medication" page of the entry preview: the diary owner's prescribed medications. The
// list belongs to the diary, not to an entry, so it is read again whenever the page is shown.
// There is no modify: a selected row fills the inputs and Add stores them as a further record.

#include "app/ListedTables.h"
#include "diary/EntryPreviewPage.h"
#include "storage/DiaryFileSet.h"
#include "ui/CCustomPropertyPage.h"

class QDateTimeEdit;
class QLineEdit;

namespace tavrin::ui {
class CCustomButton;
class CCustomListCtrl;
} // namespace tavrin::ui

namespace tavrin::diary {

struct Medication;

class CTavrinPPViewMedication : public ui::CCustomPropertyPage, public EntryPreviewPage {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Medication";

    explicit CTavrinPPViewMedication(QWidget* parent = nullptr);

    void showEntry(const TN& tn) override;
    void clearEntry() override;

    // Rebuilds the list from the open diary; with no diary open the list is emptied.
    void refresh();

    ui::CCustomListCtrl* list() const { return list_; }

public slots:
    void newMedication();
    void addMedication();
    void deleteMedication();
    void printList();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void rowSelected(int row);
    void fillInputs(const Medication& m);
    Medication inputs() const;

    ui::CCustomListCtrl* list_;
    QLineEdit* name_;
    QLineEdit* quantity_;
    QLineEdit* frequency_;
    QLineEdit* doctor_;
    QDateTimeEdit* dateIssued_;
    app::ListedTables listed_{DiaryFileSet::kMedication};
};

} // namespace tavrin::diary
