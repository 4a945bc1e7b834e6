#pragma once
// "Diary Calculator": one numeric parameter summed over the entries between two days, divided by
// the number of those entries or by the sum of a second parameter. Modal; opened from the
// preview's text page. The arithmetic is DiaryCalculator's.

#include "diary/logic/DiaryCalculator.h"
#include "ui/CCustomDialog.h"

#include <vector>

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace tavrin::diary {

class CTavrinDlgDiaryCalculator : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Diary Calculator";
    static constexpr const char* kNoEntries =
        "You need entries in your diary to use the diary calculator!";
    static constexpr const char* kNoParameter =
        "You must have at least one numerical parameter visible to use the diary calculator!";
    static constexpr const char* kWrongOrder =
        "Your 'from' date is greater than your 'to' date! Please check your dates and try again!";

    // Reads the current diary. Without a diary, entries or a numeric parameter the window is not
    // ready (the user was told why) and run() shows nothing.
    explicit CTavrinDlgDiaryCalculator(QWidget* parent = nullptr);
    bool ready() const { return ready_; }
    // Shows the window modally when it is ready.
    static void run(QWidget* parent);

    QComboBox* sumChooser() const { return sum_; }
    QComboBox* divisorChooser() const { return divisor_; }
    QDateEdit* fromEdit() const { return from_; }
    QDateEdit* toEdit() const { return to_; }
    QLineEdit* resultField() const { return result_; }

public slots:
    void calculate();

private:
    bool load();

    std::vector<EntryRecord> entries_;
    std::vector<DiaryCalculator::Parameter> params_;
    bool ready_ = false;
    QComboBox* sum_;
    QComboBox* divisor_;
    QDateEdit* from_;
    QDateEdit* to_;
    QLineEdit* result_;
};

} // namespace tavrin::diary
