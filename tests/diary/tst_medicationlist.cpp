// The medication table behind the page: kept order, Windows-1252 texts at their byte offsets,
// field limits, dates in local time, and removing records.

#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "diary/MedicationList.h"
#include "storage/TN.h"

#include <QFile>
#include <QTest>

#include <memory>

using namespace tavrin;
using namespace tavrin::diary;

namespace {

Medication med(const QString& name, const QString& quantity = "1",
               std::int64_t date = 1'790'000'000) {
    Medication m;
    m.name = name;
    m.quantity = quantity;
    m.frequency = "daily";
    m.doctor = "Dr Lind";
    m.dateIssued = date;
    return m;
}

QStringList names(TN& tn) {
    std::vector<Medication> all;
    if (!MedicationList::readAll(tn, all)) return {"<unreadable>"};
    QStringList out;
    for (const Medication& m : all)
        out << m.name;
    return out;
}

} // namespace

class TestMedicationList : public QObject {
    Q_OBJECT
    QString path;
    std::unique_ptr<TN> tn;

    std::unique_ptr<TN> makeTN() {
        return std::make_unique<TN>(0, path.toStdString(), test::extOffsetOf(path));
    }

private slots:
    void init() {
        static int n = 0;
        path = test::makeDiary(QString("meds%1").arg(++n), "secret", 1);
        tn = makeTN();
    }

    void keptInNameOrderWithoutRegardToCase() {
        QVERIFY(MedicationList::add(*tn, med("b")));
        QVERIFY(MedicationList::add(*tn, med("A")));
        QCOMPARE(names(*tn), QStringList({"A", "b"}));
        // Equal names keep the order they were added in; the quantity tells them apart.
        QVERIFY(MedicationList::add(*tn, med("a", "second")));
        QVERIFY(MedicationList::add(*tn, med("B", "after b")));
        QVERIFY(MedicationList::add(*tn, med("Ämil")));
        std::vector<Medication> all;
        QVERIFY(MedicationList::readAll(*makeTN(), all));
        QStringList got;
        for (const Medication& m : all)
            got << m.name + "/" + m.quantity;
        QCOMPARE(got, QStringList({"A/1", "a/second", "b/1", "B/after b", "Ämil/1"}));
    }

    void recordBytesAreWindows1252AtTheirOffsets() {
        Medication m = med("Crème €", "2 × 5mg", 0x0102030405060708);
        m.doctor = "Dr ☺";
        QVERIFY(MedicationList::add(*tn, m));
        QFile f(QString::fromStdString(tn->medication.path()));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        QCOMPARE(b.size(), 108);
        QCOMPARE(b.mid(0, 8), QByteArray("Cr\xe8me \x80\0", 8));
        QCOMPARE(b.mid(30, 8), QByteArray("2 \xd7 5mg\0", 8));
        QCOMPARE(b.mid(40, 6), QByteArray("daily\0", 6));
        QCOMPARE(b.mid(70, 5), QByteArray("Dr ?\0", 5)); // no smiley in Windows-1252
        QCOMPARE(b.mid(100, 8), QByteArray("\x08\x07\x06\x05\x04\x03\x02\x01", 8));

        const auto back = MedicationList::read(*makeTN(), 0);
        QVERIFY(back);
        QCOMPARE(back->name, QString("Crème €"));
        QCOMPARE(back->quantity, QString("2 × 5mg"));
        QCOMPARE(back->dateIssued, std::int64_t(0x0102030405060708));
    }

    void textsLongerThanTheirFieldsAreCut() {
        Medication m = med(QString(40, 'n'), "0123456789AB");
        m.frequency = QString(31, 'f');
        m.doctor = QString(29, QChar(0x00e9)); // exactly the limit, in two-byte UTF-8 characters
        const MedicationRecord r = MedicationList::toRecord(m);
        QCOMPARE(r.name(), std::string(29, 'n'));
        QCOMPARE(r.quantity(), std::string("012345678"));
        QCOMPARE(r.frequency(), std::string(29, 'f'));
        QCOMPARE(r.doctor(), std::string(29, '\xe9'));
        QCOMPARE(r.bytes[99], std::uint8_t(0)); // the NUL of the doctor's field
    }

    void rowShowsTheShortLocalDate() {
        // 1 March 2026, 00:30 in Berlin is still 28 February in UTC.
        const auto t = MedicationList::fromDateTime(QDateTime(QDate(2026, 3, 1), QTime(0, 30)));
        QVERIFY(t);
        QCOMPARE(*t, std::int64_t(1772321400));
        QCOMPARE(MedicationList::rowTexts(med("X", "5 ml", *t)),
                 QStringList({"X", "5 ml", "daily", "Dr Lind", "03/01/26"}));
    }

    void localDatesSurviveTheRoundTripInSummerAndWinter() {
        for (const QDateTime& dt : {QDateTime(QDate(2026, 7, 15), QTime(13, 5, 9)),
                                    QDateTime(QDate(2026, 1, 15), QTime(23, 59, 59)),
                                    QDateTime(QDate(2026, 3, 29), QTime(3, 30))}) {
            const auto t = MedicationList::fromDateTime(dt);
            QVERIFY(t);
            QCOMPARE(MedicationList::toDateTime(*t), dt);
        }
        QVERIFY(!MedicationList::fromDateTime(QDateTime()));
    }

    void removingRecords() {
        QVERIFY(!MedicationList::read(*tn, 0)); // no table file yet
        QVERIFY(MedicationList::add(*tn, med("a")));
        QVERIFY(MedicationList::add(*tn, med("b")));
        QVERIFY(MedicationList::add(*tn, med("c")));
        QVERIFY(!MedicationList::remove(*makeTN(), 3));
        QVERIFY(!MedicationList::remove(*makeTN(), -1));
        QVERIFY(!MedicationList::read(*makeTN(), 3));
        QVERIFY(!MedicationList::read(*makeTN(), -1));
        QVERIFY(MedicationList::remove(*makeTN(), 1));
        QCOMPARE(names(*makeTN()), QStringList({"a", "c"}));
        QVERIFY(MedicationList::remove(*makeTN(), 0));
        QVERIFY(MedicationList::remove(*makeTN(), 0));
        QVERIFY(!QFile::exists(QString::fromStdString(tn->medication.path())));
        QCOMPARE(names(*makeTN()), QStringList());
        QVERIFY(!MedicationList::read(*makeTN(), 0));
    }
};

QTEST_GUILESS_MAIN(TestMedicationList)
#include "tst_medicationlist.moc"
