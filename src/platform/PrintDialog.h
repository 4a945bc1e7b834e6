#pragma once
// The print dialog: all pages or the selection, no page numbers. It hands back a printer, or
// nothing when the user cancels.
//
// Test seam: setNextPdf(path) makes the next dialog answer at once with a PDF printer writing
// to that path (A4), choosing "Selection" when asked; cancelNext() makes it answer Cancel.
// In message-box test mode a dialog without a scripted answer cancels.

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace tavrin::platform {

struct PrintChoice {
    std::unique_ptr<QPrinter> printer; // null: cancelled or failed
    bool selectionOnly = false;
};

class PrintDialog {
public:
    static PrintChoice choose(QWidget* parent, bool offerSelection, bool selectionEnabled = true);

    // A printer writing a PDF file (A4, high resolution), for exports and tests; the file is
    // created 0600 when printing starts (PrivatePrinter).
    static std::unique_ptr<QPrinter> pdfPrinter(const QString& path);

    // ---- test seam ----
    static void setNextPdf(const QString& path, bool selectionOnly = false);
    static void cancelNext();
};

} // namespace tavrin::platform
