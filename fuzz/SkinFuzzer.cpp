// Arbitrary bytes as a skin: the first 164 bytes are its index file, the rest is the picture
// that every one of its picture files links to. The loader must refuse or accept the skin without
// harm, and an accepted picture must take its transparent key.

#include "platform/MessageBox.h"
#include "ui/ActiveSkin.h"
#include "ui/SkinLoader.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QTemporaryDir* skins = nullptr;

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    // Rewritten in place, so every link to the picture sees the new bytes.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    tavrin::platform::MessageBox::setTestMode(true);
    skins = new QTemporaryDir;
    const QDir dir(skins->path());
    dir.mkdir("S");
    const QStringList& pictures = tavrin::SkinLoader::requiredPictures();
    const QString first = dir.filePath("S/" + pictures.first());
    put(first, QByteArray());
    for (const QString& p : pictures.mid(1))
        if (!QFile::link(first, dir.filePath("S/" + p))) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray index = all.left(tavrin::ui::ActiveSkin::kIndexSize);
    const QByteArray picture = all.mid(tavrin::ui::ActiveSkin::kIndexSize);
    const QDir dir(skins->path());
    put(dir.filePath("S.TNS"), index);
    put(dir.filePath("S/" + tavrin::SkinLoader::requiredPictures().first()), picture);

    tavrin::SkinLoader loader(skins->path());
    tavrin::ui::ActiveSkin skin;
    (void)loader.readAuthor("S");
    (void)loader.check("S", skin);
    tavrin::platform::MessageBox::clearRecorded();

    QImage image;
    // The program keys every button picture; very large ones only cost time here.
    if (image.loadFromData(picture, "BMP") && qint64(image.width()) * image.height() <= 1 << 20)
        (void)tavrin::ui::ActiveSkin::withTransparentKey(image, skin.buttonKey);
    return 0;
}
