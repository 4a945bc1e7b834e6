#include "diary/MedicationList.h"

#include "storage/Cp1252.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"

namespace tavrin::diary {
namespace {

QString fromDiary(const std::string& s) {
    return QString::fromStdString(cp1252::toUtf8(s));
}

std::string toDiary(const QString& s) {
    return cp1252::fromUtf8(s.toStdString());
}

} // namespace

Medication MedicationList::fromRecord(const MedicationRecord& r) {
    Medication m;
    m.name = fromDiary(r.name());
    m.quantity = fromDiary(r.quantity());
    m.frequency = fromDiary(r.frequency());
    m.doctor = fromDiary(r.doctor());
    m.dateIssued = r.dateIssued();
    return m;
}

MedicationRecord MedicationList::toRecord(const Medication& m) {
    MedicationRecord r;
    r.setName(toDiary(m.name));
    r.setQuantity(toDiary(m.quantity));
    r.setFrequency(toDiary(m.frequency));
    r.setDoctor(toDiary(m.doctor));
    r.setDateIssued(m.dateIssued);
    return r;
}

QStringList MedicationList::rowTexts(const Medication& m) {
    const std::string date = LocalTime::format(m.dateIssued, "%x");
    return {m.name, m.quantity, m.frequency, m.doctor, QString::fromLocal8Bit(date.c_str())};
}

QDateTime MedicationList::toDateTime(std::int64_t t) {
    const LocalDateTime d = LocalTime::fromTime(t);
    return QDateTime(QDate(d.year, d.month, d.day), QTime(d.hour, d.minute, d.second));
}

std::optional<std::int64_t> MedicationList::fromDateTime(const QDateTime& dt) {
    if (!dt.isValid()) return std::nullopt;
    LocalDateTime d;
    d.year = dt.date().year();
    d.month = dt.date().month();
    d.day = dt.date().day();
    d.hour = dt.time().hour();
    d.minute = dt.time().minute();
    d.second = dt.time().second();
    const std::int64_t t = LocalTime::toTime(d);
    if (t == -1 && !(d.year == 1969 && d.month == 12 && d.day == 31)) return std::nullopt;
    return t;
}

bool MedicationList::readAll(TN& tn, std::vector<Medication>& out) {
    out.clear();
    std::vector<MedicationRecord> records;
    if (!tn.medication.ReadAll(records)) return false;
    out.reserve(records.size());
    for (const MedicationRecord& r : records)
        out.push_back(fromRecord(r));
    return true;
}

std::optional<Medication> MedicationList::read(TN& tn, int position) {
    if (position < 0) return std::nullopt;
    tn.medication.index = position;
    if (!tn.medication.Read()) return std::nullopt;
    return fromRecord(tn.medication.record);
}

bool MedicationList::add(TN& tn, const Medication& m) {
    tn.medication.record = toRecord(m);
    return tn.medication.AddSorted(); // one write: never added but unsorted
}

bool MedicationList::remove(TN& tn, int position) {
    return tn.medication.Delete(position);
}

} // namespace tavrin::diary
