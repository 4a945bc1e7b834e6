#pragma once
// "Compact Entries Database": the entry count and data file size before, a progress bar, and
// the new size and the bytes saved after. "Start" runs once.

#include "ui/CCustomDialog.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tavrin::tools {

class CTavrinDlgCompactEntries : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Compact Entries Database";

    explicit CTavrinDlgCompactEntries(QWidget* parent = nullptr);

    QPushButton* startButton() const { return start_; }
    QProgressBar* progress() const { return progress_; }
    QString beforeText() const; // both lines of "Before"
    QString afterText() const;  // both lines of "After"

public slots:
    void start();

private:
    QLabel *count_, *size_, *newSize_, *saved_;
    QProgressBar* progress_;
    QPushButton* start_;
};

} // namespace tavrin::tools
