#pragma once
// "Export to text": one organiser table of the open diary written to a text file of lines with
// fields separated by vertical bars, or, by the last three choices, to an iCalendar or vCard file
// that calendar and address-book programs read. Opened modally from the tools page.

#include "ui/CCustomDialog.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tavrin::organiser {

class CTavrinDlgExport : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Export to text";
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpTools.html";
    static constexpr const char* kChooseTitle = "Specify the export file";
    static constexpr const char* kFilter = "Text files (*.txt)|*.txt|All files (*.*)|*.*||";
    static constexpr const char* kSelectDestination = "Select the destination file";
    // The last choice: every diary entry as a spreadsheet.
    static constexpr const char* kSpreadsheet = "Diary entries (spreadsheet, CSV)";
    static constexpr const char* kCsvFilter = "CSV files (*.csv)|*.csv|All files (*.*)|*.*||";

    explicit CTavrinDlgExport(QWidget* parent = nullptr);

    QComboBox* tableChoice() const { return table_; }
    QProgressBar* progress() const { return progress_; }
    QString status() const;
    QPushButton* startButton() const { return start_; }

public slots:
    void chooseDestination();
    void start();

private:
    void exportSpreadsheet();
    QComboBox* table_;
    QProgressBar* progress_;
    QLabel* status_;
    QPushButton* start_;
    QString destination_;
};

} // namespace tavrin::organiser
