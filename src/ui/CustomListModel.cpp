#include "ui/CustomListModel.h"

#include <algorithm>

namespace tavrin::ui {

CustomListModel::CustomListModel(QObject* parent) : QAbstractTableModel(parent) {}

int CustomListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int CustomListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant CustomListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !contains(index.row(), index.column())) return {};
    const Row& r = rows_[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return r.texts.at(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columns_[size_t(index.column())].alignment | Qt::AlignVCenter);
    case Qt::CheckStateRole:
        if (checkable_ && index.column() == 0) return r.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

bool CustomListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !contains(index.row(), index.column())) return false;
    if (role == Qt::CheckStateRole && checkable_ && index.column() == 0)
        return setChecked(index.row(), value.toInt() == Qt::Checked);
    if (role == Qt::EditRole || role == Qt::DisplayRole)
        return setText(index.row(), index.column(), value.toString());
    return false;
}

QVariant CustomListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= int(columns_.size())) return {};
    if (role == Qt::DisplayRole) return columns_[size_t(section)].title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_[size_t(section)].alignment | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags CustomListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (checkable_ && index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

void CustomListModel::insertColumnAt(int position, const Column& column) {
    position = std::clamp(position, 0, int(columns_.size()));
    beginInsertColumns(QModelIndex(), position, position);
    columns_.insert(columns_.begin() + position, column);
    for (Row& r : rows_) {
        r.texts.insert(position, QString());
        if (!r.cells.empty()) r.cells.insert(r.cells.begin() + position, Cell{});
    }
    endInsertColumns();
}

bool CustomListModel::removeColumnAt(int position) {
    if (position < 0 || position >= int(columns_.size())) return false;
    beginRemoveColumns(QModelIndex(), position, position);
    columns_.erase(columns_.begin() + position);
    for (Row& r : rows_) {
        r.texts.removeAt(position);
        if (!r.cells.empty()) r.cells.erase(r.cells.begin() + position);
    }
    endRemoveColumns();
    return true;
}

CustomListModel::Row CustomListModel::makeRow(const QStringList& texts) const {
    Row r;
    r.texts = texts.mid(0, int(columns_.size()));
    while (r.texts.size() < int(columns_.size()))
        r.texts.append(QString());
    return r;
}

int CustomListModel::appendRow(const QStringList& texts) {
    return insertRowAt(int(rows_.size()), texts);
}

int CustomListModel::insertRowAt(int row, const QStringList& texts) {
    row = std::clamp(row, 0, int(rows_.size()));
    beginInsertRows(QModelIndex(), row, row);
    rows_.insert(rows_.begin() + row, makeRow(texts));
    endInsertRows();
    return row;
}

void CustomListModel::appendRows(const QList<QStringList>& rows) {
    if (rows.isEmpty()) return;
    const int first = int(rows_.size());
    beginInsertRows(QModelIndex(), first, first + int(rows.size()) - 1);
    for (const QStringList& t : rows)
        rows_.push_back(makeRow(t));
    endInsertRows();
}

bool CustomListModel::removeRowAt(int row) {
    if (row < 0 || row >= int(rows_.size())) return false;
    beginRemoveRows(QModelIndex(), row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
    return true;
}

void CustomListModel::clearRows() {
    if (rows_.empty()) return;
    beginRemoveRows(QModelIndex(), 0, int(rows_.size()) - 1);
    rows_.clear();
    endRemoveRows();
}

QString CustomListModel::text(int row, int column) const {
    return contains(row, column) ? rows_[size_t(row)].texts.at(column) : QString();
}

bool CustomListModel::setText(int row, int column, const QString& text) {
    if (!contains(row, column)) return false;
    QString& t = rows_[size_t(row)].texts[column];
    if (t == text) return true;
    t = text;
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole});
    // Column 1 decides whether the row is drawn as "Important".
    if (column == 1 && checkable_)
        emit dataChanged(index(row, 0), index(row, int(columns_.size()) - 1));
    return true;
}

qint64 CustomListModel::itemData(int row) const {
    return row >= 0 && row < int(rows_.size()) ? rows_[size_t(row)].data : 0;
}

bool CustomListModel::setItemData(int row, qint64 data) {
    if (row < 0 || row >= int(rows_.size())) return false;
    rows_[size_t(row)].data = data;
    return true;
}

bool CustomListModel::isChecked(int row) const {
    return row >= 0 && row < int(rows_.size()) && rows_[size_t(row)].checked;
}

bool CustomListModel::setChecked(int row, bool checked) {
    if (row < 0 || row >= int(rows_.size()) || columns_.empty()) return false;
    Row& r = rows_[size_t(row)];
    if (r.checked == checked) return true;
    r.checked = checked;
    const QModelIndex i = index(row, 0);
    emit dataChanged(i, i, {Qt::CheckStateRole});
    return true;
}

void CustomListModel::setCheckable(bool on) {
    if (checkable_ == on) return;
    checkable_ = on;
    if (!rows_.empty() && !columns_.empty())
        emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, int(columns_.size()) - 1));
}

bool CustomListModel::isImportant(int row) const {
    return checkable_ && columns_.size() > 1 && text(row, 1) == QLatin1String("Important");
}

const CustomListModel::Cell* CustomListModel::cell(int row, int column) const {
    if (!contains(row, column)) return nullptr;
    const Row& r = rows_[size_t(row)];
    if (r.cells.empty() || r.cells[size_t(column)].kind == CellKind::None) return nullptr;
    return &r.cells[size_t(column)];
}

bool CustomListModel::setCell(int row, int column, const Cell& cell, const QString& shown) {
    if (!contains(row, column)) return false;
    Row& r = rows_[size_t(row)];
    if (r.cells.empty()) r.cells.resize(columns_.size());
    r.cells[size_t(column)] = cell;
    setText(row, column, shown);
    return true;
}

} // namespace tavrin::ui
