#pragma once
// What the program gathers once and every window shares: the list of font faces offered by
// the font choosers of the editor and the options, the seven mood pictures of the diary pages,
// and the program's emblem (window icon, tray icon, splash and about window).

#include <QIcon>
#include <QPixmap>
#include <QStringList>

class QPainter;
class QRectF;
class QColor;

namespace tavrin::app {

class ProgramResources {
public:
    // Installed scalable font faces, symbol fonts left out, sorted; empty until gathered.
    static const QStringList& fontList();
    // Builds the font list from the font database (start-up step "Retrieving Fonts").
    static void gatherFonts();
    static void releaseFonts();

    // Mood pictures "face-3.bmp" ... "face3.bmp" of the active skin; mood -3 to 3. A picture the
    // skin lacks is a null pixmap.
    static void loadMoodPictures();
    static void releaseMoodPictures();
    static QPixmap moodPicture(int mood);
    static constexpr int kMinMood = -3;
    static constexpr int kMaxMood = 3;

    // The program's emblem, a leaf, drawn into `box`.
    static void drawEmblem(QPainter& p, const QRectF& box, const QColor& leaf, const QColor& vein);
    static QIcon programIcon();
};

} // namespace tavrin::app
