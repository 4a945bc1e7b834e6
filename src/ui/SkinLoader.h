#pragma once
// Chooses, checks and activates the skin of this run. A skin named S is the 164-byte index file
// "TNSkins/S.TNS" and the folder "TNSkins/S/" of BMP pictures ending in ".tns". Every picture
// is checked before anything of the skin is used, so a broken skin leaves no trace; on success
// the skin becomes ui::ActiveSkin::current().
//
// Progress goes to a status callback, once per status text ("Loading back_all.tns", ...): the
// start-up splash shows it and advances its bar by one step for each.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace tavrin::ui {
class ActiveSkin;
}

namespace tavrin {

class SkinLoader {
public:
    using StatusCallback = std::function<void(const QString& status)>;

    static constexpr const char* kDefaultSkin = "Corvel Windows";

    // skinsDir: the folder holding the index files; empty means defaultSkinsDir().
    explicit SkinLoader(const QString& skinsDir = QString());

    // "TNSkins" beside the executable, else in the installed data folder.
    static QString defaultSkinsDir();
    // The pictures every skin must have, in the order they are checked.
    static const QStringList& requiredPictures();
    // " by: <author>", the author line of the options page.
    static QString authorCaption(const QString& author);

    QString skinsDir() const { return dir_; }
    void setStatusCallback(StatusCallback cb) { status_ = std::move(cb); }

    // Names of all skins (index file names without ".TNS"), sorted.
    QStringList skinNames() const;

    // Start-up: pick a random skin when "randomSkin" is 1, load "whichSkin", fall back to the
    // default skin with a warning; false (after telling the user) when no skin is usable.
    bool chooseAndLoad();

    // With "randomSkin" 1: picks one of skinNames() with a generator seeded from the millisecond
    // clock (or from seed) and writes it to "whichSkin". Returns the name picked, or nothing
    // when the setting is off or no index file is present (the stored name is kept).
    std::optional<QString> pickRandomSkin(std::optional<std::uint32_t> seed = std::nullopt);

    // Checks skin `name` completely and, on success, makes it the active skin.
    bool load(const QString& name);
    // Checks skin `name` completely and fills `out`; the active skin is left alone.
    bool check(const QString& name, ui::ActiveSkin& out);

    // The author of skin `name` for the options page; nothing when its index file is missing
    // or unreadable (a short index file shows "The index size is incorrect!").
    std::optional<QString> readAuthor(const QString& name) const;

    QString indexPath(const QString& name) const;
    QString pictureDir(const QString& name) const;

private:
    enum class IndexResult { Ok, Missing, Failed };
    IndexResult readIndex(const QString& name, ui::ActiveSkin& out) const;
    void status(const QString& text) const;

    QString dir_;
    StatusCallback status_;
};

} // namespace tavrin
