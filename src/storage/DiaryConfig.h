#pragma once
// The diary configuration block (file letter c, 3112 bytes): names and switches of every
// diary parameter, the spin and combo definitions, the shortcut texts and the type names.

#include "storage/Record.h"

namespace tavrin {

class DiaryConfig : public Record<3112> {
public:
    static constexpr std::size_t kNameWidth = 15; // at most 14 characters
    static constexpr int kMoods = 7, kWeathers = 5, kSpins = 3, kSpinValues = 7, kCombos = 3,
                         kComboRows = 9, kShortcuts = 5, kTypes = 5;
    static constexpr std::size_t kShortcutWidth = 300, kTypeNameWidth = 50;

    // The three named rating scales, tied to the entry's fatigue, dream and shape bytes.
    enum class Scale { Fatigue, Dream, Shape };
    // The four measurements, tied to the entry's two real and two integer fields.
    enum class Measure { Real1, Real2, Int1, Int2 };

    void applyDefaults();

    bool moodEnabled() const { return u8(0); }
    void setMoodEnabled(bool on) { setU8(0, on); }
    std::string moodName(int i) const { return text(1 + kNameWidth * i, kNameWidth); }
    void setMoodName(int i, std::string_view s) { setText(1 + kNameWidth * i, kNameWidth, s); }

    static int scaleLevels(Scale s); // 3, 5, 4
    bool scaleEnabled(Scale s) const { return u8(scaleBase(s)); }
    void setScaleEnabled(Scale s, bool on) { setU8(scaleBase(s), on); }
    std::string scaleName(Scale s) const { return text(scaleBase(s) + 1, kNameWidth); }
    void setScaleName(Scale s, std::string_view n) { setText(scaleBase(s) + 1, kNameWidth, n); }
    std::string scaleLevel(Scale s, int i) const { return text(levelOff(s, i), kNameWidth); }
    void setScaleLevel(Scale s, int i, std::string_view n) {
        setText(levelOff(s, i), kNameWidth, n);
    }

    // Check marks 0 and 1: the entry's menstruation and copulation bytes.
    bool checkEnabled(int k) const { return u8(334 + 16 * k); }
    void setCheckEnabled(int k, bool on) { setU8(334 + 16 * k, on); }
    std::string checkName(int k) const { return text(335 + 16 * k, kNameWidth); }
    void setCheckName(int k, std::string_view s) { setText(335 + 16 * k, kNameWidth, s); }

    bool measureEnabled(Measure m) const { return u8(measureBase(m)); }
    void setMeasureEnabled(Measure m, bool on) { setU8(measureBase(m), on); }
    std::string measureName(Measure m) const { return text(measureBase(m) + 1, kNameWidth); }
    void setMeasureName(Measure m, std::string_view s) {
        setText(measureBase(m) + 1, kNameWidth, s);
    }

    // Spin controls 0 to 2: values -3 to +3 named by index value + 3.
    bool spinEnabled(int k) const { return u8(spinBase(k)); }
    void setSpinEnabled(int k, bool on) { setU8(spinBase(k), on); }
    std::string spinName(int k) const { return text(spinBase(k) + 1, kNameWidth); }
    void setSpinName(int k, std::string_view s) { setText(spinBase(k) + 1, kNameWidth, s); }
    std::int32_t spinLow(int k) const { return i32(spinBase(k) + 16); }
    std::int32_t spinHigh(int k) const { return i32(spinBase(k) + 20); }
    void setSpinRange(int k, std::int32_t low, std::int32_t high) {
        setI32(spinBase(k) + 16, low);
        setI32(spinBase(k) + 20, high);
    }
    // The range in use as values -3 to +3, low end first. The options page stores slider
    // positions 0 to 6 (value + 3), the Training type the values -3 and 3 themselves: a negative
    // lower end marks values. Damaged numbers are clamped to the named values.
    static void spinValues(int storedLow, int storedHigh, int& low, int& high);
    std::string spinValue(int k, int i) const {
        return text(spinBase(k) + 24 + kNameWidth * i, kNameWidth);
    }
    void setSpinValue(int k, int i, std::string_view s) {
        setText(spinBase(k) + 24 + kNameWidth * i, kNameWidth, s);
    }

    bool weatherEnabled() const { return u8(828); }
    void setWeatherEnabled(bool on) { setU8(828, on); }
    std::string weatherName(int i) const { return text(829 + kNameWidth * i, kNameWidth); }
    void setWeatherName(int i, std::string_view s) { setText(829 + kNameWidth * i, kNameWidth, s); }

    // Combo boxes 0 to 2: values 0 to 8 name rows; 1 to 9 rows in use.
    bool comboEnabled(int k) const { return u8(comboBase(k)); }
    void setComboEnabled(int k, bool on) { setU8(comboBase(k), on); }
    std::string comboName(int k) const { return text(comboBase(k) + 1, kNameWidth); }
    void setComboName(int k, std::string_view s) { setText(comboBase(k) + 1, kNameWidth, s); }
    int comboRows(int k) const { return u8(comboBase(k) + 16); }
    void setComboRows(int k, int n) { setU8(comboBase(k) + 16, std::uint8_t(n)); }
    std::string comboRow(int k, int i) const {
        return text(comboBase(k) + 17 + kNameWidth * i, kNameWidth);
    }
    void setComboRow(int k, int i, std::string_view s) {
        setText(comboBase(k) + 17 + kNameWidth * i, kNameWidth, s);
    }

    std::string shortcut(int i) const { return text(1360 + kShortcutWidth * i, kShortcutWidth); }
    void setShortcut(int i, std::string_view s) {
        setText(1360 + kShortcutWidth * i, kShortcutWidth, s);
    }
    std::string typeName(int i) const { return text(2860 + kTypeNameWidth * i, kTypeNameWidth); }
    void setTypeName(int i, std::string_view s) {
        setText(2860 + kTypeNameWidth * i, kTypeNameWidth, s);
    }

    static std::size_t scaleBase(Scale s) {
        return s == Scale::Fatigue ? 106 : s == Scale::Dream ? 167 : 258;
    }
    static std::size_t measureBase(Measure m) { return 366 + 16 * std::size_t(m); }
    static std::size_t spinBase(int k) { return 432 + 132 * std::size_t(k); }
    static std::size_t comboBase(int k) { return 904 + 152 * std::size_t(k); }

private:
    static std::size_t levelOff(Scale s, int i) {
        return scaleBase(s) + 16 + kNameWidth * std::size_t(i);
    }
};

} // namespace tavrin
