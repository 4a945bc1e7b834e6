#pragma once
// Push button in the skin's look. With pictures (a module button of the main window, a radio
// mark) it draws its normal picture, or its pushed picture while pressed or checked, and pixels
// of the key colour stay transparent. Without pictures it is drawn flat in the skin's colours
// with the font "Tahoma" (a sans font where Tahoma is missing). Either way it lightens while
// the mouse is over it.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPushButton>

namespace tavrin::ui {

class CCustomButton : public QPushButton {
    Q_OBJECT
public:
    explicit CCustomButton(QWidget* parent = nullptr);
    explicit CCustomButton(const QString& text, QWidget* parent = nullptr);

    // Loads the pictures; without a pushed picture the normal one serves for both. Pixels of
    // `key` (the skin's button key colour when invalid) become transparent. A picture that
    // cannot be loaded shows "Unable to load <path>" and the button keeps its previous pictures.
    bool setPictures(const QString& normalPath, const QString& pushedPath = QString(),
                     const QColor& key = QColor());
    // "<base>_normal.tns" and "<base>_pushed.tns" from the active skin's pictures.
    bool setSkinPictures(const QString& baseName);
    void clearPictures();

    bool hasPictures() const { return !normal_.isNull(); }
    const QPixmap& normalPicture() const { return normal_; }
    const QPixmap& pushedPicture() const { return pushed_; }
    bool isHovered() const { return hovered_; }
    // Whether the pushed look is drawn now.
    bool showsPushed() const { return isDown() || isChecked(); }

    // "Tahoma", or the sans font standing in for it.
    static QFont skinFont();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void paintFlat(class QPainter& p);

    QPixmap normal_, pushed_, hover_;
    bool hovered_ = false;
};

} // namespace tavrin::ui
