#include "rtf/RtfReader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace tavrin::diary {
namespace {

// Paragraph lengths in a QTextDocument are pixels at 96 per inch; RTF has 1440 twips per inch.
constexpr qreal kTwipsPerPixel = 15.0;
// No page is wider than this (22 inches); larger lengths only come from damaged files.
constexpr int kMaxTwips = 31680;

qreal pixels(int twips) {
    return qBound(-kMaxTwips, twips, kMaxTwips) / kTwipsPerPixel;
}

QTextListFormat::Style listStyle(RtfParser::ListKind kind, int level) {
    using K = RtfParser::ListKind;
    switch (kind) {
    case K::Decimal:
        return QTextListFormat::ListDecimal;
    case K::LowerAlpha:
        return QTextListFormat::ListLowerAlpha;
    case K::UpperAlpha:
        return QTextListFormat::ListUpperAlpha;
    case K::LowerRoman:
        return QTextListFormat::ListLowerRoman;
    case K::UpperRoman:
        return QTextListFormat::ListUpperRoman;
    default:
        return level == 0   ? QTextListFormat::ListDisc
               : level == 1 ? QTextListFormat::ListCircle
                            : QTextListFormat::ListSquare;
    }
}

} // namespace

void RtfReader::read(const QByteArray& rtf, QTextDocument* doc) {
    RtfReader reader(doc);
    // One edit block for the whole document: the layout is done once at its end instead of
    // after every run, which made long paragraphs cost the square of their runs.
    reader.cursor_.beginEditBlock();
    reader.parser_.parse(rtf);
    reader.cursor_.endEditBlock();
}

RtfReader::RtfReader(QTextDocument* doc) : doc_(doc), cursor_(doc), parser_(*this) {
    cursor_.movePosition(QTextCursor::End);
}

QTextCharFormat RtfReader::charFormat(const RtfParser::CharProps& chars, const QString& href) {
    if (cached_ && chars == cachedChars_ && href == cachedHref_) return cachedFormat_;
    QTextCharFormat f;
    f.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(chars.italic);
    f.setFontStrikeOut(chars.strike);
    switch (chars.underline) {
    case RtfParser::Underline::None:
        f.setUnderlineStyle(QTextCharFormat::NoUnderline);
        break;
    case RtfParser::Underline::Single:
        f.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        break;
    case RtfParser::Underline::Dotted:
        f.setUnderlineStyle(QTextCharFormat::DotLine);
        break;
    case RtfParser::Underline::Dashed:
        f.setUnderlineStyle(QTextCharFormat::DashUnderline);
        break;
    case RtfParser::Underline::DashDot:
        f.setUnderlineStyle(QTextCharFormat::DashDotLine);
        break;
    case RtfParser::Underline::DashDotDot:
        f.setUnderlineStyle(QTextCharFormat::DashDotDotLine);
        break;
    case RtfParser::Underline::Wave:
        f.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        break;
    }
    switch (chars.valign) {
    case RtfParser::VAlign::Normal:
        f.setVerticalAlignment(QTextCharFormat::AlignNormal);
        break;
    case RtfParser::VAlign::Super:
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case RtfParser::VAlign::Sub:
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    }
    if (chars.halfPoints > 0) f.setFontPointSize(chars.halfPoints / 2.0);
    const QString family = parser_.fontFamily(chars.font);
    if (!family.isEmpty()) f.setFontFamilies(QStringList{family});
    const QColor fg = parser_.colour(chars.foreground);
    if (fg.isValid()) f.setForeground(fg);
    const QColor bg = parser_.colour(chars.background);
    if (bg.isValid()) f.setBackground(bg);
    if (!href.isEmpty()) {
        f.setAnchor(true);
        f.setAnchorHref(href);
    }
    cached_ = true;
    cachedChars_ = chars;
    cachedHref_ = href;
    cachedFormat_ = f;
    return f;
}

QTextBlockFormat RtfReader::blockFormat(const RtfParser::ParaProps& para) const {
    QTextBlockFormat b;
    switch (para.align) {
    case RtfParser::Align::Left:
        b.setAlignment(Qt::AlignLeft);
        break;
    case RtfParser::Align::Centre:
        b.setAlignment(Qt::AlignHCenter);
        break;
    case RtfParser::Align::Right:
        b.setAlignment(Qt::AlignRight);
        break;
    case RtfParser::Align::Justify:
        b.setAlignment(Qt::AlignJustify);
        break;
    }
    if (para.lineSpacing != 0) {
        if (para.lineMultiple && para.lineSpacing > 0)
            b.setLineHeight(qRound(qMin(para.lineSpacing, kMaxTwips) * 100.0 / 240.0),
                            QTextBlockFormat::ProportionalHeight);
        else if (para.lineSpacing > 0)
            b.setLineHeight(pixels(para.lineSpacing), QTextBlockFormat::MinimumHeight);
        else
            b.setLineHeight(-pixels(para.lineSpacing), QTextBlockFormat::FixedHeight);
    }
    // A list draws its own indent and number; the paragraph's indents only placed the marker.
    if (para.list == RtfParser::ListKind::None) {
        if (para.left) b.setLeftMargin(pixels(para.left));
        if (para.firstLine) b.setTextIndent(pixels(para.firstLine));
    }
    if (para.right) b.setRightMargin(pixels(para.right));
    if (para.before) b.setTopMargin(pixels(para.before));
    if (para.after) b.setBottomMargin(pixels(para.after));
    if (para.tabCount > 0) {
        QList<QTextOption::Tab> tabs;
        for (int i = 0; i < para.tabCount; ++i) {
            QTextOption::TabType type = QTextOption::LeftTab;
            switch (para.tabKinds[i]) {
            case RtfParser::TabKind::Left:
                break;
            case RtfParser::TabKind::Centre:
                type = QTextOption::CenterTab;
                break;
            case RtfParser::TabKind::Right:
                type = QTextOption::RightTab;
                break;
            case RtfParser::TabKind::Decimal:
                type = QTextOption::DelimiterTab;
                break;
            }
            tabs.append(
                QTextOption::Tab(pixels(para.tabs[i]), type,
                                 type == QTextOption::DelimiterTab ? QChar(u'.') : QChar()));
        }
        b.setTabPositions(tabs);
    }
    if (para.pageBreakBefore) b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return b;
}

void RtfReader::text(const QString& run, const RtfParser::CharProps& chars, const QString& href) {
    QTextCharFormat f = charFormat(chars, href);
    if (!runs_.empty() && runs_.back().format == f)
        runs_.back().text += run;
    else
        runs_.push_back(Run{run, f});
}

void RtfReader::paragraphEnd(const RtfParser::ParaProps& para, const RtfParser::CharProps& mark) {
    const QTextBlockFormat bf = blockFormat(para);
    const QTextCharFormat mf = charFormat(mark, QString());
    if (firstBlock_) {
        cursor_.setBlockFormat(bf);
        cursor_.setBlockCharFormat(mf);
        firstBlock_ = false;
    } else {
        cursor_.insertBlock(bf, mf);
    }
    for (const Run& r : runs_)
        cursor_.insertText(r.text, r.format);
    runs_.clear();
    attachToList(para);
}

void RtfReader::attachToList(const RtfParser::ParaProps& para) {
    if (para.list == RtfParser::ListKind::None) {
        lists_.fill(nullptr);
        return;
    }
    const int level = qBound(0, para.listLevel, int(lists_.size()) - 1);
    const QTextListFormat::Style style = listStyle(para.list, level);
    QTextList*& list = lists_[level];
    if (list && list->format().style() == style) {
        list->add(cursor_.block());
    } else {
        QTextListFormat lf;
        lf.setStyle(style);
        lf.setIndent(level + 1);
        list = cursor_.createList(lf);
    }
    for (int i = level + 1; i < int(lists_.size()); ++i)
        lists_[i] = nullptr;
}

} // namespace tavrin::diary
