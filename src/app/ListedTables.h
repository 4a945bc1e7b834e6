#pragma once
// What a page's list was filled from: the table files of the open diary as they were when read.
// Rows name records by position, so once another program (tavrin-cli, a second computer's sync)
// rewrote a table, row n may be another record. A command that acts on a row asks first whether
// the files are unchanged; when they are not the user is told and the list is filled again.

#include "storage/FileStamp.h"

#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QWidget;

namespace tavrin::app {

class ListedTables {
public:
    static constexpr const char* kChangedElsewhere =
        "The diary was changed by another program. The list now shows it as it is: please "
        "choose again.";

    // The letters of the table files the list is filled from (DiaryFileSet's letters).
    explicit ListedTables(std::initializer_list<char> letters);

    // Called as the list is filled: these are the files it shows.
    void remember();
    // True when a diary is open and its files differ from those remembered.
    bool changed() const;
    // Before a command acts on a row: true when the list still shows the files. Otherwise warns,
    // calls `refill` (which remembers anew) and returns false: the command must not go on.
    bool current(QWidget* parent, const std::function<void()>& refill);
    // The same for a row's selection, where the list must not be emptied under its own signal:
    // the warning and the refill follow once the signal has returned.
    bool currentLater(QWidget* parent, std::function<void()> refill);

private:
    std::vector<FileStamp> stampsNow() const;

    std::vector<char> letters_;
    QString path_; // the diary the stamps belong to
    std::vector<FileStamp> stamps_;
};

} // namespace tavrin::app
