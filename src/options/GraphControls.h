#pragma once
// The controls of one parameter's graph settings on an option page: "Visible on graph", its
// colour, and for series "Type:" and "Line width:".

#include "storage/GraphSettings.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace tavrin::ui {
class CColorButton;
}

namespace tavrin::options {

class GraphControls {
public:
    // `name` prefixes the object names ("moodGraph" → "moodGraphVisible", ...).
    GraphControls(GraphSettings::Slot slot, bool series, const QString& visibleText,
                  const QString& name, QWidget* parent);

    // Places the controls in `grid` from (row, column): the check box and colour on one row,
    // type and width on the next.
    void place(QGridLayout* grid, int row, int column, int span = 2) const;
    void read(const GraphSettings& g);
    void store(GraphSettings& g) const;
    // A width of 1 to 7 (checked only for series); otherwise the user is told.
    bool validate(QWidget* page) const;

    QCheckBox* visible;
    ui::CColorButton* colour;
    QComboBox* type = nullptr;
    QLineEdit* width = nullptr;

private:
    GraphSettings::Slot slot_;
};

} // namespace tavrin::options
