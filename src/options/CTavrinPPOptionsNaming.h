#pragma once
// "Naming Conventions": the level names of the mood and the three named scales, the scales'
// names and whether the diary uses them, how each is drawn in the graph, and the graph's
// background colour.

#include "options/GraphOptionsPage.h"
#include "storage/DiaryConfig.h"

#include <QList>

class QCheckBox;
class QLineEdit;

namespace tavrin::options {

class CTavrinPPOptionsNaming : public GraphOptionsPage {
    Q_OBJECT
public:
    explicit CTavrinPPOptionsNaming(const DiaryConfig& config, QWidget* parent = nullptr);

    void storeConfiguration(DiaryConfig& config) override;
    // "Reset all to default": level names and scale names; nothing else.
    void resetNames();

    // Scale 0 is the mood, 1 to 3 the named scales ("Dream", "Fatigue", "Shape").
    QLineEdit* levelField(int scale, int level) const { return levels_[scale][level]; }
    QLineEdit* nameField(int scale) const { return names_[scale]; }
    QCheckBox* enabledBox(int scale) const { return enabled_[scale]; }
    GraphControls* graph(int scale) const { return graph_[scale]; }

private:
    QList<QLineEdit*> levels_[4];
    QLineEdit* names_[4] = {};
    QCheckBox* enabled_[4] = {};
    GraphControls* graph_[4] = {};
};

} // namespace tavrin::options
