#pragma once
// The year at a glance as a view: value and year choosers over the calendar, drawn in the skin's
// list colours. The graph page shows it (offered by the health module), the report window too.

#include "health/render/YearGlance.h"

#include <QWidget>

class QComboBox;
class QSpinBox;

namespace tavrin::health {

class YearGlanceWidget : public QWidget {
    Q_OBJECT
public:
    explicit YearGlanceWidget(std::vector<HealthEntry> entries, QWidget* parent = nullptr);
    void choose(int value, int year);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::vector<HealthEntry> entries_;
    std::vector<GlanceValue> values_;
    QComboBox* which_;
    QSpinBox* year_;
    DaySeries days_;
};

} // namespace tavrin::health
