#include "nutrition/RecipePrinter.h"

#include "nutrition/logic/RecipeBook.h"
#include "platform/Settings.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace tavrin::nutrition {

int RecipePrinter::print(const QString& text, QPrinter& printer) {
    printer.setDocName(RecipeBook::kPrintDocument);
    printer.setFullPage(true);
    QPainter p;
    if (!p.begin(&printer)) return 0;

    const int dpiX = printer.logicalDpiX(), dpiY = printer.logicalDpiY();
    const QRect paper = printer.pageLayout().fullRectPixels(printer.resolution());
    const int left = dpiX / 2, right = dpiX / 2, top = dpiY / 2, bottom = dpiY / 2;
    const int width = std::max(1, paper.width() - left - right);
    const int height = std::max(1, paper.height() - top - bottom);

    QFont font(settings::read(settings::PrintListFont));
    font.setPixelSize(std::max(1, settings::read(settings::PrintListSize) * dpiY / 72));
    font.setWeight(QFont::Normal);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&printer);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    doc.setPlainText(text);
    // Laid out in pages of the printable height: a line that would cross a page's foot moves
    // to the next page whole.
    doc.setPageSize(QSizeF(width, height));

    const int pages = std::max(1, doc.pageCount());
    for (int page = 0; page < pages; ++page) {
        if (page > 0) printer.newPage();
        p.save();
        p.translate(left, top - page * height);
        const QRectF visible(0, page * height, width, height);
        p.setClipRect(visible);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = visible;
        context.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&p, context);
        p.restore();
    }
    p.end();
    return pages;
}

} // namespace tavrin::nutrition
