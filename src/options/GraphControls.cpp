#include "options/GraphControls.h"

#include "options/OptionsWidgets.h"
#include "ui/CColorButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace tavrin::options {

GraphControls::GraphControls(GraphSettings::Slot slot, bool series, const QString& visibleText,
                             const QString& name, QWidget* parent)
    : visible(widgets::checkBox(visibleText, name + QStringLiteral("Visible"), parent)),
      colour(new ui::CColorButton(parent)), slot_(slot) {
    colour->setObjectName(name + QStringLiteral("Colour"));
    colour->setAutoDefault(false);
    if (!series) return;
    type = widgets::list(name + QStringLiteral("Type"), parent);
    type->addItems({QStringLiteral("Line"), QStringLiteral("Bar"), QStringLiteral("Point")});
    width = widgets::field(2, name + QStringLiteral("Width"), parent);
    width->setMaximumWidth(32);
}

void GraphControls::place(QGridLayout* grid, int row, int column, int span) const {
    auto* top = new QHBoxLayout;
    top->addWidget(visible);
    top->addWidget(colour);
    top->addStretch(1);
    grid->addLayout(top, row, column, 1, span);
    if (!type) return;
    auto* bottom = new QHBoxLayout;
    QWidget* parent = visible->parentWidget();
    bottom->addWidget(widgets::label(QStringLiteral("Type:"), parent));
    bottom->addWidget(type);
    bottom->addWidget(widgets::label(QStringLiteral("Line width:"), parent));
    bottom->addWidget(width);
    bottom->addStretch(1);
    grid->addLayout(bottom, row + 1, column, 1, span);
}

void GraphControls::read(const GraphSettings& g) {
    visible->setChecked(g.visible(slot_));
    colour->setColor(widgets::colour(g.colour(slot_)));
    if (!type) return;
    type->setCurrentIndex(g.type(slot_) <= GraphSettings::Point ? g.type(slot_) : 0);
    width->setText(QString::asprintf("%d", g.width(slot_)));
}

void GraphControls::store(GraphSettings& g) const {
    g.setVisible(slot_, visible->isChecked());
    g.setColour(slot_, widgets::stored(colour->color()));
    if (!type) return;
    g.setType(slot_, std::uint8_t(type->currentIndex()));
    g.setWidth(slot_, std::uint8_t(width->text().trimmed().toInt()));
}

bool GraphControls::validate(QWidget* page) const {
    return !width || widgets::checkRange(width, 1, 7, page);
}

} // namespace tavrin::options
