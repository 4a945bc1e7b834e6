#pragma once
// The tips window: one hint at a time from "TIPS.TXT" beside the program. The place reached in
// the file is kept in the settings, so that each opening goes on with the next tip; a file with
// a new time stamp is read from its top.

#include "tools/TipsReader.h"
#include "ui/CCustomDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tavrin::tools {

class CTavrinDlgTips : public ui::CCustomDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Tip of the Day";

    explicit CTavrinDlgTips(QWidget* parent = nullptr);

    QString tip() const;
    QCheckBox* showOnStartup() const { return startup_; }
    QPushButton* nextButton() const { return next_; }

public slots:
    void nextTip();
    void closeTips(); // "Close": also stores the check box

protected:
    void done(int result) override;

private:
    TipsReader reader_;
    QLabel* tip_;
    QCheckBox* startup_;
    QPushButton* next_;
    bool stored_ = false;
};

} // namespace tavrin::tools
