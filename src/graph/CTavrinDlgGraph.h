#pragma once
// The graph page: the diary's entries in a record list, a chooser of the data set, the plot of
// the selected entries, and "Print", "Save to image" and "To clipboard". Below them a button for
// each view other modules offer (app::GraphView: the health module's "Year at a glance")
// switches the right side to that view; pressed again, it goes back to the plot.
//
// The main window relays "TNSListTrnsfr" (fill the record list) and "TNSDrawGraph" (redraw) to
// the page. A redraw is always posted as "TNSDrawGraph", never done inside a selection
// notification; several posted before the first arrives make one redraw.

#include "app/Module.h"
#include "ui/CCustomDialog.h"

#include <QList>

class QComboBox;
class QStackedWidget;

namespace tavrin {
class EntryRecord;
}

namespace tavrin::ui {
class CCustomButton;
class CCustomListCtrl;
} // namespace tavrin::ui

namespace tavrin::graph {

class GraphChart;

class CTavrinDlgGraph : public ui::CCustomDialog, public app::ModulePage {
    Q_OBJECT
public:
    static constexpr const char* kHelpTopic = "Tavrin.chm::/hlpGraph.html";
    static constexpr const char* kDocumentName = "Tavelle (tm) Suite Graph";

    explicit CTavrinDlgGraph(QWidget* parent = nullptr);

    // Fills the record list with every entry of the open diary and selects the last row.
    void fillList();
    // Draws the selected entries now.
    void redraw();
    // The buttons.
    void print();
    void saveImage();
    void copyToClipboard();

    void pageShown() override;

    ui::CCustomListCtrl* recordList() const { return list_; }
    QComboBox* dataSetChooser() const { return set_; }
    GraphChart* chart() const { return chart_; }
    const QList<qint64>& selection() const { return selection_; }

protected:
    bool event(QEvent* event) override;

private:
    void fillChooser();
    void rebuildSelection();
    void postDraw();
    // Back to the plot: the other views go and their buttons are released.
    void showPlot();

    ui::CCustomListCtrl* list_;
    QComboBox* set_;
    ui::CCustomButton* print_;
    ui::CCustomButton* save_;
    ui::CCustomButton* copy_;
    GraphChart* chart_;
    QStackedWidget* views_;
    QList<ui::CCustomButton*> viewButtons_;
    QList<qint64> selection_; // record positions of the selected rows, in list order
    bool drawPosted_ = false;
};

} // namespace tavrin::graph
