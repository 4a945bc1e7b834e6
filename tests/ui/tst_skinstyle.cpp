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

// An indicator drawn on a window of colour `window`, in a field of the same colour.
QImage indicator(const QStyle& style, QStyle::PrimitiveElement element, const QColor& window,
                 const QColor& text, QStyle::State on = QStyle::State_Off) {
    QStyleOptionButton option;
    option.rect = QRect(2, 2, 16, 16);
    option.state = QStyle::State_Enabled | on;
    option.palette = QPalette(window);
    option.palette.setColor(QPalette::Base, window);
    option.palette.setColor(QPalette::Text, text);
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(window);
    QPainter p(&image);
    style.drawPrimitive(element, &option, &p);
    p.end();
    return image;
}

// The lightest pixel of an unchecked indicator drawn on a window of colour `window`.
int lightest(const QStyle& style, QStyle::PrimitiveElement element, const QColor& window) {
    const QImage image = indicator(style, element, window, Qt::white);
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

    // A ticked box or a chosen radio button shows its mark in the field's text colour, on dark
    // windows as on light ones.
    void checkedIndicatorsShowTheirMark_data() {
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<int>("element");
        const QColor dark(0x1e, 0x25, 0x30), light(0xff, 0xff, 0xff);
        const QColor darkText(0xe3, 0xe8, 0xef), lightText(0x1f, 0x29, 0x33);
        QTest::newRow("dark box") << dark << darkText << int(QStyle::PE_IndicatorCheckBox);
        QTest::newRow("light box") << light << lightText << int(QStyle::PE_IndicatorCheckBox);
        QTest::newRow("dark radio") << dark << darkText << int(QStyle::PE_IndicatorRadioButton);
        QTest::newRow("light radio") << light << lightText << int(QStyle::PE_IndicatorRadioButton);
    }
    void checkedIndicatorsShowTheirMark() {
        QFETCH(QColor, window);
        QFETCH(QColor, text);
        QFETCH(int, element);
        SkinStyle skin(QStyleFactory::create("Fusion"));
        const auto e = QStyle::PrimitiveElement(element);
        const QImage off = indicator(skin, e, window, text, QStyle::State_Off);
        const QImage on = indicator(skin, e, window, text, QStyle::State_On);
        // The mark: pixels that only the checked one has, close to the text colour.
        int mark = 0;
        for (int y = 0; y < on.height(); ++y)
            for (int x = 0; x < on.width(); ++x) {
                const QColor c = on.pixelColor(x, y);
                if (on.pixel(x, y) != off.pixel(x, y) &&
                    qAbs(c.lightness() - window.lightness()) > 100)
                    ++mark;
            }
        QVERIFY2(mark >= 6, qPrintable(QString::number(mark)));
    }
};

QTEST_MAIN(TestSkinStyle)
#include "tst_skinstyle.moc"
