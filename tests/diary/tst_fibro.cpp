// The fibromyalgia block: the ratings table against the record layout, the check of the five
// typed values, the button rows of the editing page and of the read-only preview.

#include "TestEnvironment.h"
#include "diary/CTavrinPPParams.h"
#include "diary/CTavrinPPViewParams.h"
#include "diary/FibroRatingsWidget.h"
#include "diary/FibroValues.h"
#include "platform/MessageBox.h"
#include "storage/TN.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

using namespace tavrin;
using namespace tavrin::diary;
using platform::MessageBox;

namespace {

QList<int> checkedChoices(const FibroRatingsWidget& w, int rating) {
    QList<int> out;
    for (int c = 0; c < FibroScale::kChoices; ++c)
        if (w.button(rating, c)->isChecked()) out << c;
    return out;
}

} // namespace

class TestFibro : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageBox::clearRecorded(); }

    void ratingsFollowTheBlockLayout() {
        const auto r = FibroScale::ratings();
        QCOMPARE(int(r.size()), 21);
        const QList<int> offsets = {312, 313, 314, 315, 316, 317, 318, 319, 324, 325, 326,
                                    327, 328, 329, 330, 331, 332, 333, 344, 345, 356};
        const QList<int> groups = {0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 3, 3, 3};
        for (int i = 0; i < 21; ++i) {
            QCOMPARE(int(r[std::size_t(i)].field), offsets[i]);
            QCOMPARE(r[std::size_t(i)].group, groups[i]);
        }
        QCOMPARE(QString(r[11].name), QString("IBS"));
        QCOMPARE(QString(FibroScale::groups()[3].low), QString("Less"));
        QCOMPARE(FibroScale::choiceOf(9), 9);
        QCOMPARE(FibroScale::choiceOf(10), -1);
        QCOMPARE(FibroScale::choiceOf(-7), -1);
    }

    void typedValuesAreChecked_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("bad"); // -1: accepted
        QTest::newRow("valid") << QStringList{"36.6", "-12.5", "21", "100", "0"} << -1;
        QTest::newRow("spaces around") << QStringList{" 37 ", "1e2", "-0", " 55", "7 "} << -1;
        QTest::newRow("humidity 101") << QStringList{"0", "0", "0", "101", "0"} << 3;
        QTest::newRow("humidity -1") << QStringList{"0", "0", "0", "0", "-1"} << 4;
        QTest::newRow("humidity decimal") << QStringList{"0", "0", "0", "50.5", "0"} << 3;
        QTest::newRow("temperature text") << QStringList{"warm", "0", "0", "0", "0"} << 0;
        QTest::newRow("temperature empty") << QStringList{"0", "", "0", "0", "0"} << 1;
        QTest::newRow("infinity") << QStringList{"0", "0", "inf", "0", "0"} << 2;
        QTest::newRow("not a number") << QStringList{"nan", "0", "0", "0", "0"} << 0;
        QTest::newRow("too large") << QStringList{"1e39", "0", "0", "0", "0"} << 0;
    }
    void typedValuesAreChecked() {
        QFETCH(QStringList, texts);
        QFETCH(int, bad);
        FibroValues v;
        v.temperatures = {1, 2, 3};
        v.humidities = {4, 5};
        std::array<QString, 5> t;
        for (int i = 0; i < 5; ++i)
            t[std::size_t(i)] = texts[i];
        FibroValues::Field refused{};
        QString message;
        const bool ok = v.parse(t, refused, message);
        QCOMPARE(ok, bad < 0);
        if (ok) {
            QCOMPARE(double(v.temperatures[0]), double(QString(texts[0]).trimmed().toFloat()));
            QCOMPARE(v.humidities[0], texts[3].trimmed().toInt());
            return;
        }
        QCOMPARE(int(refused), bad);
        QCOMPARE(message, bad >= 3 ? FibroValues::rangeMessage() : FibroValues::numberMessage());
        // A refusal changes nothing.
        QCOMPARE(v.temperatures, (std::array<float, 3>{1, 2, 3}));
        QCOMPARE(v.humidities, (std::array<int, 2>{4, 5}));
    }

    // The fields show values with a point; where the point groups thousands (German), a shown
    // "21.125" must still read back as 21.125, not 21125, and the comma is the decimal sign.
    void shownValuesReadBackInALocaleWithAnotherDecimalSign() {
        struct RestoreLocale {
            QLocale before;
            ~RestoreLocale() { QLocale::setDefault(before); }
        } restore;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        FibroValues v;
        v.temperatures = {21.125f, -4.125f, 36.6f};
        v.humidities = {40, 60};
        std::array<QString, 5> shown;
        for (int f = 0; f < FibroValues::kFields; ++f)
            shown[std::size_t(f)] = v.text(FibroValues::Field(f));
        FibroValues back;
        FibroValues::Field refused{};
        QString message;
        QVERIFY(back.parse(shown, refused, message));
        QCOMPARE(back.temperatures, v.temperatures);
        QCOMPARE(back.humidities, v.humidities);
        // The comma is the decimal sign; thousands separators are refused, not guessed at.
        std::array<QString, 5> typed = {"36,6", "1.234,5", "0", "0", "0"};
        FibroValues other;
        QVERIFY(!other.parse(typed, refused, message));
        QCOMPARE(int(refused), 1);
        typed[1] = "0";
        QVERIFY(other.parse(typed, refused, message));
        QCOMPARE(other.temperatures[0], 36.6f);
    }

    void valuesShowWithoutFloatNoise() {
        EntryRecord e;
        e.setBodyTemperature(36.6f);
        e.setIndoorHumidity(45);
        const FibroValues v = FibroValues::of(e);
        QCOMPARE(v.text(FibroValues::BodyTemperature), QString("36.6"));
        QCOMPARE(v.text(FibroValues::OutdoorTemperature), QString("0"));
        QCOMPARE(v.text(FibroValues::IndoorHumidity), QString("45"));
        EntryRecord out;
        v.storeInto(out);
        QCOMPARE(out.bodyTemperature(), 36.6f);
        QCOMPARE(out.indoorHumidity(), 45);
    }

    void buttonRowsChooseOneOrNone() {
        FibroRatingsWidget w(false);
        const int ibs = 11;
        QCOMPARE(w.button(ibs, 9)->text(), QString("10"));
        QCOMPARE(w.rating(ibs), -1);
        QTest::mouseClick(w.button(ibs, 9), Qt::LeftButton);
        QCOMPARE(w.rating(ibs), 9);
        QTest::mouseClick(w.button(ibs, 2), Qt::LeftButton);
        QCOMPARE(w.rating(ibs), 2);
        QCOMPARE(checkedChoices(w, ibs), QList<int>{2});
        // Pressing the chosen button again takes the rating back.
        QTest::mouseClick(w.button(ibs, 2), Qt::LeftButton);
        QCOMPARE(w.rating(ibs), -1);
        QVERIFY(checkedChoices(w, ibs).isEmpty());
        QTest::mouseClick(w.button(ibs, 9), Qt::LeftButton);
        QTest::mouseClick(w.button(0, 0), Qt::LeftButton);
        EntryRecord e;
        w.storeRatings(e);
        QCOMPARE(int(e.fibro(Fibro::IBS)), 9);
        QCOMPARE(int(e.data()[327]), 9);
        QCOMPARE(int(e.fibro(Fibro::PainMorning)), 0);
        QCOMPARE(int(e.fibro(Fibro::Effect)), -1);
    }

    void paramsPageKeepsTheUserUntilTheValuesAreValid() {
        EntryRecord e;
        for (const FibroRating& r : FibroScale::ratings())
            e.setFibro(r.field, -1);
        e.setFibro(Fibro::Mold, 4);
        e.setOutdoorHumidity(80);
        CTavrinPPParams page(e);
        QCOMPARE(page.title(), QString("Fibromyalgia Parameters"));
        QCOMPARE(page.ratings()->rating(19), 4);
        QCOMPARE(page.ratings()->field(FibroValues::OutdoorHumidity)->text(), QString("80"));

        page.ratings()->field(FibroValues::IndoorHumidity)->setText("101");
        QVERIFY(!page.onKillActive());
        QCOMPARE(MessageBox::recordedTexts(), QStringList{FibroValues::rangeMessage()});
        QCOMPARE(MessageBox::recorded().first().icon, platform::MsgIcon::Warning);
        EntryRecord out;
        out.setIndoorHumidity(7);
        QVERIFY(!page.storeInto(out));
        QCOMPARE(out.indoorHumidity(), 7); // nothing stored
        page.ratings()->field(FibroValues::IndoorHumidity)->setText("100");
        QVERIFY(page.onKillActive());
        QVERIFY(page.storeInto(out));
        QCOMPARE(out.indoorHumidity(), 100);
        QCOMPARE(out.outdoorHumidity(), 80);
        QCOMPARE(int(out.fibro(Fibro::Mold)), 4);
        QCOMPARE(int(out.fibro(Fibro::Sleep)), -1);
    }

    void previewShowsButCannotChange() {
        CTavrinPPViewParams view;
        QCOMPARE(view.title(), QString("Fibromyalgia Parameters"));
        FibroRatingsWidget* w = view.ratings();
        QVERIFY(w->isReadOnly());
        const QString path = QDir(test::scratchDir()).filePath("Preview.tni");
        TN tn(0, path.toStdString(), int(path.size()) - 3);
        for (const FibroRating& r : FibroScale::ratings())
            tn.entry.setFibro(r.field, -1);
        tn.entry.setFibro(Fibro::IBS, 9);
        tn.entry.setIndoorTemperature(19.5f);
        view.showEntry(tn);
        QCOMPARE(checkedChoices(*w, 11), QList<int>{9});
        QVERIFY(checkedChoices(*w, 0).isEmpty()); // unchosen: no button shows
        QCOMPARE(w->field(FibroValues::IndoorTemperature)->text(), QString("19.5"));
        QVERIFY(w->field(FibroValues::IndoorTemperature)->isReadOnly());

        view.show();
        QTest::mouseClick(w->button(11, 3), Qt::LeftButton);
        QTest::mouseClick(w->button(11, 9), Qt::LeftButton);
        QCOMPARE(checkedChoices(*w, 11), QList<int>{9});
        QCOMPARE(w->rating(11), 9);

        view.clearEntry();
        QVERIFY(checkedChoices(*w, 11).isEmpty());
        QCOMPARE(w->field(FibroValues::IndoorTemperature)->text(), QString());
    }
};

QTEST_MAIN(TestFibro)
#include "tst_fibro.moc"
