// Unchecked radio buttons and check boxes stay visible on a dark window: their outline is
// drawn light there, while on a light window the style draws them as it always does.

#include "ui/SkinStyle.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>

using tavrin::ui::SkinStyle;

namespace {

// The lightest pixel of an unchecked indicator drawn on a window of colour `window`.
int lightest(const QStyle& style, QStyle::PrimitiveElement element, const QColor& window) {
    QStyleOptionButton option;
    option.rect = QRect(2, 2, 16, 16);
    option.state = QStyle::State_Enabled | QStyle::State_Off;
    option.palette = QPalette(window);
    option.palette.setColor(QPalette::Base, window);
    option.palette.setColor(QPalette::Text, Qt::white);
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(window);
    QPainter p(&image);
    style.drawPrimitive(element, &option, &p);
    p.end();
    int most = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            most = std::max(most, QColor(image.pixel(x, y)).lightness());
    return most;
}

} // namespace

class TestSkinStyle : public QObject {
    Q_OBJECT
private slots:
    void uncheckedIndicatorsStandOutOnDarkWindows() {
        const QColor dark(0x1c, 0x22, 0x2b), light(0xf0, 0xf0, 0xf0);
        SkinStyle skin(QStyleFactory::create("Fusion"));
        std::unique_ptr<QStyle> plain(QStyleFactory::create("Fusion"));
        for (auto e : {QStyle::PE_IndicatorRadioButton, QStyle::PE_IndicatorCheckBox}) {
            QVERIFY(lightest(skin, e, dark) > dark.lightness() + 80);
            QCOMPARE(lightest(skin, e, light), lightest(*plain, e, light));
        }
        QVERIFY(SkinStyle::isDark(QPalette(dark)));
        QVERIFY(!SkinStyle::isDark(QPalette(light)));
    }
};

QTEST_MAIN(TestSkinStyle)
#include "tst_skinstyle.moc"
