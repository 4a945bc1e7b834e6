#pragma once
// A skinned button that can stay chosen (a format that is on, a rating that is picked). A chosen
// one is drawn in the skin's selection colours, so that it stands out in a row of equal ones
// under every skin.

#include "ui/CCustomButton.h"

namespace tavrin::diary {

class ChoiceButton : public ui::CCustomButton {
    Q_OBJECT
public:
    explicit ChoiceButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavrin::diary
