#include "app/WindowShape.h"

#include "platform/MessageBox.h"
#include "ui/ActiveSkin.h"

#include <QImage>
#include <QImageReader>

#include <vector>

namespace tavrin {
namespace {

// Unites the rectangles pairwise, level by level: each union then merges regions of similar
// size, instead of growing one region a rectangle at a time.
QRegion uniteAll(std::vector<QRect>& rects) {
    std::vector<QRegion> level;
    level.reserve(rects.size());
    for (const QRect& r : rects)
        level.emplace_back(r);
    while (level.size() > 1) {
        std::vector<QRegion> next;
        next.reserve((level.size() + 1) / 2);
        for (size_t i = 0; i + 1 < level.size(); i += 2)
            next.push_back(level[i].united(level[i + 1]));
        if (level.size() % 2) next.push_back(level.back());
        level.swap(next);
    }
    return level.empty() ? QRegion() : level.front();
}

} // namespace

QRegion WindowShape::compute(const QImage& picture, const QColor& key, const QSize& windowSize) {
    const QRegion full(QRect(QPoint(0, 0), windowSize));
    if (picture.isNull()) return full;
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    const int w = qMin(img.width(), windowSize.width());
    const int h = qMin(img.height(), windowSize.height());
    const QRgb k = key.rgb() & 0xFFFFFFu;

    // Rows are walked top to bottom while each column remembers where its current run of key
    // pixels began: the same runs a column-by-column scan finds, read in memory order.
    std::vector<int> runStart(size_t(qMax(w, 0)), -1);
    std::vector<QRect> cuts;
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const bool isKey = (line[x] & 0xFFFFFFu) == k;
            int& start = runStart[size_t(x)];
            if (isKey && start < 0) {
                start = y;
            } else if (!isKey && start >= 0) {
                cuts.emplace_back(x, start, 1, y - start);
                start = -1;
            }
        }
    }
    for (int x = 0; x < w; ++x)
        if (runStart[size_t(x)] >= 0)
            cuts.emplace_back(x, runStart[size_t(x)], 1, h - runStart[size_t(x)]);

    if (cuts.empty()) return full;
    return full.subtracted(uniteAll(cuts));
}

QRegion WindowShape::fromSkin(const ui::ActiveSkin& skin, const QSize& windowSize) {
    const QString file = QStringLiteral("back_large.tns");
    QImageReader reader(skin.picturePath(file), "BMP");
    const QImage picture = reader.read();
    if (picture.isNull()) {
        platform::MessageBox::warning(QStringLiteral("Unable to load %1").arg(file));
        return QRegion(QRect(QPoint(0, 0), windowSize));
    }
    return compute(picture, skin.windowKey, windowSize);
}

} // namespace tavrin
