#include "health/YearGlanceWidget.h"

#include "ui/ActiveSkin.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrin::health {

YearGlanceWidget::YearGlanceWidget(std::vector<HealthEntry> entries, QWidget* parent)
    : QWidget(parent), entries_(std::move(entries)), values_(YearGlance::values()),
      which_(new QComboBox(this)), year_(new QSpinBox(this)) {
    setObjectName("yearGlance");
    for (const GlanceValue& v : values_)
        which_->addItem(QString::fromStdString(v.measure.name));
    which_->setObjectName("glanceValue");
    year_->setObjectName("glanceYear");
    year_->setRange(1970, 2100);
    int year = QDate::currentDate().year();
    if (!entries_.empty())
        year = QString::fromStdString(HealthData::dayText(entries_.back().day)).left(4).toInt();
    auto* row = new QHBoxLayout;
    row->addWidget(which_);
    row->addWidget(year_);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch(1);
    connect(which_, &QComboBox::currentIndexChanged, this,
            [this] { choose(which_->currentIndex(), year_->value()); });
    connect(year_, &QSpinBox::valueChanged, this,
            [this] { choose(which_->currentIndex(), year_->value()); });
    setMinimumSize(360, 300);
    choose(0, year);
}

void YearGlanceWidget::choose(int value, int year) {
    const QSignalBlocker a(which_), b(year_);
    which_->setCurrentIndex(std::clamp(value, 0, int(values_.size()) - 1));
    year_->setValue(year);
    days_ = DayValues::series(entries_, values_[std::size_t(which_->currentIndex())].measure);
    update();
}

void YearGlanceWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // In the skin's list colours, so that the calendar sits on the page like the lists do.
    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    const QColor ink = skin.listText();
    QColor empty = ink;
    empty.setAlpha(40);
    p.fillRect(rect(), skin.listBackground());
    p.setRenderHint(QPainter::Antialiasing, false);
    YearGlance::paint(p, QRectF(10, 44, width() - 20, height() - 54), year_->value(), 1, days_,
                      values_[std::size_t(which_->currentIndex())], ink, empty);
}

} // namespace tavrin::health
