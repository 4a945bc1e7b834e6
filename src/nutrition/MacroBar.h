#pragma once
// A small bar beside the day's total: how the kilocalories divide between protein,
// carbohydrate and fat (4, 4 and 9 kcal per gram), each part in its own colour and named with
// its share. Empty (a grey frame) while nothing is counted.

#include <QWidget>

namespace tavrin::nutrition {

class MacroBar : public QWidget {
    Q_OBJECT
public:
    explicit MacroBar(QWidget* parent = nullptr);

    void setGrams(float protein, float carbohydrate, float fat);
    // Shares of the kilocalories in whole percent, summing to 100 (0, 0, 0 when empty).
    struct Shares {
        int protein = 0, carbohydrate = 0, fat = 0;
    };
    Shares shares() const { return shares_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float protein_ = 0, carbohydrate_ = 0, fat_ = 0;
    Shares shares_;
};

} // namespace tavrin::nutrition
