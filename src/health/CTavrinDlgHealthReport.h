#pragma once
// "Health report": the report of a chosen range in a preview, with Print and Save as PDF, and
// the correlations of the same range in their own window.

#include "health/render/HealthReport.h"
#include "ui/CCustomDialog.h"

#include <memory>

class QDateEdit;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

namespace tavrin::health {

class CTavrinDlgHealthReport : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Health report";
    static constexpr int kDefaultDays = 90; // the range first shown ends at the last entry
                                            // not in the future

    explicit CTavrinDlgHealthReport(QWidget* parent = nullptr);
    ~CTavrinDlgHealthReport() override;

    // Opens the window over the open diary; nothing happens without one.
    static void run(QWidget* parent);

    const HealthReport* report() const { return report_.get(); }
    void setRange(const QDate& from, const QDate& to);
    bool print();
    bool saveAsPdf();
    void showCorrelations();
    void showYearGlance();

private:
    void reload();

    QDateEdit* from_;
    QDateEdit* to_;
    QPrintPreviewWidget* preview_;
    std::unique_ptr<QPrinter> previewPrinter_;
    std::unique_ptr<HealthReport> report_;
};

// The correlations that hold in a report's range as a list, strongest first, with how many
// pairs were tested and the statement under it.
class CTavrinDlgCorrelations : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "What comes before a flare";
    CTavrinDlgCorrelations(const Findings& findings, const QString& range,
                           QWidget* parent = nullptr);
};

} // namespace tavrin::health
