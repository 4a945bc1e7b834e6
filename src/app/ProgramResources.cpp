#include "app/ProgramResources.h"

#include "ui/ActiveSkin.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace tavrin::app {
namespace {
QStringList g_fonts;
// Made on first use: pixmaps cannot exist before the application object.
std::array<QPixmap, 7>& faces() {
    static std::array<QPixmap, 7> f;
    return f;
}
} // namespace

const QStringList& ProgramResources::fontList() {
    return g_fonts;
}

void ProgramResources::gatherFonts() {
    QStringList fonts;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family) || !QFontDatabase::isScalable(family)) continue;
        // A symbol font draws pictures instead of letters; nobody writes a diary in it.
        const auto systems = QFontDatabase::writingSystems(family);
        if (systems.contains(QFontDatabase::Symbol) && !systems.contains(QFontDatabase::Latin))
            continue;
        fonts << family;
    }
    fonts.sort(Qt::CaseInsensitive);
    fonts.removeDuplicates();
    g_fonts = fonts;
}

void ProgramResources::releaseFonts() {
    g_fonts.clear();
}

void ProgramResources::loadMoodPictures() {
    const ui::ActiveSkin& skin = ui::ActiveSkin::current();
    for (int mood = kMinMood; mood <= kMaxMood; ++mood)
        faces()[size_t(mood - kMinMood)] =
            skin.keyedPicture(QStringLiteral("face%1.bmp").arg(mood));
}

void ProgramResources::releaseMoodPictures() {
    for (QPixmap& p : faces())
        p = QPixmap();
}

QPixmap ProgramResources::moodPicture(int mood) {
    if (mood < kMinMood || mood > kMaxMood) return QPixmap();
    return faces()[size_t(mood - kMinMood)];
}

void ProgramResources::drawEmblem(QPainter& p, const QRectF& box, const QColor& leaf,
                                  const QColor& vein) {
    // The same leaf the skins draw in the main window's corner.
    QPainterPath path;
    const QPointF a(box.left() + box.width() * 0.12, box.bottom() - box.height() * 0.1);
    const QPointF b(box.right() - box.width() * 0.08, box.top() + box.height() * 0.08);
    path.moveTo(a);
    path.cubicTo(QPointF(box.left(), box.top() + box.height() * 0.35),
                 QPointF(box.left() + box.width() * 0.45, box.top()), b);
    path.cubicTo(QPointF(box.right(), box.top() + box.height() * 0.55),
                 QPointF(box.left() + box.width() * 0.6, box.bottom()), a);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(leaf);
    p.drawPath(path);
    p.setPen(QPen(vein, qMax(1.0, box.width() / 16), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(a.x() - box.width() * 0.06, a.y() + box.height() * 0.06),
               QPointF(box.left() + box.width() * 0.66, box.top() + box.height() * 0.36));
    p.restore();
}

QIcon ProgramResources::programIcon() {
    static const QIcon icon = [] {
        QIcon i;
        for (int size : {16, 24, 32, 48, 64, 128}) {
            QPixmap pm(size, size);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x3A, 0x7B, 0xDC));
            p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.22, size * 0.22);
            drawEmblem(p, QRectF(size * 0.14, size * 0.14, size * 0.72, size * 0.72), Qt::white,
                       QColor(0x3A, 0x7B, 0xDC));
            p.end();
            i.addPixmap(pm);
        }
        return i;
    }();
    return icon;
}

} // namespace tavrin::app
