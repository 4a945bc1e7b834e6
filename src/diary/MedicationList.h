#pragma once
// The medication list of a diary without its window: the texts the list shows and the table
// work behind Add and Delete. Texts cross into the records here, as Windows-1252.

#include "storage/MedicationRecord.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace tavrin {
class TN;
}

namespace tavrin::diary {

struct Medication {
    QString name;
    QString quantity; // the dosage, free text
    QString frequency;
    QString doctor;
    std::int64_t dateIssued = 0; // seconds since 1970 UTC, with the time of day it was entered
};

class MedicationList {
public:
    // Input limits in Windows-1252 bytes: one less than each field, for the NUL.
    static constexpr int kNameLimit = int(MedicationRecord::kName.width) - 1;
    static constexpr int kQuantityLimit = int(MedicationRecord::kQuantity.width) - 1;
    static constexpr int kFrequencyLimit = int(MedicationRecord::kFrequency.width) - 1;
    static constexpr int kDoctorLimit = int(MedicationRecord::kDoctor.width) - 1;

    static Medication fromRecord(const MedicationRecord& r);
    // Texts too long for their fields are cut at the field's limit (counted in bytes).
    static MedicationRecord toRecord(const Medication& m);

    // The five list columns: name, dosage, frequency, doctor, date issued (local short date).
    static QStringList rowTexts(const Medication& m);

    // Local date and time of a stored date and back, through the C library like every date of
    // the diary. A time the C library cannot convert gives nullopt.
    static QDateTime toDateTime(std::int64_t t);
    static std::optional<std::int64_t> fromDateTime(const QDateTime& dt);

    // Every record in stored order; false when the table could not be read.
    static bool readAll(TN& tn, std::vector<Medication>& out);
    // The record at `position`, or nullopt when there is none or it cannot be read.
    static std::optional<Medication> read(TN& tn, int position);
    // Appends the medication and puts the table back in name order.
    static bool add(TN& tn, const Medication& m);
    // Removes the record at `position` (the table file goes with its last record).
    static bool remove(TN& tn, int position);
};

} // namespace tavrin::diary
