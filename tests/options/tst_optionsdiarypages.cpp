// The option pages of an open diary: spin ranges (read from either stored form, chosen in any
// direction, stored low end first), combo rows in use, the fourth type name, graph settings
// written on leaving a page even when the sheet is discarded, and widths refused outside 1..7.

#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "app/ModuleRegistry.h"
#include "options/CTavrinPPOptionsCustom.h"
#include "options/CTavrinPPOptionsCustom2.h"
#include "options/CTavrinPPOptionsCustom3.h"
#include "options/CTavrinPPOptionsFibro.h"
#include "options/CTavrinPPOptionsNaming.h"
#include "options/CTavrinPSOptions.h"
#include "options/OptionsModule.h"
#include "platform/MessageBox.h"
#include "platform/WindowMessages.h"
#include "storage/TN.h"
#include "ui/CColorButton.h"
#include "ui/CCustomSliderCtrl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

using namespace tavrin;
using namespace tavrin::options;
using platform::MessageBox;

class TestOptionsDiaryPages : public QObject {
    Q_OBJECT
    QString path_;

    DiaryConfig defaults() {
        DiaryConfig c;
        c.applyDefaults();
        return c;
    }

private slots:
    void init() {
        MessageBox::clearRecorded();
        path_ = test::makeDiary(QStringLiteral("options"), "secret", 1);
        app::DiaryState::instance().choose(path_, test::extOffsetOf(path_));
        app::DiaryState::instance().setOpen(true);
    }

    void spinRange_data() {
        QTest::addColumn<int>("storedLow");
        QTest::addColumn<int>("storedHigh");
        QTest::addColumn<int>("chosenFrom"); // -1: as read
        QTest::addColumn<int>("chosenTo");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("new diary: positions 2 to 6")
            << 2 << 6 << -1 << -1 << "from -1 to +3" << 2 << 6;
        QTest::newRow("training type: values -3 to 3")
            << -3 << 3 << -1 << -1 << "from -3 to +3" << 0 << 6;
        QTest::newRow("chosen right to left") << 2 << 6 << 5 << 1 << "from -2 to +2" << 1 << 5;
        QTest::newRow("all seven") << 2 << 6 << 0 << 6 << "from -3 to +3" << 0 << 6;
        QTest::newRow("the middle alone") << 2 << 6 << 3 << 3 << "from +0 to +0" << 3 << 3;
    }
    void spinRange() {
        QFETCH(int, storedLow);
        QFETCH(int, storedHigh);
        QFETCH(int, chosenFrom);
        QFETCH(int, chosenTo);
        QFETCH(QString, text);
        QFETCH(int, low);
        QFETCH(int, high);
        DiaryConfig config = defaults();
        config.setSpinRange(0, storedLow, storedHigh);
        CTavrinPPOptionsCustom3 page(config, true);
        if (chosenFrom >= 0) // what the slider sends: where the drag began, then where it is
            platform::WindowMessages::send(
                page.rangeSlider(0)->parentWidget(), QStringLiteral("TNSNotifySLC"),
                ui::CCustomSliderCtrl::packRange(chosenFrom, chosenTo), 0);
        QCOMPARE(page.rangeText(0)->text(), text);
        for (int v = 0; v < 7; ++v)
            QCOMPARE(page.valueField(0, v)->isEnabled(), v >= low && v <= high);
        page.storeConfiguration(config);
        QCOMPARE(config.spinLow(0), low);
        QCOMPARE(config.spinHigh(0), high);
        // The entry editor reads the stored pair as the same values.
        int lo = 0, hi = 0;
        DiaryConfig::spinValues(config.spinLow(0), config.spinHigh(0), lo, hi);
        QCOMPARE(lo, low - 3);
        QCOMPARE(hi, high - 3);
    }

    void comboWithOneRowInUse() {
        CTavrinPPOptionsCustom2 page(defaults());
        QVERIFY(page.rowField(1, 3)->isEnabled()); // combo 2 uses four rows
        QVERIFY(!page.rowField(1, 4)->isEnabled());
        page.rowsSlider(1)->setValue(1);
        for (int r = 0; r < 9; ++r)
            QCOMPARE(page.rowField(1, r)->isEnabled(), r == 0);
        DiaryConfig config = defaults();
        page.storeConfiguration(config);
        QCOMPARE(config.comboRows(1), 1);
        page.resetNames();
        QCOMPARE(page.rowsSlider(1)->value(), 4);
        QVERIFY(page.rowField(1, 3)->isEnabled());
    }

    void emptyFourthTypeName() {
        DiaryConfig config = defaults();
        config.setTypeName(3, "");
        config.setTypeName(0, "");
        CTavrinPPOptionsCustom page(config);
        QCOMPARE(page.typeNameField(3)->text(), QStringLiteral("E-mails"));
        QCOMPARE(page.typeNameField(0)->text(), QStringLiteral("Finance"));
        page.resetNames();
        QCOMPARE(page.typeNameField(3)->text(), QStringLiteral("E-mail"));
        QCOMPARE(page.shortcutField(0)->maxLength(), 299);
    }

    void lineWidths_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("0") << "0" << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("7") << "7" << true;
        QTest::newRow("8") << "8" << false;
        QTest::newRow("not a number") << "x" << false;
    }
    void lineWidths() {
        QFETCH(QString, width);
        QFETCH(bool, accepted);
        CTavrinPPOptionsFibro fibro;
        CTavrinPPOptionsNaming naming(defaults());
        for (GraphOptionsPage* page :
             {static_cast<GraphOptionsPage*>(&fibro), static_cast<GraphOptionsPage*>(&naming)}) {
            MessageBox::clearRecorded();
            page->onSetActive();
            QLineEdit* edit = page == &fibro ? fibro.controls(20)->width : naming.graph(2)->width;
            edit->setText(width);
            QCOMPARE(page->onKillActive(), accepted);
            QCOMPARE(MessageBox::recordedTexts(),
                     accepted ? QStringList()
                              : QStringList({"Please enter an integer between 1 and 7."}));
        }
    }

    void graphSettingsKeptAfterDiscard() {
        app::ModuleRegistry::clear();
        app::ModuleRegistry::add<OptionsModule>();
        {
            CTavrinPSOptions sheet;
            sheet.show();
            QCOMPARE(sheet.pageCount(), 6);
            QCOMPARE(sheet.activeIndex(), 0);
            QVERIFY(sheet.setActivePage(1));
            auto* naming = static_cast<CTavrinPPOptionsNaming*>(sheet.page(1));
            naming->graph(0)->colour->setColor(QColor(1, 2, 3));
            naming->graph(0)->type->setCurrentIndex(2);
            naming->nameField(1)->setText(QStringLiteral("Sleep"));
            QVERIFY(sheet.setActivePage(5));
            auto* fibro = static_cast<CTavrinPPOptionsFibro*>(sheet.page(5));
            fibro->controls(22)->visible->setChecked(true);
            QVERIFY(sheet.setActivePage(0));
            sheet.reject();
        }
        app::ModuleRegistry::clear();
        TN tn(0, path_.toStdString(), test::extOffsetOf(path_));
        QVERIFY(tn.ReadGraphSettings());
        QCOMPARE(tn.graph.colour(GraphSettings::diarySlot(0)), GraphSettings::rgb(1, 2, 3));
        QCOMPARE(int(tn.graph.type(GraphSettings::diarySlot(0))), int(GraphSettings::Point));
        QVERIFY(tn.graph.visible(GraphSettings::labelSlot(1)));
        // Names wait for "Save".
        QVERIFY(tn.ReadConfiguration());
        QCOMPARE(tn.config.scaleName(DiaryConfig::Scale::Dream), std::string("Dream"));
    }
};

QTEST_MAIN(TestOptionsDiaryPages)
#include "tst_optionsdiarypages.moc"
