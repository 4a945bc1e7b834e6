#include "app/CTavrinDlgCreateDiary.h"

#include "app/DiaryTypes.h"
#include "platform/CDirDialog.h"
#include "platform/MessageBox.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"
#include "ui/WindowEffects.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace tavrin::app {

using platform::MessageBox;

CTavrinDlgCreateDiary::CTavrinDlgCreateDiary(QWidget* parent) : CCustomDialog(BackAll, parent) {
    setWindowTitle("Create a new diary");
    setObjectName("createDiaryDialog");
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 16, 16, 16);

    auto* grid = new QGridLayout;
    grid->addWidget(new ui::CCustomStatic("Directory:", this), 0, 0);
    dirLabel_ = new ui::CCustomStatic(this);
    dirLabel_->setObjectName("directoryLabel");
    dirLabel_->setMinimumWidth(260);
    grid->addWidget(dirLabel_, 0, 1);
    auto* choose = new ui::CCustomButton("Choose a directory", this);
    choose->setObjectName("chooseDirectoryButton");
    grid->addWidget(choose, 0, 2);
    grid->addWidget(new ui::CCustomStatic("Diary name:", this), 1, 0);
    nameEdit_ = new QLineEdit(kNamePlaceholder, this);
    nameEdit_->setObjectName("diaryName");
    nameEdit_->setMaxLength(120);
    grid->addWidget(nameEdit_, 1, 1, 1, 2);
    grid->addWidget(new ui::CCustomStatic("Diary type:", this), 2, 0, Qt::AlignTop);
    types_ = new QListWidget(this);
    types_->setObjectName("diaryTypes");
    for (int t = 0; t < DiaryTypes::kCount; ++t)
        types_->addItem(DiaryTypes::name(t));
    types_->setMaximumHeight(70);
    grid->addWidget(types_, 2, 1, 1, 2);
    description_ = new ui::CCustomStatic(this);
    description_->setObjectName("typeDescription");
    description_->setWordWrap(true);
    description_->setMinimumHeight(36);
    grid->addWidget(description_, 3, 1, 1, 2);
    top->addLayout(grid);

    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* ok = new ui::CCustomButton("OK", this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new ui::CCustomButton("Cancel", this);
    cancel->setObjectName("cancelButton");
    row->addWidget(ok);
    row->addWidget(cancel);
    top->addLayout(row);

    connect(choose, &QPushButton::clicked, this, &CTavrinDlgCreateDiary::chooseDirectory);
    connect(ok, &QPushButton::clicked, this, &CTavrinDlgCreateDiary::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(types_, &QListWidget::currentRowChanged, this,
            [this](int type) { description_->setText(DiaryTypes::description(type)); });
    types_->setCurrentRow(0);

    // The documents folder is named even where it was never made; a diary cannot go there.
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    setDirectory(!docs.isEmpty() && QDir(docs).exists() ? docs : QDir::homePath());
}

void CTavrinDlgCreateDiary::setDirectory(const QString& dir) {
    directory_ = QDir::cleanPath(dir);
    dirLabel_->setText(QDir::toNativeSeparators(directory_));
}

void CTavrinDlgCreateDiary::chooseDirectory() {
    QString dir = platform::CDirDialog::choose(this, "Choose destination directory", directory_);
    if (!dir.isEmpty()) setDirectory(dir);
}

QString CTavrinDlgCreateDiary::nameProblem(const QString& name) {
    if (name.trimmed().isEmpty()) return "You must type in a diary name!";
    static const QString bad = "/\\:*?\"<>|";
    for (QChar c : name)
        if (bad.contains(c) || c.unicode() < 32)
            return "A diary name cannot contain any of these characters: / \\ : * ? \" < > |";
    if (name == "." || name == ".." || name.startsWith('.'))
        return "A diary name cannot begin with a dot.";
    return {};
}

void CTavrinDlgCreateDiary::accept() {
    const QString name = nameEdit_->text();
    if (name == kNamePlaceholder) {
        MessageBox::warning("You must type in a diary name!", this);
        return;
    }
    if (QString problem = nameProblem(name); !problem.isEmpty()) {
        MessageBox::warning(problem, this);
        return;
    }
    const QString base = directory_ + "/" + name;
    const QString path = base + ".tni";
    TN tn(0, path.toStdString(), int(base.size()) + 1);
    // An existing diary with entries keeps its own configuration; a new one starts with the
    // parameters of the chosen type.
    const bool hasEntries = tn.ReadIndexRecord();
    if (!tn.ReadConfiguration()) return; // the storage layer said why
    if (!hasEntries) {
        DiaryTypes::apply(tn.config, types_->currentRow());
        if (!tn.WriteConfiguration()) return;
    }
    fullPath_ = path;
    extOffset_ = int(base.size()) + 1;
    name_ = name;
    CCustomDialog::accept();
}

} // namespace tavrin::app
