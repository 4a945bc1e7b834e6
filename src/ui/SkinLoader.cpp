#include "ui/SkinLoader.h"

#include "storage/ProgramTexts.h"

#include "platform/DataPaths.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "storage/Reporter.h"
#include "ui/ActiveSkin.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>

namespace tavrin {
namespace {

using platform::MessageBox;
using platform::MsgButtons;
using platform::MsgIcon;

// Where the default-skin message sends the user for more skins.
const QString kSkinsSite = QString::fromLatin1(texts::kWebSite) + "/skins";

// The file in `dir` called `fileName`, ignoring case when no exact match exists: skins made on
// systems that ignore case do not always agree with us on capitals.
QString findFile(const QString& dir, const QString& fileName) {
    QDir d(dir);
    if (d.exists(fileName)) return d.filePath(fileName);
    const QStringList hits = d.entryList({fileName}, QDir::Files | QDir::Hidden);
    return d.filePath(hits.isEmpty() ? fileName : hits.first());
}

} // namespace

SkinLoader::SkinLoader(const QString& skinsDir)
    : dir_(skinsDir.isEmpty() ? defaultSkinsDir() : skinsDir) {}

QString SkinLoader::defaultSkinsDir() {
    const QString found = platform::DataPaths::find(QStringLiteral("TNSkins"));
    // Nothing found: name the folder beside the program, which is where the user should look.
    return found.isEmpty() ? platform::DataPaths::programDir() + QStringLiteral("/TNSkins") : found;
}

const QStringList& SkinLoader::requiredPictures() {
    static const QStringList files = {
        "back_all.tns",        "back_large.tns",      "diary_normal.tns",    "diary_pushed.tns",
        "reminder_normal.tns", "reminder_pushed.tns", "planner_normal.tns",  "planner_pushed.tns",
        "contacts_normal.tns", "contacts_pushed.tns", "cookbook_normal.tns", "cookbook_pushed.tns",
        "graph_normal.tns",    "graph_pushed.tns",    "tools_normal.tns",    "tools_pushed.tns",
        "open_normal.tns",     "open_pushed.tns",     "create_normal.tns",   "create_pushed.tns",
        "options_normal.tns",  "options_pushed.tns",  "help_normal.tns",     "help_pushed.tns",
        "radio_normal.tns",    "radio_pushed.tns",    "about_normal.tns",    "about_pushed.tns",
        "minimize_normal.tns", "minimize_pushed.tns", "exit_normal.tns",     "exit_pushed.tns",
        "body_back.tns",       "body_front.tns",
    };
    return files;
}

QString SkinLoader::authorCaption(const QString& author) {
    return QStringLiteral(" by: %1").arg(author);
}

QString SkinLoader::indexPath(const QString& name) const {
    return findFile(dir_, name + QStringLiteral(".TNS"));
}

QString SkinLoader::pictureDir(const QString& name) const {
    return QDir(dir_).filePath(name);
}

QStringList SkinLoader::skinNames() const {
    QStringList names;
    // QDir matches name filters without regard to case.
    const QFileInfoList files =
        QDir(dir_).entryInfoList({QStringLiteral("*.TNS")}, QDir::Files, QDir::Name);
    for (const QFileInfo& f : files)
        names << f.completeBaseName();
    names.removeDuplicates();
    return names;
}

void SkinLoader::status(const QString& text) const {
    if (status_) status_(text);
}

SkinLoader::IndexResult SkinLoader::readIndex(const QString& name, ui::ActiveSkin& out) const {
    // The name comes from the settings store: it names a skin inside the skins folder, never a
    // path elsewhere.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return IndexResult::Missing;
    const QString path = indexPath(name);
    if (!QFileInfo(path).isFile()) return IndexResult::Missing;

    // stdio rather than QFile: the file-error text is chosen by errno.
    const QByteArray native = QFile::encodeName(path);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(native.constData(), "rb"),
                                                      &std::fclose);
    if (!f) {
        MessageBox::warning(QString::fromStdString(messages::fileError(errno, path.toStdString())));
        return IndexResult::Failed;
    }
    QByteArray index(ui::ActiveSkin::kIndexSize, '\0');
    const size_t got = std::fread(index.data(), 1, size_t(index.size()), f.get());
    if (got < size_t(ui::ActiveSkin::kIndexSize) || !out.decodeIndex(index)) {
        MessageBox::warning(QStringLiteral("The index size is incorrect!"));
        return IndexResult::Failed;
    }
    return IndexResult::Ok;
}

bool SkinLoader::check(const QString& name, ui::ActiveSkin& out) {
    ui::ActiveSkin skin = ui::ActiveSkin::fallback();
    if (readIndex(name, skin) != IndexResult::Ok) return false;
    skin.name = name;
    skin.pictureDir = pictureDir(name);

    const QString buttonSizer = QStringLiteral("diary_normal.tns");
    for (const QString& file : requiredPictures()) {
        status(QStringLiteral("Loading %1").arg(file));
        QImageReader reader(skin.picturePath(file), "BMP");
        const QImage picture = reader.read();
        if (picture.isNull()) {
            status(QStringLiteral("Unable to load %1").arg(file));
            return false;
        }
        if (file == buttonSizer) {
            skin.buttonHeight = picture.height();
            if (skin.buttonHeight < 20 || skin.buttonHeight > 200) {
                MessageBox::warning(QStringLiteral("Invalid button size! The main buttons must be "
                                                   "between 20 and 200 pixels high!"));
                return false;
            }
        }
    }
    out = skin;
    return true;
}

bool SkinLoader::load(const QString& name) {
    ui::ActiveSkin skin;
    if (!check(name, skin)) return false;
    ui::ActiveSkin::setCurrent(skin);
    // The toolkit's own controls (edits, rich text, combo boxes, scroll bars) take the skin's
    // colours too, or a dark skin shows white fields.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::setPalette(skin.palette());
    return true;
}

std::optional<QString> SkinLoader::pickRandomSkin(std::optional<std::uint32_t> seed) {
    if (settings::read(settings::RandomSkin) != 1) return std::nullopt;
    const QStringList names = skinNames();
    if (names.isEmpty()) return std::nullopt;
    std::minstd_rand rng(seed ? *seed : std::uint32_t(QDateTime::currentMSecsSinceEpoch()));
    const QString chosen = names.at(int(rng() % std::uint32_t(names.size())));
    settings::write(settings::WhichSkin, chosen);
    return chosen;
}

bool SkinLoader::chooseAndLoad() {
    pickRandomSkin();
    const QString name = settings::read(settings::WhichSkin);
    if (load(name)) return true;

    MessageBox::show(QStringLiteral("Unable to load skin file - %1.\nTavelle will try to load the "
                                    "default skin.")
                         .arg(name),
                     MsgIcon::Warning, MsgButtons::Ok, QStringLiteral("Error"), nullptr, true);
    if (load(QString::fromLatin1(kDefaultSkin))) return true;

    MessageBox::show(QStringLiteral("Tavelle was unable to load its default skin. Please check the "
                                    "\\TNSkins directory (%1) and reinstall Tavelle Suite if "
                                    "it is incomplete. More skins can be downloaded from %2.")
                         .arg(QDir::toNativeSeparators(dir_), kSkinsSite),
                     MsgIcon::Error, MsgButtons::Ok, QStringLiteral("Error"), nullptr, true);
    return false;
}

std::optional<QString> SkinLoader::readAuthor(const QString& name) const {
    ui::ActiveSkin skin;
    if (readIndex(name, skin) != IndexResult::Ok) return std::nullopt;
    return skin.author;
}

} // namespace tavrin
