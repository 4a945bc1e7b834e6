#pragma once
// The skin in use for this run: its colours and the folder of its pictures. The skin loader
// fills it once at start-up after a complete check; every skinned control reads it. Before a
// skin is set (in tests of single controls) it holds a plain light palette.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QString>

#include <array>

namespace tavrin::ui {

class ActiveSkin {
public:
    static constexpr int kIndexSize = 164;

    QString name;          // file title of the index file, e.g. "Corvel Windows"
    QString pictureDir;    // folder of the skin's pictures ("TNSkins/<name>")
    QString author;        // from the index file
    int buttonHeight = 32; // height of "diary_normal.tns"

    // The nine background colours (index offset 92) and seven control colours (offset 132).
    std::array<QColor, 9> backgrounds;
    std::array<QColor, 7> controls;
    QColor buttonKey; // transparent pixels of the main buttons (offset 128)
    QColor windowKey; // pixels cut out of the main window's shape (offset 160)

    // What each slot paints.
    QColor dialogBackground() const { return backgrounds[0]; } // windows without a picture
    QColor sheetBackground() const { return backgrounds[1]; }  // sheet pages, the current tab
    QColor tabBackground() const { return backgrounds[2]; }    // the tab strip, other tabs
    QColor listBackground() const { return backgrounds[3]; }   // list rows, slider groove
    QColor buttonFace() const { return backgrounds[4]; }       // flat buttons, slider handle
    QColor frameLight() const { return backgrounds[5]; }       // light side of frames
    QColor frameDark() const { return backgrounds[6]; }        // frames, borders, ticks
    QColor buttonHover() const { return backgrounds[7]; }      // a button or tab under the mouse
    QColor emptyNoticeBackground() const { return backgrounds[8]; } // an empty list's notice
    QColor listText() const { return controls[0]; }
    QColor listHighlightText() const { return controls[1]; }       // rows marked "Important"
    QColor listHighlightBackground() const { return controls[2]; } // rows marked "Important"
    QColor checkBox() const { return controls[3]; }                // check boxes drawn by lists
    QColor buttonText() const { return controls[4]; }
    QColor staticText() const { return controls[5]; }          // labels, group titles, tabs
    QColor selectionBackground() const { return controls[6]; } // selection, focus, default button

    // Decodes a 164-byte index file; false when it is shorter.
    bool decodeIndex(const QByteArray& index);
    // A picture of the skin ("back_all.tns", ...); a null pixmap when it cannot be loaded. On a
    // screen of `ratio` 2 the sharp picture drawn at twice the size ("back_all@2x.tns") is taken
    // when the skin has one; otherwise the plain picture is scaled up.
    QPixmap picture(const QString& fileName, qreal ratio = 1.0) const;
    // "back_large.tns" -> "back_large@2x.tns"; works on paths as well.
    static QString sharpName(const QString& fileName);
    // The skin's colours as a palette for the toolkit's own controls (edits, combo boxes, rich
    // text, scroll bars), so that they look as if they belong to the skin.
    QPalette palette() const;
    QString picturePath(const QString& fileName) const;
    // The picture with its button-key pixels transparent (buttons, radio marks).
    QPixmap keyedPicture(const QString& fileName) const;
    // `picture` as ARGB with every pixel of colour `key` fully transparent.
    static QImage withTransparentKey(const QImage& picture, const QColor& key);

    static const ActiveSkin& current();
    static void setCurrent(const ActiveSkin& skin);
    static ActiveSkin fallback(); // the palette used before a skin is set
};

} // namespace tavrin::ui
