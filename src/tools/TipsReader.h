#pragma once
// Reading "TIPS.TXT" one tip at a time. A line that starts with a tab, a line feed, a space or
// ";" is skipped (blank lines, continuations, comments); every other line is a tip. After the
// last tip reading starts again at the top. A file without any tip line ends the search after
// one round instead of going round for ever.

#include <QFile>
#include <QString>

namespace tavrin::tools {

class TipsReader {
public:
    static constexpr const char* kMissing = "The TIPS.TXT file does not exist!";
    static constexpr const char* kCorrupt = "The TIPS.TXT file is corrupt!";
    static constexpr const char* kNoTips = "The TIPS.TXT file holds no tips!";
    static constexpr int kLineLimit = 999;

    enum class Status { Ok, Missing, Corrupt, NoTips };

    // Opens the file and moves to `offset`, or to 0 when the file's time stamp is not
    // `storedStamp` (the file was replaced). Missing: the file does not exist; Corrupt: the
    // offset cannot be reached.
    Status open(const QString& path, qint64 offset, const QString& storedStamp);
    // The file's modification time as the settings keep it, "Wed Mar 05 14:39:46 2003".
    QString stamp() const { return stamp_; }
    // The next tip with its line feed; empty with the status when there is none.
    QString next(Status* status = nullptr);
    qint64 position() const { return file_.isOpen() ? file_.pos() : 0; }
    bool isOpen() const { return file_.isOpen(); }

    static QString stampOf(const QString& path);

private:
    QFile file_;
    QString stamp_;
};

} // namespace tavrin::tools
