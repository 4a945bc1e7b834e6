#include "diary/EntryPrinting.h"

#include "app/DiaryState.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "storage/Reporter.h"
#include "storage/TN.h"
#include "ui/CCustomListCtrl.h"

#include <QApplication>
#include <QPrinter>

namespace tavrin::diary {
namespace {

// An entry that cannot be read is left out without a word.
class QuietReporter : public Reporter {
public:
    void report(ReportKind, const std::string&) override {}
};

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

int EntryPrinting::run(ui::CCustomListCtrl* list, int slot, QWidget* parent) {
    auto& state = app::DiaryState::instance();
    if (!list || !state.hasPath()) return 0;
    platform::PrintChoice choice = platform::PrintDialog::choose(parent, true);
    if (!choice.printer) return 0;
    const bool painMap = platform::MessageBox::question(kPainMapQuestion, parent);

    const WaitCursor wait;
    QList<int> rows;
    if (choice.selectionOnly) {
        rows = list->selectedRows();
    } else {
        for (int r = 0; r < list->rowCount(); ++r)
            rows << r;
    }
    EntryPrinter printer(*choice.printer, EntryPrinter::settingsStyle(painMap));
    QuietReporter quiet;
    for (int row : rows) {
        TN tn(int(list->itemData(row)), state.path().toStdString(), state.extOffset(), &quiet);
        if (!tn.ReadEntry(true)) continue;
        if (!tn.ReadConfiguration()) {
            tn.config.clear();
            tn.config.applyDefaults();
        }
        const std::string& text =
            slot >= 1 && slot < EntryPrinter::kSlots ? tn.typeText[std::size_t(slot - 1)] : tn.body;
        // A printing error ends the document.
        if (!printer.print(tn.entry, tn.config, QByteArray::fromStdString(text), slot)) break;
    }
    printer.finish();
    return printer.entriesPrinted();
}

} // namespace tavrin::diary
