// Draws the skins shipped with Tavelle Suite: for each skin the 164-byte index file
// "<name>.TNS" and, in the folder "<name>/", every picture as a BMP file. Run at build time:
//
//     tavrin-skingen <output folder>
//
// The output depends only on this file, the two shared layout headers and the DejaVu and
// Liberation font files, so every build draws the same pictures.

#include "SkinBodyAreas.h"
#include "SkinLayout.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <functional>

using tavrin::SkinBodyArea;
using tavrin::SkinBodyAreas;
using L = tavrin::SkinLayout;

namespace {

// ---------------------------------------------------------------------------------------------
// Colours of one skin.

struct Theme {
    QString name;
    QString author;
    // Main window.
    QColor frame, frameEdge, frameLine;    // title strip and side bar, outline, separators
    QColor card, cardEdge, cardShadow;     // the page card
    QColor titleText;
    QColor accent, accentDark, accentText; // pushed buttons, marks
    // Buttons.
    QColor buttonTop, buttonBottom, buttonEdge, buttonShadow, buttonText, icon;
    // Body pictures and faces.
    QColor bodyFill, bodyEdge, bodyDetail, marker, leader;
    // Dialog background gradient.
    QColor backTop, backBottom;
    // The index record.
    std::array<QColor, 9> backgrounds;
    std::array<QColor, 7> controls;
    QColor buttonKey, windowKey;
};

QColor hex(unsigned rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

Theme corvelWindows() {
    Theme t;
    t.name = "Corvel Windows";
    t.author = "Halcyrn Ostevelder";
    t.frame = hex(0xE9EEF5);
    t.frameEdge = hex(0x9AA8BA);
    t.frameLine = hex(0xCBD4E0);
    t.card = hex(0xFFFFFF);
    t.cardEdge = hex(0xCFD8E3);
    t.cardShadow = hex(0xD9E0EA);
    t.titleText = hex(0x24303F);
    t.accent = hex(0x3A7BDC);
    t.accentDark = hex(0x2759A8);
    t.accentText = hex(0xFFFFFF);
    t.buttonTop = hex(0xFFFFFF);
    t.buttonBottom = hex(0xF0F3F8);
    t.buttonEdge = hex(0xC3CDDA);
    t.buttonShadow = hex(0xC9D2DE);
    t.buttonText = hex(0x24303F);
    t.icon = hex(0x2F6FD0);
    t.bodyFill = hex(0xE4ECF6);
    t.bodyEdge = hex(0x7C91AC);
    t.bodyDetail = hex(0xA9B8CB);
    t.marker = hex(0xD64545);
    t.leader = hex(0x9AA8BA);
    t.backTop = hex(0xF8FAFD);
    t.backBottom = hex(0xE8EDF4);
    t.backgrounds = {hex(0xF0F4F9), hex(0xFFFFFF), hex(0xE6ECF3), hex(0xFFFFFF), hex(0xF3F6FA),
                     hex(0xFFFFFF), hex(0xA7B3C3), hex(0xDCE8F9), hex(0xFFFFFF)};
    t.controls = {hex(0x1F2933), hex(0xFFFFFF), hex(0xD2504B), hex(0x2F6FD0),
                  hex(0x1F2933), hex(0x24303F), hex(0x3A7BDC)};
    t.buttonKey = hex(0xFF00FF);
    t.windowKey = hex(0xFF00FF);
    return t;
}

Theme corvelNight() {
    Theme t;
    t.name = "Corvel Night";
    t.author = "Halcyrn Ostevelder";
    t.frame = hex(0x171C25);
    t.frameEdge = hex(0x05070A);
    t.frameLine = hex(0x2C3544);
    t.card = hex(0x222936);
    t.cardEdge = hex(0x323C4D);
    t.cardShadow = hex(0x10141A);
    t.titleText = hex(0xDCE3EC);
    t.accent = hex(0x3FB5A8);
    t.accentDark = hex(0x2A8279);
    t.accentText = hex(0xFFFFFF);
    t.buttonTop = hex(0x2E3747);
    t.buttonBottom = hex(0x262E3C);
    t.buttonEdge = hex(0x3A4557);
    t.buttonShadow = hex(0x0C0F14);
    t.buttonText = hex(0xDCE3EC);
    t.icon = hex(0x52C7BA);
    t.bodyFill = hex(0x36425A);
    t.bodyEdge = hex(0x93A6C2);
    t.bodyDetail = hex(0x6C7E99);
    t.marker = hex(0xF0725F);
    t.leader = hex(0x6C7E99);
    t.backTop = hex(0x29313F);
    t.backBottom = hex(0x1B212B);
    t.backgrounds = {hex(0x232A36), hex(0x2A3240), hex(0x1E242F), hex(0x1E2530), hex(0x323B4B),
                     hex(0x46516A), hex(0x0F1318), hex(0x3D4A61), hex(0x1E2530)};
    t.controls = {hex(0xE3E8EF), hex(0xFFFFFF), hex(0xA33A45), hex(0x4FC3B5),
                  hex(0xE3E8EF), hex(0xD5DCE6), hex(0x2E8C83)};
    t.buttonKey = hex(0xFF00FF);
    t.windowKey = hex(0xFF00FF);
    return t;
}

// ---------------------------------------------------------------------------------------------
// Fonts: loaded from their files, so that the pictures do not depend on font configuration.

QString g_sans = "DejaVu Sans";
QString g_label = "Liberation Sans";

QString addFont(const char* path, const QString& fallback) {
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(path));
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    return families.isEmpty() ? fallback : families.first();
}

void loadFonts() {
    g_sans = addFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVu Sans");
    addFont("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "DejaVu Sans");
    g_label = addFont("/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf", "Liberation Sans");
    addFont("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", "Liberation Sans");
}

QFont font(const QString& family, int pixels, bool bold) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// ---------------------------------------------------------------------------------------------
// Pictures.

// Pictures are drawn in pixels of the layout; the sharp ones for screens of ratio 2 are the same
// drawings on twice as many pixels.
int g_scale = 1;

QImage transparentImage(int w, int h) {
    QImage img(w * g_scale, h * g_scale, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(g_scale);
    img.fill(Qt::transparent);
    return img;
}

// Flattens a drawing with soft edges for a picture whose outside is a key colour: pixels that
// are mostly transparent become the key, the others are blended onto `behind` (the colour the
// picture will be shown on), so no fringe of the key colour is left around the edges.
QImage keyed(const QImage& drawing, const QColor& behind, const QColor& key) {
    const QImage src = drawing.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int a = qAlpha(s[x]);
            if (a < 100) {
                d[x] = key.rgb();
                continue;
            }
            auto mix = [&](int c, int b) { return (c * a + b * (255 - a) + 127) / 255; };
            QRgb p = qRgb(mix(qRed(s[x]), behind.red()), mix(qGreen(s[x]), behind.green()),
                          mix(qBlue(s[x]), behind.blue()));
            if ((p & 0xFFFFFFu) == (key.rgb() & 0xFFFFFFu)) p ^= 1; // never the key by chance
            d[x] = p;
        }
    }
    return out;
}

QImage opaque(const QImage& drawing) { return drawing.convertToFormat(QImage::Format_RGB32); }

bool save(const QImage& img, const QString& path) {
    if (!img.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
        std::fprintf(stderr, "tavrin-skingen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Icons, drawn with strokes in a 24 x 24 box.

using Icon = std::function<void(QPainter&, const QColor&)>;

QPen iconPen(const QColor& c, qreal w = 2.0) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void iconDiary(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 3, 14, 18), 2, 2);
    p.drawLine(QPointF(8.5, 3), QPointF(8.5, 21));
    p.setPen(iconPen(c, 1.6));
    p.drawLine(QPointF(11.5, 8), QPointF(16, 8));
    p.drawLine(QPointF(11.5, 11.5), QPointF(16, 11.5));
}

void iconReminder(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c));
    p.setBrush(Qt::NoBrush);
    QPainterPath bell;
    bell.moveTo(5, 17.5);
    bell.cubicTo(7, 15, 6.5, 11, 7, 9.5);
    bell.cubicTo(7.5, 6, 9.5, 4.5, 12, 4.5);
    bell.cubicTo(14.5, 4.5, 16.5, 6, 17, 9.5);
    bell.cubicTo(17.5, 11, 17, 15, 19, 17.5);
    bell.closeSubpath();
    p.drawPath(bell);
    p.drawLine(QPointF(12, 2.5), QPointF(12, 4.5));
    p.drawArc(QRectF(9.5, 17.5, 5, 4), 180 * 16, 180 * 16);
}

void iconPlanner(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4, 5.5, 16, 15), 2, 2);
    p.drawLine(QPointF(4, 10), QPointF(20, 10));
    p.drawLine(QPointF(8.5, 3), QPointF(8.5, 7));
    p.drawLine(QPointF(15.5, 3), QPointF(15.5, 7));
    p.drawPolyline(QPolygonF({QPointF(8.5, 15), QPointF(11, 17.5), QPointF(15.5, 12.8)}));
}

void iconContacts(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 8.5), 4, 4);
    QPainterPath body;
    body.moveTo(4.5, 20.5);
    body.cubicTo(5, 15.5, 8, 13.8, 12, 13.8);
    body.cubicTo(16, 13.8, 19, 15.5, 19.5, 20.5);
    p.drawPath(body);
}

void iconCookbook(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 11, 14, 9), 2.5, 2.5);
    p.drawLine(QPointF(3, 11), QPointF(21, 11));
    p.drawLine(QPointF(3, 13.5), QPointF(5, 13.5));
    p.drawLine(QPointF(19, 13.5), QPointF(21, 13.5));
    p.setPen(iconPen(c, 1.5));
    for (qreal x : {9.0, 12.0, 15.0}) {
        QPainterPath steam;
        steam.moveTo(x, 8.5);
        steam.cubicTo(x - 1.5, 7, x + 1.5, 5.5, x, 3.5);
        p.drawPath(steam);
    }
}

void iconGraph(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(4, 3.5), QPointF(4, 20), QPointF(20.5, 20)}));
    p.drawPolyline(
        QPolygonF({QPointF(7, 16), QPointF(11, 11), QPointF(14, 13.5), QPointF(19.5, 6.5)}));
    p.setBrush(c);
    p.drawEllipse(QPointF(19.5, 6.5), 1.3, 1.3);
}

void iconTools(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(5.5, 18.5), QPointF(13, 11));
    p.setPen(iconPen(c, 2.0));
    // The jaw: a ring opened towards the upper right.
    p.drawArc(QRectF(11, 4, 9, 9), 75 * 16, 300 * 16);
}

void iconOpen(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({QPointF(3.5, 19), QPointF(3.5, 5), QPointF(9, 5), QPointF(11, 7.5),
                             QPointF(18, 7.5), QPointF(18, 10.5)}));
    p.drawPolygon(QPolygonF(
        {QPointF(3.5, 19), QPointF(6.5, 10.5), QPointF(21, 10.5), QPointF(18, 19)}));
}

void iconCreate(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({QPointF(5, 3), QPointF(14, 3), QPointF(19, 8), QPointF(19, 21),
                             QPointF(5, 21)}));
    p.drawLine(QPointF(12, 10.5), QPointF(12, 17.5));
    p.drawLine(QPointF(8.5, 14), QPointF(15.5, 14));
}

void iconOptions(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c, 2.6));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(QPointF(12 + 6.2 * std::cos(a), 12 + 6.2 * std::sin(a)),
                   QPointF(12 + 8.6 * std::cos(a), 12 + 8.6 * std::sin(a)));
    }
    p.setPen(iconPen(c));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 5.6, 5.6);
    p.drawEllipse(QPointF(12, 12), 2.2, 2.2);
}

void iconCircleLetter(QPainter& p, const QColor& c, const QString& letter) {
    p.setPen(iconPen(c));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
    p.setFont(font(g_sans, 13, true));
    p.drawText(QRectF(3, 3, 18, 18.5), Qt::AlignCenter, letter);
}

void iconHelp(QPainter& p, const QColor& c) { iconCircleLetter(p, c, "?"); }
void iconAbout(QPainter& p, const QColor& c) { iconCircleLetter(p, c, "i"); }

void iconMinimize(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c, 2.4));
    p.drawLine(QPointF(6, 16), QPointF(18, 16));
}

void iconExit(QPainter& p, const QColor& c) {
    p.setPen(iconPen(c, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 5, 15, 15), 60 * 16, -300 * 16);
    p.drawLine(QPointF(12, 3.5), QPointF(12, 11));
}

// ---------------------------------------------------------------------------------------------
// Buttons: a rounded face with an icon and a label; the pushed one in the accent colour, lower
// by a pixel and without the shadow beneath.

QImage button(const Theme& t, int w, int h, const QString& label, const Icon& icon, bool pushed,
              int iconBox, int labelPx) {
    QImage img = transparentImage(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal radius = h >= 36 ? 7 : 5;
    const QRectF face(0.5, 0.5, w - 1, h - 2.5);
    if (!pushed) { // a shadow one pixel under the face
        p.setPen(Qt::NoPen);
        p.setBrush(t.buttonShadow);
        p.drawRoundedRect(face.translated(0, 1.5), radius, radius);
    }
    const QRectF body = pushed ? face.translated(0, 1) : face;
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, pushed ? t.accent : t.buttonTop);
    g.setColorAt(1, pushed ? t.accentDark : t.buttonBottom);
    p.setBrush(g);
    p.setPen(QPen(pushed ? t.accentDark.darker(115) : t.buttonEdge, 1));
    p.drawRoundedRect(body, radius, radius);
    if (pushed) { // pressed in: a darker line along the top inside
        p.setPen(QPen(QColor(0, 0, 0, 50), 1.5));
        p.drawLine(QPointF(body.left() + radius, body.top() + 1.5),
                   QPointF(body.right() - radius, body.top() + 1.5));
    }

    const QColor fg = pushed ? t.accentText : t.icon;
    const qreal shift = pushed ? 1 : 0;
    const qreal iconX = label.isEmpty() ? (w - iconBox) / 2.0 : 9;
    const qreal iconY = (h - 2 - iconBox) / 2.0 + shift;
    p.save();
    p.translate(iconX + shift, iconY);
    p.scale(iconBox / 24.0, iconBox / 24.0);
    icon(p, fg);
    p.restore();

    if (!label.isEmpty()) {
        p.setFont(font(g_label, labelPx, true));
        p.setPen(pushed ? t.accentText : t.buttonText);
        const qreal textX = iconX + iconBox + 8 + shift;
        p.drawText(QRectF(textX, shift, w - textX - 4, h - 2), Qt::AlignLeft | Qt::AlignVCenter,
                   label);
    }
    p.end();
    return keyed(img, t.frame, t.buttonKey);
}

QImage radio(const Theme& t, bool pushed) {
    QImage img = transparentImage(16, 16);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(pushed ? t.accentDark : t.leader, 1.2));
    QLinearGradient g(0, 0, 0, 16);
    g.setColorAt(0, t.buttonTop);
    g.setColorAt(1, t.buttonBottom);
    p.setBrush(g);
    p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
    if (pushed) {
        p.setPen(Qt::NoPen);
        p.setBrush(t.accent);
        p.drawEllipse(QPointF(8, 8), 3.6, 3.6);
    }
    p.end();
    return keyed(img, t.card, t.buttonKey);
}

// ---------------------------------------------------------------------------------------------
// Backgrounds.

// A leaf: the program's mark in the title strip.
void drawLeaf(QPainter& p, const QRectF& box, const QColor& c, const QColor& vein) {
    QPainterPath leaf;
    const QPointF a(box.left() + box.width() * 0.12, box.bottom() - box.height() * 0.1);
    const QPointF b(box.right() - box.width() * 0.08, box.top() + box.height() * 0.08);
    leaf.moveTo(a);
    leaf.cubicTo(QPointF(box.left(), box.top() + box.height() * 0.35),
                 QPointF(box.left() + box.width() * 0.45, box.top()), b);
    leaf.cubicTo(QPointF(box.right(), box.top() + box.height() * 0.55),
                 QPointF(box.left() + box.width() * 0.6, box.bottom()), a);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(leaf);
    p.setPen(QPen(vein, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(a.x() - box.width() * 0.06, a.y() + box.height() * 0.06),
               QPointF(box.left() + box.width() * 0.66, box.top() + box.height() * 0.36));
}

QImage backLarge(const Theme& t) {
    const int W = L::kWindowWidth, H = L::kWindowHeight;
    QImage img = transparentImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // The outline: a rounded window with a one-pixel edge.
    p.setPen(QPen(t.frameEdge, 1));
    p.setBrush(t.frame);
    p.drawRoundedRect(QRectF(0.5, 0.5, W - 1, H - 1), L::kCornerRadius, L::kCornerRadius);

    // A faint sheen across the title strip.
    QLinearGradient sheen(0, 1, 0, L::kTitleHeight);
    sheen.setColorAt(0, QColor(255, 255, 255, t.frame.lightness() > 128 ? 120 : 18));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    QPainterPath top;
    top.addRoundedRect(QRectF(1, 1, W - 2, L::kTitleHeight + L::kCornerRadius), L::kCornerRadius - 1,
                       L::kCornerRadius - 1);
    QPainterPath strip;
    strip.addRect(QRectF(0, 0, W, L::kTitleHeight));
    p.drawPath(top.intersected(strip));

    drawLeaf(p, QRectF(14, 9, 22, 22), t.accent, t.frame);

    // The page card with its shadow.
    const QRectF card(L::kPageX, L::kPageY, L::kPageWidth, L::kPageHeight);
    for (int i = 3; i >= 1; --i) {
        QColor s = t.cardShadow;
        s.setAlpha(60 + 40 * (3 - i));
        p.setPen(Qt::NoPen);
        p.setBrush(s);
        p.drawRoundedRect(card.adjusted(-i, -i + 1, i, i + 1), 3 + i, 3 + i);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(t.cardEdge);
    p.setBrush(t.card);
    p.drawRect(card.toRect().adjusted(-1, -1, 0, 0));

    // Between the module buttons and the smaller ones.
    const int sepY = L::moduleButtonY(7) + 1;
    p.setPen(t.frameLine);
    p.drawLine(L::kButtonX + 6, sepY, L::kButtonX + L::kButtonWidth - 6, sepY);
    p.end();
    return keyed(img, t.frameEdge, t.windowKey);
}

QImage backMain(const Theme& t) {
    QImage img = transparentImage(L::kPageWidth, L::kPageHeight);
    img.fill(t.card);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A large, very faint leaf in the lower right corner.
    QColor mark = t.accent;
    mark.setAlpha(t.card.lightness() > 128 ? 12 : 16);
    QColor vein = t.card;
    drawLeaf(p, QRectF(L::kPageWidth - 230, L::kPageHeight - 230, 210, 210), mark, vein);
    p.end();
    return opaque(img);
}

QImage backAll(const Theme& t) {
    QImage img = transparentImage(640, 480);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 480);
    g.setColorAt(0, t.backTop);
    g.setColorAt(1, t.backBottom);
    p.fillRect(QRect(0, 0, 640, 480), g);
    p.end();
    return opaque(img);
}

// ---------------------------------------------------------------------------------------------
// Body figures: a person seen from behind or from the front, with the pain-map areas marked.

// Smooth closed curve through the points (Catmull-Rom turned into cubic Béziers).
QPainterPath smoothClosed(const QList<QPointF>& pts) {
    QPainterPath path;
    const int n = int(pts.size());
    path.moveTo(pts[0]);
    for (int i = 0; i < n; ++i) {
        const QPointF p0 = pts[(i - 1 + n) % n], p1 = pts[i], p2 = pts[(i + 1) % n],
                      p3 = pts[(i + 2) % n];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    path.closeSubpath();
    return path;
}

QPainterPath bodyOutline() {
    // The left half, from the neck round the arm and down to the crotch; the right half mirrors
    // it about the centre line.
    const QList<QPointF> left = {
        {50, 41},  {50, 47},  {41, 50},  {33, 53},  {28, 60},  {26, 80},  {24, 101},
        {22, 120}, {20, 137}, {19, 146}, {22, 153}, {26, 150}, {28, 138}, {31, 118},
        {32, 102}, {35, 80},  {37, 98},  {36, 114}, {35, 130}, {36, 160}, {38, 195},
        {38, 214}, {42, 241}, {38, 249}, {41, 253}, {51, 253}, {52, 242}, {51, 214},
        {51, 195}, {53, 165}, {55, 157},
    };
    QList<QPointF> all = left;
    for (auto it = left.rbegin() + 1; it != left.rend(); ++it)
        all.append(QPointF(SkinBodyAreas::kWidth - it->x(), it->y()));
    all.removeLast(); // the neck point again
    QPainterPath body = smoothClosed(all);
    QPainterPath head;
    head.addEllipse(QPointF(55, 28.5), 10.5, 13);
    return body.united(head);
}

QImage body(const Theme& t, bool back) {
    const int W = SkinBodyAreas::kWidth, H = SkinBodyAreas::kHeight;
    // Around the figure the key colour, so that the page shows through.
    QImage img = transparentImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setPen(QPen(t.bodyEdge, 1.4));
    p.setBrush(t.bodyFill);
    p.drawPath(bodyOutline());

    p.setPen(QPen(t.bodyDetail, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    if (back) {
        // Hair over the back of the head, the spine, the shoulder blades, the buttocks.
        QPainterPath hair;
        hair.addEllipse(QPointF(55, 27), 9.4, 11.5);
        p.setBrush(t.bodyDetail);
        p.setPen(Qt::NoPen);
        p.drawPath(hair);
        p.setPen(QPen(t.bodyDetail, 1.1, Qt::DashLine, Qt::RoundCap));
        p.drawLine(QPointF(55, 50), QPointF(55, 118));
        p.setPen(QPen(t.bodyDetail, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(40, 58, 11, 20), 100 * 16, 150 * 16);
        p.drawArc(QRectF(59, 58, 11, 20), 80 * 16, -150 * 16);
        QPainterPath seat;
        seat.moveTo(55, 128);
        seat.lineTo(55, 146);
        seat.moveTo(42, 148);
        seat.quadTo(48, 152, 54, 148);
        seat.moveTo(56, 148);
        seat.quadTo(62, 152, 68, 148);
        p.drawPath(seat);
    } else {
        // Eyes, collar bones, navel and knee caps.
        p.setBrush(t.bodyDetail);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(51, 27), 1.2, 1.2);
        p.drawEllipse(QPointF(59, 27), 1.2, 1.2);
        p.drawEllipse(QPointF(55, 104), 1.0, 1.0);
        p.setPen(QPen(t.bodyDetail, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(50.5, 30, 9, 6), 200 * 16, 140 * 16);
        p.drawLine(QPointF(53, 53), QPointF(40, 53.5));
        p.drawLine(QPointF(57, 53), QPointF(70, 53.5));
        p.drawArc(QRectF(41, 188, 9, 8), 20 * 16, 140 * 16);
        p.drawArc(QRectF(60, 188, 9, 8), 20 * 16, 140 * 16);
    }

    // Which view this is, at the top.
    p.setFont(font(g_sans, 8, true));
    p.setPen(t.bodyEdge);
    p.drawText(QRectF(0, 1, W, 11), Qt::AlignHCenter | Qt::AlignTop, back ? "BACK" : "FRONT");

    // The areas: a spot, a leader line to the edge and a numbered disc there.
    const auto draw = [&](const SkinBodyArea& a) {
        const qreal discX = a.onLeft ? SkinBodyAreas::kLeftDiscX : SkinBodyAreas::kRightDiscX;
        const qreal r = SkinBodyAreas::kDiscRadius;
        const qreal edgeX = a.onLeft ? discX + r : discX - r;
        p.setPen(QPen(t.leader, 0.9));
        p.drawLine(QPointF(edgeX, a.labelY), QPointF(a.x, a.y));
        p.setPen(QPen(t.card, 1.2));
        p.setBrush(t.marker);
        p.drawEllipse(QPointF(a.x, a.y), 2.8, 2.8);
        p.setPen(Qt::NoPen);
        p.setBrush(t.accent);
        p.drawEllipse(QPointF(discX, a.labelY), r, r);
        p.setPen(t.accentText);
        p.setFont(font(g_label, a.value >= 10 ? 8 : 9, true));
        p.drawText(QRectF(discX - r, a.labelY - r, 2 * r, 2 * r + 0.5), Qt::AlignCenter,
                   QString::number(a.value));
    };
    if (back)
        for (const auto& a : SkinBodyAreas::back) draw(a);
    else
        for (const auto& a : SkinBodyAreas::front) draw(a);
    p.end();
    return keyed(img, t.backgrounds[1], t.buttonKey);
}

// ---------------------------------------------------------------------------------------------
// Mood faces, -3 (very sad) to +3 (very happy).

QImage face(const Theme& t, int mood) {
    const int S = L::kFaceSize;
    static const unsigned fills[7] = {0xE05252, 0xE87A4A, 0xEFA84A, 0xF2CD4B,
                                      0xC8D94E, 0x8DCB57, 0x4DB86A};
    const QColor fill = hex(fills[mood + 3]);
    const QColor ink = fill.darker(230);
    QImage img = transparentImage(S, S); // the key colour around the face
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(S / 48.0, S / 48.0);

    QRadialGradient g(QPointF(19, 16), 26);
    g.setColorAt(0, fill.lighter(125));
    g.setColorAt(1, fill);
    p.setPen(QPen(fill.darker(140), 1.5));
    p.setBrush(g);
    p.drawEllipse(QPointF(24, 24), 21, 21);

    p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    // Eyes: closed and smiling at +3, round dots otherwise.
    if (mood == 3) {
        p.drawArc(QRectF(13, 16, 8, 7), 20 * 16, 140 * 16);
        p.drawArc(QRectF(27, 16, 8, 7), 20 * 16, 140 * 16);
    } else {
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(17.5, 19), 2.4, 2.8);
        p.drawEllipse(QPointF(30.5, 19), 2.4, 2.8);
        p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
    }
    // Worried brows, raised towards the middle, at -2 and -3.
    if (mood <= -2) {
        p.drawLine(QPointF(13, 13), QPointF(20, 11 + (mood == -3 ? -1.5 : 0)));
        p.drawLine(QPointF(35, 13), QPointF(28, 11 + (mood == -3 ? -1.5 : 0)));
    }
    // Mouth: a curve bent by the mood, open at both ends of the scale.
    const qreal bend = mood * 3.2;
    if (mood == 3) {
        QPainterPath m;
        m.moveTo(14, 29);
        m.cubicTo(16, 39, 32, 39, 34, 29);
        m.closeSubpath();
        p.setBrush(ink);
        p.drawPath(m);
        p.setBrush(Qt::NoBrush);
    } else if (mood == -3) {
        QPainterPath m;
        m.moveTo(15, 37);
        m.cubicTo(17, 27.5, 31, 27.5, 33, 37);
        m.closeSubpath();
        p.setBrush(ink);
        p.drawPath(m);
        p.setBrush(Qt::NoBrush);
        // A tear.
        QPainterPath tear;
        tear.moveTo(31, 23);
        tear.cubicTo(29, 27, 29.5, 29.5, 31, 29.5);
        tear.cubicTo(32.5, 29.5, 33, 27, 31, 23);
        p.setPen(QPen(hex(0x2F7FD0), 1));
        p.setBrush(hex(0x7FB8F0));
        p.drawPath(tear);
    } else {
        QPainterPath m;
        const qreal half = 8 + qAbs(mood) * 0.8;
        m.moveTo(24 - half, 32 - bend / 3);
        m.quadTo(24, 32 + bend, 24 + half, 32 - bend / 3);
        p.drawPath(m);
    }
    p.end();
    return keyed(img, t.backgrounds[1], t.buttonKey);
}

// ---------------------------------------------------------------------------------------------
// The index file.

QByteArray indexFile(const Theme& t) {
    QByteArray index(164, '\0');
    auto putText = [&](int off, int size, const QString& s) {
        const QByteArray b = s.toLatin1().left(size - 1);
        std::copy(b.begin(), b.end(), index.begin() + off);
    };
    auto putColour = [&](int off, const QColor& c) { // 0x00BBGGRR, little-endian
        index[off] = char(c.red());
        index[off + 1] = char(c.green());
        index[off + 2] = char(c.blue());
        index[off + 3] = 0;
    };
    putText(0, 60, QString("Tavelle Suite skin: %1").arg(t.name));
    putText(60, 32, t.author);
    for (int i = 0; i < 9; ++i) putColour(92 + 4 * i, t.backgrounds[size_t(i)]);
    putColour(128, t.buttonKey);
    for (int i = 0; i < 7; ++i) putColour(132 + 4 * i, t.controls[size_t(i)]);
    putColour(160, t.windowKey);
    return index;
}

bool writeSkin(const Theme& t, const QString& root) {
    QDir dir(root);
    if (!dir.mkpath(t.name)) {
        std::fprintf(stderr, "tavrin-skingen: cannot create %s/%s\n", qPrintable(root),
                     qPrintable(t.name));
        return false;
    }
    QFile index(dir.filePath(t.name + ".TNS"));
    if (!index.open(QIODevice::WriteOnly) || index.write(indexFile(t)) != 164) {
        std::fprintf(stderr, "tavrin-skingen: cannot write %s\n", qPrintable(index.fileName()));
        return false;
    }
    index.close();

    const QString pics = dir.filePath(t.name) + "/";
    bool ok = true;
    ok &= save(backAll(t), pics + "back_all.tns");
    ok &= save(backLarge(t), pics + "back_large.tns");
    ok &= save(backMain(t), pics + "back_main.tns");

    struct MainButton {
        const char* file;
        const char* label;
        Icon icon;
        bool module;
    };
    const MainButton buttons[] = {
        {"diary", "Diary", iconDiary, true},
        {"reminder", "Reminders", iconReminder, true},
        {"planner", "Planner", iconPlanner, true},
        {"contacts", "Contacts", iconContacts, true},
        {"cookbook", "Cookbook", iconCookbook, true},
        {"graph", "Graph", iconGraph, true},
        {"tools", "Tools", iconTools, true},
        {"open", "Open", iconOpen, false},
        {"create", "Create", iconCreate, false},
        {"options", "Options", iconOptions, false},
        {"help", "Help", iconHelp, false},
        {"about", "About", iconAbout, false},
        {"minimize", "Minimize", iconMinimize, false},
        {"exit", "Exit", iconExit, false},
    };
    // The main window's pictures also drawn sharp for screens of ratio 2 ("...@2x.tns").
    for (int scale : {1, 2}) {
        g_scale = scale;
        const QString sharp = scale == 2 ? "@2x" : "";
        if (scale == 2) ok &= save(backLarge(t), pics + "back_large@2x.tns");
        for (const MainButton& b : buttons) {
            const int h = b.module ? L::kModuleButtonHeight : L::kSmallButtonHeight;
            const int iconBox = b.module ? 22 : 16;
            const int labelPx = 12;
            for (bool pushed : {false, true})
                ok &= save(button(t, L::kButtonWidth, h, b.label, b.icon, pushed, iconBox, labelPx),
                           pics + b.file + (pushed ? "_pushed" : "_normal") + sharp + ".tns");
        }
    }
    g_scale = 1;
    ok &= save(radio(t, false), pics + "radio_normal.tns");
    ok &= save(radio(t, true), pics + "radio_pushed.tns");
    ok &= save(body(t, true), pics + "body_back.tns");
    ok &= save(body(t, false), pics + "body_front.tns");
    for (int mood = -3; mood <= 3; ++mood)
        ok &= save(face(t, mood), pics + QString("face%1.bmp").arg(mood));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrin-skingen <output folder>\n");
        return 2;
    }
    // Qt wants a private runtime folder even when it shows nothing; give it one of our own.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QGuiApplication app(argc, argv);
    loadFonts();
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    for (const Theme& t : {corvelWindows(), corvelNight()}) ok &= writeSkin(t, out);
    return ok ? 0 : 1;
}
