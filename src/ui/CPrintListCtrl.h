#pragma once
// Prints the rows of a CCustomListCtrl as a paginated table: a page header (page number,
// title, the time the job started, between two grey lines), the column header row under a
// thick black line, then one line per row, with the page header and column header repeated on
// every page. Columns hidden on screen (width 0) are left out; every other column is as wide
// as its longest text plus one, counted in widths of "X" in the body font.
//
// Fonts come from the settings store when the job starts: "Print Head Font"/"Print Head Size"
// for the page header, "Print Body Font"/"Print Body Size" for the table.

#include <QDateTime>
#include <QFont>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QPainter;
class QPrinter;

namespace tavrin::ui {

class CCustomListCtrl;

class CPrintListCtrl {
public:
    CPrintListCtrl() = default;
    explicit CPrintListCtrl(CCustomListCtrl* list) { attach(list); }

    void attach(CCustomListCtrl* list);

    // Asks for a printer (offering "Selection" when rows are selected) and prints the list;
    // true when a job was printed, false when the user cancelled or printing failed.
    bool print(const QString& title);

    // Prints to a printer the caller already has; `selectionOnly` prints the selected rows.
    bool print(const QString& title, QPrinter& printer, bool selectionOnly);

    // Prints each row as a card instead of columns: `card(row)` gives its text, set in the body
    // font and wrapped over the printable width. A card that does not fit below the previous
    // one starts the next page whole; pages have the page header but no column header.
    bool printCards(const QString& title, const std::function<QString(int row)>& card);
    bool printCards(const QString& title, QPrinter& printer, bool selectionOnly,
                    const std::function<QString(int row)>& card);

    // The start time as the page header shows it: the long date, " at ", the time.
    static QString startTimeText(const QDateTime& t);

private:
    struct PrintColumn {
        QString title;
        int x = 0, width = 0; // width 0: hidden, not printed
        int align = 0;
    };

    // Fonts, margins and the painter of a job; false when the printer cannot be painted on.
    bool beginJob(const QString& title, QPrinter& printer, QPainter& p);
    std::vector<bool> wantedRows(bool selectionOnly) const;
    void drawPageHeader(QPainter& p, int page);
    void drawColumnHeader(QPainter& p);
    void drawRow(QPainter& p, int row);
    void drawCells(QPainter& p, const QStringList& texts, int height);

    QPointer<CCustomListCtrl> list_;

    // Per job.
    QString title_;
    QDateTime started_;
    QFont headFont_, titleFont_, bodyFont_;
    std::vector<PrintColumn> columns_;
    int left_ = 0, top_ = 0, printableWidth_ = 0, printableHeight_ = 0;
    int y_ = 0;
    int inset_ = 0; // keeps cell texts off the separators
};

} // namespace tavrin::ui
