#include "diary/FibroValues.h"

#include <QLocale>

#include <cmath>

namespace tavrin::diary {

std::span<const FibroGroup> FibroScale::groups() {
    static const FibroGroup g[] = {
        {"Overall pain level", "Low", "High"},
        {"Physical symptoms", "Best", "Worst"},
        {"Mental symptoms", "Best", "Worst"},
        {"Weather", "Less", "More"},
    };
    return g;
}

std::span<const FibroRating> FibroScale::ratings() {
    static const FibroRating r[kRatings] = {
        {Fibro::PainMorning, "Morning", 0},   {Fibro::PainAfternoon, "Afternoon", 0},
        {Fibro::PainEvening, "Evening", 0},   {Fibro::Sleep, "Sleep", 1},
        {Fibro::Fatigue, "Fatigue", 1},       {Fibro::Weakness, "Weakness", 1},
        {Fibro::Dizziness, "Dizziness", 1},   {Fibro::Eyesight, "Eyesight", 1},
        {Fibro::Motion, "Motion", 1},         {Fibro::Urination, "Urination", 1},
        {Fibro::Hearing, "Hearing", 1},       {Fibro::IBS, "IBS", 1},
        {Fibro::Thinking, "Thinking", 2},     {Fibro::Anxiety, "Anxiety", 2},
        {Fibro::Depression, "Depression", 2}, {Fibro::Angriness, "Angriness", 2},
        {Fibro::Irritation, "Irritation", 2}, {Fibro::Happiness, "Happiness", 2},
        {Fibro::Pollens, "Pollens", 3},       {Fibro::Mold, "Mold", 3},
        {Fibro::Effect, "Effect", 3},
    };
    return r;
}

FibroValues FibroValues::of(const EntryRecord& e) {
    FibroValues v;
    v.temperatures = {e.bodyTemperature(), e.outdoorTemperature(), e.indoorTemperature()};
    v.humidities = {e.outdoorHumidity(), e.indoorHumidity()};
    return v;
}

void FibroValues::storeInto(EntryRecord& e) const {
    e.setBodyTemperature(temperatures[0]);
    e.setOutdoorTemperature(temperatures[1]);
    e.setIndoorTemperature(temperatures[2]);
    e.setOutdoorHumidity(humidities[0]);
    e.setIndoorHumidity(humidities[1]);
}

QString FibroValues::groupName(Field f) {
    return isHumidity(f) ? "Humidity" : "Temperature";
}

QString FibroValues::label(Field f) {
    switch (f) {
    case BodyTemperature:
        return "Body";
    case OutdoorTemperature:
    case OutdoorHumidity:
        return "Outdoor";
    case IndoorTemperature:
    case IndoorHumidity:
        return "Indoor";
    }
    return {};
}

QString FibroValues::text(Field f) const {
    if (isHumidity(f)) return QString::number(humidities[f - OutdoorHumidity]);
    // Seven digits show what a single-precision number holds without float noise (36.6,
    // not 36.5999).
    return QString::number(double(temperatures[f]), 'g', 7);
}

QString FibroValues::numberMessage() {
    return "Please enter a number.";
}

QString FibroValues::rangeMessage() {
    return QString("Please enter an integer between %1 and %2.")
        .arg(kMinHumidity)
        .arg(kMaxHumidity);
}

bool FibroValues::parse(const std::array<QString, kFields>& texts, Field& bad, QString& message) {
    FibroValues next = *this;
    for (int i = 0; i < kFields; ++i) {
        const Field f = Field(i);
        const QString t = texts[std::size_t(i)].trimmed();
        bool ok = false;
        if (isHumidity(f)) {
            const int n = t.toInt(&ok);
            if (!ok || n < kMinHumidity || n > kMaxHumidity) {
                bad = f;
                message = rangeMessage();
                return false;
            }
            next.humidities[std::size_t(i - OutdoorHumidity)] = n;
        } else {
            // The user's own decimal separator, or the point the field shows. Where the point
            // groups thousands, "21.125" would read as 21125: group separators are refused.
            QLocale locale;
            locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
            float v = locale.toFloat(t, &ok);
            if (!ok) v = t.toFloat(&ok);
            if (!ok || !std::isfinite(v)) {
                bad = f;
                message = numberMessage();
                return false;
            }
            next.temperatures[std::size_t(i)] = v;
        }
    }
    *this = next;
    return true;
}

} // namespace tavrin::diary
