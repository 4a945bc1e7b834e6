#pragma once
// "Create a new diary": a folder, a name and a diary type. On OK the diary's folder and its
// configuration (set for the type) are made, and the window hands back the diary's path.

#include "ui/CCustomDialog.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace tavrin::app {

class CTavrinDlgCreateDiary : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kNamePlaceholder = "<type_in_diary_name>";

    explicit CTavrinDlgCreateDiary(QWidget* parent = nullptr);

    QString directory() const { return directory_; }
    void setDirectory(const QString& dir);
    // Results, valid after OK.
    QString fullPath() const { return fullPath_; }
    int extOffset() const { return extOffset_; }
    QString diaryName() const { return name_; }

    // Why a diary name cannot be used (empty when it can).
    static QString nameProblem(const QString& name);

public slots:
    void chooseDirectory();
    void accept() override;

private:
    QString directory_;
    QString fullPath_;
    int extOffset_ = 0;
    QString name_;
    QLabel* dirLabel_;
    QLineEdit* nameEdit_;
    QListWidget* types_;
    QLabel* description_;
};

} // namespace tavrin::app
