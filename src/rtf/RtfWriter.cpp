#include "rtf/RtfWriter.h"

#include "rtf/RtfCodePage.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextList>

namespace tavrin::diary {
namespace {

// Paragraph lengths in a QTextDocument are pixels at 96 per inch; RTF has 1440 twips per inch.
constexpr qreal kTwipsPerPixel = 15.0;
constexpr int kListIndentTwips = 360;

void appendNumber(QByteArray& out, const char* word, qint64 value) {
    out += word;
    out += QByteArray::number(value);
}

int twips(qreal pixels) {
    return qRound(pixels * kTwipsPerPixel);
}

// Text in RTF: markup characters escaped, the rest of Windows-1252 as \'xx, anything beyond
// as \uN with "?" for readers that do not know \u (the header declares \uc1).
void appendText(QByteArray& out, QStringView text) {
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        switch (c) {
        case u'\\':
            out += "\\\\";
            continue;
        case u'{':
            out += "\\{";
            continue;
        case u'}':
            out += "\\}";
            continue;
        case u'\t':
            out += "\\tab ";
            continue;
        case u'\n':
        case u'\r':
        case 0x2028:
        case 0x2029:
            out += "\\line ";
            continue;
        case 0x00A0:
            out += "\\~";
            continue;
        case 0x00AD:
            out += "\\-";
            continue;
        case 0x2011:
            out += "\\_";
            continue;
        case 0xFFFC:
            continue; // an image or other object: not kept
        default:
            break;
        }
        if (c < 0x20 || c == 0x7F) continue;
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        const int b = RtfCodePage::toCp1252(c);
        if (b >= 0) {
            static const char hex[] = "0123456789abcdef";
            out += "\\'";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else if (c >= 0x80 && c < 0xA0) {
            continue; // C1 control characters carry nothing to show
        } else {
            // One \u per UTF-16 unit, as common word processors write characters beyond 0xFFFF.
            appendNumber(out, "\\u", qint16(c));
            out += '?';
        }
    }
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument* doc) {
    RtfWriter writer(doc);
    return writer.run();
}

RtfWriter::RtfWriter(const QTextDocument* doc) : doc_(doc) {
    fonts_.append(doc->defaultFont().family());
}

QByteArray RtfWriter::run() {
    for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next())
        writeBlock(b);

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (int i = 0; i < fonts_.size(); ++i) {
        appendNumber(out, "{\\f", i);
        out += "\\fnil\\fcharset0 ";
        // A semicolon ends a name in the font table and cannot be escaped there.
        appendText(out, QString(fonts_[i]).replace(u';', u','));
        out += ";}";
    }
    out += "}\n{\\colortbl;";
    for (QRgb c : colours_) {
        appendNumber(out, "\\red", qRed(c));
        appendNumber(out, "\\green", qGreen(c));
        appendNumber(out, "\\blue", qBlue(c));
        out += ';';
    }
    out += "}\n";
    out += body_;
    out += "}\n";
    return out;
}

int RtfWriter::fontIndex(const QString& family) {
    qsizetype i = fonts_.indexOf(family);
    if (i < 0) {
        fonts_.append(family);
        i = fonts_.size() - 1;
    }
    return int(i);
}

int RtfWriter::colourIndex(const QColor& colour) {
    const QRgb rgb = colour.rgb() | 0xFF000000u;
    qsizetype i = colours_.indexOf(rgb);
    if (i < 0) {
        colours_.append(rgb);
        i = colours_.size() - 1;
    }
    return int(i) + 1; // index 0 is "automatic"
}

QString RtfWriter::familyOf(const QTextCharFormat& f) const {
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) return families.first();
    const QString single = f.stringProperty(QTextFormat::FontFamily);
    if (!single.isEmpty()) return single;
    return doc_->defaultFont().family();
}

int RtfWriter::halfPointsOf(const QTextCharFormat& f) const {
    qreal points = 0;
    if (f.hasProperty(QTextFormat::FontPointSize))
        points = f.fontPointSize();
    else if (f.hasProperty(QTextFormat::FontPixelSize))
        points = f.intProperty(QTextFormat::FontPixelSize) * 0.75;
    if (points <= 0) {
        const QFont def = doc_->defaultFont();
        points = def.pointSizeF() > 0 ? def.pointSizeF() : def.pixelSize() * 0.75;
    }
    if (points <= 0) points = 12;
    return qBound(2, qRound(points * 2), 3276);
}

void RtfWriter::writeCharFormat(const QTextCharFormat& f) {
    const int font = fontIndex(familyOf(f));
    if (font != 0) appendNumber(body_, "\\f", font);
    // A size is written only where one was chosen: text without one (a plain-text body, say)
    // keeps taking the editor's default size.
    if (f.hasProperty(QTextFormat::FontPointSize) || f.hasProperty(QTextFormat::FontPixelSize))
        appendNumber(body_, "\\fs", halfPointsOf(f));
    if (f.fontWeight() >= QFont::DemiBold) body_ += "\\b";
    if (f.fontItalic()) body_ += "\\i";
    QTextCharFormat::UnderlineStyle ul =
        f.hasProperty(QTextFormat::TextUnderlineStyle)
            ? f.underlineStyle()
            : (f.fontUnderline() ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline);
    switch (ul) {
    case QTextCharFormat::SingleUnderline:
        body_ += "\\ul";
        break;
    case QTextCharFormat::DashUnderline:
        body_ += "\\uldash";
        break;
    case QTextCharFormat::DotLine:
        body_ += "\\uld";
        break;
    case QTextCharFormat::DashDotLine:
        body_ += "\\uldashd";
        break;
    case QTextCharFormat::DashDotDotLine:
        body_ += "\\uldashdd";
        break;
    case QTextCharFormat::WaveUnderline:
        body_ += "\\ulwave";
        break;
    default:
        break; // none, and the spelling checker's marks, which are not the text's
    }
    if (f.fontStrikeOut()) body_ += "\\strike";
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        body_ += "\\super";
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        body_ += "\\sub";
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        appendNumber(body_, "\\cf", colourIndex(f.foreground().color()));
    if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
        appendNumber(body_, "\\highlight", colourIndex(f.background().color()));
}

void RtfWriter::writeParagraphFormat(const QTextBlock& block) {
    const QTextBlockFormat bf = block.blockFormat();
    const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        body_ += "\\qc";
    else if (a & Qt::AlignJustify)
        body_ += "\\qj";
    else if ((a & Qt::AlignRight) && !(a & Qt::AlignLeft))
        body_ += "\\qr";

    qreal left = bf.leftMargin() + bf.indent() * doc_->indentWidth();
    qreal firstLine = bf.textIndent();
    if (const QTextList* list = block.textList()) {
        // Other readers place the bullet in a hanging indent; ours takes the list's indent.
        left += list->format().indent() * doc_->indentWidth();
        firstLine = -kListIndentTwips / kTwipsPerPixel;
        appendNumber(body_, "\\ilvl", qBound(0, list->format().indent() - 1, 8));
    }
    if (twips(left)) appendNumber(body_, "\\li", twips(left));
    if (twips(bf.rightMargin())) appendNumber(body_, "\\ri", twips(bf.rightMargin()));
    if (twips(firstLine)) appendNumber(body_, "\\fi", twips(firstLine));
    if (twips(bf.topMargin())) appendNumber(body_, "\\sb", twips(bf.topMargin()));
    if (twips(bf.bottomMargin())) appendNumber(body_, "\\sa", twips(bf.bottomMargin()));

    const qreal height = bf.lineHeight();
    switch (bf.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (qRound(height) != 100 && height > 0) {
            appendNumber(body_, "\\sl", qRound(240 * height / 100));
            body_ += "\\slmult1";
        }
        break;
    case QTextBlockFormat::FixedHeight:
        if (height > 0) {
            appendNumber(body_, "\\sl", -twips(height));
            body_ += "\\slmult0";
        }
        break;
    case QTextBlockFormat::MinimumHeight:
        if (height > 0) {
            appendNumber(body_, "\\sl", twips(height));
            body_ += "\\slmult0";
        }
        break;
    default:
        break;
    }

    for (const QTextOption::Tab& tab : bf.tabPositions()) {
        switch (tab.type) {
        case QTextOption::RightTab:
            body_ += "\\tqr";
            break;
        case QTextOption::CenterTab:
            body_ += "\\tqc";
            break;
        case QTextOption::DelimiterTab:
            body_ += "\\tqdec";
            break;
        default:
            break;
        }
        appendNumber(body_, "\\tx", twips(tab.position));
    }

    const QTextBlock previous = block.previous();
    if ((bf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) ||
        (previous.isValid() &&
         (previous.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter)))
        body_ += "\\pagebb";
}

void RtfWriter::writeBlock(const QTextBlock& block) {
    body_ += "\\pard";
    writeParagraphFormat(block);
    body_ += "\\plain";
    writeCharFormat(block.charFormat());

    if (const QTextList* list = block.textList()) {
        // Old-style paragraph numbering: one group per paragraph, read by every RTF reader;
        // \pntext carries the number for readers that do not number by themselves.
        const QTextListFormat::Style style = list->format().style();
        const bool bullet = style == QTextListFormat::ListDisc ||
                            style == QTextListFormat::ListCircle ||
                            style == QTextListFormat::ListSquare;
        body_ += "{\\pntext ";
        if (bullet)
            body_ += "\\'95";
        else
            appendText(body_, list->itemText(block));
        body_ += "\\tab}{\\*\\pn";
        if (bullet) {
            body_ += "\\pnlvlblt";
        } else {
            body_ += "\\pnlvlbody";
            switch (style) {
            case QTextListFormat::ListLowerAlpha:
                body_ += "\\pnlcltr";
                break;
            case QTextListFormat::ListUpperAlpha:
                body_ += "\\pnucltr";
                break;
            case QTextListFormat::ListLowerRoman:
                body_ += "\\pnlcrm";
                break;
            case QTextListFormat::ListUpperRoman:
                body_ += "\\pnucrm";
                break;
            default:
                body_ += "\\pndec";
                break;
            }
            body_ += "\\pnstart1";
        }
        appendNumber(body_, "\\pnindent", kListIndentTwips);
        body_ += bullet ? "{\\pntxtb\\'95}}" : "{\\pntxta .}}";
    }
    // Every run is a group of its own, so nothing here needs a delimiting space.

    QString openLink;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid()) continue;
        const QTextCharFormat f = fragment.charFormat();
        const QString href = f.isAnchor() ? f.anchorHref() : QString();
        if (href != openLink) {
            if (!openLink.isEmpty()) body_ += "}}}";
            if (!href.isEmpty()) {
                // Field instructions escape backslashes and quotes once more.
                QString target = href;
                QString instruction = QStringLiteral("HYPERLINK ");
                if (target.startsWith(u'#')) {
                    instruction += QStringLiteral("\\l ");
                    target.remove(0, 1);
                }
                target.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
                instruction += u'"' + target + u'"';
                body_ += "{\\field{\\*\\fldinst{";
                appendText(body_, instruction);
                body_ += "}}{\\fldrslt{";
            }
            openLink = href;
        }
        body_ += "{\\plain";
        writeCharFormat(f);
        body_ += ' ';
        appendText(body_, fragment.text());
        body_ += '}';
    }
    if (!openLink.isEmpty()) body_ += "}}}";
    body_ += "\\par\n";
}

} // namespace tavrin::diary
