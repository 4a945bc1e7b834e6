#pragma once
// Text and group labels in the skin's colours. A text label is a transparent QLabel in the
// skin's text colour; a group label draws an etched frame over its whole rectangle with the
// text set into the top edge, and the controls of the group are placed inside it.

#include <QLabel>

namespace tavrin::ui {

class CCustomStatic : public QLabel {
    Q_OBJECT
public:
    enum Kind { Text, Group };

    explicit CCustomStatic(QWidget* parent = nullptr);
    explicit CCustomStatic(const QString& text, QWidget* parent = nullptr, Kind kind = Text);

    Kind kind() const { return kind_; }
    void setKind(Kind kind);

    // A group is sized by the controls laid out inside it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyColours();
    Kind kind_ = Text;
};

} // namespace tavrin::ui
