#include "tools/CTavrinDlgCompactEntries.h"

#include "app/DiaryState.h"
#include "platform/Help.h"
#include "storage/EntryCompaction.h"
#include "storage/TN.h"
#include "tools/CTavrinDlgTools.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"
#include "ui/SkinnedWidgets.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace tavrin::tools {

CTavrinDlgCompactEntries::CTavrinDlgCompactEntries(QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), count_(new QLabel(this)), size_(new QLabel(this)),
      newSize_(new QLabel(this)), saved_(new QLabel(this)), progress_(new QProgressBar(this)),
      start_(new ui::CCustomButton("Start", this)) {
    setObjectName("compactWindow");
    setWindowTitle(kTitle);
    setModal(true);
    count_->setObjectName("compactCount");
    size_->setObjectName("compactSize");
    newSize_->setObjectName("compactNewSize");
    saved_->setObjectName("compactSaved");
    newSize_->setText(" New file size:");
    saved_->setText(" Bytes saved:");
    for (QLabel* l : {count_, size_, newSize_, saved_})
        ui::skinnedText(l);
    progress_->setObjectName("compactProgress");
    progress_->setTextVisible(false);
    start_->setObjectName("compactStart");
    auto* exit = new ui::CCustomButton("Exit", this);
    exit->setObjectName("compactExit");
    start_->setDefault(true);
    exit->setAutoDefault(false);
    connect(start_, &QPushButton::clicked, this, &CTavrinDlgCompactEntries::start);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { platform::Help::openTopic(CTavrinDlgTools::kHelpTopic, this); });

    auto group = [this](const char* title, QLabel* a, QLabel* b) {
        auto* g = new ui::CCustomStatic(title, this, ui::CCustomStatic::Group);
        auto* l = new QVBoxLayout(g);
        l->setContentsMargins(12, 22, 12, 10);
        l->addWidget(a);
        l->addWidget(b);
        return g;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start_);
    buttons->addStretch(1);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(group("Before", count_, size_));
    layout->addWidget(progress_);
    layout->addWidget(group("After", newSize_, saved_));
    layout->addLayout(buttons);
    setMinimumWidth(380);

    std::optional<int> count = 0;
    std::int64_t length = 0;
    if (app::DiaryState::instance().usable()) {
        auto tn = app::DiaryState::instance().makeTN();
        EntryCompaction compaction(*tn);
        count = compaction.countEntries(); // a read failure is reported as it happens
        length = compaction.dataLength();
    }
    count_->setText(QString::fromStdString(count ? EntryCompaction::countText(*count)
                                                 : EntryCompaction::unreadableText()));
    size_->setText(QString::fromStdString(EntryCompaction::sizeText(length)));
    progress_->setRange(0, qMax(count.value_or(0), 1));
    progress_->setValue(0);
    start_->setEnabled(count.value_or(0) > 0);
}

QString CTavrinDlgCompactEntries::beforeText() const {
    return count_->text() + "\n" + size_->text();
}

QString CTavrinDlgCompactEntries::afterText() const {
    return newSize_->text() + "\n" + saved_->text();
}

void CTavrinDlgCompactEntries::start() {
    if (!start_->isEnabled() || !app::DiaryState::instance().usable()) return;
    start_->setEnabled(false);
    auto tn = app::DiaryState::instance().makeTN();
    EntryCompaction compaction(*tn);
    const bool ok = compaction.run([this](int done) {
        progress_->setValue(done);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    if (!ok) return; // reported; the diary is as it was
    newSize_->setText(QString::fromStdString(EntryCompaction::sizeText(compaction.newLength())));
    saved_->setText(QString::fromStdString(
        EntryCompaction::savedText(compaction.oldLength(), compaction.newLength())));
}

} // namespace tavrin::tools
