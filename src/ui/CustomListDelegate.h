#pragma once
// Paints the cells of a CCustomListCtrl in the active skin's colours: ordinary, "Important"
// and selected rows, the check boxes of the first column, the two step squares at the ends of
// spin cells, and a dotted frame round the current row while the list has the focus.

#include <QAbstractItemView>
#include <QStyledItemDelegate>

namespace tavrin::ui {

class CustomListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CustomListDelegate(QAbstractItemView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Without full-row selection only the first column shows the selection.
    void setFullRowSelect(bool on) { fullRow_ = on; }

    // Where the check box of a first-column cell sits.
    static QRect checkBoxRect(const QRect& cell);

private:
    QAbstractItemView* view_;
    bool fullRow_ = true;
};

} // namespace tavrin::ui
