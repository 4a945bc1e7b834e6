// The two skins the build draws: both pass the loader's full check, their pictures fit the
// layout the main window and the pain-map page rely on, and the marked areas sit where the
// shared table says.

#include "TestEnvironment.h"
#include "app/SkinLayout.h"
#include "app/WindowShape.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomTitleBar.h"
#include "ui/SkinBodyAreas.h"
#include "ui/SkinLoader.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>

using namespace tavrin;
using platform::MessageBox;

namespace {

QString builtSkinsDir() {
    const QString build = qEnvironmentVariable("TAVRIN_TEST_BUILD");
    return build.isEmpty() ? QString() : QDir(build).filePath("bin/TNSkins");
}

int contrast(const QColor& a, const QColor& b) {
    return qAbs(a.lightness() - b.lightness());
}

QImage readBmp(const QString& path) {
    QImageReader r(path, "BMP");
    return r.read();
}

} // namespace

class TestSkinShipped : public QObject {
    Q_OBJECT

    QString dir_;

private slots:
    void initTestCase() {
        dir_ = builtSkinsDir();
        QVERIFY2(!dir_.isEmpty(), "TAVRIN_TEST_BUILD is not set (run the test through ctest)");
        QVERIFY2(QFileInfo(QDir(dir_).filePath("Corvel Windows.TNS")).isFile(),
                 qPrintable("no skins drawn in " + dir_ + " (build the data_skins target)"));
    }
    void init() { MessageBox::clearRecorded(); }

    void bothSkinsAreListed() {
        QCOMPARE(SkinLoader(dir_).skinNames(), (QStringList{"Corvel Night", "Corvel Windows"}));
        QCOMPARE(QFileInfo(QDir(dir_).filePath("Corvel Night.TNS")).size(), qint64(164));
    }

    void skinLoads_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("default") << "Corvel Windows";
        QTest::newRow("dark") << "Corvel Night";
    }
    void skinLoads() {
        QFETCH(QString, name);
        QStringList statuses;
        SkinLoader loader(dir_);
        loader.setStatusCallback([&](const QString& s) { statuses << s; });
        QVERIFY(loader.load(name));
        QVERIFY(MessageBox::recorded().isEmpty());
        QCOMPARE(statuses.size(), 34);

        const ui::ActiveSkin& skin = ui::ActiveSkin::current();
        QCOMPARE(skin.name, name);
        QCOMPARE(skin.author, QString("Halcyrn Ostevelder"));
        QCOMPARE(skin.buttonHeight, SkinLayout::kModuleButtonHeight);
        QCOMPARE(loader.readAuthor(name), std::optional<QString>("Halcyrn Ostevelder"));

        // Text on the skin's own backgrounds must stay readable.
        QVERIFY(contrast(skin.listText(), skin.listBackground()) > 120);
        QVERIFY(contrast(skin.buttonText(), skin.buttonFace()) > 120);
        QVERIFY(contrast(skin.staticText(), skin.dialogBackground()) > 120);
        // Highlight text serves both rows marked "Important" and selected rows.
        QVERIFY(contrast(skin.listHighlightText(), skin.listHighlightBackground()) > 90);
        QVERIFY(contrast(skin.listHighlightText(), skin.selectionBackground()) > 90);
    }

    void picturesFitTheLayout_data() { skinLoads_data(); }
    void picturesFitTheLayout() {
        QFETCH(QString, name);
        const QDir pics(QDir(dir_).filePath(name));
        const QImage large = readBmp(pics.filePath("back_large.tns"));
        QCOMPARE(large.size(), QSize(SkinLayout::kWindowWidth, SkinLayout::kWindowHeight));
        QCOMPARE(readBmp(pics.filePath("back_main.tns")).size(),
                 QSize(SkinLayout::kPageWidth, SkinLayout::kPageHeight));
        for (const char* b :
             {"diary", "reminder", "planner", "contacts", "cookbook", "graph", "tools"})
            for (const char* state : {"_normal.tns", "_pushed.tns"})
                QCOMPARE(readBmp(pics.filePath(QString(b) + state)).size(),
                         QSize(SkinLayout::kButtonWidth, SkinLayout::kModuleButtonHeight));
        for (const char* b : {"open", "create", "options", "help", "about", "minimize", "exit"}) {
            const QImage normal = readBmp(pics.filePath(QString(b) + "_normal.tns"));
            const QImage pushed = readBmp(pics.filePath(QString(b) + "_pushed.tns"));
            QCOMPARE(normal.size(),
                     QSize(SkinLayout::kButtonWidth, SkinLayout::kSmallButtonHeight));
            QCOMPARE(pushed.size(), normal.size());
            QVERIFY(pushed != normal);
        }

        // Rounded outline: the corners are cut, the title strip and the pages are not.
        ui::ActiveSkin skin;
        QVERIFY(SkinLoader(dir_).check(name, skin));
        const QRegion shape = WindowShape::compute(large, skin.windowKey, large.size());
        QVERIFY(!shape.contains(QPoint(0, 0)));
        QVERIFY(
            !shape.contains(QPoint(SkinLayout::kWindowWidth - 1, SkinLayout::kWindowHeight - 1)));
        QVERIFY(shape.contains(QPoint(SkinLayout::kWindowWidth / 2, 0)));
        QVERIFY(shape.contains(QRect(SkinLayout::kPageX, SkinLayout::kPageY, SkinLayout::kPageWidth,
                                     SkinLayout::kPageHeight)));
        // The buttons' rounded corners are in the button key, their middle is not.
        const QImage diary = readBmp(pics.filePath("diary_normal.tns"));
        QCOMPARE(diary.pixelColor(0, 0), skin.buttonKey);
        QVERIFY(diary.pixelColor(55, 20) != skin.buttonKey);
    }

    void moodFacesAreSevenDistinctPictures_data() { skinLoads_data(); }
    void moodFacesAreSevenDistinctPictures() {
        QFETCH(QString, name);
        const QDir pics(QDir(dir_).filePath(name));
        QList<QImage> faces;
        for (int mood = -3; mood <= 3; ++mood) {
            const QImage f = readBmp(pics.filePath(QString("face%1.bmp").arg(mood)));
            QCOMPARE(f.size(), QSize(SkinLayout::kFaceSize, SkinLayout::kFaceSize));
            for (const QImage& other : faces)
                QVERIFY(f != other);
            faces << f;
        }
        // Sad is reddish, happy greenish.
        const QColor sad = faces.first().pixelColor(10, 24),
                     happy = faces.last().pixelColor(10, 24);
        QVERIFY(sad.red() > sad.green());
        QVERIFY(happy.green() > happy.red());
    }

    // Every window belongs to its skin: the pictures shown on pages are cut out by the key
    // colour, and the toolkit's own fields, lists, rich text and panel title bars take the
    // skin's colours instead of the light default ones.
    void windowsTakeTheSkinsColours_data() { skinLoads_data(); }
    void windowsTakeTheSkinsColours() {
        QFETCH(QString, name);
        QVERIFY(SkinLoader(dir_).load(name));
        const ui::ActiveSkin& skin = ui::ActiveSkin::current();
        QStringList pictures{"body_back.tns", "body_front.tns"};
        for (int mood = -3; mood <= 3; ++mood)
            pictures << QString("face%1.bmp").arg(mood);
        for (const QString& file : pictures) {
            const QImage pic = skin.keyedPicture(file).toImage();
            QVERIFY2(qAlpha(pic.pixel(0, 0)) == 0, qPrintable(file)); // no rectangle behind
            QVERIFY2(qAlpha(pic.pixel(pic.width() / 2, pic.height() / 2)) == 255, qPrintable(file));
        }
        const QPalette pal = QApplication::palette();
        QCOMPARE(pal.color(QPalette::Base), skin.listBackground());
        QCOMPARE(pal.color(QPalette::Text), skin.listText());
        QCOMPARE(pal.color(QPalette::Window), skin.dialogBackground());
        QCOMPARE(pal.color(QPalette::Highlight), skin.selectionBackground());
        QTextEdit richText;
        ui::CCustomTitleBar bar("Calculator");
        QCOMPARE(richText.palette().color(QPalette::Base), skin.listBackground());
        QCOMPARE(bar.captionColor(), skin.selectionBackground());
        // Dark skin, dark fields and bars; light skin, light ones.
        const bool dark = skin.dialogBackground().lightness() < 128;
        QCOMPARE(richText.palette().color(QPalette::Base).lightness() < 128, dark);
        QCOMPARE(bar.gradientColor().lightness() < 128, dark);

        // Help pages (the welcome page among them) are drawn on the skin's field colour, their
        // text readable on it.
        platform::HelpViewer help;
        help.resize(500, 400);
        QVERIFY(help.showTopic("hlpFirstTime.html"));
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        const QImage page = help.browser()->viewport()->grab().toImage();
        QHash<QRgb, int> count;
        int far = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                ++count[page.pixel(x, y) | 0xff000000];
                far = std::max(far, contrast(page.pixelColor(x, y), skin.listBackground()));
            }
        QRgb commonest = 0;
        for (auto it = count.cbegin(); it != count.cend(); ++it)
            if (it.value() > count.value(commonest)) commonest = it.key();
        QVERIFY2(contrast(QColor(commonest), skin.listBackground()) < 12,
                 qPrintable(QColor(commonest).name()));
        QVERIFY(far > 120);
    }

    void bodyAreasAreMarkedWhereTheTableSays_data() { skinLoads_data(); }
    void bodyAreasAreMarkedWhereTheTableSays() {
        QFETCH(QString, name);
        const QDir pics(QDir(dir_).filePath(name));
        const QImage back = readBmp(pics.filePath("body_back.tns"));
        const QImage front = readBmp(pics.filePath("body_front.tns"));
        QCOMPARE(back.size(), QSize(SkinBodyAreas::kWidth, SkinBodyAreas::kHeight));
        QCOMPARE(front.size(), back.size());

        // The spot is drawn in a strong red; the disc at the edge in the skin's accent.
        auto isMarker = [](const QColor& c) { return c.red() > 200 && c.red() - c.green() > 80; };
        auto check = [&](const QImage& img, const SkinBodyArea& a) {
            QVERIFY2(isMarker(img.pixelColor(a.x, a.y)), a.name);
            const int discX = a.onLeft ? SkinBodyAreas::kLeftDiscX : SkinBodyAreas::kRightDiscX;
            const QColor disc = img.pixelColor(discX, a.labelY - SkinBodyAreas::kDiscRadius + 1);
            QVERIFY2(disc != img.pixelColor(0, 0), a.name); // not the plain background
        };
        int left = 0;
        for (const SkinBodyArea& a : SkinBodyAreas::back) {
            check(back, a);
            left += a.onLeft;
        }
        QCOMPARE(left, 5);
        left = 0;
        for (const SkinBodyArea& a : SkinBodyAreas::front) {
            check(front, a);
            left += a.onLeft;
        }
        QCOMPARE(left, 4);
    }
};

QTEST_MAIN(TestSkinShipped)
#include "tst_skinshipped.moc"
