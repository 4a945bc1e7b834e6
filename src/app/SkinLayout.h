#pragma once
// The main window's geometry that the shipped skins are drawn for. "back_large.tns" is the
// whole window: a title strip across the top, a side bar on the left holding the seven module
// buttons and, below a gap, the five smaller buttons; minimise and exit sit at the right end of
// the title strip; the pages fill the card on the right ("back_main.tns" is that card).
// Module buttons follow the skin's button height; everything else is fixed.
//
// Plain C++ so that the skin generator and the main window read the same numbers.

namespace tavrin {

struct SkinLayout {
    static constexpr int kWindowWidth = 920;
    static constexpr int kWindowHeight = 600;
    static constexpr int kCornerRadius = 16; // rounded outline, cut by the window key colour

    static constexpr int kTitleHeight = 40;
    static constexpr int kTitleTextX = 44; // the title text starts right of the logo

    static constexpr int kButtonWidth = 110;
    static constexpr int kModuleButtonHeight = 44; // "diary_normal.tns" of the shipped skins
    static constexpr int kSmallButtonHeight =
        28; // open, create, options, help, about, minimise, exit
    static constexpr int kSideBarWidth = 140;
    static constexpr int kButtonX = (kSideBarWidth - kButtonWidth) / 2;
    static constexpr int kButtonGap = 6;
    static constexpr int kFirstButtonY = kTitleHeight + 12;

    // Module button i (0 Diary ... 6 Tools), for a skin whose buttons are h high.
    static constexpr int moduleButtonY(int i, int h = kModuleButtonHeight) {
        return kFirstButtonY + i * (h + kButtonGap);
    }
    // Small button i (0 open, 1 create, 2 options, 3 help, 4 about), under the module buttons.
    static constexpr int smallButtonY(int i, int h = kModuleButtonHeight) {
        return moduleButtonY(7, h) + 10 + i * (kSmallButtonHeight + 4);
    }
    // Minimise and exit, side by side at the right of the title strip.
    static constexpr int kExitX = kWindowWidth - 12 - kButtonWidth;
    static constexpr int kMinimizeX = kExitX - 6 - kButtonWidth;
    static constexpr int kCaptionButtonY = (kTitleHeight - kSmallButtonHeight) / 2 + 2;

    // The card that holds the module pages.
    static constexpr int kPageX = kSideBarWidth + 8;
    static constexpr int kPageY = kTitleHeight + 8;
    static constexpr int kPageWidth = kWindowWidth - kPageX - 12;
    static constexpr int kPageHeight = kWindowHeight - kPageY - 12;

    // Mood pictures "face-3.bmp" ... "face3.bmp".
    static constexpr int kFaceSize = 48;
};

} // namespace tavrin
