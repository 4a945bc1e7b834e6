#pragma once
// The list view of every table in the program: report style, drawn in the skin's colours,
// with a notice when it is empty, "Important" rows in the highlight colours (in lists with
// check boxes), cells that can be edited in place, and column widths kept in the settings
// store.
//
// A tree view over a flat model rather than a table view: it gives the report look (one
// header, no row header, no grid), full-row selection and uniform row heights, which keep a
// list of ten thousand diary entries fast.
//
// Typical use by an owning window:
//     list->insertColumn("Date", 110);  ...
//     list->restoreWidths(settings::RecordsList);   // saved again when the list is destroyed
//     list->setRedraw(false); for (...) list->addRow({...}); list->setRedraw(true);

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>
#include <QTreeView>

namespace tavrin::ui {

class CustomListModel;
class CustomListDelegate;

class CCustomListCtrl : public QTreeView {
    Q_OBJECT
public:
    static constexpr const char* kEmptyNotice = "There are no items to display";

    explicit CCustomListCtrl(QWidget* parent = nullptr);
    ~CCustomListCtrl() override;

    // ---- columns ----
    // Appends a column; `width` is its defined width and the default of its stored width.
    int insertColumn(const QString& title, int width, Qt::Alignment alignment = Qt::AlignLeft);
    bool deleteColumn(int column);
    int columnCount() const;
    QString columnTitle(int column) const;
    Qt::Alignment columnAlignment(int column) const;

    // ---- persisted widths ----
    // Sets every column to its stored width (key `format` with the column number filled in,
    // e.g. "recordsList %02d"), its defined width when none is stored, and remembers the
    // format so that the widths are saved when the list is destroyed. Width 0 hides a column.
    void restoreWidths(const char* format);
    // Writes the current widths under the remembered format; false without one.
    bool saveWidths() const;

    // ---- rows ----
    int addRow(const QStringList& texts);             // returns the new row
    int addRows(const QList<QStringList>& rows);      // one notification; returns the first row
    int insertRow(int row, const QStringList& texts); // row is clamped into 0..rowCount()
    bool deleteRow(int row);
    void clear();
    int rowCount() const;
    QString itemText(int row, int column) const;
    bool setItemText(int row, int column, const QString& text);
    qint64 itemData(int row) const;
    bool setItemData(int row, qint64 value);

    // Suspends drawing while rows are added in bulk; resuming draws the list once.
    void setRedraw(bool on);

    // ---- selection ----
    void setMultiSelect(bool on);    // default: single selection
    void setFullRowSelect(bool on);  // default: on
    QList<int> selectedRows() const; // ascending
    int selectedRow() const;         // the first selected row, or -1
    void selectRow(int row);         // clears the selection, selects and focuses the row
    void setRowSelected(int row, bool selected);
    void ensureVisible(int row);

    // ---- check boxes ----
    void setCheckBoxes(bool on);
    bool hasCheckBoxes() const;
    bool setChecked(int row, bool checked);
    bool isChecked(int row) const;

    // ---- cells edited in place ----
    void setEditable(bool on); // default: off
    bool isEditable() const { return editable_; }
    bool setTextCell(int row, int column, const QString& text, bool integersOnly = false,
                     bool decimalsOnly = false);
    bool setListCell(int row, int column, const QStringList& names, int index);
    bool setSpinCell(int row, int column, const QStringList& names, int value, int lowest,
                     int highest, int offset);
    // The index of a list cell or the value of a spin cell; -1 for other cells.
    int cellValue(int row, int column) const;
    // The open in-place editor, if any.
    QWidget* activeEditor() const { return editor_; }
    // Ends an open edit, keeping or cancelling it.
    void endEdit(bool cancel);

    // Where the empty notice is written, centred in the viewport (viewport coordinates); null
    // while rows are shown.
    QRect emptyNoticeRect() const;
    QFont emptyNoticeFont() const;

    CustomListModel* listModel() const { return model_; }

signals:
    // An in-place edit ended. For list cells `value` is the chosen index, for spin cells the
    // new value, for text cells -1. A cancelled edit carries no text and changes nothing.
    void cellEdited(int row, int column, bool cancelled, const QString& text, int value);
    // The user ticked or cleared a row's check box (not sent for setChecked()).
    void checkToggled(int row, bool checked);
    // A row became selected (rows losing the selection are not reported).
    void rowSelected(int row);
    void selectedRowsChanged();
    void rowDoubleClicked(int row);
    // Enter and Delete pressed in the list, for the owner to act on. With Ctrl, Alt or Shift
    // these keys are not taken by the list: they go on to the owner's key handling.
    void returnPressed();
    void deletePressed();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // The row whose check box is at `pos`, or -1.
    int checkBoxAt(const QPoint& pos) const;
    void toggleCheck(int row);
    void openEditor(int row, int column, const QPoint& pressPos);
    void finishEdit(QWidget* editor, bool cancelled);
    void scrollToColumn(int column);
    void applySkin();
    QRect emptyNoticeRect(const QFontMetrics& fm) const;

    CustomListModel* model_;
    CustomListDelegate* delegate_;
    QByteArray widthFormat_; // empty until restoreWidths()
    bool editable_ = false;
    bool redraw_ = true;
    // The last press was the list's own (a tick, an editor): its release is not Qt's to act on.
    bool pressTaken_ = false;

    QPointer<QWidget> editor_;
    QPersistentModelIndex editIndex_;
};

} // namespace tavrin::ui
