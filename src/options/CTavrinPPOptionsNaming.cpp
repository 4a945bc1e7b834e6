#include "options/CTavrinPPOptionsNaming.h"

#include "app/ProgramResources.h"
#include "options/OptionsWidgets.h"
#include "ui/CColorButton.h"
#include "ui/CCustomButton.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrin::options {

using Scale = DiaryConfig::Scale;

namespace {

struct ScaleInfo {
    const char* key;   // object names
    const char* title; // group
    int lowest;        // value of the first level
    QStringList defaults;
};

const ScaleInfo& info(int i) {
    static const ScaleInfo scales[4] = {
        {"mood",
         "Mood",
         -3,
         {"Depressed", "Sad", "Not Good", "Neutral", "Good", "Very Good", "Excellent"}},
        {"dream", "Scale 1", -2, {"Nightmare", "Strange", "Neutral", "Amusing", "Fun"}},
        {"fatigue", "Scale 2", -2, {"Exhausted", "Tired", "Normal"}},
        {"shape", "Scale 3", -3, {"Very sick", "Sick", "Not well", "Healthy"}},
    };
    return scales[i];
}

const char* const kScaleNames[4] = {"", "Dream", "Fatigue", "Shape"};
const Scale kScales[4] = {Scale::Dream, Scale::Dream, Scale::Fatigue, Scale::Shape};

} // namespace

CTavrinPPOptionsNaming::CTavrinPPOptionsNaming(const DiaryConfig& config, QWidget* parent)
    : GraphOptionsPage(QStringLiteral("Naming Conventions"), parent) {
    setObjectName(QStringLiteral("namingPage"));
    using namespace widgets;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);

    for (int s = 0; s < 4; ++s) {
        const ScaleInfo& in = info(s);
        const QString key = QLatin1String(in.key);
        QGridLayout* g = group(QLatin1String(in.title), key + QStringLiteral("Group"), this);
        int row = 0;
        if (s > 0) {
            g->addWidget(label(QStringLiteral("Name:"), this), row, 0);
            names_[s] = field(14, key + QStringLiteral("Name"), this);
            names_[s]->setText(fromStored(config.scaleName(kScales[s])));
            g->addWidget(names_[s], row++, 1);
        }
        for (int l = 0; l < in.defaults.size(); ++l) {
            QWidget* caption;
            if (s == 0) {
                auto* face = new QLabel(this);
                face->setPixmap(app::ProgramResources::moodPicture(l - 3));
                caption = face;
            } else {
                caption = label(QString::asprintf("%+d:", in.lowest + l), this);
            }
            auto* edit = field(14, key + QStringLiteral("Level%1").arg(l), this);
            edit->setText(
                fromStored(s == 0 ? config.moodName(l) : config.scaleLevel(kScales[s], l)));
            levels_[s] << edit;
            g->addWidget(caption, row, 0);
            g->addWidget(edit, row++, 1);
        }
        enabled_[s] = checkBox(QStringLiteral("Enabled"), key + QStringLiteral("Enabled"), this);
        enabled_[s]->setChecked(s == 0 ? config.moodEnabled() : config.scaleEnabled(kScales[s]));
        g->addWidget(enabled_[s], row++, 0, 1, 2);
        graph_[s] = addGraph(GraphSettings::diarySlot(s), true, QStringLiteral("Visible on graph"),
                             key + QStringLiteral("Graph"));
        graph_[s]->place(g, row, 0);
        g->setRowStretch(row + 2, 1);
        grid->addWidget(g->parentWidget(), s == 0 ? 0 : s - 1, s == 0 ? 0 : 1, s == 0 ? 3 : 1, 1);
    }

    auto* bottom = new QHBoxLayout;
    auto* background = new ui::CColorButton(this);
    background->setObjectName(QStringLiteral("graphBackground"));
    background->setAutoDefault(false);
    setBackgroundButton(background);
    bottom->addWidget(widgets::label(QStringLiteral("Graph Background"), this));
    bottom->addWidget(background);
    bottom->addStretch(1);
    auto* reset = new ui::CCustomButton(QStringLiteral("Reset all to default"), this);
    reset->setObjectName(QStringLiteral("resetButton"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &CTavrinPPOptionsNaming::resetNames);
    bottom->addWidget(reset);
    grid->addLayout(bottom, 3, 0, 1, 2);
}

void CTavrinPPOptionsNaming::resetNames() {
    for (int s = 0; s < 4; ++s) {
        if (names_[s]) names_[s]->setText(QLatin1String(kScaleNames[s]));
        for (int l = 0; l < levels_[s].size(); ++l)
            levels_[s][l]->setText(info(s).defaults[l]);
    }
}

void CTavrinPPOptionsNaming::storeConfiguration(DiaryConfig& config) {
    using widgets::toStored;
    config.setMoodEnabled(enabled_[0]->isChecked());
    for (int l = 0; l < levels_[0].size(); ++l)
        config.setMoodName(l, toStored(levels_[0][l]->text()));
    for (int s = 1; s < 4; ++s) {
        config.setScaleEnabled(kScales[s], enabled_[s]->isChecked());
        config.setScaleName(kScales[s], toStored(names_[s]->text()));
        for (int l = 0; l < levels_[s].size(); ++l)
            config.setScaleLevel(kScales[s], l, toStored(levels_[s][l]->text()));
    }
}

} // namespace tavrin::options
