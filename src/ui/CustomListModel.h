#pragma once
// The rows behind a CCustomListCtrl: a flat table of texts with one item-data value and one
// check mark per row, the column titles, widths and alignments, and for every cell that can
// be edited in place what kind of editor it takes.

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace tavrin::ui {

class CustomListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class CellKind { None, Text, List, Spin };
    enum class TextMode { Any, Integers, Decimals };

    struct Cell {
        CellKind kind = CellKind::None;
        TextMode mode = TextMode::Any; // text cells
        QStringList names;             // list and spin cells
        int value = 0;                 // list: index into names; spin: value
        int lowest = 0, highest = 0;   // spin
        int offset = 0;                // spin: names[value + offset] is shown
    };

    struct Column {
        QString title;
        int width = 0; // the width the owner defined: the default of the stored width
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    explicit CustomListModel(QObject* parent = nullptr);

    // ---- QAbstractItemModel ----
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // ---- columns ----
    void insertColumnAt(int position, const Column& column);
    bool removeColumnAt(int position);
    const Column& column(int c) const { return columns_[size_t(c)]; }

    // ---- rows ----
    int appendRow(const QStringList& texts);
    int insertRowAt(int row, const QStringList& texts);
    bool removeRowAt(int row);
    void clearRows();
    // Appends many rows with one notification (a refill of thousands of entries).
    void appendRows(const QList<QStringList>& rows);

    QString text(int row, int column) const;
    bool setText(int row, int column, const QString& text);
    qint64 itemData(int row) const;
    bool setItemData(int row, qint64 data);
    bool isChecked(int row) const;
    bool setChecked(int row, bool checked);

    // Check boxes are shown in the first column of every row.
    void setCheckable(bool on);
    bool isCheckable() const { return checkable_; }
    // In lists with check boxes, a row whose second column reads "Important".
    bool isImportant(int row) const;

    // ---- editable cells ----
    // The cell record, or nullptr when the cell does not exist or takes no editor.
    const Cell* cell(int row, int column) const;
    // Stores the record and the text the cell shows; false when the cell does not exist.
    bool setCell(int row, int column, const Cell& cell, const QString& shown);

    bool contains(int row, int column) const {
        return row >= 0 && row < int(rows_.size()) && column >= 0 && column < int(columns_.size());
    }

private:
    struct Row {
        QStringList texts; // one per column
        qint64 data = 0;
        bool checked = false;
        std::vector<Cell> cells; // empty until a cell of the row is made editable
    };
    Row makeRow(const QStringList& texts) const;

    std::vector<Column> columns_;
    std::vector<Row> rows_;
    bool checkable_ = false;
};

} // namespace tavrin::ui
