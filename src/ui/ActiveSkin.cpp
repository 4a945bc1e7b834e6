#include "ui/ActiveSkin.h"

#include <QDir>
#include <QImageReader>
#include <QStringDecoder>

namespace tavrin::ui {
namespace {

QColor colourAt(const QByteArray& b, int off) {
    auto u = [&](int i) { return int(static_cast<unsigned char>(b[off + i])); };
    return QColor(u(0), u(1), u(2)); // 0x00BBGGRR: red in the low byte
}

ActiveSkin& storage() {
    static ActiveSkin skin = ActiveSkin::fallback();
    return skin;
}

} // namespace

bool ActiveSkin::decodeIndex(const QByteArray& index) {
    if (index.size() < kIndexSize) return false;
    QByteArray a = index.mid(60, 32);
    int nul = a.indexOf('\0');
    if (nul >= 0) a.truncate(nul);
    // Texts in skin files are Windows-1252, like every text the program stores.
    QStringDecoder cp1252("windows-1252");
    author = cp1252.isValid() ? QString(cp1252(a)) : QString::fromLatin1(a);
    for (int i = 0; i < 9; ++i)
        backgrounds[size_t(i)] = colourAt(index, 92 + 4 * i);
    buttonKey = colourAt(index, 128);
    for (int i = 0; i < 7; ++i)
        controls[size_t(i)] = colourAt(index, 132 + 4 * i);
    windowKey = colourAt(index, 160);
    return true;
}

QString ActiveSkin::picturePath(const QString& fileName) const {
    // Skins made where file names ignore case do not always agree with us on capitals.
    QDir d(pictureDir);
    if (d.exists(fileName) || pictureDir.isEmpty()) return d.filePath(fileName);
    const QStringList hits = d.entryList({fileName}, QDir::Files);
    return d.filePath(hits.isEmpty() ? fileName : hits.first());
}

QString ActiveSkin::sharpName(const QString& fileName) {
    const int dot = int(fileName.lastIndexOf('.'));
    const int slash = int(fileName.lastIndexOf('/'));
    return dot > slash ? fileName.left(dot) + QStringLiteral("@2x") + fileName.mid(dot)
                       : fileName + QStringLiteral("@2x");
}

QPixmap ActiveSkin::picture(const QString& fileName, qreal ratio) const {
    // The pictures are BMP files whatever their ending says.
    QImageReader reader(picturePath(fileName), "BMP");
    QImage img = reader.read();
    if (img.isNull()) return QPixmap();
    if (ratio >= 1.5) {
        QImageReader sharpReader(picturePath(sharpName(fileName)), "BMP");
        QImage sharp = sharpReader.read();
        if (sharp.size() == img.size() * 2) {
            sharp.setDevicePixelRatio(2.0);
            return QPixmap::fromImage(sharp);
        }
    }
    return QPixmap::fromImage(img);
}

QPalette ActiveSkin::palette() const {
    auto mix = [](const QColor& a, const QColor& b) {
        return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2,
                      (a.blue() + b.blue()) / 2);
    };
    QPalette pal;
    pal.setColor(QPalette::Window, dialogBackground());
    pal.setColor(QPalette::WindowText, staticText());
    pal.setColor(QPalette::Base, listBackground());
    pal.setColor(QPalette::AlternateBase, mix(listBackground(), sheetBackground()));
    pal.setColor(QPalette::Text, listText());
    pal.setColor(QPalette::PlaceholderText, mix(listText(), listBackground()));
    pal.setColor(QPalette::Button, buttonFace());
    pal.setColor(QPalette::ButtonText, buttonText());
    pal.setColor(QPalette::BrightText, listHighlightText());
    pal.setColor(QPalette::Highlight, selectionBackground());
    pal.setColor(QPalette::HighlightedText, listHighlightText());
    pal.setColor(QPalette::ToolTipBase, sheetBackground());
    pal.setColor(QPalette::ToolTipText, staticText());
    pal.setColor(QPalette::Link, checkBox());
    pal.setColor(QPalette::LinkVisited, checkBox());
    pal.setColor(QPalette::Light, frameLight());
    pal.setColor(QPalette::Midlight, mix(frameLight(), buttonFace()));
    pal.setColor(QPalette::Mid, mix(frameLight(), frameDark()));
    pal.setColor(QPalette::Dark, frameDark());
    pal.setColor(QPalette::Shadow, frameDark());
    const QColor faint = mix(staticText(), dialogBackground());
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(QPalette::Disabled, role, faint);
    pal.setColor(QPalette::Disabled, QPalette::Base, dialogBackground());
    pal.setColor(QPalette::Disabled, QPalette::Highlight,
                 mix(selectionBackground(), dialogBackground()));
    return pal;
}

QPixmap ActiveSkin::keyedPicture(const QString& fileName) const {
    QImageReader reader(picturePath(fileName), "BMP");
    const QImage img = reader.read();
    return img.isNull() ? QPixmap() : QPixmap::fromImage(withTransparentKey(img, buttonKey));
}

QImage ActiveSkin::withTransparentKey(const QImage& picture, const QColor& key) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb k = key.rgb() & 0xFFFFFFu;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFFu) == k) line[x] = 0;
    }
    return out;
}

const ActiveSkin& ActiveSkin::current() {
    return storage();
}
void ActiveSkin::setCurrent(const ActiveSkin& skin) {
    storage() = skin;
}

ActiveSkin ActiveSkin::fallback() {
    ActiveSkin s;
    s.backgrounds = {QColor(240, 240, 240), QColor(240, 240, 240), QColor(230, 230, 230),
                     QColor(255, 255, 255), QColor(225, 225, 225), QColor(255, 255, 255),
                     QColor(160, 160, 160), QColor(210, 225, 245), QColor(255, 255, 255)};
    s.controls = {QColor(0, 0, 0), QColor(255, 255, 255), QColor(200, 40, 40), QColor(60, 60, 60),
                  QColor(0, 0, 0), QColor(0, 0, 0),       QColor(0, 120, 215)};
    s.buttonKey = QColor(255, 0, 255);
    s.windowKey = QColor(255, 0, 255);
    return s;
}

} // namespace tavrin::ui
