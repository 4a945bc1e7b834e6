#pragma once
// Tab strip in the skin's colours: the strip in the tab colour, the current tab in the sheet
// colour so that it joins the page below it.

#include <QTabBar>

namespace tavrin::ui {

class CCustomTabCtrl : public QTabBar {
    Q_OBJECT
public:
    explicit CCustomTabCtrl(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize tabSizeHint(int index) const override;
};

} // namespace tavrin::ui
