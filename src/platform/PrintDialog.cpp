#include "platform/PrintDialog.h"

#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/PrivatePrinter.h"

#include <QDialogButtonBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

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
    auto p = std::make_unique<PrivatePrinter>(QPrinter::HighResolution);
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
    auto printer = std::make_unique<PrivatePrinter>(QPrinter::HighResolution);
    QPrintDialog dlg(printer.get(), parent);
    // All pages or the selection: no page numbers, and no file (the PDF button below is the
    // way to a file).
    QAbstractPrintDialog::PrintDialogOptions opts;
    if (offerSelection && selectionEnabled) opts |= QAbstractPrintDialog::PrintSelection;
    dlg.setOptions(opts);
    for (const char* name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit"})
        for (QWidget* w : dlg.findChildren<QWidget*>(name))
            w->setVisible(false);
    dlg.setWindowModality(Qt::ApplicationModal);
    // "Save as PDF...": a file instead of a printer, on any system, with or without a print
    // service.
    constexpr int kSavePdf = 2;
    QString pdfPath;
    bool pdfSelection = false;
    if (auto* box = dlg.findChild<QDialogButtonBox*>()) {
        QPushButton* save = box->addButton("Save as PDF...", QDialogButtonBox::ActionRole);
        save->setObjectName("saveAsPdfButton");
        QObject::connect(save, &QPushButton::clicked, &dlg, [&] {
            const QString path = FileChooser::save(&dlg, "Save as PDF", "PDF files (*.pdf)|*.pdf||",
                                                   "pdf", "*.pdf", true);
            if (path.isEmpty()) return;
            pdfPath = path;
            const auto* selection = dlg.findChild<QRadioButton*>("printSelection");
            pdfSelection = selection && selection->isEnabled() && selection->isChecked();
            dlg.done(kSavePdf);
        });
    }
    const int result = dlg.exec();
    if (result == kSavePdf) {
        c.printer = pdfPrinter(pdfPath);
        c.selectionOnly = offerSelection && selectionEnabled && pdfSelection;
        return c;
    }
    if (result != QDialog::Accepted) return c;
    c.selectionOnly = dlg.printRange() == QAbstractPrintDialog::Selection;
    if (!c.selectionOnly) printer->setPrintRange(QPrinter::AllPages);
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
