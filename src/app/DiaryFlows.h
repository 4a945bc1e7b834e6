#pragma once
// Opening and creating a diary behind its password, as the main window runs them.

#include <QString>

#include <array>

class QWidget;

namespace tavrin::app {

class DiaryShell;

struct PasswordAnswer {
    bool ok = false;
    QString password;
    bool resetDone = false;
    std::array<QString, 3> questions, answers; // when creating
};

class DiaryFlows {
public:
    enum class Admit { Opened, Empty, Cancelled, WrongPassword };

    explicit DiaryFlows(DiaryShell& shell) : shell_(shell) {}

    // The Open and Create commands.
    void openDiary();
    // Opens the diary at `path` as Open does once a file was chosen (a diary given on the
    // command line or passed on by a second copy). A missing file or one that is no diary is
    // said so, and the diary that was open stays open.
    void openDiaryAt(const QString& path);
    void createDiary();

    // For the diary chosen in DiaryState: load its shortcuts and pain kinds, and unless it has
    // no entry, ask its password. With `fill`, an accepted diary's entries are listed, the
    // diary page shown and the path remembered for the next start.
    Admit admitChosen(const QString& name, bool fill);
    // admitChosen() for the diary taken up again (the last one at start-up, or the current one
    // after a restore). Its name comes from its own path and is remembered as the last chosen
    // name: the one stored may belong to a diary chosen later whose password was never given.
    Admit admitAgain(bool fill);

    // Remembers the current diary for the next start (DiaryFile, ExtLoc): done whenever a
    // password was accepted for it, at an opening or with the first entry of a new diary.
    static void rememberCurrent();

    // The password prompt.
    static PasswordAnswer askPassword(const QString& diaryName, bool creating, QWidget* parent,
                                      const QString& path = QString(), int extOffset = 0);

private:
    void afterAccepted();
    void fail();
    DiaryShell& shell_;
};

} // namespace tavrin::app
