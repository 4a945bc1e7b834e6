// Skinned windows, title bars and tabbed sheets.

#include "TestEnvironment.h"
#include "platform/WindowMessages.h"
#include "ui/ActiveSkin.h"
#include "ui/CCalculatorTitleBar.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomDialog.h"
#include "ui/CCustomPropertyPage.h"
#include "ui/CCustomPropertySheet.h"
#include "ui/CCustomStatic.h"
#include "ui/CCustomTabCtrl.h"
#include "ui/CNavigatorTitleBar.h"
#include "ui/CScratchPadTitleBar.h"

#include <QDir>
#include <QEnterEvent>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;
using platform::NamedMessage;

namespace {

void writePicture(const QString& dir, const QString& name, const QColor& c) {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(c);
    QVERIFY(img.save(QDir(dir).filePath(name), "BMP"));
}

QImage render(QWidget& w) {
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

// Stands in for the main window: records the named messages posted to it.
class Receiver : public QObject {
public:
    QStringList names;

protected:
    bool event(QEvent* e) override {
        for (const char* n : {"TNSCalculatorIn", "TNSNavigatorIn", "TNSScratchPadIn"})
            if (NamedMessage::match(e, n)) {
                names << n;
                return true;
            }
        return QObject::event(e);
    }
};

// A page that records what the sheet tells it and may refuse to be left.
class Page : public ui::CCustomPropertyPage {
public:
    using CCustomPropertyPage::CCustomPropertyPage;
    bool mayLeave = true;
    QStringList calls;
    bool onSetActive() override {
        calls << "set";
        return true;
    }
    bool onKillActive() override {
        calls << "kill";
        return mayLeave;
    }
    void onOK() override { calls << "ok"; }
    void onCancel() override { calls << "cancel"; }
};

} // namespace

class TestSkinnedControls : public QObject {
    Q_OBJECT

    QTemporaryDir* dir_ = nullptr;

    void useSkin(const QStringList& pictures) {
        ui::ActiveSkin skin = ui::ActiveSkin::fallback();
        skin.pictureDir = dir_->path();
        skin.backgrounds[0] = QColor(1, 2, 3);
        ui::ActiveSkin::setCurrent(skin);
        const QList<QColor> colours = {Qt::red, Qt::green, Qt::blue};
        for (int i = 0; i < pictures.size(); ++i)
            writePicture(dir_->path(), pictures[i], colours[i]);
    }

    void enter(QWidget& w) {
        QEnterEvent e(QPointF(3, 3), QPointF(3, 3), w.mapToGlobal(QPointF(3, 3)));
        QApplication::sendEvent(&w, &e);
    }

private slots:
    void init() { dir_ = new QTemporaryDir(test::scratchDir() + "/controls-XXXXXX"); }
    void cleanup() {
        delete dir_;
        ui::ActiveSkin::setCurrent(ui::ActiveSkin::fallback());
    }

    void dialogBackgroundByKind() {
        useSkin({"back_all.tns", "back_large.tns", "back_main.tns"});
        const struct {
            int kind;
            const char* file;
            QColor colour;
        } cases[] = {{302, "back_all.tns", Qt::red},
                     {303, "back_large.tns", Qt::green},
                     {304, "back_main.tns", Qt::blue}};
        for (const auto& c : cases) {
            ui::CCustomDialog d(c.kind);
            d.resize(80, 60);
            QCOMPARE(d.backgroundFile(), QString(c.file));
            QCOMPARE(render(d).pixelColor(20, 20), c.colour);
        }
        // The main window is drawn as it is, not stretched, and without a frame.
        ui::CCustomDialog large(ui::CCustomDialog::BackLarge);
        large.resize(80, 60);
        QVERIFY(!large.frameVisible());
        QCOMPARE(render(large).pixelColor(60, 45), QColor(1, 2, 3));
        QCOMPARE(render(large).pixelColor(0, 0), QColor(Qt::green));
        // The others carry a frame in the skin's dark frame colour.
        ui::CCustomDialog all(ui::CCustomDialog::BackAll);
        all.resize(80, 60);
        QCOMPARE(render(all).pixelColor(0, 30), ui::ActiveSkin::current().frameDark());
    }

    void pageBackgroundFallsBackWhenTheSkinHasNone() {
        useSkin({"back_all.tns"});
        ui::CCustomDialog page(ui::CCustomDialog::BackMain);
        QCOMPARE(page.backgroundFile(), QString("back_all.tns"));

        QVERIFY(QFile::remove(QDir(dir_->path()).filePath("back_all.tns")));
        ui::CCustomDialog bare(ui::CCustomDialog::BackMain);
        bare.resize(50, 40);
        QCOMPARE(bare.backgroundFile(), QString());
        QCOMPARE(render(bare).pixelColor(25, 20), QColor(1, 2, 3));
    }

    void titleBarGradient() {
        ui::CCustomTitleBar bar("Calculator");
        QPalette pal = bar.palette();
        pal.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 60, 120));
        pal.setColor(QPalette::Active, QPalette::Window, QColor(20, 30, 40)); // a dark skin
        bar.setPalette(pal);
        bar.resize(200, 20);
        QCOMPARE(bar.captionColor(), QColor(0, 60, 120));
        QCOMPARE(bar.gradientColor(), QColor(10, 45, 80));
        const QImage img = render(bar);
        QCOMPARE(img.pixelColor(0, 1), QColor(0, 60, 120));
        const QColor right = img.pixelColor(199, 1);
        QVERIFY(qAbs(right.red() - 10) <= 2 && qAbs(right.blue() - 80) <= 2);
        QVERIFY(bar.restMessage().isEmpty()); // a plain bar posts nothing
    }

    void restingOverACollapsedPanelBarExpandsIt() {
        Receiver main;
        ui::CCalculatorTitleBar calc("Calculator");
        ui::CNavigatorTitleBar nav("Navigator");
        ui::CScratchPadTitleBar pad("Scratch Pad");
        for (ui::CCustomTitleBar* bar :
             {static_cast<ui::CCustomTitleBar*>(&calc), static_cast<ui::CCustomTitleBar*>(&nav),
              static_cast<ui::CCustomTitleBar*>(&pad)}) {
            bar->setReceiver(&main);
            enter(*bar);
        }
        QTRY_COMPARE_WITH_TIMEOUT(main.names.size(), 3, 2000);
        main.names.sort();
        QCOMPARE(main.names, (QStringList{"TNSCalculatorIn", "TNSNavigatorIn", "TNSScratchPadIn"}));
    }

    void noMessageWhenExpandedOrLeftTooSoon() {
        Receiver main;
        ui::CNavigatorTitleBar bar("Navigator");
        bar.setReceiver(&main);
        bar.setCollapsed(false);
        enter(bar);
        QTest::qWait(ui::CCustomTitleBar::kRestMs + 200);
        QVERIFY(main.names.isEmpty());

        bar.setCollapsed(true);
        enter(bar);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&bar, &leave);
        QTest::qWait(ui::CCustomTitleBar::kRestMs + 200);
        QVERIFY(main.names.isEmpty());
    }

    void sheetAsksThePagesBeforeSwitching() {
        ui::CCustomPropertySheet sheet("Options");
        auto* first = new Page("General");
        auto* second = new Page("Skins");
        sheet.addPage(first);
        sheet.addPage(second);
        QCOMPARE(sheet.tabCtrl()->count(), 2);
        QCOMPARE(sheet.tabCtrl()->tabText(1), QString("Skins"));

        sheet.show();
        QCOMPARE(first->calls, QStringList{"set"});

        // A page that refuses to be left keeps the sheet, and its tab, where they are.
        first->mayLeave = false;
        sheet.tabCtrl()->setCurrentIndex(1);
        QCOMPARE(sheet.activeIndex(), 0);
        QCOMPARE(sheet.tabCtrl()->currentIndex(), 0);
        QVERIFY(second->calls.isEmpty());

        first->mayLeave = true;
        sheet.tabCtrl()->setCurrentIndex(1);
        QCOMPARE(sheet.activePage(), second);
        QCOMPARE(second->calls, QStringList{"set"});

        // OK asks the current page, then tells every page that was shown.
        second->mayLeave = false;
        sheet.okButton()->click();
        QVERIFY(sheet.isVisible());
        second->mayLeave = true;
        sheet.okButton()->click();
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        QCOMPARE(first->calls.last(), QString("ok"));
        QCOMPARE(second->calls.last(), QString("ok"));
    }

    void cancelledSheetTellsOnlyShownPages() {
        ui::CCustomPropertySheet sheet("Entry");
        auto* first = new Page("Text");
        auto* never = new Page("Body Pain Map");
        sheet.addPage(first);
        sheet.addPage(never);
        sheet.show();
        sheet.cancelButton()->click();
        QCOMPARE(sheet.result(), int(QDialog::Rejected));
        QCOMPARE(first->calls, (QStringList{"set", "cancel"}));
        QVERIFY(never->calls.isEmpty());
    }

    void embeddedSheetHasNoButtons() {
        QWidget host;
        ui::CCustomPropertySheet sheet(QString(), &host, ui::CCustomPropertySheet::Embedded);
        QVERIFY(!sheet.okButton());
        QVERIFY(!sheet.isWindow());
        QCOMPARE(sheet.addPage(new Page("Preview")), 0);
    }

    void pagesAndTabsInSkinColours() {
        ui::ActiveSkin skin = ui::ActiveSkin::fallback();
        skin.backgrounds[1] = QColor(250, 240, 230); // sheet
        skin.backgrounds[2] = QColor(30, 40, 50);    // tab strip
        ui::ActiveSkin::setCurrent(skin);
        Page page("Page");
        page.resize(40, 30);
        QCOMPARE(render(page).pixelColor(20, 15), QColor(250, 240, 230));
        ui::CCustomTabCtrl tabs;
        tabs.addTab("One");
        tabs.addTab("Two");
        tabs.resize(300, tabs.sizeHint().height());
        QCOMPARE(render(tabs).pixelColor(299, 2), QColor(30, 40, 50));
        // The current tab joins the page below it.
        const QRect r = tabs.tabRect(0);
        QCOMPARE(render(tabs).pixelColor(r.left() + 4, r.bottom() - 1), QColor(250, 240, 230));
    }

    void groupLabelReservesRoomForItsTitle() {
        ui::CCustomStatic group("Spin range", nullptr, ui::CCustomStatic::Group);
        QVERIFY(group.contentsMargins().top() >= group.fontMetrics().height());
        group.resize(120, 60);
        const QImage img = render(group);
        // The frame's left edge is drawn in the skin's dark frame colour.
        QCOMPARE(img.pixelColor(0, 40), ui::ActiveSkin::current().frameDark());
        ui::CCustomStatic label("Text");
        QCOMPARE(label.palette().color(QPalette::WindowText),
                 ui::ActiveSkin::current().staticText());
    }
};

QTEST_MAIN(TestSkinnedControls)
#include "tst_skinnedcontrols.moc"
