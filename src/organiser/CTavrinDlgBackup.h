#pragma once
// "Create a backup copy": the open diary copied into a folder of the user's choice, with the
// size of the copy shown before it starts. Opened modally from the tools page.

#include "ui/CCustomDialog.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tavrin::organiser {

class CTavrinDlgBackup : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Create a backup copy";
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpTools.html";
    static constexpr const char* kChooseTitle = "Choose the backup folder";
    static constexpr const char* kNoDestination = " <choose the destination directory>";

    explicit CTavrinDlgBackup(QWidget* parent = nullptr);

    QProgressBar* progress() const { return progress_; }
    QString status() const;
    QString destinationText() const;
    QString totalText() const;
    QPushButton* startButton() const { return start_; }

public slots:
    void chooseDestination();
    void start();

private:
    QProgressBar* progress_;
    QLabel *status_, *destinationLabel_, *total_;
    QPushButton* start_;
    QString destination_;
};

} // namespace tavrin::organiser
