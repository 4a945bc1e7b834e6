#pragma once
// A diary option page that also sets how its parameters are drawn in the graph. The graph
// settings are read from the diary's graph settings block each time the page is shown, and
// written back each time it is left (not the first time, see DiaryOptionsPage): they take
// effect whether the sheet is then saved or discarded.

#include "options/DiaryOptionsPage.h"
#include "options/GraphControls.h"

#include <QList>

#include <memory>
#include <vector>

namespace tavrin::options {

class GraphOptionsPage : public DiaryOptionsPage {
    Q_OBJECT
public:
    using DiaryOptionsPage::DiaryOptionsPage;
    ~GraphOptionsPage() override;

    bool onSetActive() override;

    static constexpr const char* kUnreadableConfiguration =
        "Unable to read the configuration file!";

protected:
    GraphControls* addGraph(GraphSettings::Slot slot, bool series, const QString& visibleText,
                            const QString& name);
    // The graph background colour, edited on one page.
    void setBackgroundButton(ui::CColorButton* button) { background_ = button; }
    // Reading stops (the controls stay empty) when this is false.
    void setGraphReadable(bool on) { readable_ = on; }

    bool validate() override;
    void writeOnLeave() override;

private:
    std::vector<std::unique_ptr<GraphControls>> graph_;
    ui::CColorButton* background_ = nullptr;
    bool readable_ = true;
    bool read_ = false; // the controls hold the stored settings
};

} // namespace tavrin::options
