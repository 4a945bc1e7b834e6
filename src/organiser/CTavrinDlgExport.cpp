#include "organiser/CTavrinDlgExport.h"

#include "app/DiaryState.h"
#include "organiser/DestinationButtons.h"
#include "organiser/OrganiserLook.h"
#include "organiser/logic/TextExport.h"
#include "platform/FileChooser.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomStatic.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace tavrin::organiser {

CTavrinDlgExport::CTavrinDlgExport(QWidget* parent)
    : ui::CCustomDialog(BackAll, parent), table_(new QComboBox(this)),
      progress_(new QProgressBar(this)), status_(new QLabel(this)),
      start_(new ui::CCustomButton("Start", this)) {
    setObjectName("exportWindow");
    setWindowTitle(kTitle);
    setModal(true);

    table_->setObjectName("exportTable");
    for (int t = 0; t < TextExport::kTables; ++t)
        table_->addItem(TextExport::tableName(TextExport::Table(t)));
    table_->setCurrentIndex(0);
    skinnedField(table_);

    progress_->setObjectName("exportProgress");
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    status_->setObjectName("exportStatus");
    status_->setText(kSelectDestination);
    skinnedText(status_);

    auto* what = skinnedText(new ui::CCustomStatic("Export:", this));
    auto* top = new QHBoxLayout;
    top->addWidget(what);
    top->addWidget(table_, 1);
    QHBoxLayout* buttons = DestinationButtons::make(
        this, start_, kHelpTopic, [this] { chooseDestination(); }, [this] { start(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(top);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

QString CTavrinDlgExport::status() const {
    return status_->text();
}

void CTavrinDlgExport::chooseDestination() {
    const QString path =
        platform::FileChooser::save(this, kChooseTitle, kFilter, "txt", "*.txt", true);
    if (path.isEmpty()) return;
    destination_ = path;
    start_->setEnabled(true);
}

void CTavrinDlgExport::start() {
    if (destination_.isEmpty() || !app::DiaryState::instance().usable()) return;
    const auto which = TextExport::Table(table_->currentIndex());
    std::unique_ptr<TN> tn = app::DiaryState::instance().makeTN();
    TextExport::write(
        *tn, which, QFile::encodeName(destination_).toStdString(), [&](int position, int count) {
            if (position < 0) {
                progress_->setRange(0, std::max(count, 1));
                progress_->setValue(0);
                return;
            }
            status_->setText(QString::fromStdString(TextExport::statusText(which, position)));
            progress_->setValue(position + 1);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    // A new destination is chosen for the next export.
    start_->setEnabled(false);
    destination_.clear();
}

} // namespace tavrin::organiser
