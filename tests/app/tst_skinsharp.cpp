// The main window on a screen of ratio 2: the same 920 x 600 window, its pictures drawn from the
// skin's sharp pictures ("...@2x.tns") instead of scaled-up ones.

#include "ShellFakes.h"
#include "app/CTavrinDlg.h"
#include "app/SkinLayout.h"
#include "ui/CCustomButton.h"

#include <QApplication>
#include <QImageReader>
#include <QTest>

using namespace tavrin;
using namespace tavrin::app;
using namespace tavrin::test;

namespace {
// Before the application object exists: every screen of this test has ratio 2.
const bool g_ratio2 = [] {
    qputenv("QT_SCALE_FACTOR", "2");
    return true;
}();
} // namespace

class TestSkinSharp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(g_ratio2);
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        registerFakeModule();
    }

    void mainWindowPicturesAreSharp_data() {
        QTest::addColumn<QString>("skin");
        QTest::newRow("default") << "Corvel Windows";
        QTest::newRow("dark") << "Corvel Night";
    }
    void mainWindowPicturesAreSharp() {
        QFETCH(QString, skin);
        const QString build = qEnvironmentVariable("TAVRIN_TEST_BUILD");
        QVERIFY(SkinLoader(QDir(build).filePath("bin/TNSkins")).load(skin));
        resetShellState();
        CTavrinDlg dlg;
        QCOMPARE(dlg.size(), QSize(SkinLayout::kWindowWidth, SkinLayout::kWindowHeight));
        // The background: twice the pixels, the same size on screen, and really drawn at that
        // size rather than the small picture doubled.
        const QPixmap& back = dlg.backgroundPicture();
        QCOMPARE(back.devicePixelRatio(), 2.0);
        QCOMPARE(back.size(), dlg.size() * 2);
        const QImage small =
            QImageReader(ui::ActiveSkin::current().picturePath("back_large.tns"), "BMP").read();
        QVERIFY(back.toImage().convertToFormat(QImage::Format_RGB32) !=
                small.scaled(small.size() * 2).convertToFormat(QImage::Format_RGB32));
        // The buttons keep their place and size.
        auto* diary = dlg.findChild<ui::CCustomButton*>("diaryButton");
        QCOMPARE(diary->size(), QSize(SkinLayout::kButtonWidth, SkinLayout::kModuleButtonHeight));
        // A skin without sharp pictures is scaled up as before.
        QCOMPARE(ui::ActiveSkin::current().picture("back_all.tns", 2.0).devicePixelRatio(), 1.0);
    }
};

QTEST_MAIN(TestSkinSharp)
#include "tst_skinsharp.moc"
