#include "nutrition/MacroBar.h"

#include "ui/ActiveSkin.h"

#include <QPainter>

#include <cmath>

namespace tavrin::nutrition {
namespace {

// Protein, carbohydrate, fat: colours that stay apart on light and dark skins.
const QColor kColours[3] = {QColor(70, 130, 200), QColor(225, 170, 40), QColor(205, 80, 70)};
const char* const kLetters[3] = {"P", "C", "F"};

} // namespace

MacroBar::MacroBar(QWidget* parent) : QWidget(parent) {
    setObjectName("macroBar");
    setToolTip("Kilocalories from protein, carbohydrate and fat");
}

QSize MacroBar::sizeHint() const {
    return {260, fontMetrics().height() + 6};
}

void MacroBar::setGrams(float protein, float carbohydrate, float fat) {
    protein_ = std::max(0.0f, protein);
    carbohydrate_ = std::max(0.0f, carbohydrate);
    fat_ = std::max(0.0f, fat);
    const double energy[3] = {protein_ * 4.0, carbohydrate_ * 4.0, fat_ * 9.0};
    const double total = energy[0] + energy[1] + energy[2];
    shares_ = {};
    if (total > 0 && std::isfinite(total)) {
        shares_.protein = int(std::lround(100 * energy[0] / total));
        shares_.carbohydrate = int(std::lround(100 * energy[1] / total));
        shares_.fat = 100 - shares_.protein - shares_.carbohydrate;
        if (shares_.fat < 0) { // rounding both up past 100
            shares_.carbohydrate += shares_.fat;
            shares_.fat = 0;
        }
    }
    setToolTip(QString("Kilocalories from protein %1%, carbohydrate %2%, fat %3%")
                   .arg(shares_.protein)
                   .arg(shares_.carbohydrate)
                   .arg(shares_.fat));
    update();
}

void MacroBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 1, -1, -2);
    const int parts[3] = {shares_.protein, shares_.carbohydrate, shares_.fat};
    int x = r.left();
    int used = 0;
    for (int i = 0; i < 3; ++i) {
        used += parts[i];
        const int end = r.left() + r.width() * used / 100;
        if (end <= x) continue;
        const QRect seg(x, r.top(), end - x, r.height());
        p.fillRect(seg, kColours[i]);
        const QString text = QString("%1 %2%").arg(kLetters[i]).arg(parts[i]);
        if (p.fontMetrics().horizontalAdvance(text) + 4 <= seg.width()) {
            p.setPen(Qt::white);
            p.drawText(seg, Qt::AlignCenter, text);
        } else if (p.fontMetrics().horizontalAdvance(kLetters[i]) + 2 <= seg.width()) {
            p.setPen(Qt::white);
            p.drawText(seg, Qt::AlignCenter, kLetters[i]);
        }
        x = end;
    }
    p.setPen(ui::ActiveSkin::current().staticText());
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

} // namespace tavrin::nutrition
