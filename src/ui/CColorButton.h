#pragma once
// A button that shows a colour. Pressing it opens the colour chooser at that colour; on OK the
// button takes the chosen colour and emits colorChosen().

#include "ui/CCustomButton.h"

namespace tavrin::ui {

class CColorButton : public CCustomButton {
    Q_OBJECT
public:
    explicit CColorButton(QWidget* parent = nullptr);

    QColor color() const { return color_; }
    // Sets the colour shown, without a signal.
    void setColor(const QColor& color);

    // Opens the chooser as a press does; true when a colour was taken.
    bool chooseColor();

    QSize sizeHint() const override;

signals:
    void colorChosen(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_ = Qt::black;
};

} // namespace tavrin::ui
