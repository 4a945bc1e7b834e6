#include "ui/CPrintListCtrl.h"

#include "platform/PrintDialog.h"
#include "platform/Settings.h"
#include "storage/LocalTime.h"
#include "ui/CCustomListCtrl.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

namespace tavrin::ui {
namespace {
constexpr int kGapAfterPageHeader = 20;
constexpr int kGapAfterColumnHeader = 10;
constexpr int kGapAfterRow = 6;
constexpr int kSeparatorOffset = 2; // separators stand this far left of a column
constexpr int kHeaderRuleWidth = 3;
const QColor kGreyRule(128, 128, 128);

qreal screenDpiY() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s && s->logicalDotsPerInchY() > 0 ? s->logicalDotsPerInchY() : 96.0;
}

// The size setting counts screen pixels; the printout keeps the proportion the list has on
// screen by scaling with the printer's resolution.
QFont printFont(const QString& face, int size, int printerDpiY) {
    QFont f(face);
    f.setPixelSize(std::max(1, qRound(size * printerDpiY / screenDpiY())));
    f.setWeight(QFont::Normal);
    return f;
}
} // namespace

void CPrintListCtrl::attach(CCustomListCtrl* list) {
    list_ = list;
}

QString CPrintListCtrl::startTimeText(const QDateTime& t) {
    // The long date of the user's locale, then the locale's time of day.
    const std::string time = LocalTime::format(t.toSecsSinceEpoch(), "%X");
    return QLocale().toString(t.date(), QLocale::LongFormat) + QStringLiteral(" at ") +
           QString::fromLocal8Bit(time.c_str());
}

bool CPrintListCtrl::print(const QString& title) {
    // An empty list has nothing to print: no dialog, no page.
    if (!list_ || list_->rowCount() == 0) return false;
    platform::PrintChoice choice =
        platform::PrintDialog::choose(list_, true, !list_->selectedRows().isEmpty());
    if (!choice.printer) return false;
    return print(title, *choice.printer, choice.selectionOnly);
}

bool CPrintListCtrl::beginJob(const QString& title, QPrinter& printer, QPainter& p) {
    title_ = title;
    started_ = QDateTime::currentDateTime();

    // Page coordinates from the paper's corner, so that the margins are exact.
    printer.setFullPage(true);
    printer.setDocName(title);
    const int dpiX = printer.logicalDpiX(), dpiY = printer.logicalDpiY();
    headFont_ = printFont(settings::read(settings::PrintHeadFont),
                          settings::read(settings::PrintHeadSize), dpiY);
    titleFont_ = headFont_;
    titleFont_.setPixelSize(headFont_.pixelSize() + 2);
    bodyFont_ = printFont(settings::read(settings::PrintBodyFont),
                          settings::read(settings::PrintBodySize), dpiY);

    if (!p.begin(&printer)) return false;

    const QFontMetrics body(bodyFont_, &printer);
    const int w = body.horizontalAdvance(QLatin1Char('X'));
    // The extra "X" of every column's width is split between its two sides, so that right-
    // aligned text does not run into the next column's text.
    inset_ = w / 2;
    left_ = dpiX / 2;
    top_ = dpiY / 2;
    const QRect paper = printer.pageLayout().fullRectPixels(printer.resolution());
    printableWidth_ = paper.width() - 2 * left_;
    printableHeight_ = paper.height() - 2 * top_;
    return true;
}

std::vector<bool> CPrintListCtrl::wantedRows(bool selectionOnly) const {
    std::vector<bool> wanted(size_t(list_->rowCount()), !selectionOnly);
    if (selectionOnly)
        for (int r : list_->selectedRows())
            wanted[size_t(r)] = true;
    return wanted;
}

bool CPrintListCtrl::print(const QString& title, QPrinter& printer, bool selectionOnly) {
    if (!list_) return false;
    CCustomListCtrl& list = *list_;
    const int rows = list.rowCount();
    const std::vector<bool> wanted = wantedRows(selectionOnly);
    // Nothing to list prints nothing: not even a page with only its headers.
    if (std::find(wanted.begin(), wanted.end(), true) == wanted.end()) return false;
    QPainter p;
    if (!beginJob(title, printer, p)) return false;
    const QFontMetrics body(bodyFont_, &printer);
    const int w = body.horizontalAdvance(QLatin1Char('X'));

    columns_.clear();
    int x = left_;
    for (int c = 0; c < list.columnCount(); ++c) {
        PrintColumn col;
        col.title = list.columnTitle(c);
        col.align = int(list.columnAlignment(c) & Qt::AlignHorizontal_Mask);
        if (list.columnWidth(c) > 0) {
            qsizetype n = col.title.size();
            for (int r = 0; r < rows; ++r)
                n = std::max(n, list.itemText(r, c).size());
            col.width = int(n + 1) * w;
        }
        col.x = x;
        x += col.width;
        columns_.push_back(col);
    }

    const int rowHeight = body.height() + kGapAfterRow;
    const int bottom = top_ + printableHeight_;
    int page = 0, onPage = 0;
    bool ok = true;
    auto startPage = [&] {
        if (page > 0 && !printer.newPage()) ok = false;
        ++page;
        onPage = 0;
        y_ = top_;
        drawPageHeader(p, page);
        drawColumnHeader(p);
    };
    for (int r = 0; r < rows && ok; ++r) {
        if (!wanted[size_t(r)]) continue;
        // A row taller than a whole page still goes on the page it starts, or paging would
        // never end.
        if (page == 0 || (y_ + rowHeight > bottom && onPage > 0)) startPage();
        if (!ok) break;
        drawRow(p, r);
        ++onPage;
    }
    return p.end() && ok;
}

bool CPrintListCtrl::printCards(const QString& title, const std::function<QString(int)>& card) {
    if (!list_) return false;
    platform::PrintChoice choice =
        platform::PrintDialog::choose(list_, true, !list_->selectedRows().isEmpty());
    if (!choice.printer) return false;
    return printCards(title, *choice.printer, choice.selectionOnly, card);
}

bool CPrintListCtrl::printCards(const QString& title, QPrinter& printer, bool selectionOnly,
                                const std::function<QString(int)>& card) {
    if (!list_) return false;
    const std::vector<bool> wanted = wantedRows(selectionOnly);
    if (std::find(wanted.begin(), wanted.end(), true) == wanted.end()) return false;
    QPainter p;
    if (!beginJob(title, printer, p)) return false;
    const int bottom = top_ + printableHeight_;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    int page = 0, onPage = 0;
    bool ok = true;
    auto startPage = [&] {
        if (page > 0 && !printer.newPage()) ok = false;
        ++page;
        onPage = 0;
        y_ = top_;
        drawPageHeader(p, page);
    };
    for (int r = 0; r < int(wanted.size()) && ok; ++r) {
        if (!wanted[size_t(r)]) continue;
        if (page == 0) startPage();
        const QString text = card(r);
        p.setFont(bodyFont_);
        const int height =
            p.boundingRect(QRect(left_, 0, printableWidth_, 1 << 24), flags, text).height();
        // A card that does not fit goes whole to the next page; one taller than a whole page
        // is drawn where it starts, or paging would never end.
        if (y_ + height > bottom && onPage > 0) {
            startPage();
            if (!ok) break;
        }
        p.setFont(bodyFont_);
        p.setPen(Qt::black);
        p.drawText(QRect(left_, y_, printableWidth_, height), flags, text);
        y_ += height + kGapAfterRow;
        ++onPage;
    }
    if (page == 0 && ok) startPage();
    return p.end() && ok;
}

void CPrintListCtrl::drawPageHeader(QPainter& p, int page) {
    const int right = left_ + printableWidth_;
    p.setPen(QPen(kGreyRule, 1));
    p.drawLine(left_, y_, right, y_);
    p.setPen(Qt::black);

    p.setFont(headFont_);
    const int head = p.fontMetrics().height();
    p.drawText(QRect(left_, y_, printableWidth_, head), Qt::AlignRight | Qt::AlignVCenter,
               QString::asprintf("Page # %d", page));
    y_ += head;

    p.setFont(titleFont_);
    const int titleHeight = p.fontMetrics().height();
    p.drawText(QRect(left_, y_, printableWidth_, titleHeight), Qt::AlignHCenter | Qt::AlignVCenter,
               title_);
    y_ += titleHeight;

    p.setFont(headFont_);
    p.drawText(QRect(left_, y_, printableWidth_, head), Qt::AlignRight | Qt::AlignVCenter,
               startTimeText(started_));
    y_ += head;

    p.setPen(QPen(kGreyRule, 1));
    p.drawLine(left_, y_, right, y_);
    y_ += kGapAfterPageHeader;
}

void CPrintListCtrl::drawColumnHeader(QPainter& p) {
    p.setFont(bodyFont_);
    QStringList titles;
    for (const PrintColumn& c : columns_)
        titles.append(c.title);
    const int height = p.fontMetrics().height();
    drawCells(p, titles, height);
    y_ += height;
    p.fillRect(QRect(left_, y_, printableWidth_, kHeaderRuleWidth), Qt::black);
    y_ += kHeaderRuleWidth + kGapAfterColumnHeader;
}

void CPrintListCtrl::drawRow(QPainter& p, int row) {
    p.setFont(bodyFont_);
    QStringList texts;
    for (int c = 0; c < int(columns_.size()); ++c)
        texts.append(list_->itemText(row, c));
    const int height = p.fontMetrics().height() + kGapAfterRow;
    drawCells(p, texts, height);
    y_ += height;
}

void CPrintListCtrl::drawCells(QPainter& p, const QStringList& texts, int height) {
    bool first = true;
    for (size_t c = 0; c < columns_.size(); ++c) {
        const PrintColumn& col = columns_[c];
        if (col.width == 0) continue;
        p.setPen(QPen(Qt::black, 1));
        if (!first) p.drawLine(col.x - kSeparatorOffset, y_, col.x - kSeparatorOffset, y_ + height);
        first = false;
        p.drawText(QRect(col.x + inset_, y_, col.width - 2 * inset_, height),
                   col.align | Qt::AlignVCenter | Qt::TextSingleLine, texts.value(int(c)));
    }
}

} // namespace tavrin::ui
