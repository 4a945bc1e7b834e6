#pragma once
// The diary the program works on, shared by the main window and every module: its path and
// extension offset, whether its password was accepted (open) and whether it has no entry yet
// (empty), plus what is loaded from it when it is chosen: the five text shortcuts and the pain
// kinds. Every window that needs diary data builds its own TN from here.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace tavrin {
class TN;
}

namespace tavrin::app {

class DiaryState : public QObject {
    Q_OBJECT
public:
    static DiaryState& instance();

    QString path() const { return path_; }
    int extOffset() const { return extOffset_; }
    bool hasPath() const { return !path_.isEmpty(); }
    bool isOpen() const { return open_; }
    bool isEmptyDiary() const { return empty_; }
    // Module pages may be used: a diary is chosen and either open or still without entries.
    bool usable() const { return hasPath() && (open_ || empty_); }
    // The diary's name: its file name without folder and extension.
    QString name() const;

    void choose(const QString& path, int extOffset);
    void setOpen(bool open);
    void setEmptyDiary(bool empty);
    // Back to "no diary": the path is emptied and the open flag cleared.
    void close();

    // A database object for the current diary, positioned at `index`.
    std::unique_ptr<TN> makeTN(int index = 0) const;

    // The five text shortcuts of the diary (Alt+1 to Alt+5) and the six pain kinds.
    const QStringList& shortcuts() const { return shortcuts_; }
    const QStringList& painKinds() const { return painKinds_; }
    void reloadShortcuts();
    void resetPainKinds();

    // Another part of the program changed the entries; the diary page refills when next shown.
    void markEntriesChanged() { entriesChanged_ = true; }
    bool takeEntriesChanged();

signals:
    void changed();

private:
    DiaryState();
    QString path_;
    int extOffset_ = 0;
    bool open_ = false;
    bool empty_ = false;
    bool entriesChanged_ = false;
    QStringList shortcuts_;
    QStringList painKinds_;
};

} // namespace tavrin::app
