// Picture buttons, flat buttons and the colour button.

#include "TestEnvironment.h"
#include "platform/ColorChooser.h"
#include "platform/MessageBox.h"
#include "ui/ActiveSkin.h"
#include "ui/CColorButton.h"
#include "ui/CCustomButton.h"

#include <QDir>
#include <QEnterEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;
using platform::MessageBox;

namespace {

const QColor kKey(255, 0, 255);

// A 20 x 10 picture of one colour with its top-left 3 x 3 corner in the key colour.
QString writePicture(const QString& dir, const QString& name, const QColor& c,
                     QSize size = {20, 10}) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(c);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            img.setPixelColor(x, y, kKey);
    const QString path = QDir(dir).filePath(name);
    img.save(path, "BMP");
    return path;
}

QImage render(QWidget& w) {
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

void sendEnter(QWidget& w) {
    QEnterEvent e(QPointF(5, 5), QPointF(5, 5), w.mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(&w, &e);
}

} // namespace

class TestSkinnedButton : public QObject {
    Q_OBJECT

    QTemporaryDir* dir_ = nullptr;

private slots:
    void init() {
        dir_ = new QTemporaryDir(test::scratchDir() + "/button-XXXXXX");
        MessageBox::clearRecorded();
        ui::ActiveSkin skin = ui::ActiveSkin::fallback();
        skin.buttonKey = kKey;
        skin.pictureDir = dir_->path();
        ui::ActiveSkin::setCurrent(skin);
    }
    void cleanup() { delete dir_; }

    void picturesWithTransparentKeyAndPushedLook() {
        const QString normal = writePicture(dir_->path(), "n.tns", Qt::red);
        const QString pushed = writePicture(dir_->path(), "p.tns", Qt::blue);
        ui::CCustomButton b;
        QVERIFY(b.setPictures(normal, pushed));
        QVERIFY(b.hasPictures());
        QCOMPARE(b.size(), QSize(20, 10));
        QCOMPARE(b.sizeHint(), QSize(20, 10));

        const QImage n = b.normalPicture().toImage();
        QCOMPARE(qAlpha(n.pixel(1, 1)), 0);
        QCOMPARE(n.pixelColor(10, 5), QColor(Qt::red));

        QCOMPARE(render(b).pixelColor(10, 5), QColor(Qt::red));
        QCOMPARE(qAlpha(render(b).pixel(0, 0)), 0);
        b.setDown(true);
        QCOMPARE(render(b).pixelColor(10, 5), QColor(Qt::blue));
        b.setDown(false);
        b.setCheckable(true);
        b.setChecked(true); // a checked button (the page shown) keeps the pushed look
        QCOMPARE(render(b).pixelColor(10, 5), QColor(Qt::blue));
    }

    void withoutPushedPictureTheNormalOneServesForBoth() {
        ui::CCustomButton b;
        QVERIFY(b.setPictures(writePicture(dir_->path(), "n.tns", Qt::green)));
        QCOMPARE(b.pushedPicture().toImage(), b.normalPicture().toImage());
        b.setDown(true);
        QCOMPARE(render(b).pixelColor(10, 5), QColor(Qt::green));
    }

    void failingPictureKeepsThePreviousOnes() {
        ui::CCustomButton b;
        QVERIFY(b.setPictures(writePicture(dir_->path(), "n.tns", Qt::red),
                              writePicture(dir_->path(), "p.tns", Qt::blue)));
        const QString other = writePicture(dir_->path(), "other.tns", Qt::yellow, {30, 12});
        const QString missing = QDir(dir_->path()).filePath("missing_pushed.tns");

        QVERIFY(!b.setPictures(other, missing));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"Unable to load " + missing});
        QCOMPARE(b.normalPicture().toImage().pixelColor(10, 5), QColor(Qt::red));
        QCOMPARE(b.pushedPicture().toImage().pixelColor(10, 5), QColor(Qt::blue));
        QCOMPARE(b.size(), QSize(20, 10));

        // A normal picture that cannot be loaded is told the same way.
        MessageBox::clearRecorded();
        QVERIFY(!b.setPictures(missing));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"Unable to load " + missing});
        QCOMPARE(b.normalPicture().toImage().pixelColor(10, 5), QColor(Qt::red));
    }

    void skinPicturesByName() {
        writePicture(dir_->path(), "diary_normal.tns", Qt::red, {110, 44});
        writePicture(dir_->path(), "diary_pushed.tns", Qt::blue, {110, 44});
        ui::CCustomButton b;
        QVERIFY(b.setSkinPictures("diary"));
        QCOMPARE(b.size(), QSize(110, 44));
        QVERIFY(!b.setSkinPictures("planner"));
        QCOMPARE(
            MessageBox::recordedTexts(),
            QStringList{"Unable to load " + QDir(dir_->path()).filePath("planner_normal.tns")});
    }

    void hoverLightensAndLeavingRestores() {
        ui::CCustomButton b;
        QVERIFY(b.setPictures(writePicture(dir_->path(), "n.tns", QColor(0, 0, 128))));
        const QColor plain = render(b).pixelColor(10, 5);
        sendEnter(b);
        QVERIFY(b.isHovered());
        const QColor lit = render(b).pixelColor(10, 5);
        QVERIFY(lit.lightness() > plain.lightness());
        QCOMPARE(qAlpha(render(b).pixel(1, 1)), 0); // the key stays transparent
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&b, &leave);
        QVERIFY(!b.isHovered());
        QCOMPARE(render(b).pixelColor(10, 5), plain);
    }

    void flatButtonInSkinColours() {
        ui::ActiveSkin skin = ui::ActiveSkin::current();
        skin.backgrounds[4] = QColor(200, 210, 220); // button face
        skin.backgrounds[7] = QColor(90, 200, 90);   // hover
        ui::ActiveSkin::setCurrent(skin);

        ui::CCustomButton b("Save");
        b.resize(80, 24);
        QCOMPARE(render(b).pixelColor(6, 12), QColor(200, 210, 220));
        sendEnter(b);
        QCOMPARE(render(b).pixelColor(6, 12), QColor(90, 200, 90));
        b.setDown(true);
        QCOMPARE(render(b).pixelColor(6, 12).rgb(), QColor(200, 210, 220).darker(115).rgb());

        // Tahoma, or a sans font that really exists here.
        const QFontInfo info(ui::CCustomButton::skinFont());
        if (QFontDatabase::families().contains("Tahoma"))
            QCOMPARE(info.family(), QString("Tahoma"));
        else
            QVERIFY(QFontDatabase::families().contains(info.family()));
        QCOMPARE(b.font().family(), ui::CCustomButton::skinFont().family());
    }

    void colorButtonTakesTheChosenColour() {
        ui::CColorButton b;
        b.resize(48, 23);
        b.setColor(QColor(10, 20, 30));
        QSignalSpy spy(&b, &ui::CColorButton::colorChosen);

        platform::ColorChooser::setNextColor(QColor(200, 100, 50));
        QTest::mouseClick(&b, Qt::LeftButton);
        QCOMPARE(platform::ColorChooser::lastInitial(), QColor(10, 20, 30));
        QCOMPARE(b.color(), QColor(200, 100, 50));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().value<QColor>(), QColor(200, 100, 50));
        QCOMPARE(render(b).pixelColor(24, 11), QColor(200, 100, 50));

        platform::ColorChooser::cancelNext();
        QTest::mouseClick(&b, Qt::LeftButton);
        QCOMPARE(b.color(), QColor(200, 100, 50));
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(TestSkinnedButton)
#include "tst_skinnedbutton.moc"
