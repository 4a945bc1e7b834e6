#pragma once
// The graph settings block (file letter g, 432 bytes): per plottable series whether it is
// visible, its colour, its kind of plot and its line width.

#include "storage/Record.h"

namespace tavrin {

class GraphSettings : public Record<432> {
public:
    static constexpr int kDiarySeries = 17; // mood, three scales, two checks, four measures,
                                            // weather, three spins, three combos
    static constexpr int kFibroSeries = 21; // in the order of EntryRecord::fibroFields()
    static constexpr int kFibroLabels = 5;  // body, outdoor, indoor temperature; two humidities
    enum PlotType : std::uint8_t { Line = 0, Bar = 1, Point = 2 };

    // Where one series keeps its four values; labels have no type and width (offset 0).
    struct Slot {
        std::uint16_t visible, colour, type, width;
    };
    static Slot diarySlot(int i) {
        auto b = std::uint16_t(4 + 12 * i);
        return {b, std::uint16_t(b + 4), std::uint16_t(b + 8), std::uint16_t(b + 9)};
    }
    static Slot fibroSlot(int i);
    static Slot labelSlot(int i);

    void applyDefaults();

    // Colours are 0x00BBGGRR.
    static std::uint32_t rgb(int r, int g, int b) { return std::uint32_t(r | g << 8 | b << 16); }

    std::uint32_t background() const { return u32(0); }
    void setBackground(std::uint32_t c) { setU32(0, c); }

    bool visible(const Slot& s) const { return u8(s.visible); }
    void setVisible(const Slot& s, bool on) { setU8(s.visible, on); }
    std::uint32_t colour(const Slot& s) const { return u32(s.colour); }
    void setColour(const Slot& s, std::uint32_t c) { setU32(s.colour, c); }
    std::uint8_t type(const Slot& s) const { return s.type ? u8(s.type) : 0; }
    void setType(const Slot& s, std::uint8_t t) {
        if (s.type) setU8(s.type, t);
    }
    std::uint8_t width(const Slot& s) const { return s.width ? u8(s.width) : 0; }
    void setWidth(const Slot& s, std::uint8_t w) {
        if (s.width) setU8(s.width, w);
    }
};

} // namespace tavrin
