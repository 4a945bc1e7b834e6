#include "diary/logic/EntryPrinter.h"

#include "diary/logic/EntryParameters.h"
#include "platform/Settings.h"
#include "rtf/RtfCodec.h"
#include "storage/Cp1252.h"
#include "storage/DiaryConfig.h"
#include "storage/EntryRecord.h"
#include "storage/LocalTime.h"
#include "storage/PainKinds.h"
#include "storage/ProgramTexts.h"
#include "ui/ActiveSkin.h"
#include "ui/SkinBodyAreas.h"

#include <QAbstractTextDocumentLayout>
#include <QDate>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace tavrin::diary {
namespace {

// A body picture with the skin's key colour turned to the paper's white.
QImage onPaper(const ui::ActiveSkin& skin, const QString& file) {
    const QImage picture = skin.picture(file, 2.0).toImage();
    if (picture.isNull()) return picture;
    QImage paper(picture.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter p(&paper);
    p.drawImage(0, 0, ui::ActiveSkin::withTransparentKey(picture, skin.buttonKey));
    return paper;
}

QString fromRecord(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}

// One unit of the heading's spacing: a point.
constexpr double kUnitTwips = 20;
// The pain map's pictures are printed 1.1 by 2.6 inches; names stand beside them.
constexpr double kPictureWidthTwips = 1.1 * 1440, kPictureHeightTwips = 2.6 * 1440;
constexpr double kLabelWidthTwips = 1.05 * 1440, kPictureGapTwips = 0.3 * 1440;
constexpr double kPainMapSpaceTwips = 0.25 * 1440; // between the text and the pain map

// Where each line of the laid-out document ends, top to bottom: the text breaks between lines.
std::vector<double> lineBottoms(const QTextDocument& doc) {
    std::vector<double> out;
    // The layout is made lazily, a part at a time: asking for the size finishes it.
    (void)doc.size();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        if (!layout) continue;
        const double top = layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            out.push_back(top + line.y() + line.height());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

EntryPrinter::EntryPrinter(QPrinter& printer, Style style)
    : printer_(printer), style_(std::move(style)) {
    head_ = QFont(style_.headFont);
    head_.setPointSizeF(std::max(1, style_.headSize));
    head_.setWeight(QFont::Normal);
}

EntryPrinter::~EntryPrinter() {
    finish();
}

double EntryPrinter::twips(double t) const {
    return t * printer_.resolution() / kTwipsPerInch;
}

QString EntryPrinter::heading(const DiaryConfig& config, int slot) {
    const QString what = slot >= 1 && slot < kSlots ? fromRecord(config.typeName(slot - 1))
                                                    : QStringLiteral("Diary Entry");
    return QString("%1 - %2").arg(QString::fromUtf8(texts::kPrintTitlePrefix), what);
}

QString EntryPrinter::entryLine(const EntryRecord& e) {
    const LocalDateTime t = LocalTime::fromTime(e.dateTime());
    const QString date = QLocale().toString(QDate(t.year, t.month, t.day), QLocale::LongFormat);
    const QString time = QString::fromLocal8Bit(LocalTime::format(e.dateTime(), "%X"));
    QString description = fromRecord(e.description());
    if (description.isEmpty()) description = QStringLiteral("n/a");
    return QString("%1 at %2 - Description: %3 - Voice: %4")
        .arg(date, time, description, e.voiceFlag() == 1 ? "Yes" : "No");
}

QStringList EntryPrinter::parameterLines(const DiaryConfig& config, const EntryRecord& e) {
    QStringList lines;
    for (const ParameterRow& row : EntryParameters::rows(config)) {
        switch (row.kind) {
        case ParameterRow::Check:
            lines << QString("%1: %2").arg(row.name,
                                           EntryParameters::value(row, e) == 1 ? "Yes" : "No");
            break;
        case ParameterRow::Real:
        case ParameterRow::Integer:
            lines << QString("%1= %2").arg(row.name, EntryParameters::text(row, e));
            break;
        default: // mood, scales, weather, spins and combos by their value names
            lines << QString("%1: %2").arg(row.name, EntryParameters::previewText(row, e));
            break;
        }
    }
    return lines;
}

QString EntryPrinter::painName(int value) {
    return value == 0 ? QStringLiteral("n/a") : QString::fromLatin1(PainKinds::name(value));
}

bool EntryPrinter::newPage() {
    if (!painter_) {
        printer_.setDocName(kDocumentName);
        printer_.setFullPage(false);
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&printer_)) {
            failed_ = true;
            return false;
        }
    } else if (!printer_.newPage()) {
        failed_ = true;
        return false;
    }
    ++pages_;
    return true;
}

double EntryPrinter::startPage(const QString& head, const QString& line) {
    QPainter& p = *painter_;
    const double left = twips(kMarginTwips);
    const double right = printer_.width() - twips(kMarginTwips);
    p.setFont(head_);
    p.setPen(Qt::black);
    const QFontMetricsF fm(head_, &printer_);
    double y = twips(kMarginTwips);
    p.drawText(QPointF(left, y + fm.ascent()), head);
    y += fm.height() + twips(5 * kUnitTwips);
    p.setPen(QPen(Qt::black, std::max(1.0, twips(10))));
    p.drawLine(QPointF(left, y), QPointF(right, y));
    p.setPen(Qt::black);
    y += twips(5 * kUnitTwips);
    p.drawText(QPointF(left, y + fm.ascent()), fm.elidedText(line, Qt::ElideRight, right - left));
    return y + fm.height();
}

bool EntryPrinter::print(const EntryRecord& e, const DiaryConfig& config, const QByteArray& text,
                         int slot) {
    if (failed_) return false;
    if (slot < 0 || slot >= kSlots) slot = 0;
    const QString head = heading(config, slot);
    const QString line = entryLine(e);
    const double left = twips(kMarginTwips);
    const double width = printer_.width() - 2 * twips(kMarginTwips);
    const double bottom = printer_.height() - twips(kMarginTwips);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&printer_);
    if (style_.textFont.pointSizeF() > 0) doc.setDefaultFont(style_.textFont);
    RtfCodec::toDocument(text, &doc);
    doc.setDocumentMargin(0);
    doc.setTextWidth(width);
    const std::vector<double> breaks = lineBottoms(doc);
    const double textHeight = breaks.empty() ? 0 : breaks.back();

    if (!newPage()) return false;
    double y = startPage(head, line);
    if (slot == 0) {
        const QFontMetricsF fm(head_, &printer_);
        for (const QString& l : parameterLines(config, e)) {
            y += twips(kUnitTwips);
            painter_->drawText(QPointF(left, y + fm.ascent()), l);
            y += fm.height();
        }
    }
    y += twips(5 * kUnitTwips);

    // The text, page by page, broken between lines.
    double offset = 0;
    while (offset < textHeight) {
        const double room = bottom - y;
        auto fits = std::upper_bound(breaks.begin(), breaks.end(), offset + room);
        double end = fits == breaks.begin() ? offset : *(fits - 1);
        if (end <= offset) {
            // A line taller than the page's room: a page without heading space would not hold
            // it either, so it is cut.
            end = offset + std::max(room, 1.0);
        }
        painter_->save();
        painter_->translate(left, y - offset);
        painter_->setClipRect(QRectF(0, offset, width, end - offset));
        // Only the lines inside the slice are drawn at all: a neighbour that merely touches it
        // would leave its words hidden in the file, found twice by search and copy.
        doc.drawContents(painter_.get(), QRectF(0, offset + 1, width, end - offset - 2));
        painter_->restore();
        y += end - offset;
        offset = end;
        if (offset < textHeight) {
            if (!newPage()) return false;
            y = startPage(head, line) + twips(5 * kUnitTwips);
        }
    }

    if (style_.painMap) {
        double top = y + twips(kPainMapSpaceTwips);
        if (top + painMapHeight() > bottom) {
            if (!newPage()) return false;
            top = startPage(head, line) + twips(kPainMapSpaceTwips);
        }
        drawPainMap(e, top);
    }
    ++entries_;
    return !failed_;
}

double EntryPrinter::painMapHeight() const {
    return twips(kPictureHeightTwips);
}

void EntryPrinter::drawPainMap(const EntryRecord& e, double top) {
    QPainter& p = *painter_;
    const double picW = twips(kPictureWidthTwips), picH = twips(kPictureHeightTwips);
    const double labelW = twips(kLabelWidthTwips), gap = twips(kPictureGapTwips);
    const double groupW = labelW + picW + labelW;
    const double pageLeft = twips(kMarginTwips);
    const double pageWidth = printer_.width() - 2 * twips(kMarginTwips);
    double x = pageLeft + std::max(0.0, (pageWidth - (2 * groupW + gap)) / 2);
    const double scale = picH / SkinBodyAreas::kHeight;
    p.setFont(head_);
    p.setPen(Qt::black);
    const QFontMetricsF fm(head_, &printer_);

    auto group = [&](const QImage& picture, const auto& areas, int firstArea) {
        const QRectF pic(x + labelW, top, picW, picH);
        if (!picture.isNull()) p.drawImage(pic, picture);
        for (std::size_t i = 0; i < areas.size(); ++i) {
            const SkinBodyArea& a = areas[i];
            const QString name = painName(e.pain(firstArea + int(i)));
            const double cy = top + a.labelY * scale;
            const QRectF box =
                a.onLeft ? QRectF(x, cy - fm.height(), labelW - twips(60), 2 * fm.height())
                         : QRectF(pic.right() + twips(60), cy - fm.height(), labelW - twips(60),
                                  2 * fm.height());
            p.drawText(box, Qt::AlignVCenter | (a.onLeft ? Qt::AlignRight : Qt::AlignLeft),
                       fm.elidedText(name, Qt::ElideRight, box.width()));
        }
        x += groupW + gap;
    };
    group(style_.back, SkinBodyAreas::back, 0);
    group(style_.front, SkinBodyAreas::front, int(SkinBodyAreas::back.size()));
}

bool EntryPrinter::finish() {
    if (painter_ && painter_->isActive()) {
        if (!painter_->end()) failed_ = true;
    }
    painter_.reset();
    return !failed_;
}

EntryPrinter::Style EntryPrinter::settingsStyle(bool painMap) {
    EntryPrinter::Style s;
    s.headFont = settings::read(settings::PrintHeadFont);
    s.headSize = settings::read(settings::PrintHeadSize);
    if (s.headSize < 1 || s.headSize > 200) s.headSize = settings::PrintHeadSize.defaultValue;
    int points = settings::read(settings::FontSize);
    if (points < 8 || points > 98) points = settings::FontSize.defaultValue;
    s.textFont = QFont(settings::read(settings::FontName));
    s.textFont.setPointSize(points);
    s.painMap = painMap;
    if (painMap) {
        // The sharp pictures where the skin has them: paper shows more than a screen.
        const auto& skin = ui::ActiveSkin::current();
        s.back = onPaper(skin, "body_back.tns");
        s.front = onPaper(skin, "body_front.tns");
    }
    return s;
}

} // namespace tavrin::diary
