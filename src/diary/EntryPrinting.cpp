#include "diary/EntryPrinting.h"

#include "app/DiaryState.h"
#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Settings.h"
#include "storage/Reporter.h"
#include "storage/TN.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomListCtrl.h"

#include <QApplication>
#include <QPainter>
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

// A body picture with the skin's key colour turned to the paper's white.
QImage onPaper(const ui::ActiveSkin& skin, const QString& file) {
    const QImage picture = skin.picture(file, 2.0).toImage();
    if (picture.isNull()) return picture;
    QImage paper(picture.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter p(&paper);
    p.drawImage(0, 0, ui::ActiveSkin::withTransparentKey(picture, skin.buttonKey));
    return paper;
}

} // namespace

EntryPrinter::Style EntryPrinting::style(bool painMap) {
    EntryPrinter::Style s;
    s.headFont = settings::read(settings::PrintHeadFont);
    s.headSize = settings::read(settings::PrintHeadSize);
    if (s.headSize < 1 || s.headSize > 200) s.headSize = settings::PrintHeadSize.defaultValue;
    int points = settings::read(settings::FontSize);
    if (points < 8 || points > 98) points = settings::FontSize.defaultValue;
    s.textFont = QFont(settings::read(settings::FontName));
    s.textFont.setPointSize(points);
    s.painMap = painMap;
    if (painMap) {
        // The sharp pictures where the skin has them: paper shows more than a screen.
        const auto& skin = ui::ActiveSkin::current();
        s.back = onPaper(skin, "body_back.tns");
        s.front = onPaper(skin, "body_front.tns");
    }
    return s;
}

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
    EntryPrinter printer(*choice.printer, style(painMap));
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
