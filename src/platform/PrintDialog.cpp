#include "platform/PrintDialog.h"

#include "platform/MessageBox.h"

#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include <optional>

namespace tavrin::platform {
namespace {
struct Scripted {
    QString path; // empty: cancel
    bool selection = false;
};
std::optional<Scripted> g_next;
} // namespace

std::unique_ptr<QPrinter> PrintDialog::pdfPrinter(const QString& path) {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(path);
    p->setPageSize(QPageSize(QPageSize::A4));
    return p;
}

PrintChoice PrintDialog::choose(QWidget* parent, bool offerSelection, bool selectionEnabled) {
    PrintChoice c;
    if (g_next || MessageBox::testMode()) {
        auto s = g_next.value_or(Scripted{});
        g_next.reset();
        if (s.path.isEmpty()) return c;
        c.printer = pdfPrinter(s.path);
        c.selectionOnly = offerSelection && selectionEnabled && s.selection;
        return c;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dlg(printer.get(), parent);
    QAbstractPrintDialog::PrintDialogOptions opts = QAbstractPrintDialog::PrintToFile;
    if (offerSelection && selectionEnabled) opts |= QAbstractPrintDialog::PrintSelection;
    dlg.setOptions(opts);
    dlg.setWindowModality(Qt::ApplicationModal);
    if (dlg.exec() != QDialog::Accepted) return c;
    c.selectionOnly = dlg.printRange() == QAbstractPrintDialog::Selection;
    c.printer = std::move(printer);
    return c;
}

void PrintDialog::setNextPdf(const QString& path, bool selectionOnly) {
    g_next = Scripted{path, selectionOnly};
}
void PrintDialog::cancelNext() {
    g_next = Scripted{};
}

} // namespace tavrin::platform
