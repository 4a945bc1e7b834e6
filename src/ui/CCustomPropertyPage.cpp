#include "ui/CCustomPropertyPage.h"

#include "ui/ActiveSkin.h"

#include <QPainter>

namespace tavrin::ui {

CCustomPropertyPage::CCustomPropertyPage(const QString& title, QWidget* parent)
    : QWidget(parent), title_(title) {}

void CCustomPropertyPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ActiveSkin::current().sheetBackground());
}

} // namespace tavrin::ui
