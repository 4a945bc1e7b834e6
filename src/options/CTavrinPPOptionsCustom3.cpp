#include "options/CTavrinPPOptionsCustom3.h"

#include "options/OptionsWidgets.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomSliderCtrl.h"
#include "ui/CCustomStatic.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace tavrin::options {

namespace {

// "-2 to +2" as slider positions.
constexpr int kDefaultLow = 1, kDefaultHigh = 5;

QString spinDefault(int k) {
    return QStringLiteral("Spin %1 Name").arg(k + 1);
}
QString valueDefault(int k, int v) {
    return QStringLiteral("spin %1 %2").arg(k + 1).arg(v + 1);
}
QString orDefault(const std::string& stored, const QString& fallback) {
    return stored.empty() ? fallback : widgets::fromStored(stored);
}

} // namespace

CTavrinPPOptionsCustom3::CTavrinPPOptionsCustom3(const DiaryConfig& config, bool readable,
                                                 QWidget* parent)
    : GraphOptionsPage(QStringLiteral("Custom Controls 3"), parent), readable_(readable) {
    setObjectName(QStringLiteral("custom3Page"));
    setGraphReadable(readable);
    using namespace widgets;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);

    for (int k = 0; k < DiaryConfig::kSpins; ++k) {
        const QString key = QStringLiteral("spin%1").arg(k + 1);
        QGridLayout* g = group(QStringLiteral("Spin control %1").arg(k + 1),
                               key + QStringLiteral("Group"), this, &frames_[k]);
        frames_[k]->installEventFilter(this);
        names_[k] = field(14, key + QStringLiteral("Name"), this);
        names_[k]->setText(orDefault(config.spinName(k), spinDefault(k)));
        enabled_[k] = checkBox(QStringLiteral("Enabled"), key + QStringLiteral("Enabled"), this);
        enabled_[k]->setChecked(config.spinEnabled(k));
        g->addWidget(label(QStringLiteral("Name:"), this), 0, 0);
        g->addWidget(names_[k], 0, 1);
        g->addWidget(enabled_[k], 1, 0, 1, 2);
        for (int v = 0; v < DiaryConfig::kSpinValues; ++v) {
            values_[k][v] = field(14, key + QStringLiteral("Value%1").arg(v + 1), this);
            values_[k][v]->setText(orDefault(config.spinValue(k, v), valueDefault(k, v)));
            g->addWidget(label(QString::asprintf("%+d:", v - 3), this), 2 + v, 0);
            g->addWidget(values_[k][v], 2 + v, 1);
        }
        // The slider tells its parent (the group frame) of every range: see eventFilter().
        slider_[k] = new ui::CCustomSliderCtrl(Qt::Horizontal, frames_[k]);
        slider_[k]->setObjectName(key + QStringLiteral("Range"));
        slider_[k]->setControlId(k);
        slider_[k]->setRange(0, DiaryConfig::kSpinValues - 1);
        slider_[k]->setPageStep(1);
        slider_[k]->setTickPosition(QSlider::TicksBelow);
        rangeText_[k] = new ui::CCustomStatic(frames_[k]);
        rangeText_[k]->setObjectName(key + QStringLiteral("RangeText"));
        g->addWidget(slider_[k], 9, 0, 1, 2);
        g->addWidget(rangeText_[k], 10, 0, 1, 2);
        addGraph(GraphSettings::diarySlot(11 + k), true, QStringLiteral("Visible on graph"),
                 key + QStringLiteral("Graph"))
            ->place(g, 11, 0);
        grid->addWidget(frames_[k], 0, k);
        if (readable_) {
            int lo = 0, hi = 0;
            DiaryConfig::spinValues(config.spinLow(k), config.spinHigh(k), lo, hi);
            slider_[k]->setSelection(lo + 3, hi + 3);
        }
    }
    auto* hint = new ui::CCustomStatic(QLatin1String(kRangeHint), this);
    hint->setObjectName(QStringLiteral("rangeHint"));
    grid->addWidget(hint, 1, 0, 1, 2);
    auto* reset = new ui::CCustomButton(QStringLiteral("Reset all to default"), this);
    reset->setObjectName(QStringLiteral("resetButton"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &CTavrinPPOptionsCustom3::resetNames);
    grid->addWidget(reset, 1, 2, Qt::AlignRight);
    grid->setRowStretch(2, 1);
}

bool CTavrinPPOptionsCustom3::onSetActive() {
    if (!readable_ && !told_) {
        told_ = true;
        platform::MessageBox::warning(QString::fromLatin1(kUnreadableConfiguration), this);
    }
    return GraphOptionsPage::onSetActive();
}

bool CTavrinPPOptionsCustom3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() >= QEvent::User) {
        if (const auto* m = platform::NamedMessage::match(event, "TNSNotifySLC")) {
            const int k = int(m->lParam());
            if (k >= 0 && k < DiaryConfig::kSpins && watched == frames_[k]) {
                showRange(k, int(m->wParam() & 0xFF), int(m->wParam() >> 8 & 0xFF));
                return true;
            }
        }
    }
    return GraphOptionsPage::eventFilter(watched, event);
}

void CTavrinPPOptionsCustom3::showRange(int k, int a, int b) {
    const int last = DiaryConfig::kSpinValues - 1;
    low_[k] = std::clamp(std::min(a, b), 0, last);
    high_[k] = std::clamp(std::max(a, b), 0, last);
    rangeText_[k]->setText(QString::asprintf("from %+d to %+d", low_[k] - 3, high_[k] - 3));
    for (int v = 0; v <= last; ++v)
        values_[k][v]->setEnabled(v >= low_[k] && v <= high_[k]);
}

void CTavrinPPOptionsCustom3::resetNames() {
    for (int k = 0; k < DiaryConfig::kSpins; ++k) {
        names_[k]->setText(spinDefault(k));
        enabled_[k]->setChecked(false);
        for (int v = 0; v < DiaryConfig::kSpinValues; ++v)
            values_[k][v]->setText(valueDefault(k, v));
        slider_[k]->setSelection(kDefaultLow, kDefaultHigh);
    }
}

void CTavrinPPOptionsCustom3::storeConfiguration(DiaryConfig& config) {
    using widgets::toStored;
    for (int k = 0; k < DiaryConfig::kSpins; ++k) {
        config.setSpinEnabled(k, enabled_[k]->isChecked());
        config.setSpinName(k, toStored(names_[k]->text()));
        for (int v = 0; v < DiaryConfig::kSpinValues; ++v)
            config.setSpinValue(k, v, toStored(values_[k][v]->text()));
        // Without a readable configuration no range was shown: keep the stored one.
        if (readable_) config.setSpinRange(k, low_[k], high_[k]);
    }
}

} // namespace tavrin::options
