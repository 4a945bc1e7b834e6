#pragma once
// Base of every module window and dialog: paints a background picture of the active skin and a
// frame in the skin's colours. The picture is chosen when the window is made:
//   302 "back_all.tns"   general background, stretched over the window
//   303 "back_large.tns" the main window, drawn as it is (its outline is the window's shape)
//   304 "back_main.tns"  a module page, stretched; skins without it fall back to "back_all.tns"
// Without any usable picture the window is filled with the skin's dialog colour.
// A module page lives inside the main window: give it a parent and setWindowFlags(Qt::Widget).

#include <QDialog>
#include <QPixmap>

namespace tavrin::ui {

class CCustomDialog : public QDialog {
    Q_OBJECT
public:
    enum Background { BackAll = 302, BackLarge = 303, BackMain = 304 };

    explicit CCustomDialog(int background = BackAll, QWidget* parent = nullptr);

    int backgroundKind() const { return kind_; }
    // The picture file actually painted ("" when the window is filled with colour).
    QString backgroundFile() const { return file_; }
    const QPixmap& backgroundPicture() const { return picture_; }

    // The frame is drawn by default; the main window's outline comes from its picture instead.
    void setFrameVisible(bool on);
    bool frameVisible() const { return frame_; }

    // Picture file name of a background kind ("" for an unknown kind).
    static QString backgroundFileName(int kind);

protected:
    void paintEvent(QPaintEvent* event) override;
    // A window opens centred on the main window and fades in (see WindowEffects).
    void showEvent(QShowEvent* event) override;

private:
    int kind_;
    QString file_;
    QPixmap picture_;
    bool frame_;
};

} // namespace tavrin::ui
