#pragma once
// Where the eighteen pain-map areas sit on the skin's body pictures "body_back.tns" and
// "body_front.tns" (each 110 x 260). The skin generator marks each area with a dot joined by a
// leader line to a numbered disc at the picture's edge; the pain-map page and entry printing
// put an area's chooser or label beside that disc, on the same side, at labelY.
//
// The areas are the classic tender points, in pairs. The back picture shows the person from
// behind, so its left half is the person's left side; the front picture shows the person
// facing us, so its left half is the person's right side.
//
// Plain C++ so that the generator, the pages and the printing code share one table.

#include <array>

namespace tavrin {

struct SkinBodyArea {
    int value;        // 1-based position in its group of the entry (1..10 back, 1..8 front)
    bool onLeft;      // chooser goes on the picture's left side (else on its right)
    int x, y;         // the marked spot in picture pixels
    int labelY;       // centre of the numbered disc at the edge, in picture pixels
    const char* name; // a name for the area; the program may show it as a tool tip
};

namespace skinbody {
inline constexpr int kHeight = 260;
// Rows are spread evenly over the picture's height: row i of n is centred at
// height * (2i + 1) / (2n).
constexpr int rowY(int i, int n) {
    return kHeight * (2 * i + 1) / (2 * n);
}
} // namespace skinbody

struct SkinBodyAreas {
    static constexpr int kWidth = 110;
    static constexpr int kHeight = skinbody::kHeight;
    // Centre x of the numbered discs on each side.
    static constexpr int kLeftDiscX = 7;
    static constexpr int kRightDiscX = kWidth - 1 - 7;
    static constexpr int kDiscRadius = 6;

    static constexpr int rowY(int i, int n) { return skinbody::rowY(i, n); }

    // First group of the entry: the back view, values 1-5 on the left, 6-10 on the right,
    // each side top to bottom.
    static constexpr std::array<SkinBodyArea, 10> back{{
        {1, true, 50, 38, skinbody::rowY(0, 5), "Left occiput"},
        {2, true, 43, 51, skinbody::rowY(1, 5), "Left trapezius"},
        {3, true, 45, 60, skinbody::rowY(2, 5), "Left supraspinatus"},
        {4, true, 45, 128, skinbody::rowY(3, 5), "Left gluteal"},
        {5, true, 38, 141, skinbody::rowY(4, 5), "Left greater trochanter"},
        {6, false, 60, 38, skinbody::rowY(0, 5), "Right occiput"},
        {7, false, 67, 51, skinbody::rowY(1, 5), "Right trapezius"},
        {8, false, 65, 60, skinbody::rowY(2, 5), "Right supraspinatus"},
        {9, false, 65, 128, skinbody::rowY(3, 5), "Right gluteal"},
        {10, false, 72, 141, skinbody::rowY(4, 5), "Right greater trochanter"},
    }};

    // Second group: the front view, values 1-4 on the left (the person's right side) and 5-8
    // on the right, each side top to bottom.
    static constexpr std::array<SkinBodyArea, 8> front{{
        {1, true, 52, 45, skinbody::rowY(0, 4), "Right low cervical"},
        {2, true, 46, 60, skinbody::rowY(1, 4), "Right second rib"},
        {3, true, 25, 101, skinbody::rowY(2, 4), "Right lateral epicondyle"},
        {4, true, 49, 193, skinbody::rowY(3, 4), "Right knee"},
        {5, false, 58, 45, skinbody::rowY(0, 4), "Left low cervical"},
        {6, false, 64, 60, skinbody::rowY(1, 4), "Left second rib"},
        {7, false, 85, 101, skinbody::rowY(2, 4), "Left lateral epicondyle"},
        {8, false, 61, 193, skinbody::rowY(3, 4), "Left knee"},
    }};
};

} // namespace tavrin
