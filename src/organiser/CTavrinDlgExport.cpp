#include "organiser/CTavrinDlgExport.h"

#include "app/DiaryState.h"
#include "formats/CsvExport.h"
#include "formats/OpenFormats.h"
#include "formats/TextExport.h"
#include "organiser/DestinationButtons.h"
#include "organiser/OrganiserLook.h"
#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "rtf/RtfCodec.h"
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
namespace {

// The entries' bodies go into the spreadsheet as their visible text.
std::string plainText(const std::string& stored) {
    return diary::RtfCodec::plainText(QByteArray::fromStdString(stored)).toStdString();
}

} // namespace

using formats::OpenFormats;
using formats::TextExport;

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
    // Then the same tables in the formats of calendar and address-book programs.
    for (int f = 0; f < OpenFormats::kFormats; ++f)
        table_->addItem(OpenFormats::formatName(OpenFormats::Format(f)));
    table_->addItem(kSpreadsheet);
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
    const int choice = table_->currentIndex();
    if (table_->currentText() == kSpreadsheet) {
        const QString path =
            platform::FileChooser::save(this, kChooseTitle, kCsvFilter, "csv", "*.csv", true);
        if (path.isEmpty()) return;
        destination_ = path;
        start_->setEnabled(true);
        return;
    }
    const bool open = choice >= TextExport::kTables;
    const auto format = OpenFormats::Format(choice - TextExport::kTables);
    const QString extension = open ? OpenFormats::extension(format) : "txt";
    const QString path = platform::FileChooser::save(this, kChooseTitle,
                                                     open ? OpenFormats::filter(format) : kFilter,
                                                     extension, "*." + extension, true);
    if (path.isEmpty()) return;
    destination_ = path;
    start_->setEnabled(true);
}

void CTavrinDlgExport::start() {
    if (destination_.isEmpty() || !app::DiaryState::instance().usable()) return;
    const int choice = table_->currentIndex();
    if (table_->currentText() == kSpreadsheet) {
        exportSpreadsheet();
        return;
    }
    const bool open = choice >= TextExport::kTables;
    // The open formats hold the same three tables in the same order.
    const auto which = TextExport::Table(open ? choice - TextExport::kTables : choice);
    std::unique_ptr<TN> tn = app::DiaryState::instance().makeTN();
    const std::string file = QFile::encodeName(destination_).toStdString();
    const auto progress = [&](int position, int count) {
        if (position < 0) {
            progress_->setRange(0, std::max(count, 1));
            progress_->setValue(0);
            return;
        }
        status_->setText(QString::fromStdString(TextExport::statusText(which, position)));
        progress_->setValue(position + 1);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    if (open)
        OpenFormats::write(*tn, OpenFormats::Format(which), file, platform::Clock::now(), progress);
    else
        TextExport::write(*tn, which, file, progress);
    // A new destination is chosen for the next export.
    start_->setEnabled(false);
    destination_.clear();
}

void CTavrinDlgExport::exportSpreadsheet() {
    std::unique_ptr<TN> tn = app::DiaryState::instance().makeTN();
    formats::DiaryRecords d;
    std::string error;
    if (!tn->ReadConfiguration() || !formats::readDatedEntries(*tn, d.entries)) {
        error = "unable to read the diary";
    } else {
        d.config = tn->config;
        formats::CsvExport(plainText).writeFile(QFile::encodeName(destination_).toStdString(), d,
                                                error);
    }
    status_->setText(error.empty() ? QString("%1 entries exported.").arg(d.entries.size())
                                   : QString::fromStdString("Failed: " + error));
    start_->setEnabled(false);
    destination_.clear();
}

} // namespace tavrin::organiser
