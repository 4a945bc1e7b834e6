#pragma once
// The 420-byte index record of a diary entry, exactly as it lies in the entry index file.

#include "storage/Record.h"

#include <array>
#include <span>

namespace tavrin {

// The fibromyalgia ratings: each a signed byte, 0 to 9 for the choices "1" to "10", -1 unchosen.
enum class Fibro : std::uint16_t {
    PainMorning = 312,
    PainAfternoon = 313,
    PainEvening = 314,
    Sleep = 315,
    Fatigue = 316,
    Weakness = 317,
    Dizziness = 318,
    Eyesight = 319,
    Motion = 324,
    Urination = 325,
    Hearing = 326,
    IBS = 327,
    Thinking = 328,
    Anxiety = 329,
    Depression = 330,
    Angriness = 331,
    Irritation = 332,
    Happiness = 333,
    Pollens = 344,
    Mold = 345,
    Effect = 356,
};

class EntryRecord : public Record<420> {
public:
    static constexpr int kPainAreas = 18;
    static constexpr int kTypeTexts = 5;
    static constexpr int kPairs = 3;
    static constexpr int kMaxSecret = 29; // password, questions, answers

    // Offsets of the record. Texts hold at most width - 1 characters.
    enum : std::uint16_t {
        kPasswordLength = 0,
        kPassword = 4,
        kVersion = 34,
        kPairsStart = 36,
        kPairSize = 62,
        kDateTime = 224,
        kDescription = 232,
        kMood = 262,
        kFatigue = 263,
        kShape = 264,
        kMenstruation = 265,
        kCopulation = 266,
        kReal1 = 268,
        kReal2 = 272,
        kInt1 = 276,
        kInt2 = 280,
        kDream = 284,
        kWeather = 285,
        kSpins = 286,
        kCombos = 289,
        kPainMap = 292,
        kBodyTemperature = 320,
        kOutdoorTemperature = 336,
        kIndoorTemperature = 340,
        kOutdoorHumidity = 348,
        kIndoorHumidity = 352,
        kBodyOffset = 360,
        kBodyLength = 364,
        kTypeTextsStart = 368,
        kVoiceFlag = 408,
        kVoiceOffset = 412,
        kVoiceLength = 416,
    };
    static constexpr std::size_t kSecretWidth = 30;
    static constexpr std::size_t kDescriptionWidth = 30;

    // Password and security pairs. In memory the record is held unscrambled.
    std::uint32_t passwordLength() const { return u32(kPasswordLength); }
    std::string password() const;          // the stored length counts, at most 30 bytes
    void setPassword(std::string_view pw); // text and length
    // The password length as the field holds it: its bytes up to the NUL, at most 30.
    void syncPasswordLength() {
        setU32(kPasswordLength, std::uint32_t(text(kPassword, kSecretWidth).size()));
    }
    std::uint8_t version() const { return u8(kVersion); }
    void setVersion(std::uint8_t v) { setU8(kVersion, v); }
    std::string question(int pair) const;
    std::string answer(int pair) const;
    void setQuestion(int pair, std::string_view q); // text and length byte
    void setAnswer(int pair, std::string_view a);
    // Copies the password and the three pairs from another record.
    void copySecretsFrom(const EntryRecord& other);

    std::int64_t dateTime() const { return i64(kDateTime); }
    void setDateTime(std::int64_t t) { setI64(kDateTime, t); }
    std::string description() const { return text(kDescription, kDescriptionWidth); }
    void setDescription(std::string_view s) { setText(kDescription, kDescriptionWidth, s); }

    std::int8_t mood() const { return i8(kMood); }
    void setMood(std::int8_t v) { setI8(kMood, v); }
    std::int8_t fatigue() const { return i8(kFatigue); }
    void setFatigue(std::int8_t v) { setI8(kFatigue, v); }
    std::int8_t shape() const { return i8(kShape); }
    void setShape(std::int8_t v) { setI8(kShape, v); }
    std::int8_t dream() const { return i8(kDream); }
    void setDream(std::int8_t v) { setI8(kDream, v); }
    std::uint8_t menstruation() const { return u8(kMenstruation); }
    void setMenstruation(std::uint8_t v) { setU8(kMenstruation, v); }
    std::uint8_t copulation() const { return u8(kCopulation); }
    void setCopulation(std::uint8_t v) { setU8(kCopulation, v); }
    float real1() const { return f32(kReal1); }
    void setReal1(float v) { setF32(kReal1, v); }
    float real2() const { return f32(kReal2); }
    void setReal2(float v) { setF32(kReal2, v); }
    std::int32_t int1() const { return i32(kInt1); }
    void setInt1(std::int32_t v) { setI32(kInt1, v); }
    std::int32_t int2() const { return i32(kInt2); }
    void setInt2(std::int32_t v) { setI32(kInt2, v); }
    std::int8_t weather() const { return i8(kWeather); }
    void setWeather(std::int8_t v) { setI8(kWeather, v); }
    std::int8_t spin(int i) const { return i8(kSpins + i); }
    void setSpin(int i, std::int8_t v) { setI8(kSpins + i, v); }
    std::int8_t combo(int i) const { return i8(kCombos + i); }
    void setCombo(int i, std::int8_t v) { setI8(kCombos + i, v); }

    // The 18 pain-map areas in area order: the first ten at 292, the other eight at 302.
    std::uint8_t pain(int area) const { return u8(kPainMap + area); }
    void setPain(int area, std::uint8_t v) { setU8(kPainMap + area, v); }

    std::int8_t fibro(Fibro f) const { return i8(std::uint16_t(f)); }
    void setFibro(Fibro f, std::int8_t v) { setI8(std::uint16_t(f), v); }
    float bodyTemperature() const { return f32(kBodyTemperature); }
    void setBodyTemperature(float v) { setF32(kBodyTemperature, v); }
    float outdoorTemperature() const { return f32(kOutdoorTemperature); }
    void setOutdoorTemperature(float v) { setF32(kOutdoorTemperature, v); }
    float indoorTemperature() const { return f32(kIndoorTemperature); }
    void setIndoorTemperature(float v) { setF32(kIndoorTemperature, v); }
    std::int32_t outdoorHumidity() const { return i32(kOutdoorHumidity); }
    void setOutdoorHumidity(std::int32_t v) { setI32(kOutdoorHumidity, v); }
    std::int32_t indoorHumidity() const { return i32(kIndoorHumidity); }
    void setIndoorHumidity(std::int32_t v) { setI32(kIndoorHumidity, v); }

    std::uint32_t bodyOffset() const { return u32(kBodyOffset); }
    std::uint32_t bodyLength() const { return u32(kBodyLength); }
    void setBody(std::uint32_t off, std::uint32_t len) {
        setU32(kBodyOffset, off);
        setU32(kBodyLength, len);
    }
    std::uint32_t typeOffset(int i) const { return u32(kTypeTextsStart + 8 * i); }
    std::uint32_t typeLength(int i) const { return u32(kTypeTextsStart + 8 * i + 4); }
    void setType(int i, std::uint32_t off, std::uint32_t len) {
        setU32(kTypeTextsStart + 8 * i, off);
        setU32(kTypeTextsStart + 8 * i + 4, len);
    }

    std::uint8_t voiceFlag() const { return u8(kVoiceFlag); }
    void setVoiceFlag(std::uint8_t v) { setU8(kVoiceFlag, v); }
    std::uint32_t voiceOffset() const { return u32(kVoiceOffset); }
    std::uint32_t voiceLength() const { return u32(kVoiceLength); }
    void setVoice(std::uint32_t off, std::uint32_t len) {
        setU32(kVoiceOffset, off);
        setU32(kVoiceLength, len);
    }

    // Every scalar field with its name, for exports and checks.
    static std::span<const FieldSpec> fields();

    // The fibromyalgia ratings in block order, with their names.
    struct FibroField {
        Fibro field;
        const char* name;
    };
    static std::span<const FibroField> fibroFields();

private:
    static std::size_t pairOffset(int pair) { return kPairsStart + kPairSize * std::size_t(pair); }
};

} // namespace tavrin
