#include "diary/PainMapWidget.h"

#include "app/DiaryState.h"
#include "storage/PainKinds.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomStatic.h"
#include "ui/SkinBodyAreas.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace tavrin::diary {
namespace {

constexpr int kSide = 104; // width of the choosers or labels on each side of a picture
constexpr int kGap = 4;
constexpr int kPanelWidth = 2 * kSide + 2 * kGap + SkinBodyAreas::kWidth;
constexpr int kPanelHeight = SkinBodyAreas::kHeight;

// A body picture of the skin; without one, an outlined box keeps the areas in place.
QPixmap bodyPicture(bool back) {
    // Around the figure the key colour: the page shows through.
    QPixmap pm = ui::ActiveSkin::current().keyedPicture(back ? "body_back.tns" : "body_front.tns");
    if (!pm.isNull()) return pm.scaled(SkinBodyAreas::kWidth, SkinBodyAreas::kHeight);
    pm = QPixmap(SkinBodyAreas::kWidth, SkinBodyAreas::kHeight);
    pm.fill(ui::ActiveSkin::current().listBackground());
    QPainter p(&pm);
    p.setPen(ui::ActiveSkin::current().frameDark());
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return pm;
}

} // namespace

PainMapWidget::PainMapWidget(Mode mode, QWidget* parent) : QWidget(parent), mode_(mode) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(24);
    row->addStretch(1);
    row->addWidget(makePanel(true));
    row->addWidget(makePanel(false));
    row->addStretch(1);
}

QWidget* PainMapWidget::makePanel(bool back) {
    auto* panel = new QWidget(this);
    panel->setObjectName(back ? "backPanel" : "frontPanel");
    panel->setFixedSize(kPanelWidth, kPanelHeight);
    auto* picture = new QLabel(panel);
    picture->setObjectName(back ? "bodyBack" : "bodyFront");
    picture->setPixmap(bodyPicture(back));
    picture->setGeometry(kSide + kGap, 0, SkinBodyAreas::kWidth, SkinBodyAreas::kHeight);

    const QStringList names = kindNames();
    auto place = [&](const SkinBodyArea& a, int area) {
        QWidget* w;
        if (mode_ == Editing) {
            auto* combo = new QComboBox(panel);
            combo->addItems(names);
            combo->setCurrentIndex(0);
            w = combo;
        } else {
            auto* label = new ui::CCustomStatic(panel);
            label->setAlignment((a.onLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            w = label;
        }
        w->setObjectName(QString("painArea%1").arg(area + 1));
        w->setToolTip(a.name);
        const int h = mode_ == Editing ? w->sizeHint().height() : w->fontMetrics().height() + 4;
        const int y = std::clamp(a.labelY - h / 2, 0, kPanelHeight - h);
        w->setGeometry(a.onLeft ? 0 : kSide + 2 * kGap + SkinBodyAreas::kWidth, y, kSide, h);
        controls_[std::size_t(area)] = w;
    };
    if (back)
        for (std::size_t i = 0; i < SkinBodyAreas::back.size(); ++i)
            place(SkinBodyAreas::back[i], int(i));
    else
        for (std::size_t i = 0; i < SkinBodyAreas::front.size(); ++i)
            place(SkinBodyAreas::front[i], kBackAreas + int(i));
    return panel;
}

QStringList PainMapWidget::kindNames() {
    QStringList names{QString::fromLatin1(PainKinds::name(0))};
    const QStringList& kinds = app::DiaryState::instance().painKinds();
    if (kinds.size() == PainKinds::kCount - 1) {
        names << kinds;
    } else {
        for (int v = 1; v < PainKinds::kCount; ++v)
            names << QString::fromLatin1(PainKinds::name(v));
    }
    return names;
}

QComboBox* PainMapWidget::chooser(int area) const {
    return area >= 0 && area < kAreas ? qobject_cast<QComboBox*>(controls_[std::size_t(area)])
                                      : nullptr;
}

QLabel* PainMapWidget::label(int area) const {
    return area >= 0 && area < kAreas && mode_ == ReadOnly
               ? qobject_cast<QLabel*>(controls_[std::size_t(area)])
               : nullptr;
}

void PainMapWidget::setValues(const Values& values) {
    stored_ = values;
    const QStringList names = kindNames();
    for (int i = 0; i < kAreas; ++i) {
        const int v = values[std::size_t(i)];
        if (auto* c = chooser(i)) {
            c->setCurrentIndex(v < names.size() ? v : -1);
        } else if (auto* l = label(i)) {
            l->setText(v < names.size() ? names[v] : QString::fromLatin1(PainKinds::name(v)));
            QFont f = l->font();
            f.setBold(v != 0); // the areas that hurt stand out
            l->setFont(f);
        }
    }
}

PainMapWidget::Values PainMapWidget::values() const {
    Values out = stored_;
    for (int i = 0; i < kAreas; ++i)
        if (auto* c = chooser(i); c && c->currentIndex() >= 0)
            out[std::size_t(i)] = std::uint8_t(c->currentIndex());
    return out;
}

void PainMapWidget::clearValues() {
    stored_.fill(0);
    for (int i = 0; i < kAreas; ++i) {
        if (auto* c = chooser(i))
            c->setCurrentIndex(0);
        else if (auto* l = label(i))
            l->clear();
    }
}

PainMapWidget::Values PainMapWidget::of(const EntryRecord& e) {
    Values v{};
    for (int i = 0; i < kAreas; ++i)
        v[std::size_t(i)] = e.pain(i);
    return v;
}

void PainMapWidget::storeInto(const Values& values, EntryRecord& e) {
    for (int i = 0; i < kAreas; ++i)
        e.setPain(i, values[std::size_t(i)]);
}

QSize PainMapWidget::sizeHint() const {
    return {2 * kPanelWidth + 24, kPanelHeight};
}

} // namespace tavrin::diary
