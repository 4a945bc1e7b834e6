#include "options/CTavrinPPOptionsFibro.h"

#include "options/OptionsWidgets.h"
#include "ui/CColorButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>

namespace tavrin::options {

namespace {

struct Group {
    const char* title;
    const char* key;
    QList<const char*> rows;
    int column, row; // place on the page
};

} // namespace

CTavrinPPOptionsFibro::CTavrinPPOptionsFibro(QWidget* parent)
    : GraphOptionsPage(QStringLiteral("Fibromyalgia Graph"), parent) {
    setObjectName(QStringLiteral("fibroPage"));
    using namespace widgets;
    const Group groups[] = {
        {"Overall pain level", "pain", {"Morning:", "Afternoon:", "Evening:"}, 0, 0},
        {"Physical symptoms",
         "physical",
         {"Sleep:", "Fatigue:", "Weakness:", "Dizziness:", "Eyesight:", "Motion:", "Urination:",
          "Hearing:", "IBS:"},
         0,
         1},
        {"Mental symptoms",
         "mental",
         {"Thinking:", "Anxiety:", "Depression:", "Angriness:", "Irritation:", "Happiness:"},
         1,
         0},
        {"Weather", "weather", {"Pollens:", "Mold:", "Effect:"}, 1, 1},
        {"Temperature", "temperature", {"Body:", "Outdoor:", "Indoor:"}, 2, 0},
        {"Humidity", "humidity", {"Outdoor:", "Indoor:"}, 2, 1},
    };
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    int i = 0;
    for (const Group& gr : groups) {
        QGridLayout* g = group(QLatin1String(gr.title), QLatin1String(gr.key) + "Group", this);
        int row = 0;
        for (const char* text : gr.rows) {
            const bool series = i < GraphSettings::kFibroSeries;
            const QString key = QLatin1String(gr.key) + QString::number(row + 1);
            auto* c = addGraph(series ? GraphSettings::fibroSlot(i)
                                      : GraphSettings::labelSlot(i - GraphSettings::kFibroSeries),
                               series, QString(), key);
            controls_[i++] = c;
            g->addWidget(label(QLatin1String(text), this), row, 0);
            g->addWidget(c->visible, row, 1);
            g->addWidget(c->colour, row, 2);
            if (series) {
                g->addWidget(label(QStringLiteral("Type:"), this), row, 3);
                g->addWidget(c->type, row, 4);
                g->addWidget(label(QStringLiteral("Width:"), this), row, 5);
                g->addWidget(c->width, row, 6);
            }
            ++row;
        }
        g->setRowStretch(row, 1);
        grid->addWidget(g->parentWidget(), gr.row, gr.column, Qt::AlignTop);
    }
    grid->setRowStretch(2, 1);
}

} // namespace tavrin::options
