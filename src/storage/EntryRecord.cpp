#include "storage/EntryRecord.h"

#include <algorithm>

namespace tavrin {

std::string EntryRecord::password() const {
    std::size_t n = std::min<std::size_t>(passwordLength(), kSecretWidth);
    auto all = text(kPassword, kSecretWidth);
    return all.substr(0, std::min(n, all.size()));
}

void EntryRecord::setPassword(std::string_view pw) {
    setText(kPassword, kSecretWidth, pw);
    setU32(kPasswordLength, std::uint32_t(text(kPassword, kSecretWidth).size()));
}

std::string EntryRecord::question(int pair) const {
    std::size_t base = pairOffset(pair);
    auto s = text(base + 1, kSecretWidth);
    return s.substr(0, std::min<std::size_t>(u8(base), s.size()));
}

std::string EntryRecord::answer(int pair) const {
    std::size_t base = pairOffset(pair) + 31;
    auto s = text(base + 1, kSecretWidth);
    return s.substr(0, std::min<std::size_t>(u8(base), s.size()));
}

void EntryRecord::setQuestion(int pair, std::string_view q) {
    std::size_t base = pairOffset(pair);
    setText(base + 1, kSecretWidth, q);
    setU8(base, std::uint8_t(text(base + 1, kSecretWidth).size()));
}

void EntryRecord::setAnswer(int pair, std::string_view a) {
    std::size_t base = pairOffset(pair) + 31;
    setText(base + 1, kSecretWidth, a);
    setU8(base, std::uint8_t(text(base + 1, kSecretWidth).size()));
}

void EntryRecord::copySecretsFrom(const EntryRecord& other) {
    std::copy_n(other.bytes.begin(), kDateTime, bytes.begin());
}

std::span<const FieldSpec> EntryRecord::fields() {
    static const FieldSpec kFields[] = {
        {"dateTime", kDateTime, 8, FieldType::Time},
        {"description", kDescription, 30, FieldType::Text},
        {"mood", kMood, 1, FieldType::I8},
        {"fatigue", kFatigue, 1, FieldType::I8},
        {"shape", kShape, 1, FieldType::I8},
        {"menstruation", kMenstruation, 1, FieldType::U8},
        {"copulation", kCopulation, 1, FieldType::U8},
        {"real1", kReal1, 4, FieldType::F32},
        {"real2", kReal2, 4, FieldType::F32},
        {"int1", kInt1, 4, FieldType::I32},
        {"int2", kInt2, 4, FieldType::I32},
        {"dream", kDream, 1, FieldType::I8},
        {"weather", kWeather, 1, FieldType::I8},
        {"spin1", kSpins, 1, FieldType::I8},
        {"spin2", kSpins + 1, 1, FieldType::I8},
        {"spin3", kSpins + 2, 1, FieldType::I8},
        {"combo1", kCombos, 1, FieldType::I8},
        {"combo2", kCombos + 1, 1, FieldType::I8},
        {"combo3", kCombos + 2, 1, FieldType::I8},
        {"bodyTemperature", kBodyTemperature, 4, FieldType::F32},
        {"outdoorTemperature", kOutdoorTemperature, 4, FieldType::F32},
        {"indoorTemperature", kIndoorTemperature, 4, FieldType::F32},
        {"outdoorHumidity", kOutdoorHumidity, 4, FieldType::I32},
        {"indoorHumidity", kIndoorHumidity, 4, FieldType::I32},
        {"voiceFlag", kVoiceFlag, 1, FieldType::U8},
        {"voiceOffset", kVoiceOffset, 4, FieldType::U32},
        {"voiceLength", kVoiceLength, 4, FieldType::U32},
    };
    return kFields;
}

std::span<const EntryRecord::FibroField> EntryRecord::fibroFields() {
    static const FibroField kFibro[] = {
        {Fibro::PainMorning, "painMorning"}, {Fibro::PainAfternoon, "painAfternoon"},
        {Fibro::PainEvening, "painEvening"}, {Fibro::Sleep, "sleep"},
        {Fibro::Fatigue, "fatigue"},         {Fibro::Weakness, "weakness"},
        {Fibro::Dizziness, "dizziness"},     {Fibro::Eyesight, "eyesight"},
        {Fibro::Motion, "motion"},           {Fibro::Urination, "urination"},
        {Fibro::Hearing, "hearing"},         {Fibro::IBS, "ibs"},
        {Fibro::Thinking, "thinking"},       {Fibro::Anxiety, "anxiety"},
        {Fibro::Depression, "depression"},   {Fibro::Angriness, "angriness"},
        {Fibro::Irritation, "irritation"},   {Fibro::Happiness, "happiness"},
        {Fibro::Pollens, "pollens"},         {Fibro::Mold, "mold"},
        {Fibro::Effect, "effect"},
    };
    return kFibro;
}

} // namespace tavrin
