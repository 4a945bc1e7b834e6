// The body pain map: choosers beside the skin's pictures at their areas' heights, values in
// and out, and the read-only preview page.

#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "diary/CTavrinPPBody.h"
#include "diary/CTavrinPPViewBody.h"
#include "diary/PainMapWidget.h"
#include "storage/TN.h"
#include "ui/SkinBodyAreas.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTest>

using namespace tavrin;
using namespace tavrin::diary;

namespace {

// Where an area's control sits inside its panel, and the picture inside the panel.
QRect inPanel(QWidget* w) {
    return w->geometry();
}
QRect pictureOf(const PainMapWidget& map, bool back) {
    return map.findChild<QLabel*>(back ? "bodyBack" : "bodyFront")->geometry();
}

} // namespace

class TestPainMap : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { app::DiaryState::instance().resetPainKinds(); }

    void choosersSitBesideTheirAreas_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("editing") << int(PainMapWidget::Editing);
        QTest::newRow("read-only") << int(PainMapWidget::ReadOnly);
    }
    void choosersSitBesideTheirAreas() {
        QFETCH(int, mode);
        PainMapWidget map{PainMapWidget::Mode(mode)};
        for (int area = 0; area < PainMapWidget::kAreas; ++area) {
            const bool back = area < PainMapWidget::kBackAreas;
            const SkinBodyArea& a =
                back ? SkinBodyAreas::back[std::size_t(area)]
                     : SkinBodyAreas::front[std::size_t(area - PainMapWidget::kBackAreas)];
            QWidget* w = mode == PainMapWidget::Editing ? static_cast<QWidget*>(map.chooser(area))
                                                        : static_cast<QWidget*>(map.label(area));
            QVERIFY(w);
            QCOMPARE(w->parentWidget()->objectName(), QString(back ? "backPanel" : "frontPanel"));
            const QRect r = inPanel(w), pic = pictureOf(map, back);
            QVERIFY2(std::abs(r.center().y() - a.labelY) <= 2,
                     qPrintable(QString("area %1").arg(area + 1)));
            if (a.onLeft)
                QVERIFY(r.right() < pic.left());
            else
                QVERIFY(r.left() > pic.right());
            QCOMPARE(w->toolTip(), QString(a.name));
        }
        // Back: 1-5 left, 6-10 right; front: 1-4 left, 5-8 right.
        QVERIFY(map.findChild<QWidget*>("painArea5")->x() <
                map.findChild<QWidget*>("painArea6")->x());
        QVERIFY(map.findChild<QWidget*>("painArea14")->x() <
                map.findChild<QWidget*>("painArea15")->x());
    }

    void editingChoosersHoldTheStoredValues() {
        PainMapWidget map(PainMapWidget::Editing);
        QCOMPARE(map.chooser(0)->count(), 7);
        QStringList names;
        for (int i = 0; i < 7; ++i)
            names << map.chooser(0)->itemText(i);
        QCOMPARE(names, QStringList({"N/A", "Shooting", "Stabbing", "Burning", "Numbness", "Aching",
                                     "Pinning"}));
        for (int i = 0; i < PainMapWidget::kAreas; ++i)
            QCOMPARE(map.chooser(i)->currentIndex(), 0);

        EntryRecord e;
        e.setPain(4, 6);
        e.setPain(10, 1);
        e.setPain(17, 9); // no such kind: kept as it is unless the user chooses another
        map.setValues(PainMapWidget::of(e));
        QCOMPARE(map.chooser(4)->currentText(), QString("Pinning"));
        QCOMPARE(map.chooser(10)->currentText(), QString("Shooting"));
        QCOMPARE(map.chooser(17)->currentIndex(), -1);
        map.chooser(3)->setCurrentIndex(3);
        EntryRecord out;
        PainMapWidget::storeInto(map.values(), out);
        QCOMPARE(int(out.pain(3)), 3);
        QCOMPARE(int(out.pain(4)), 6);
        QCOMPARE(int(out.pain(10)), 1);
        QCOMPARE(int(out.pain(17)), 9);
        QCOMPARE(int(out.data()[EntryRecord::kPainMap + 4]), 6);
        QCOMPARE(int(out.data()[302]), 1); // the front group starts at 302
        map.chooser(17)->setCurrentIndex(2);
        QCOMPARE(int(map.values()[17]), 2);
    }

    void bodyPageStartsFromTheEntry() {
        EntryRecord e;
        e.setPain(7, 5);
        CTavrinPPBody page(e);
        QCOMPARE(page.title(), QString("Body Pain Map"));
        QCOMPARE(page.painMap()->chooser(7)->currentText(), QString("Aching"));
        page.painMap()->chooser(12)->setCurrentIndex(4);
        EntryRecord out;
        page.storeInto(out);
        QCOMPARE(int(out.pain(7)), 5);
        QCOMPARE(int(out.pain(12)), 4);
    }

    void previewShowsTheKindNames() {
        CTavrinPPViewBody view;
        QCOMPARE(view.title(), QString("Body Pain Map"));
        QVERIFY(view.painMap()->chooser(0) == nullptr); // nothing to change here
        QCOMPARE(view.painMap()->label(0)->text(), QString());

        const QString path = QDir(test::scratchDir()).filePath("View.tni");
        TN tn(0, path.toStdString(), int(path.size()) - 3);
        tn.entry.setPain(0, 6);
        tn.entry.setPain(15, 2);
        view.showEntry(tn);
        QCOMPARE(view.painMap()->label(0)->text(), QString("Pinning"));
        QCOMPARE(view.painMap()->label(15)->text(), QString("Stabbing"));
        QCOMPARE(view.painMap()->label(1)->text(), QString("N/A"));
        QCOMPARE(view.painMap()->label(17)->text(), QString("N/A"));
        QVERIFY(view.painMap()->label(0)->font().bold());
        QVERIFY(!view.painMap()->label(1)->font().bold());
        view.clearEntry();
        QCOMPARE(view.painMap()->label(0)->text(), QString());
    }
};

QTEST_MAIN(TestPainMap)
#include "tst_painmap.moc"
