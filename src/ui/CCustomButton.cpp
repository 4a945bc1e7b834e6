#include "ui/CCustomButton.h"

#include "platform/MessageBox.h"
#include "ui/ActiveSkin.h"

#include <QEnterEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

namespace tavrin::ui {
namespace {

QImage readPicture(const QString& path) {
    // Skin pictures are BMP files whatever their ending says.
    QImageReader reader(path, "BMP");
    return reader.read();
}

// The picture lightened where it is not transparent: the hover look.
QPixmap lightened(const QImage& picture) {
    QImage img = picture;
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p.fillRect(img.rect(), QColor(255, 255, 255, 48));
    return QPixmap::fromImage(img);
}

QColor mixed(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

} // namespace

CCustomButton::CCustomButton(QWidget* parent) : CCustomButton(QString(), parent) {}

CCustomButton::CCustomButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setFont(skinFont());
    setAttribute(Qt::WA_Hover);
}

QFont CCustomButton::skinFont() {
    static const QFont font = [] {
        QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive)) {
            f.setFamily(QStringLiteral("Tahoma"));
        } else {
            f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("Sans Serif")});
            f.setStyleHint(QFont::SansSerif);
        }
        return f;
    }();
    return font;
}

bool CCustomButton::setPictures(const QString& normalPath, const QString& pushedPath,
                                const QColor& key) {
    const QColor k = key.isValid() ? key : ActiveSkin::current().buttonKey;
    const QImage normal = readPicture(normalPath);
    if (normal.isNull()) {
        platform::MessageBox::warning(QStringLiteral("Unable to load %1").arg(normalPath), this);
        return false;
    }
    QImage pushed = normal;
    if (!pushedPath.isEmpty()) {
        pushed = readPicture(pushedPath);
        if (pushed.isNull()) {
            platform::MessageBox::warning(QStringLiteral("Unable to load %1").arg(pushedPath),
                                          this);
            return false;
        }
    }
    QImage n = ActiveSkin::withTransparentKey(normal, k);
    QImage p = ActiveSkin::withTransparentKey(pushed, k);
    // On a screen of ratio 2, the pictures drawn at twice the size when the skin has them.
    if (qApp->devicePixelRatio() >= 1.5) {
        const QImage sharpNormal = readPicture(ActiveSkin::sharpName(normalPath));
        const QImage sharpPushed =
            pushedPath.isEmpty() ? sharpNormal : readPicture(ActiveSkin::sharpName(pushedPath));
        if (sharpNormal.size() == normal.size() * 2 && sharpPushed.size() == pushed.size() * 2) {
            n = ActiveSkin::withTransparentKey(sharpNormal, k);
            p = ActiveSkin::withTransparentKey(sharpPushed, k);
            n.setDevicePixelRatio(2.0);
            p.setDevicePixelRatio(2.0);
        }
    }
    normal_ = QPixmap::fromImage(n);
    pushed_ = QPixmap::fromImage(p);
    hover_ = lightened(n);
    setFixedSize(normal_.deviceIndependentSize().toSize());
    update();
    return true;
}

bool CCustomButton::setSkinPictures(const QString& baseName) {
    const ActiveSkin& skin = ActiveSkin::current();
    return setPictures(skin.picturePath(baseName + QStringLiteral("_normal.tns")),
                       skin.picturePath(baseName + QStringLiteral("_pushed.tns")));
}

void CCustomButton::clearPictures() {
    normal_ = pushed_ = hover_ = QPixmap();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    updateGeometry();
    update();
}

QSize CCustomButton::sizeHint() const {
    if (hasPictures()) return normal_.deviceIndependentSize().toSize();
    const QFontMetrics fm(font());
    int w = fm.horizontalAdvance(text()) + 20;
    if (!icon().isNull()) w += iconSize().width() + 4;
    return QSize(qMax(w, 75), qMax(fm.height() + 10, 23));
}

QSize CCustomButton::minimumSizeHint() const {
    return hasPictures() ? normal_.deviceIndependentSize().toSize()
                         : QSize(fontMetrics().height() + 10, 23);
}

void CCustomButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QPushButton::enterEvent(event);
}

void CCustomButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QPushButton::leaveEvent(event);
}

void CCustomButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!hasPictures()) {
        paintFlat(p);
        return;
    }
    if (!isEnabled()) p.setOpacity(0.45);
    const QPixmap& pic = showsPushed() ? pushed_ : (hovered_ && isEnabled() ? hover_ : normal_);
    p.drawPixmap(0, 0, pic);
}

void CCustomButton::paintFlat(QPainter& p) {
    const ActiveSkin& skin = ActiveSkin::current();
    const bool pushed = showsPushed();
    QColor face = skin.buttonFace();
    if (!isEnabled())
        face = mixed(face, skin.dialogBackground());
    else if (pushed)
        face = face.darker(115);
    else if (hovered_)
        face = skin.buttonHover();

    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setBrush(face);
    p.setPen(QPen(isDefault() && isEnabled() ? skin.selectionBackground() : skin.frameDark(),
                  isDefault() ? 1.5 : 1.0));
    p.drawRoundedRect(r, 3, 3);
    p.setRenderHint(QPainter::Antialiasing, false);

    QRect content = rect().adjusted(4, 2, -4, -2);
    if (pushed) content.translate(1, 1);
    const QColor textColor = isEnabled() ? skin.buttonText() : mixed(skin.buttonText(), face);
    p.setPen(textColor);
    p.setFont(font());

    const QFontMetrics fm(font());
    const int textW = fm.horizontalAdvance(text());
    const bool withIcon = !icon().isNull();
    const int iconW = withIcon ? iconSize().width() + (text().isEmpty() ? 0 : 4) : 0;
    int x = content.left() + qMax(0, (content.width() - textW - iconW) / 2);
    if (withIcon) {
        const QPixmap pm = icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
        p.drawPixmap(x, content.top() + (content.height() - iconSize().height()) / 2, pm);
        x += iconW;
    }
    p.drawText(QRect(x, content.top(), content.right() - x + 1, content.height()),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        QColor c = skin.selectionBackground();
        p.setPen(QPen(c, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

} // namespace tavrin::ui
