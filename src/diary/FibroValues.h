#pragma once
// The fibromyalgia block of an entry as the entry sheet and the preview show it: the 21 ratings
// in their four groups with the words at the ends of each scale, and the five typed values
// (three temperatures, two humidities) with the check they must pass before an entry is saved.

#include "storage/EntryRecord.h"

#include <QString>

#include <array>
#include <span>

namespace tavrin::diary {

struct FibroGroup {
    const char* name;
    const char* low;  // the word over button "1"
    const char* high; // the word over button "10"
};

struct FibroRating {
    Fibro field;
    const char* name;
    int group; // index into FibroScale::groups()
};

class FibroScale {
public:
    static constexpr int kRatings = 21;
    static constexpr int kChoices = 10; // buttons "1" to "10", stored as 0 to 9
    static constexpr int kNone = -1;    // no button chosen
    static std::span<const FibroGroup> groups();
    // In the order of the entry's block.
    static std::span<const FibroRating> ratings();
    // A stored rating as a button index, or kNone for anything outside 0 to 9.
    static int choiceOf(std::int8_t stored) {
        return stored >= 0 && stored < kChoices ? stored : kNone;
    }
};

class FibroValues {
public:
    enum Field {
        BodyTemperature,
        OutdoorTemperature,
        IndoorTemperature,
        OutdoorHumidity,
        IndoorHumidity
    };
    static constexpr int kFields = 5;
    static constexpr int kMinHumidity = 0, kMaxHumidity = 100;

    std::array<float, 3> temperatures{}; // body, outdoor, indoor
    std::array<int, 2> humidities{};     // outdoor, indoor

    static FibroValues of(const EntryRecord& e);
    void storeInto(EntryRecord& e) const;

    static bool isHumidity(Field f) { return f >= OutdoorHumidity; }
    // The group ("Temperature", "Humidity") and the field's own label ("Body", "Outdoor", ...).
    static QString groupName(Field f);
    static QString label(Field f);

    // A value as its field shows it.
    QString text(Field f) const;

    // Takes the five texts in Field order. On a refusal `bad` names the first field refused and
    // `message` says why; the values are then unchanged.
    bool parse(const std::array<QString, kFields>& texts, Field& bad, QString& message);

    static QString numberMessage();
    static QString rangeMessage();
};

} // namespace tavrin::diary
