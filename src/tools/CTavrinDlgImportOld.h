#pragma once
// "Import old diary entries": a version 2 diary's entries, reminders and planned items added to
// the open diary, after its old password was checked.

#include "ui/CCustomDialog.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tavrin::tools {

class CTavrinDlgImportOld : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Import old diary entries";
    static constexpr const char* kNoSource = " <choose your old diary index file>";
    static constexpr const char* kPrompt = "Enter the password for your old diary:";
    static constexpr const char* kFirstStatus =
        "Choose your source diary and type in the old password.";

    explicit CTavrinDlgImportOld(QWidget* parent = nullptr);

    QLineEdit* password() const { return password_; }
    QPushButton* startButton() const { return start_; }
    QProgressBar* progress() const { return progress_; }
    QString status() const;
    QString sourceText() const;

public slots:
    void chooseSource();
    void start();

private:
    QLabel *source_, *status_;
    QLineEdit* password_;
    QProgressBar* progress_;
    QPushButton* start_;
    QString path_;
};

} // namespace tavrin::tools
