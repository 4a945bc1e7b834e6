#include "organiser/CTavrinDlgAddress.h"

#include "app/DiaryState.h"
#include "organiser/ContactTextEdit.h"
#include "organiser/DeleteChosen.h"
#include "organiser/OrganiserLook.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/ShellOpen.h"
#include "storage/Cp1252.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomRichEdit.h"
#include "ui/CCustomStatic.h"
#include "ui/CPrintListCtrl.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrin::organiser {
namespace {

using platform::MessageBox;
using Field = AddressBook::Field;

constexpr const char* kDeleteNone =
    "You must have at least one address selected in order to delete it!";
constexpr const char* kMailNone = "You must have an address selected in order to send an e-mail!";
constexpr const char* kMailEmpty = "The e-mail address is empty!";
constexpr const char* kWebNone =
    "You must have an address selected in order to visit the WWW site!";
constexpr const char* kWebEmpty = "The WWW address is empty!";
constexpr const char* kPrintEmpty =
    "You must have at least one contact present in order to print it!";
constexpr const char* kDeleteConfirm = "Are you sure you wish to delete %1?";

// The labels beside the inputs; the list columns name the fields more briefly.
constexpr const char* kLabels[] = {
    "Name:",           "Company:", "Address:", "Phone (home):", "Phone (work):",
    "Phone (mobile):", "Fax:",     "e-mail:",  "WWW site:",     "Miscellaneous:"};
constexpr const char* kInputNames[] = {
    "nameInput",        "companyInput", "addressInput", "homePhoneInput", "workPhoneInput",
    "mobilePhoneInput", "faxInput",     "emailInput",   "webInput",       "miscInput"};

QString utf8(const std::string& cp1252) {
    return QString::fromStdString(cp1252::toUtf8(cp1252));
}

// A list cell shows a field on one line.
QString cellText(const std::string& cp1252) {
    QString s = ContactTextEdit::fromStored(cp1252);
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

ui::CCustomButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new ui::CCustomButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

CTavrinDlgAddress::CTavrinDlgAddress(QWidget* parent)
    : ui::CCustomDialog(BackMain, parent), list_(new ui::CCustomListCtrl(this)),
      modify_(makeButton("Modify", "modifyButton", this)) {
    setWindowFlags(Qt::Widget);
    setObjectName("contactsPage");

    list_->setObjectName("contactList");
    list_->setMultiSelect(true);
    for (const auto& f : AddressBook::fields())
        list_->insertColumn(f.column, f.width);
    list_->restoreWidths(settings::AddressList);

    // Two columns of inputs, each laid out on its own so that a several-line field on one side
    // does not stretch the rows of the other: name, company, address, e-mail and web site on
    // the left, the phones, fax and notes on the right.
    for (int i = 0; i < AddressBook::kFields; ++i) {
        const auto& f = AddressBook::fields()[std::size_t(i)];
        QWidget* w;
        if (f.multiline) {
            auto* e = skinnedField(new ContactTextEdit(f.limit, this));
            e->setFixedHeight(i == Field::Misc ? 74 : 48);
            w = e;
        } else {
            auto* e = skinnedField(new QLineEdit(this));
            e->setMaxLength(f.limit);
            w = e;
        }
        w->setObjectName(kInputNames[i]);
        inputs_[std::size_t(i)] = w;
    }
    auto column = [this](std::initializer_list<int> which) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(4);
        int row = 0;
        for (int i : which) {
            auto* l = skinnedText(new ui::CCustomStatic(kLabels[i], this));
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setFixedHeight(std::min(inputs_[std::size_t(i)]->sizeHint().height(), 24));
            grid->addWidget(l, row, 0, Qt::AlignTop);
            grid->addWidget(inputs_[std::size_t(i)], row, 1, Qt::AlignTop);
            ++row;
        }
        grid->setRowStretch(row, 1);
        grid->setColumnStretch(1, 1);
        return grid;
    };
    auto* fieldsRow = new QHBoxLayout;
    fieldsRow->setSpacing(16);
    fieldsRow->addLayout(
        column({Field::Name, Field::Company, Field::Address, Field::Email, Field::Web}), 3);
    fieldsRow->addLayout(
        column({Field::HomePhone, Field::WorkPhone, Field::MobilePhone, Field::Fax, Field::Misc}),
        2);

    auto* add = makeButton("Add", "addButton", this);
    auto* fresh = makeButton("New", "newButton", this);
    auto* remove = makeButton("Delete", "deleteButton", this);
    auto* mail = makeButton("Send an e-mail", "mailButton", this);
    auto* web = makeButton("Visit WWW site", "webButton", this);
    auto* print = makeButton("Print", "printButton", this);
    modify_->setEnabled(false);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(4);
    for (auto* b : {add, fresh, modify_, remove})
        commands->addWidget(b);
    commands->addSpacing(12);
    for (auto* b : {mail, web, print})
        commands->addWidget(b);
    commands->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(fieldsRow);
    layout->addLayout(commands);
    layout->addWidget(list_, 1);

    connect(add, &QPushButton::clicked, this, &CTavrinDlgAddress::addContact);
    connect(fresh, &QPushButton::clicked, this, &CTavrinDlgAddress::newContact);
    connect(modify_, &QPushButton::clicked, this, &CTavrinDlgAddress::modifyContact);
    connect(remove, &QPushButton::clicked, this, &CTavrinDlgAddress::deleteContacts);
    connect(mail, &QPushButton::clicked, this, &CTavrinDlgAddress::sendEmail);
    connect(web, &QPushButton::clicked, this, &CTavrinDlgAddress::visitWebSite);
    connect(print, &QPushButton::clicked, this, &CTavrinDlgAddress::printCards);
    connect(list_, &ui::CCustomListCtrl::rowSelected, this, &CTavrinDlgAddress::rowSelected);

    auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), [this] { addContact(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] { addContact(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { deleteContacts(); });
    shortcut(QKeySequence::HelpContents, [this] { platform::Help::openTopic(kHelpTopic, this); });
    const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5};
    for (int i = 0; i < 5; ++i)
        shortcut(QKeySequence(Qt::ALT | digits[i]), [this, i] { pasteShortcut(i); });
}

CTavrinDlgAddress::~CTavrinDlgAddress() = default;

bool CTavrinDlgAddress::haveDiary() {
    if (app::DiaryState::instance().usable()) return true;
    MessageBox::warning(texts::kNoDiary, this);
    return false;
}

AddressBook::Contact CTavrinDlgAddress::inputs() const {
    AddressBook::Contact c;
    for (int i = 0; i < AddressBook::kFields; ++i) {
        QWidget* w = inputs_[std::size_t(i)];
        if (auto* e = qobject_cast<ContactTextEdit*>(w))
            c[std::size_t(i)] = e->stored();
        else
            c[std::size_t(i)] = cp1252::fromUtf8(static_cast<QLineEdit*>(w)->text().toStdString());
    }
    return c;
}

void CTavrinDlgAddress::setInputs(const AddressBook::Contact& c) {
    for (int i = 0; i < AddressBook::kFields; ++i) {
        QWidget* w = inputs_[std::size_t(i)];
        if (auto* e = qobject_cast<ContactTextEdit*>(w))
            e->setStored(c[std::size_t(i)]);
        else
            static_cast<QLineEdit*>(w)->setText(utf8(c[std::size_t(i)]));
    }
}

void CTavrinDlgAddress::pageShown() {
    refresh();
}

void CTavrinDlgAddress::refresh() {
    list_->setRedraw(false);
    list_->clear();
    if (app::DiaryState::instance().usable()) {
        std::vector<ContactRecord> recs;
        listed_.remember();
        app::DiaryState::instance().makeTN()->contacts.ReadAll(recs); // failures are reported
        QList<QStringList> rows;
        for (const ContactRecord& r : recs) {
            QStringList texts;
            for (const std::string& f : AddressBook::fromRecord(r))
                texts << cellText(f);
            rows << texts;
        }
        const int first = list_->addRows(rows);
        for (int i = 0; i < int(rows.size()); ++i)
            list_->setItemData(first + i, i);
    }
    list_->setRedraw(true);
}

bool CTavrinDlgAddress::listIsCurrent(bool later) {
    auto refill = [this] {
        refresh();
        newContact();
    };
    return later ? listed_.currentLater(this, refill) : listed_.current(this, refill);
}

void CTavrinDlgAddress::rowSelected(int row) {
    if (!listIsCurrent(true)) return;
    auto tn = app::DiaryState::instance().makeTN();
    const int pos = int(list_->itemData(row));
    tn->contacts.index = pos;
    if (!tn->contacts.Read()) {
        newContact();
        return;
    }
    setInputs(AddressBook::fromRecord(tn->contacts.record));
    position_ = pos;
    modify_->setEnabled(true);
}

void CTavrinDlgAddress::newContact() {
    setInputs({});
    inputs_[Field::Name]->setFocus();
    position_ = -1;
    modify_->setEnabled(false);
}

void CTavrinDlgAddress::addContact() {
    if (!haveDiary()) return;
    auto tn = app::DiaryState::instance().makeTN();
    AddressBook::add(*tn, {inputs()});
    refresh();
    newContact();
}

void CTavrinDlgAddress::modifyContact() {
    if (!haveDiary() || position_ < 0 || !listIsCurrent(false)) return;
    auto tn = app::DiaryState::instance().makeTN();
    tn->contacts.replacement = AddressBook::toRecord(inputs());
    if (tn->contacts.Replace(position_)) tn->contacts.Sort();
    refresh();
    newContact();
}

void CTavrinDlgAddress::deleteContacts() {
    if (!haveDiary()) return;
    const QList<int> rows = list_->selectedRows();
    if (rows.isEmpty()) {
        MessageBox::warning(kDeleteNone, this);
        return;
    }
    if (!listIsCurrent(false)) return;
    const bool ask = settings::read(settings::DeleteContacts) == 1;
    auto tn = app::DiaryState::instance().makeTN();
    deleteChosen(
        tn->contacts, rows, ask,
        [this](int row) { return QString(kDeleteConfirm).arg(list_->itemText(row, 0)); },
        [this](int row) { return int(list_->itemData(row)); }, this);
    refresh();
    newContact();
}

void CTavrinDlgAddress::sendEmail() {
    const int row = list_->selectedRow();
    if (row < 0) {
        MessageBox::warning(kMailNone, this);
        return;
    }
    const QString address = list_->itemText(row, Field::Email);
    if (address.isEmpty()) {
        MessageBox::warning(kMailEmpty, this);
        return;
    }
    // What the mail program or the browser makes of it is theirs to say.
    platform::ShellOpen::mail(
        QString::fromStdString(AddressBook::mailTarget(address.toStdString())));
}

void CTavrinDlgAddress::visitWebSite() {
    const int row = list_->selectedRow();
    if (row < 0) {
        MessageBox::warning(kWebNone, this);
        return;
    }
    const QString address = list_->itemText(row, Field::Web);
    if (address.isEmpty()) {
        MessageBox::warning(kWebEmpty, this);
        return;
    }
    platform::ShellOpen::openUrl(
        QString::fromStdString(AddressBook::webTarget(address.toStdString())));
}

QString CTavrinDlgAddress::cardOf(int row) {
    auto tn = app::DiaryState::instance().makeTN();
    tn->contacts.index = int(list_->itemData(row));
    if (!tn->contacts.Read()) return {};
    AddressBook::Contact c = AddressBook::fromRecord(tn->contacts.record);
    return ContactTextEdit::fromStored(AddressBook::cardText(c));
}

void CTavrinDlgAddress::printCards() {
    if (!haveDiary()) return;
    if (list_->rowCount() == 0) {
        MessageBox::warning(kPrintEmpty, this);
        return;
    }
    if (!listIsCurrent(false)) return; // the cards are read by position
    ui::CPrintListCtrl(list_).printCards(kPrintTitle, [this](int row) { return cardOf(row); });
    list_->restoreWidths(settings::AddressList);
}

void CTavrinDlgAddress::keyPressEvent(QKeyEvent* event) {
    // The page lives in the main window: Escape minimises it, Enter presses nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        window()->showMinimized();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CTavrinDlgAddress::pasteShortcut(int which) {
    if (!app::DiaryState::instance().usable()) return;
    const QStringList& texts = app::DiaryState::instance().shortcuts();
    if (which >= 0 && which < texts.size()) ui::CCustomRichEdit::pasteIntoFocus(texts.at(which));
}

} // namespace tavrin::organiser
