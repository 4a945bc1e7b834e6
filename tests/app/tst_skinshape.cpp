// The main window's outline cut from "back_large.tns" by the window key colour.

#include "TestEnvironment.h"
#include "app/WindowShape.h"
#include "platform/MessageBox.h"
#include "ui/ActiveSkin.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;
using platform::MessageBox;

namespace {

const QColor kKey(255, 0, 255);

// Builds a picture from rows of characters: 'k' is the key colour, anything else is not.
QImage picture(const QStringList& rows) {
    QImage img(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            img.setPixelColor(x, y, rows[y][x] == 'k' ? kKey : QColor(40, 80, 120));
    return img;
}

} // namespace

class TestSkinShape : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageBox::clearRecorded(); }

    void keyRunsAreCutColumnByColumn() {
        const QImage img = picture({
            "kk...k",
            "k....k",
            "......",
            "..kk..",
            "k.kk.k",
        });
        const QRegion shape = WindowShape::compute(img, kKey, img.size());

        // The runs a column scan finds, each one pixel wide.
        QRegion expected(0, 0, 6, 5);
        for (const QRect& cut :
             {QRect(0, 0, 1, 2), QRect(0, 4, 1, 1), QRect(1, 0, 1, 1), QRect(2, 3, 1, 2),
              QRect(3, 3, 1, 2), QRect(5, 0, 1, 2), QRect(5, 4, 1, 1)})
            expected -= cut;
        QCOMPARE(shape, expected);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                QCOMPARE(shape.contains(QPoint(x, y)), img.pixelColor(x, y) != kKey);
    }

    void keyThatNeverOccursKeepsTheRectangle() {
        const QImage img = picture({"....", "....", "...."});
        QCOMPARE(WindowShape::compute(img, kKey, QSize(4, 3)), QRegion(0, 0, 4, 3));
        // Only the exact colour counts.
        QImage near = img;
        near.setPixelColor(1, 1, QColor(255, 0, 254));
        QCOMPARE(WindowShape::compute(near, kKey, QSize(4, 3)), QRegion(0, 0, 4, 3));
    }

    void windowAndPictureOfDifferentSizes() {
        const QImage img = picture({"k..k", "....", "k..k"});
        // A larger window keeps everything the picture does not cover.
        const QRegion big = WindowShape::compute(img, kKey, QSize(6, 5));
        QVERIFY(!big.contains(QPoint(0, 0)));
        QVERIFY(!big.contains(QPoint(3, 2)));
        QVERIFY(big.contains(QPoint(5, 4)));
        QVERIFY(big.contains(QPoint(4, 0)));
        QCOMPARE(big.boundingRect(), QRect(0, 0, 6, 5));
        // A smaller one ignores the rest of the picture.
        QCOMPARE(WindowShape::compute(img, kKey, QSize(2, 2)),
                 QRegion(0, 0, 2, 2) - QRegion(0, 0, 1, 1));
    }

    void roundedWindowOfFullSize() {
        QImage img(920, 600, QImage::Format_RGB32);
        img.fill(kKey);
        QPainter p(&img);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRect(0, 0, 920, 600), 16, 16);
        p.end();
        const QRegion shape = WindowShape::compute(img, kKey, img.size());
        QVERIFY(!shape.contains(QPoint(0, 0)));
        QVERIFY(!shape.contains(QPoint(919, 599)));
        QVERIFY(shape.contains(QPoint(460, 0)));
        QVERIFY(shape.contains(QPoint(460, 300)));
        QCOMPARE(shape.boundingRect(), QRect(0, 0, 920, 600));
    }

    void pictureMissingFromTheSkin() {
        QTemporaryDir dir(test::scratchDir() + "/shape-XXXXXX");
        ui::ActiveSkin skin = ui::ActiveSkin::fallback();
        skin.pictureDir = dir.path();
        QCOMPARE(WindowShape::fromSkin(skin, QSize(30, 20)), QRegion(0, 0, 30, 20));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"Unable to load back_large.tns"});

        // With the picture there it is cut by the skin's window key.
        MessageBox::clearRecorded();
        QImage img = picture({"k...", "....", "...k"});
        QVERIFY(img.save(QDir(dir.path()).filePath("back_large.tns"), "BMP"));
        skin.windowKey = kKey;
        QCOMPARE(WindowShape::fromSkin(skin, QSize(4, 3)),
                 QRegion(0, 0, 4, 3) - QRegion(0, 0, 1, 1) - QRegion(3, 2, 1, 1));
        QVERIFY(MessageBox::recorded().isEmpty());
    }
};

QTEST_MAIN(TestSkinShape)
#include "tst_skinshape.moc"
