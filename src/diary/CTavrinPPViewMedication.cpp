#include "diary/CTavrinPPViewMedication.h"

#include "app/DiaryState.h"
#include "diary/MedicationList.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomStatic.h"
#include "ui/CPrintListCtrl.h"
#include "ui/DateTimeTyping.h"

#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace tavrin::diary {

using platform::MessageBox;

namespace {

QLineEdit* makeInput(QWidget* parent, const char* name, int limit) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    // Every character of Windows-1252 is one byte, and any other becomes one "?".
    e->setMaxLength(limit);
    return e;
}

// A diary just created has no entry and so no password yet; its medications are still its own.
bool diaryOpen() {
    return app::DiaryState::instance().usable();
}

} // namespace

CTavrinPPViewMedication::CTavrinPPViewMedication(QWidget* parent)
    : CCustomPropertyPage(QString::fromLatin1(kTitle), parent) {
    setObjectName("medicationPage");

    list_ = new ui::CCustomListCtrl(this);
    list_->setObjectName("medicationList");
    list_->insertColumn("Medication Name", 128);
    list_->insertColumn("Dosage", 64);
    list_->insertColumn("Frequency", 96);
    list_->insertColumn("Doctor", 96);
    // Wide enough for its title and the header's padding: a right-aligned title cut on the
    // left read ")ate Issued".
    const int dateWidth =
        std::max(64, list_->header()->fontMetrics().horizontalAdvance("Date Issued") + 16);
    list_->insertColumn("Date Issued", dateWidth, Qt::AlignRight);
    list_->restoreWidths(settings::MedicationList);

    name_ = makeInput(this, "medicationName", MedicationList::kNameLimit);
    quantity_ = makeInput(this, "quantity", MedicationList::kQuantityLimit);
    frequency_ = makeInput(this, "frequency", MedicationList::kFrequencyLimit);
    doctor_ = makeInput(this, "doctor", MedicationList::kDoctorLimit);
    dateIssued_ = new QDateTimeEdit(this);
    dateIssued_->setObjectName("dateIssued");
    dateIssued_->setCalendarPopup(true);
    // Only the day is shown; the time of day it was set with is kept and stored with it. Four
    // digits of the year, so that typing a date never lands in the wrong century.
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains("yyyy")) format.replace("yy", "yyyy");
    dateIssued_->setDisplayFormat(format);
    ui::DateTimeTyping::attach(dateIssued_);

    auto* grid = new QGridLayout;
    grid->addWidget(new ui::CCustomStatic("Medication Name", this), 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(new ui::CCustomStatic("Quantity", this), 0, 2);
    grid->addWidget(quantity_, 0, 3);
    grid->addWidget(new ui::CCustomStatic("Frequency", this), 1, 0);
    grid->addWidget(frequency_, 1, 1);
    grid->addWidget(new ui::CCustomStatic("Date Issued", this), 1, 2);
    grid->addWidget(dateIssued_, 1, 3);
    grid->addWidget(new ui::CCustomStatic("Doctor", this), 2, 0);
    grid->addWidget(doctor_, 2, 1);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const char* text, const char* name,
                         void (CTavrinPPViewMedication::*slot)()) {
        auto* b = new ui::CCustomButton(QString::fromLatin1(text), this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    addButton("Add", "addButton", &CTavrinPPViewMedication::addMedication);
    addButton("Delete", "deleteButton", &CTavrinPPViewMedication::deleteMedication);
    addButton("Print", "printButton", &CTavrinPPViewMedication::printList);
    addButton("New", "newButton", &CTavrinPPViewMedication::newMedication);
    buttons->addStretch();

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(6, 6, 6, 6);
    top->addWidget(list_, 1);
    top->addLayout(grid);
    top->addLayout(buttons);

    connect(list_, &ui::CCustomListCtrl::rowSelected, this, &CTavrinPPViewMedication::rowSelected);
    // A diary closed or exchanged while the page is up must not leave the old list behind.
    connect(&app::DiaryState::instance(), &app::DiaryState::changed, this, [this] {
        if (isVisible() || !diaryOpen()) refresh();
    });

    newMedication();
}

void CTavrinPPViewMedication::showEntry(const TN&) {}
void CTavrinPPViewMedication::clearEntry() {}

void CTavrinPPViewMedication::showEvent(QShowEvent* event) {
    CCustomPropertyPage::showEvent(event);
    refresh();
}

void CTavrinPPViewMedication::refresh() {
    std::vector<Medication> meds;
    listed_.remember();
    if (diaryOpen()) MedicationList::readAll(*app::DiaryState::instance().makeTN(), meds);
    QList<QStringList> rows;
    rows.reserve(qsizetype(meds.size()));
    for (const Medication& m : meds)
        rows.append(MedicationList::rowTexts(m));
    list_->setRedraw(false);
    list_->clear();
    list_->addRows(rows);
    list_->setRedraw(true);
}

void CTavrinPPViewMedication::newMedication() {
    Medication m;
    m.dateIssued = platform::Clock::now();
    fillInputs(m);
}

void CTavrinPPViewMedication::fillInputs(const Medication& m) {
    name_->setText(m.name);
    quantity_->setText(m.quantity);
    frequency_->setText(m.frequency);
    doctor_->setText(m.doctor);
    dateIssued_->setDateTime(MedicationList::toDateTime(m.dateIssued));
}

Medication CTavrinPPViewMedication::inputs() const {
    Medication m;
    m.name = name_->text();
    m.quantity = quantity_->text();
    m.frequency = frequency_->text();
    m.doctor = doctor_->text();
    m.dateIssued =
        MedicationList::fromDateTime(dateIssued_->dateTime()).value_or(platform::Clock::now());
    return m;
}

void CTavrinPPViewMedication::rowSelected(int row) {
    // Changed by another program: the row may show another record, so nothing is read from it.
    if (!listed_.currentLater(this, [this] { refresh(); })) {
        newMedication();
        return;
    }
    std::optional<Medication> m;
    if (diaryOpen()) m = MedicationList::read(*app::DiaryState::instance().makeTN(), row);
    if (m)
        fillInputs(*m);
    else
        newMedication();
}

void CTavrinPPViewMedication::addMedication() {
    if (!diaryOpen()) {
        MessageBox::warning(QString::fromLatin1(texts::kNoDiary), this);
        return;
    }
    const bool added = MedicationList::add(*app::DiaryState::instance().makeTN(), inputs());
    refresh();
    // After a failure (already reported by the storage) the typed medication stays in the
    // inputs, so that it can be added again.
    if (added) newMedication();
}

void CTavrinPPViewMedication::deleteMedication() {
    const int row = list_->selectedRow();
    if (row < 0) {
        MessageBox::warning("You must have a medication selected in order to delete it!", this);
        return;
    }
    if (!listed_.current(this, [this] { refresh(); })) return;
    if (!MessageBox::question(
            QString("Are you sure you wish to delete %1?").arg(list_->itemText(row, 0)), this))
        return;
    const bool removed =
        diaryOpen() && MedicationList::remove(*app::DiaryState::instance().makeTN(), row);
    refresh();
    if (removed) newMedication();
}

void CTavrinPPViewMedication::printList() {
    if (list_->rowCount() == 0) {
        MessageBox::warning("You must have at least one medication present in order to print it!",
                            this);
        return;
    }
    // Printing leaves the column widths alone, so the user's resizing stays as it is.
    ui::CPrintListCtrl(list_).print(QString::fromLatin1(texts::kPrintTitlePrefix) + " Medications");
}

} // namespace tavrin::diary
