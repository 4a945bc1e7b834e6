#pragma once
// The contacts page: every contact of the diary's address book with its ten fields, kept in
// name order without regard to letter case; Add, New, Modify, Delete, sending an e-mail or
// visiting the web site of the first selected contact, and printing contacts as cards.
//
// List row n shows the record at position n of the table, which is also its item data.

#include "app/ListedTables.h"
#include "app/Module.h"
#include "organiser/logic/AddressBook.h"
#include "storage/DiaryFileSet.h"
#include "ui/CCustomDialog.h"

#include <array>

class QLineEdit;

namespace tavrin::ui {
class CCustomButton;
class CCustomListCtrl;
class StoredTextEdit;
} // namespace tavrin::ui

namespace tavrin::organiser {

using ContactTextEdit = ui::StoredTextEdit;

class CTavrinDlgAddress : public ui::CCustomDialog, public app::ModulePage {
    Q_OBJECT
public:
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpContacts.html";
    static constexpr const char* kPrintTitle = "Tavelle (tm) Suite Contacts";

    explicit CTavrinDlgAddress(QWidget* parent = nullptr);
    ~CTavrinDlgAddress() override;

    void pageShown() override;

    ui::CCustomListCtrl* list() const { return list_; }
    // The inputs as stored (Windows-1252), and filling them.
    AddressBook::Contact inputs() const;
    void setInputs(const AddressBook::Contact& c);
    // The input widget of a field (a QLineEdit or a ContactTextEdit).
    QWidget* input(AddressBook::Field f) const { return inputs_[std::size_t(f)]; }

public slots:
    void refresh();
    void addContact();
    void newContact();
    void modifyContact();
    void deleteContacts();
    void sendEmail();
    void visitWebSite();
    void printCards();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override {}
    void accept() override {}

private:
    bool haveDiary();
    void rowSelected(int row);
    // The card text of the contact that the row shows.
    QString cardOf(int row);
    void pasteShortcut(int which);
    // False, after telling the user and filling the list again, when another program changed
    // the table since the list was filled.
    bool listIsCurrent(bool later);

    ui::CCustomListCtrl* list_;
    std::array<QWidget*, AddressBook::kFields> inputs_{};
    ui::CCustomButton* modify_;
    int position_ = -1; // the record Modify writes to
    app::ListedTables listed_{DiaryFileSet::kContacts};
};

} // namespace tavrin::organiser
