#include "tools/CTavrinDlgImportOld.h"

#include "app/DiaryState.h"
#include "platform/FileChooser.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "storage/Cp1252.h"
#include "storage/OldDiaryImport.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"
#include "tools/CTavrinDlgTools.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"
#include "ui/SkinnedWidgets.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace tavrin::tools {

CTavrinDlgImportOld::CTavrinDlgImportOld(QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), source_(new QLabel(kNoSource, this)),
      status_(new QLabel(kFirstStatus, this)), password_(new QLineEdit(this)),
      progress_(new QProgressBar(this)), start_(new ui::CCustomButton("Start", this)) {
    setObjectName("importOldWindow");
    setWindowTitle(kTitle);
    setModal(true);
    source_->setObjectName("importSource");
    source_->setFrameShape(QFrame::StyledPanel);
    source_->setAutoFillBackground(true);
    ui::skinnedField(source_);
    status_->setObjectName("importStatus");
    status_->setWordWrap(true); // the summary may say more than one line holds
    ui::skinnedText(status_);
    password_->setObjectName("importPassword");
    password_->setEchoMode(QLineEdit::Password);
    password_->setMaxLength(29);
    ui::skinnedField(password_);
    progress_->setObjectName("importProgress");
    progress_->setTextVisible(false);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    start_->setObjectName("importStart");
    start_->setEnabled(false);
    auto* choose = new ui::CCustomButton("Choose source", this);
    choose->setObjectName("importChoose");
    auto* exit = new ui::CCustomButton("Exit", this);
    exit->setObjectName("importExit");
    for (QPushButton* b : std::initializer_list<QPushButton*>{choose, start_, exit})
        b->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, &CTavrinDlgImportOld::chooseSource);
    connect(start_, &QPushButton::clicked, this, &CTavrinDlgImportOld::start);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { platform::Help::openTopic(CTavrinDlgTools::kHelpTopic, this); });

    auto* prompt = ui::skinnedText(new ui::CCustomStatic(kPrompt, this));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(choose);
    buttons->addWidget(start_);
    buttons->addStretch(1);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(source_);
    layout->addWidget(prompt);
    layout->addWidget(password_);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addLayout(buttons);
    setMinimumWidth(460);
}

QString CTavrinDlgImportOld::status() const {
    return status_->text();
}

QString CTavrinDlgImportOld::sourceText() const {
    return source_->text();
}

void CTavrinDlgImportOld::chooseSource() {
    if (!app::DiaryState::instance().usable()) return;
    const QString chosen =
        platform::FileChooser::open(this, "Specify your diary index file",
                                    "Tavelle v2.x files (*.itn)|*.itn|", "itn", QString(), true);
    if (chosen.isEmpty()) return;
    path_ = chosen;
    source_->setText(" " + chosen + " ");
    start_->setEnabled(true);
}

void CTavrinDlgImportOld::start() {
    if (path_.isEmpty() || !app::DiaryState::instance().usable()) return;
    using Result = OldDiaryImport::Result;
    auto tn = app::DiaryState::instance().makeTN();
    OldDiaryImport import(*tn, QFile::encodeName(path_).toStdString());
    const Result r = import.run(cp1252::fromUtf8(password_->text().toStdString()),
                                [this](const char* stage, std::int64_t at, std::int64_t total) {
                                    status_->setText(stage);
                                    progress_->setRange(0, int(qMax<std::int64_t>(total, 1)));
                                    progress_->setValue(int(at));
                                    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                                });
    switch (r) {
    case Result::TooShort:
        platform::MessageBox::warning(OldDiaryImport::kTooShort, this);
        break;
    case Result::NoEntry:
        platform::MessageBox::warning(OldDiaryImport::kNoEntry, this);
        break;
    case Result::WrongPassword:
        platform::MessageBox::warning(texts::kInvalidPassword, this);
        break;
    case Result::Done:
        status_->setText(QString::fromStdString(import.successText()));
        break;
    case Result::NothingToRead:
    case Result::EntriesOnly:
    case Result::Failed: // reported
        break;
    }
    if (import.entries() > 0) app::DiaryState::instance().markEntriesChanged();
    start_->setEnabled(false);
}

} // namespace tavrin::tools
