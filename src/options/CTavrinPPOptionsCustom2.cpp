#include "options/CTavrinPPOptionsCustom2.h"

#include "options/OptionsWidgets.h"
#include "ui/CCustomButton.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QSlider>

#include <algorithm>

namespace tavrin::options {

namespace {

const char* const kWeathers[DiaryConfig::kWeathers] = {"Sunny", "Overcast", "Foggy", "Rainy",
                                                       "Snowy"};
const int kRowsInUse[DiaryConfig::kCombos] = {2, 4, 6};

QString comboDefault(int k) {
    return QStringLiteral("Combo %1").arg(k + 1);
}
QString rowDefault(int k, int row) {
    return QStringLiteral("combo %1 %2").arg(k + 1).arg(row + 1);
}
QString orDefault(const std::string& stored, const QString& fallback) {
    return stored.empty() ? fallback : widgets::fromStored(stored);
}

} // namespace

CTavrinPPOptionsCustom2::CTavrinPPOptionsCustom2(const DiaryConfig& config, QWidget* parent)
    : GraphOptionsPage(QStringLiteral("Custom Controls 2"), parent) {
    setObjectName(QStringLiteral("custom2Page"));
    using namespace widgets;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);

    for (int k = 0; k < DiaryConfig::kCombos; ++k) {
        const QString key = QStringLiteral("combo%1").arg(k + 1);
        QGridLayout* g =
            group(QStringLiteral("Combo box %1").arg(k + 1), key + QStringLiteral("Group"), this);
        names_[k] = field(14, key + QStringLiteral("Name"), this);
        names_[k]->setText(orDefault(config.comboName(k), comboDefault(k)));
        enabled_[k] = checkBox(QStringLiteral("Enabled"), key + QStringLiteral("Enabled"), this);
        enabled_[k]->setChecked(config.comboEnabled(k));
        g->addWidget(label(QStringLiteral("Name:"), this), 0, 0);
        g->addWidget(names_[k], 0, 1);
        g->addWidget(enabled_[k], 1, 0, 1, 2);
        for (int r = 0; r < DiaryConfig::kComboRows; ++r) {
            rows_[k][r] = field(14, key + QStringLiteral("Row%1").arg(r + 1), this);
            rows_[k][r]->setText(orDefault(config.comboRow(k, r), rowDefault(k, r)));
            g->addWidget(rows_[k][r], 2 + r, 1);
        }
        // Row 1 at the top, as the row names run.
        used_[k] = new QSlider(Qt::Vertical, this);
        used_[k]->setObjectName(key + QStringLiteral("RowsInUse"));
        used_[k]->setRange(1, DiaryConfig::kComboRows);
        used_[k]->setInvertedAppearance(true);
        used_[k]->setPageStep(1);
        used_[k]->setTickPosition(QSlider::TicksLeft);
        g->addWidget(used_[k], 2, 0, DiaryConfig::kComboRows, 1);
        connect(used_[k], &QSlider::valueChanged, this, [this, k](int n) { rowsInUse(k, n); });
        const int stored = config.comboRows(k);
        used_[k]->setValue(std::clamp(stored, 1, DiaryConfig::kComboRows));
        rowsInUse(k, used_[k]->value());
        addGraph(GraphSettings::diarySlot(14 + k), true, QStringLiteral("Visible on graph"),
                 key + QStringLiteral("Graph"))
            ->place(g, 2 + DiaryConfig::kComboRows, 0);
        grid->addWidget(g->parentWidget(), 0, k);
    }

    QGridLayout* w = group(QStringLiteral("Weather"), QStringLiteral("weatherGroup"), this);
    for (int i = 0; i < DiaryConfig::kWeathers; ++i) {
        weather_[i] = field(14, QStringLiteral("weather%1").arg(i + 1), this);
        weather_[i]->setText(orDefault(config.weatherName(i), QLatin1String(kWeathers[i])));
        w->addWidget(weather_[i], i / 3, i % 3);
    }
    weatherEnabled_ = checkBox(QStringLiteral("Enabled"), QStringLiteral("weatherEnabled"), this);
    weatherEnabled_->setChecked(config.weatherEnabled());
    w->addWidget(weatherEnabled_, 2, 0);
    addGraph(GraphSettings::diarySlot(10), false, QStringLiteral("Visible on graph"),
             QStringLiteral("weatherGraph"))
        ->place(w, 2, 1);
    grid->addWidget(w->parentWidget(), 1, 0, 1, 3);

    auto* reset = new ui::CCustomButton(QStringLiteral("Reset to default"), this);
    reset->setObjectName(QStringLiteral("resetButton"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &CTavrinPPOptionsCustom2::resetNames);
    grid->addWidget(reset, 2, 2, Qt::AlignRight);
    grid->setRowStretch(3, 1);
}

void CTavrinPPOptionsCustom2::rowsInUse(int k, int n) {
    for (int r = 0; r < DiaryConfig::kComboRows; ++r)
        rows_[k][r]->setEnabled(r < n);
}

void CTavrinPPOptionsCustom2::resetNames() {
    for (int k = 0; k < DiaryConfig::kCombos; ++k) {
        names_[k]->setText(comboDefault(k));
        enabled_[k]->setChecked(false);
        for (int r = 0; r < DiaryConfig::kComboRows; ++r)
            rows_[k][r]->setText(rowDefault(k, r));
        used_[k]->setValue(kRowsInUse[k]);
        rowsInUse(k, kRowsInUse[k]);
    }
    for (int i = 0; i < DiaryConfig::kWeathers; ++i)
        weather_[i]->setText(QLatin1String(kWeathers[i]));
    weatherEnabled_->setChecked(true);
}

void CTavrinPPOptionsCustom2::storeConfiguration(DiaryConfig& config) {
    using widgets::toStored;
    for (int k = 0; k < DiaryConfig::kCombos; ++k) {
        config.setComboEnabled(k, enabled_[k]->isChecked());
        config.setComboName(k, toStored(names_[k]->text()));
        config.setComboRows(k, used_[k]->value());
        for (int r = 0; r < DiaryConfig::kComboRows; ++r)
            config.setComboRow(k, r, toStored(rows_[k][r]->text()));
    }
    config.setWeatherEnabled(weatherEnabled_->isChecked());
    for (int i = 0; i < DiaryConfig::kWeathers; ++i)
        config.setWeatherName(i, toStored(weather_[i]->text()));
}

} // namespace tavrin::options
