#include "ui/CCustomListCtrl.h"

#include "ui/ActiveSkin.h"

#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "platform/WindowMessages.h"
#include "ui/CInPlaceCombo.h"
#include "ui/CInPlaceEdit.h"
#include "ui/CInPlaceSpin.h"
#include "ui/CustomListDelegate.h"
#include "ui/CustomListModel.h"
#include <QFont>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace tavrin::ui {
namespace {
using Kind = CustomListModel::CellKind;

// Room kept around the empty notice's text.
constexpr int kNoticeMargin = 10;

QString shownName(const QStringList& names, qint64 i) {
    return i >= 0 && i < names.size() ? names.at(qsizetype(i)) : QString();
}
} // namespace

CCustomListCtrl::CCustomListCtrl(QWidget* parent)
    : QTreeView(parent), model_(new CustomListModel(this)),
      delegate_(new CustomListDelegate(this)) {
    setObjectName(QStringLiteral("customList"));
    // The column widths of every list are given in pixels for a small list font: the Arial-like
    // face at 8 points keeps dates and times whole in them.
    QFont f = font();
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                   QStringLiteral("DejaVu Sans")});
    f.setPointSize(8);
    setFont(f);
    header()->setFont(f);
    setModel(model_);
    setItemDelegate(delegate_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(false); // the delegate draws the focus frame in the skin's colours
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
    header()->setMinimumSectionSize(0); // a stored width of 0 hides the column
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    applySkin();

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection&) {
                QList<int> rows;
                for (const QItemSelectionRange& r : selected)
                    for (int row = r.top(); row <= r.bottom(); ++row)
                        rows.append(row);
                std::sort(rows.begin(), rows.end());
                rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
                for (int row : rows)
                    emit rowSelected(row);
                emit selectedRowsChanged();
            });
    // An editor laid over a cell would no longer match it.
    connect(header(), &QHeaderView::sectionResized, this, [this] { endEdit(false); });
}

CCustomListCtrl::~CCustomListCtrl() {
    if (editor_) {
        editor_->disconnect(this);
        delete editor_.data();
    }
    saveWidths();
}

void CCustomListCtrl::applySkin() {
    const ActiveSkin& skin = ActiveSkin::current();
    QPalette pal = palette();
    pal.setColor(QPalette::Base, skin.listBackground());
    pal.setColor(QPalette::Window, skin.listBackground());
    pal.setColor(QPalette::Text, skin.listText());
    pal.setColor(QPalette::Highlight, skin.selectionBackground());
    pal.setColor(QPalette::HighlightedText, skin.listHighlightText());
    pal.setColor(QPalette::Light, skin.frameLight());
    pal.setColor(QPalette::Dark, skin.frameDark());
    setPalette(pal);
    // The header in the skin's button colours, also beyond its last column.
    header()->setStyleSheet(
        QString("QHeaderView { background: %1; }"
                "QHeaderView::section { background: %1; color: %2; border: none;"
                " border-right: 1px solid %3; border-bottom: 1px solid %3;"
                " padding: 2px 4px; }")
            .arg(skin.buttonFace().name(), skin.buttonText().name(), skin.frameDark().name()));
}

// ---- columns ----

int CCustomListCtrl::insertColumn(const QString& title, int width, Qt::Alignment alignment) {
    const int c = model_->columnCount();
    model_->insertColumnAt(c, {title, std::max(0, width), alignment});
    setColumnWidth(c, std::max(0, width));
    return c;
}

bool CCustomListCtrl::deleteColumn(int column) {
    if (editIndex_.isValid() && editIndex_.column() == column) endEdit(true);
    return model_->removeColumnAt(column);
}

int CCustomListCtrl::columnCount() const {
    return model_->columnCount();
}

QString CCustomListCtrl::columnTitle(int column) const {
    return column >= 0 && column < model_->columnCount() ? model_->column(column).title : QString();
}

Qt::Alignment CCustomListCtrl::columnAlignment(int column) const {
    return column >= 0 && column < model_->columnCount() ? model_->column(column).alignment
                                                         : Qt::AlignLeft;
}

// ---- persisted widths ----

void CCustomListCtrl::restoreWidths(const char* format) {
    widthFormat_ = format;
    const int most = header()->maximumSectionSize();
    for (int c = 0; c < model_->columnCount(); ++c) {
        const int defined = model_->column(c).width;
        int w = platform::SettingsStore::readInt(settings::columnKey(format, c), defined);
        // A negative or absurd stored width is not a width: fall back to the defined one.
        if (w < 0 || w > most) w = defined;
        setColumnWidth(c, w);
    }
}

bool CCustomListCtrl::saveWidths() const {
    if (widthFormat_.isEmpty()) return false;
    bool ok = true;
    for (int c = 0; c < model_->columnCount(); ++c)
        ok = platform::SettingsStore::writeInt(settings::columnKey(widthFormat_.constData(), c),
                                               columnWidth(c)) &&
             ok;
    return ok;
}

// ---- rows ----

int CCustomListCtrl::addRow(const QStringList& texts) {
    return model_->appendRow(texts);
}

int CCustomListCtrl::addRows(const QList<QStringList>& rows) {
    const int first = model_->rowCount();
    model_->appendRows(rows);
    return first;
}

int CCustomListCtrl::insertRow(int row, const QStringList& texts) {
    return model_->insertRowAt(row, texts);
}

bool CCustomListCtrl::deleteRow(int row) {
    if (editIndex_.isValid() && editIndex_.row() == row) endEdit(true);
    return model_->removeRowAt(row);
}

void CCustomListCtrl::clear() {
    endEdit(true);
    model_->clearRows();
}

int CCustomListCtrl::rowCount() const {
    return model_->rowCount();
}
QString CCustomListCtrl::itemText(int row, int column) const {
    return model_->text(row, column);
}
bool CCustomListCtrl::setItemText(int row, int column, const QString& text) {
    return model_->setText(row, column, text);
}
qint64 CCustomListCtrl::itemData(int row) const {
    return model_->itemData(row);
}
bool CCustomListCtrl::setItemData(int row, qint64 value) {
    return model_->setItemData(row, value);
}

void CCustomListCtrl::setRedraw(bool on) {
    if (on == redraw_) return;
    redraw_ = on;
    setUpdatesEnabled(on);
    if (on) viewport()->update();
}

// ---- selection ----

void CCustomListCtrl::setMultiSelect(bool on) {
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                        : QAbstractItemView::SingleSelection);
}

void CCustomListCtrl::setFullRowSelect(bool on) {
    delegate_->setFullRowSelect(on);
    viewport()->update();
}

QList<int> CCustomListCtrl::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows(0))
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CCustomListCtrl::selectedRow() const {
    const QList<int> rows = selectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

void CCustomListCtrl::selectRow(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
}

void CCustomListCtrl::setRowSelected(int row, bool selected) {
    if (row < 0 || row >= model_->rowCount()) return;
    if (selected && selectionMode() == QAbstractItemView::SingleSelection) {
        selectRow(row);
        return;
    }
    selectionModel()->select(model_->index(row, 0), (selected ? QItemSelectionModel::Select
                                                              : QItemSelectionModel::Deselect) |
                                                        QItemSelectionModel::Rows);
}

void CCustomListCtrl::ensureVisible(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    scrollTo(model_->index(row, 0), QAbstractItemView::EnsureVisible);
}

// ---- check boxes ----

void CCustomListCtrl::setCheckBoxes(bool on) {
    model_->setCheckable(on);
}
bool CCustomListCtrl::hasCheckBoxes() const {
    return model_->isCheckable();
}
bool CCustomListCtrl::setChecked(int row, bool checked) {
    return model_->setChecked(row, checked);
}
bool CCustomListCtrl::isChecked(int row) const {
    return model_->isChecked(row);
}

// ---- cells edited in place ----

void CCustomListCtrl::setEditable(bool on) {
    editable_ = on;
    if (!on) endEdit(true);
}

bool CCustomListCtrl::setTextCell(int row, int column, const QString& text, bool integersOnly,
                                  bool decimalsOnly) {
    CustomListModel::Cell c;
    c.kind = Kind::Text;
    c.mode = integersOnly   ? CustomListModel::TextMode::Integers
             : decimalsOnly ? CustomListModel::TextMode::Decimals
                            : CustomListModel::TextMode::Any;
    return model_->setCell(row, column, c, text);
}

bool CCustomListCtrl::setListCell(int row, int column, const QStringList& names, int index) {
    CustomListModel::Cell c;
    c.kind = Kind::List;
    c.names = names;
    c.value = index;
    return model_->setCell(row, column, c, shownName(names, index));
}

bool CCustomListCtrl::setSpinCell(int row, int column, const QStringList& names, int value,
                                  int lowest, int highest, int offset) {
    CustomListModel::Cell c;
    c.kind = Kind::Spin;
    c.names = names;
    c.value = value;
    c.lowest = std::min(lowest, highest);
    c.highest = std::max(lowest, highest);
    c.offset = offset;
    return model_->setCell(row, column, c, shownName(names, qint64(value) + offset));
}

int CCustomListCtrl::cellValue(int row, int column) const {
    const auto* c = model_->cell(row, column);
    return c && c->kind != Kind::Text ? c->value : -1;
}

void CCustomListCtrl::scrollToColumn(int column) {
    const int pos = header()->sectionPosition(column);
    const int w = header()->sectionSize(column);
    const int off = header()->offset();
    const int vw = viewport()->width();
    QScrollBar* sb = horizontalScrollBar();
    if (pos < off || w > vw)
        sb->setValue(pos);
    else if (pos + w > off + vw)
        sb->setValue(pos + w - vw);
}

void CCustomListCtrl::openEditor(int row, int column, const QPoint& pressPos) {
    const auto* cell = model_->cell(row, column);
    if (!cell) return;
    const QModelIndex index = model_->index(row, column);
    // Where in the cell the press fell, before scrolling moves the cell.
    const QPoint inCell = pressPos - visualRect(index).topLeft();
    scrollToColumn(column);
    const QRect r = visualRect(index);
    if (r.width() <= 0 || r.height() <= 0) return;

    QWidget* w = nullptr;
    switch (cell->kind) {
    case Kind::Text: {
        using Mode = CInPlaceEdit::Mode;
        const Mode mode = cell->mode == CustomListModel::TextMode::Integers   ? Mode::Integers
                          : cell->mode == CustomListModel::TextMode::Decimals ? Mode::Decimals
                                                                              : Mode::Any;
        auto* ed = new CInPlaceEdit(viewport(), model_->text(row, column), mode);
        connect(ed, &CInPlaceEdit::editEnded, this, [this, ed](bool c) { finishEdit(ed, c); });
        w = ed;
        break;
    }
    case Kind::List: {
        auto* combo = new CInPlaceCombo(viewport(), cell->names, cell->value);
        connect(combo, &CInPlaceCombo::editEnded, this,
                [this, combo](bool c) { finishEdit(combo, c); });
        w = combo;
        break;
    }
    case Kind::Spin: {
        auto* spin = new CInPlaceSpin(viewport(), cell->names, cell->value, cell->lowest,
                                      cell->highest, cell->offset);
        connect(spin, &CInPlaceSpin::editEnded, this,
                [this, spin](bool c) { finishEdit(spin, c); });
        w = spin;
        break;
    }
    case Kind::None:
        return;
    }
    editor_ = w;
    editIndex_ = index;
    w->setFont(font());
    QRect g = r;
    if (qobject_cast<CInPlaceCombo*>(w)) g.setHeight(std::max(r.height(), w->sizeHint().height()));
    w->setGeometry(g);
    w->show();
    w->setFocus(Qt::MouseFocusReason);
    if (auto* combo = qobject_cast<CInPlaceCombo*>(w))
        combo->showPopup();
    else if (auto* spin = qobject_cast<CInPlaceSpin*>(w))
        spin->press(inCell);
}

void CCustomListCtrl::endEdit(bool cancel) {
    if (editor_) finishEdit(editor_, cancel);
}

void CCustomListCtrl::finishEdit(QWidget* w, bool cancelled) {
    if (!w || w != editor_) return;
    const QPersistentModelIndex index = editIndex_;
    editor_ = nullptr;
    editIndex_ = QPersistentModelIndex();
    // The focus comes back to the list before the editor goes, so it does not wander off.
    if (w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()))
        setFocus(Qt::OtherFocusReason);
    w->disconnect(this);
    w->hide();
    w->deleteLater();

    if (!index.isValid()) return;
    const int row = index.row(), column = index.column();
    const auto* found = model_->cell(row, column);
    if (!found) return;
    CustomListModel::Cell cell = *found;

    // The owner may have made the cell another kind while its editor was open; that editor's
    // value no longer fits the cell, so the edit counts as cancelled.
    const bool editorFits = (cell.kind == Kind::Text && qobject_cast<CInPlaceEdit*>(w)) ||
                            (cell.kind == Kind::List && qobject_cast<CInPlaceCombo*>(w)) ||
                            (cell.kind == Kind::Spin && qobject_cast<CInPlaceSpin*>(w));
    if (!editorFits) cancelled = true;

    if (cancelled) {
        emit cellEdited(row, column, true, QString(), cell.kind == Kind::Text ? -1 : cell.value);
        return;
    }
    switch (cell.kind) {
    case Kind::Text: {
        const QString text = static_cast<CInPlaceEdit*>(w)->text();
        model_->setText(row, column, text);
        emit cellEdited(row, column, false, text, -1);
        break;
    }
    case Kind::List: {
        const int i = static_cast<CInPlaceCombo*>(w)->currentIndex();
        if (i >= 0 && i < cell.names.size()) {
            cell.value = i;
            model_->setCell(row, column, cell, cell.names.at(i));
        }
        // With no name chosen the cell keeps its index and name.
        emit cellEdited(row, column, false, model_->text(row, column), cell.value);
        break;
    }
    case Kind::Spin: {
        auto* spin = static_cast<CInPlaceSpin*>(w);
        cell.value = spin->value();
        model_->setCell(row, column, cell, spin->shownText());
        // Sent also when the value stayed at an end, so the owner always hears of the press.
        if (spin->stepped() && parentWidget())
            platform::WindowMessages::send(parentWidget(), QStringLiteral("TNSNotifySpin"), row,
                                           cell.value);
        emit cellEdited(row, column, false, spin->shownText(), cell.value);
        break;
    }
    case Kind::None:
        break;
    }
}

// ---- events ----

int CCustomListCtrl::checkBoxAt(const QPoint& pos) const {
    const QModelIndex index = indexAt(pos);
    if (!model_->isCheckable() || !index.isValid() || index.column() != 0 ||
        !CustomListDelegate::checkBoxRect(visualRect(index)).contains(pos))
        return -1;
    return index.row();
}

void CCustomListCtrl::toggleCheck(int row) {
    const bool now = !model_->isChecked(row);
    model_->setChecked(row, now);
    emit checkToggled(row, now);
}

void CCustomListCtrl::mousePressEvent(QMouseEvent* e) {
    pressTaken_ = false;
    endEdit(false);
    const QPoint pos = e->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (e->button() != Qt::LeftButton || !index.isValid()) {
        QTreeView::mousePressEvent(e);
        return;
    }
    const int row = index.row(), column = index.column();
    if (checkBoxAt(pos) == row) {
        toggleCheck(row);
        pressTaken_ = true;
        e->accept();
        return;
    }
    // One press on an editable cell selects its row and edits the cell at once: a spin's end
    // steps the value, a text cell takes typing. The first column only selects.
    const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
    const auto* cell = model_->cell(row, column);
    if (editable_ && plain && column > 0 && cell && cell->kind != Kind::None) {
        e->accept();
        if (!selectionModel()->isRowSelected(row, QModelIndex()) ||
            selectionModel()->currentIndex().row() != row)
            selectRow(row);
        openEditor(row, column, pos);
        pressTaken_ = true;
        return;
    }
    QTreeView::mousePressEvent(e);
}

void CCustomListCtrl::mouseReleaseEvent(QMouseEvent* e) {
    // Qt's own release handling would hand a checkable cell to the delegate, which toggles the
    // tick a second time without a word to the owner.
    if (std::exchange(pressTaken_, false)) {
        e->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(e);
}

void CCustomListCtrl::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click comes as this event alone, or after a press event of
    // its own that toggled the box already: either way it is one toggle.
    if (const int row = checkBoxAt(e->position().toPoint());
        row >= 0 && e->button() == Qt::LeftButton) {
        if (!pressTaken_) toggleCheck(row);
        pressTaken_ = true;
        e->accept();
        return;
    }
    const QModelIndex index = indexAt(e->position().toPoint());
    QTreeView::mouseDoubleClickEvent(e);
    if (index.isValid() && e->button() == Qt::LeftButton) emit rowDoubleClicked(index.row());
}

void CCustomListCtrl::keyPressEvent(QKeyEvent* e) {
    const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Delete:
        // Plain keys are the list's to report; with Ctrl and the like they are the owner's
        // shortcuts (Ctrl+Enter adds, Ctrl+Delete deletes) and travel on to it.
        if (!plain) {
            e->ignore();
            return;
        }
        if (e->key() == Qt::Key_Delete)
            emit deletePressed();
        else
            emit returnPressed();
        e->accept();
        return;
    case Qt::Key_Space:
        if (model_->isCheckable() && e->modifiers() == Qt::NoModifier) {
            for (int row : selectedRows())
                toggleCheck(row);
            e->accept();
            return;
        }
        break;
    default:
        break;
    }
    QTreeView::keyPressEvent(e);
}

// The focus frame spans the whole current row, so whole rows are redrawn when it moves.
void CCustomListCtrl::focusInEvent(QFocusEvent* e) {
    QTreeView::focusInEvent(e);
    viewport()->update();
}

void CCustomListCtrl::focusOutEvent(QFocusEvent* e) {
    QTreeView::focusOutEvent(e);
    viewport()->update();
}

void CCustomListCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    for (const QModelIndex& i : {current, previous})
        if (i.isValid())
            viewport()->update(
                QRect(0, visualRect(i).top(), viewport()->width(), visualRect(i).height()));
}

QFont CCustomListCtrl::emptyNoticeFont() const {
    // The lists' small face would make the notice look like a stray label: it is written in
    // the window's own text size.
    QFont f = font();
    f.setPointSizeF(std::max(QApplication::font(this).pointSizeF(), f.pointSizeF() + 2));
    return f;
}

QRect CCustomListCtrl::emptyNoticeRect(const QFontMetrics& fm) const {
    const QString text = QString::fromLatin1(kEmptyNotice);
    QRect r(0, 0, fm.horizontalAdvance(text) + 2 * kNoticeMargin, fm.height() + 2 * kNoticeMargin);
    // In the middle of the rows' area; a list too low for that keeps it at the top.
    r.moveCenter(viewport()->rect().center());
    if (r.top() < 0) r.moveTop(0);
    return r;
}

QRect CCustomListCtrl::emptyNoticeRect() const {
    if (model_->rowCount() > 0) return {};
    return emptyNoticeRect(QFontMetrics(emptyNoticeFont()));
}

void CCustomListCtrl::paintEvent(QPaintEvent* e) {
    QTreeView::paintEvent(e);
    if (model_->rowCount() > 0) return;
    const ActiveSkin& skin = ActiveSkin::current();
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), skin.emptyNoticeBackground());
    p.setFont(emptyNoticeFont());
    const QRect r = emptyNoticeRect(p.fontMetrics());
    // Quieter than the rows' text: half way towards the background.
    const QColor text = skin.listText(), back = skin.emptyNoticeBackground();
    p.setPen(QColor((text.red() + back.red()) / 2, (text.green() + back.green()) / 2,
                    (text.blue() + back.blue()) / 2));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, QString::fromLatin1(kEmptyNotice));
}

} // namespace tavrin::ui
