#include "nutrition/CTavrinPPCookingShopping.h"

#include "app/DiaryState.h"
#include "nutrition/NutritionLook.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "storage/Cp1252.h"
#include "storage/PrivateFiles.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomStatic.h"
#include "ui/CPrintListCtrl.h"

#include <QClipboard>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSaveFile>
#include <QVBoxLayout>

namespace tavrin::nutrition {
namespace {

using platform::MessageBox;

constexpr int kFromCatalogue = 1; // item data of a catalogue row

} // namespace

CTavrinPPCookingShopping::CTavrinPPCookingShopping(QWidget* parent)
    : ui::CCustomPropertyPage("Shopping List", parent), list_(new ui::CCustomListCtrl(this)),
      item_(new QLineEdit(this)), amount_(new QLineEdit(this)) {
    setObjectName("shoppingListPage");
    list_->setObjectName("shoppingList");
    list_->setEditable(true);
    list_->insertColumn("Item name", 256);
    list_->insertColumn("Amount", 196, Qt::AlignRight);
    item_->setObjectName("itemInput");
    item_->setMaxLength(kMaxInput);
    amount_->setObjectName("amountInput");
    amount_->setMaxLength(kMaxInput);
    skinnedField(item_);
    skinnedField(amount_);

    auto* add = makeButton("Add", "addButton", this);
    auto* reset = makeButton("Reset", "resetButton", this);
    auto* print = makeButton("Print", "printButton", this);
    auto* save = makeButton("Save as Text", "saveTextButton", this);
    auto* copy = makeButton("Copy to Clipboard", "copyButton", this);

    auto* inputs = new QGridLayout;
    inputs->setHorizontalSpacing(6);
    inputs->addWidget(skinnedText(new ui::CCustomStatic("Item name:", this)), 0, 0);
    inputs->addWidget(item_, 0, 1);
    inputs->addWidget(skinnedText(new ui::CCustomStatic("Amount:", this)), 0, 2);
    inputs->addWidget(amount_, 0, 3);
    inputs->addWidget(add, 0, 4);
    inputs->setColumnStretch(1, 3);
    inputs->setColumnStretch(3, 2);

    auto* commands = new QHBoxLayout;
    commands->setSpacing(4);
    commands->addWidget(reset);
    commands->addStretch(1);
    for (auto* b : {print, save, copy})
        commands->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(inputs);
    layout->addWidget(list_, 1);
    layout->addLayout(commands);

    // Enter in either input adds, as the default button of the page would.
    connect(item_, &QLineEdit::returnPressed, this, &CTavrinPPCookingShopping::addItem);
    connect(amount_, &QLineEdit::returnPressed, this, &CTavrinPPCookingShopping::addItem);
    connect(add, &QPushButton::clicked, this, &CTavrinPPCookingShopping::addItem);
    connect(reset, &QPushButton::clicked, this, &CTavrinPPCookingShopping::reset);
    connect(print, &QPushButton::clicked, this, &CTavrinPPCookingShopping::print);
    connect(save, &QPushButton::clicked, this, &CTavrinPPCookingShopping::saveChecklist);
    connect(copy, &QPushButton::clicked, this, &CTavrinPPCookingShopping::copyChecklist);
    setFocusProxy(list_);
    connect(&app::DiaryState::instance(), &app::DiaryState::changed, this,
            &CTavrinPPCookingShopping::diaryChanged);
}

bool CTavrinPPCookingShopping::onSetActive() {
    if (firstShowing_ && app::DiaryState::instance().usable()) {
        fillFromCatalogue();
        firstShowing_ = false;
        filledFor_ = app::DiaryState::instance().path();
    }
    return true;
}

void CTavrinPPCookingShopping::diaryChanged() {
    if (firstShowing_ || app::DiaryState::instance().path() == filledFor_) return;
    list_->clear();
    firstShowing_ = true;
    filledFor_.clear();
    if (isVisible()) onSetActive();
}

void CTavrinPPCookingShopping::fillFromCatalogue() {
    if (!app::DiaryState::instance().usable()) return;
    std::vector<IngredientRecord> recs;
    app::DiaryState::instance().makeTN()->ingredients.ReadAll(recs);
    list_->setRedraw(false);
    list_->clear();
    for (const auto& r : recs) {
        const int row = list_->addRow(
            {QString::fromStdString(cp1252::toUtf8(r.name())), ShoppingList::kPlaceholder});
        list_->setItemData(row, kFromCatalogue);
        list_->setTextCell(row, 1, ShoppingList::kPlaceholder);
    }
    list_->setRedraw(true);
}

void CTavrinPPCookingShopping::addItem() {
    list_->insertRow(0, {item_->text(), amount_->text()});
}

void CTavrinPPCookingShopping::reset() {
    fillFromCatalogue();
    list_->setFocus();
}

std::vector<ShoppingList::Item> CTavrinPPCookingShopping::items() const {
    std::vector<ShoppingList::Item> out;
    for (int row = 0; row < list_->rowCount(); ++row)
        out.push_back({list_->itemText(row, 0).toStdString(), list_->itemText(row, 1).toStdString(),
                       list_->itemData(row) == kFromCatalogue});
    return out;
}

void CTavrinPPCookingShopping::print() {
    if (list_->rowCount() == 0) {
        MessageBox::warning(kPrintNone, this);
        return;
    }
    ui::CPrintListCtrl(list_).print(kPrintTitle);
}

void CTavrinPPCookingShopping::saveChecklist() {
    const QString path = platform::FileChooser::save(
        this, "Save the shopping list", "Text files (*.txt)|*.txt||", "txt", "Shopping list.txt");
    if (path.isEmpty()) return;
    // Made 0600 first: QSaveFile gives its replacement the mode of the file it replaces.
    const bool created = PrivateFiles::prepare(QFile::encodeName(path).toStdString());
    QSaveFile file(path);
    const QByteArray text = QByteArray::fromStdString(ShoppingList::checklist(items()));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        MessageBox::warning(QString("The shopping list could not be written to %1: %2")
                                .arg(path, file.errorString()),
                            this);
        if (created) QFile::remove(path);
    }
}

void CTavrinPPCookingShopping::copyChecklist() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(ShoppingList::checklist(items())));
}

} // namespace tavrin::nutrition
