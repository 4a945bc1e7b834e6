#include "storage/GraphSettings.h"

namespace tavrin {
namespace {

// Offsets of the fibromyalgia series: not evenly spaced, so they are listed.
constexpr GraphSettings::Slot kFibro[GraphSettings::kFibroSeries] = {
    {208, 212, 216, 217}, {218, 220, 224, 225}, {226, 228, 232, 233}, {236, 240, 244, 245},
    {246, 248, 252, 253}, {254, 256, 260, 261}, {262, 264, 268, 269}, {270, 272, 276, 277},
    {278, 280, 284, 285}, {286, 288, 292, 293}, {294, 296, 300, 301}, {302, 304, 308, 309},
    {312, 316, 320, 321}, {322, 324, 328, 329}, {330, 332, 336, 337}, {338, 340, 344, 345},
    {346, 348, 352, 353}, {354, 356, 360, 361}, {364, 368, 372, 373}, {374, 376, 380, 381},
    {382, 384, 388, 389},
};
constexpr GraphSettings::Slot kLabels[GraphSettings::kFibroLabels] = {
    {392, 396, 0, 0}, {400, 404, 0, 0}, {408, 412, 0, 0}, {416, 420, 0, 0}, {424, 428, 0, 0},
};

struct Default {
    int visible, r, g, b, type;
};
constexpr Default kDiaryDefaults[GraphSettings::kDiarySeries] = {
    {1, 255, 0, 0, 0},     {1, 0, 255, 0, 1},   {1, 0, 0, 255, 1},   {1, 255, 0, 255, 1},
    {1, 0, 255, 255, 2},   {1, 0, 128, 128, 2}, {1, 128, 128, 0, 2}, {0, 64, 64, 0, 2},
    {1, 255, 255, 255, 2}, {0, 64, 64, 64, 2},  {1, 0, 0, 0, 2},     {0, 196, 0, 196, 0},
    {0, 128, 0, 128, 0},   {0, 64, 0, 64, 0},   {0, 0, 196, 0, 2},   {0, 0, 128, 0, 2},
    {0, 0, 64, 0, 2},
};
constexpr Default kFibroDefaults[GraphSettings::kFibroSeries] = {
    {0, 255, 0, 0, 1},   {0, 196, 0, 0, 1}, {0, 128, 0, 0, 1},   {0, 0, 255, 0, 0},
    {0, 0, 223, 0, 0},   {0, 0, 196, 0, 0}, {0, 0, 164, 0, 0},   {0, 0, 132, 0, 0},
    {0, 0, 100, 0, 0},   {0, 0, 68, 0, 0},  {0, 0, 36, 0, 0},    {0, 0, 4, 0, 0},
    {0, 0, 0, 255, 0},   {0, 0, 0, 223, 0}, {0, 0, 0, 196, 0},   {0, 0, 0, 164, 0},
    {0, 0, 0, 132, 0},   {0, 0, 0, 100, 0}, {0, 255, 255, 0, 0}, {0, 223, 223, 0, 0},
    {0, 196, 196, 0, 0},
};
constexpr Default kLabelDefaults[GraphSettings::kFibroLabels] = {
    {0, 0, 255, 255, 0}, {0, 0, 223, 223, 0}, {0, 0, 196, 196, 0},
    {0, 255, 0, 255, 0}, {0, 223, 0, 223, 0},
};

} // namespace

GraphSettings::Slot GraphSettings::fibroSlot(int i) {
    return kFibro[i];
}
GraphSettings::Slot GraphSettings::labelSlot(int i) {
    return kLabels[i];
}

void GraphSettings::applyDefaults() {
    setBackground(rgb(196, 196, 196));
    auto apply = [this](const Slot& s, const Default& d) {
        setVisible(s, d.visible);
        setColour(s, rgb(d.r, d.g, d.b));
        setType(s, std::uint8_t(d.type));
        setWidth(s, 1);
    };
    for (int i = 0; i < kDiarySeries; ++i)
        apply(diarySlot(i), kDiaryDefaults[i]);
    for (int i = 0; i < kFibroSeries; ++i)
        apply(kFibro[i], kFibroDefaults[i]);
    for (int i = 0; i < kFibroLabels; ++i)
        apply(kLabels[i], kLabelDefaults[i]);
}

} // namespace tavrin
