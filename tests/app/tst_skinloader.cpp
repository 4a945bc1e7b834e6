// Choosing, checking and activating skins, against skins built by hand in a scratch folder.

#include "TestEnvironment.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "ui/ActiveSkin.h"
#include "ui/SkinLoader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using namespace tavrin;
using platform::MessageBox;
using platform::MsgIcon;

namespace {

struct FakeSkin {
    int indexSize = ui::ActiveSkin::kIndexSize;
    int buttonHeight = 44;
    QString missing; // a picture left out
    QString notBmp;  // a picture written as PNG under its .tns name
    QByteArray author = "Test Author";

    FakeSkin& index(int size) {
        indexSize = size;
        return *this;
    }
    FakeSkin& height(int h) {
        buttonHeight = h;
        return *this;
    }
    FakeSkin& without(const QString& file) {
        missing = file;
        return *this;
    }
    FakeSkin& asPng(const QString& file) {
        notBmp = file;
        return *this;
    }
    FakeSkin& by(const QByteArray& name) {
        author = name;
        return *this;
    }
};

// An index file laid out by hand: author at 60, nine colours at 92, button key at 128, seven
// colours at 132, window key at 160, each colour as 0x00BBGGRR.
QByteArray makeIndex(const FakeSkin& skin) {
    QByteArray b(ui::ActiveSkin::kIndexSize, '\0');
    b.replace(60, skin.author.size(), skin.author);
    auto put = [&](int off, int r, int g, int bl) {
        b[off] = char(r);
        b[off + 1] = char(g);
        b[off + 2] = char(bl);
    };
    for (int i = 0; i < 9; ++i)
        put(92 + 4 * i, 10 + i, 20 + i, 30 + i);
    put(128, 255, 0, 254);
    for (int i = 0; i < 7; ++i)
        put(132 + 4 * i, 100 + i, 110 + i, 120 + i);
    put(160, 1, 2, 3);
    return b.left(skin.indexSize);
}

void makeSkin(const QString& root, const QString& name, const FakeSkin& skin = FakeSkin()) {
    QDir dir(root);
    QVERIFY(dir.mkpath(name));
    QFile index(dir.filePath(name + ".TNS"));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write(makeIndex(skin));
    index.close();
    for (const QString& file : SkinLoader::requiredPictures()) {
        if (file == skin.missing) continue;
        const int h = file == "diary_normal.tns" ? skin.buttonHeight : 8;
        QImage img(file == "diary_normal.tns" ? 110 : 8, h, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        QVERIFY(img.save(dir.filePath(name + "/" + file), file == skin.notBmp ? "PNG" : "BMP"));
    }
}

QStringList loadingTexts(int upTo) {
    QStringList out;
    for (int i = 0; i < upTo; ++i)
        out << "Loading " + SkinLoader::requiredPictures().at(i);
    return out;
}

} // namespace

class TestSkinLoader : public QObject {
    Q_OBJECT

    QTemporaryDir* dir_ = nullptr;
    QStringList statuses_;

    SkinLoader loader() {
        SkinLoader l(dir_->path());
        l.setStatusCallback([this](const QString& s) { statuses_ << s; });
        return l;
    }

private slots:
    void init() {
        dir_ = new QTemporaryDir(test::scratchDir() + "/skins-XXXXXX");
        statuses_.clear();
        MessageBox::clearRecorded();
        test::clearSettings();
        ui::ActiveSkin::setCurrent(ui::ActiveSkin::fallback());
    }
    void cleanup() { delete dir_; }

    void completeSkinIsCheckedInOrderAndActivated() {
        makeSkin(dir_->path(), "Plain");
        SkinLoader l = loader();
        QVERIFY(l.load("Plain"));
        QCOMPARE(statuses_, loadingTexts(34));
        QVERIFY(MessageBox::recorded().isEmpty());

        const ui::ActiveSkin& s = ui::ActiveSkin::current();
        QCOMPARE(s.name, QString("Plain"));
        QCOMPARE(QDir(s.pictureDir), QDir(dir_->filePath("Plain")));
        QCOMPARE(s.author, QString("Test Author"));
        QCOMPARE(s.buttonHeight, 44);
        QCOMPARE(s.backgrounds[0], QColor(10, 20, 30));
        QCOMPARE(s.backgrounds[8], QColor(18, 28, 38));
        QCOMPARE(s.buttonKey, QColor(255, 0, 254));
        QCOMPARE(s.controls[0], QColor(100, 110, 120));
        QCOMPARE(s.controls[6], QColor(106, 116, 126));
        QCOMPARE(s.windowKey, QColor(1, 2, 3));
    }

    void shortIndexIsRejected() {
        makeSkin(dir_->path(), "Short", FakeSkin().index(163));
        SkinLoader l = loader();
        QVERIFY(!l.load("Short"));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"The index size is incorrect!"});
        QVERIFY(statuses_.isEmpty());
        QCOMPARE(ui::ActiveSkin::current().name, QString()); // nothing of it was taken

        // The options page reads the author the same way.
        MessageBox::clearRecorded();
        QVERIFY(!l.readAuthor("Short"));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"The index size is incorrect!"});
    }

    void buttonHeightLimits_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("19") << 19 << false;
        QTest::newRow("20") << 20 << true;
        QTest::newRow("200") << 200 << true;
        QTest::newRow("201") << 201 << false;
    }
    void buttonHeightLimits() {
        QFETCH(int, height);
        QFETCH(bool, accepted);
        makeSkin(dir_->path(), "Sized", FakeSkin().height(height));
        SkinLoader l = loader();
        QCOMPARE(l.load("Sized"), accepted);
        if (accepted) {
            QVERIFY(MessageBox::recorded().isEmpty());
            QCOMPARE(ui::ActiveSkin::current().buttonHeight, height);
        } else {
            QCOMPARE(MessageBox::recordedTexts(),
                     QStringList{"Invalid button size! The main buttons must be between 20 and "
                                 "200 pixels high!"});
            // The check follows straight on the picture that sets the height.
            QCOMPARE(statuses_.last(), QString("Loading diary_normal.tns"));
            QCOMPARE(ui::ActiveSkin::current().name, QString());
        }
    }

    void lastPictureMissingFailsAfterAllOthers() {
        makeSkin(dir_->path(), "NoFront", FakeSkin().without("body_front.tns"));
        SkinLoader l = loader();
        QVERIFY(!l.load("NoFront"));
        QStringList expected = loadingTexts(34);
        expected << "Unable to load body_front.tns";
        QCOMPARE(statuses_, expected);
        QCOMPARE(ui::ActiveSkin::current().name, QString());
    }

    void pictureThatIsNoBmpFails() {
        makeSkin(dir_->path(), "Png", FakeSkin().asPng("back_all.tns"));
        SkinLoader l = loader();
        QVERIFY(!l.load("Png"));
        QCOMPARE(statuses_, (QStringList{"Loading back_all.tns", "Unable to load back_all.tns"}));
    }

    void missingIndexFailsSilently() {
        SkinLoader l = loader();
        QVERIFY(!l.load("Nowhere"));
        QVERIFY(MessageBox::recorded().isEmpty());
        QVERIFY(statuses_.isEmpty());
        QVERIFY(!l.readAuthor("Nowhere"));
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void unreadableIndexShowsTheFileError() {
        makeSkin(dir_->path(), "Locked");
        const QString index = dir_->filePath("Locked.TNS");
        QFile::setPermissions(index, QFileDevice::Permissions());
        if (QFile(index).open(QIODevice::ReadOnly))
            QSKIP("running with rights that ignore file modes");
        SkinLoader l = loader();
        QVERIFY(!l.load("Locked"));
        QCOMPARE(MessageBox::recorded().size(), 1);
        QVERIFY(MessageBox::recorded().first().text.contains(index));
    }

    void indexAndPicturesAreFoundWhateverTheirCase() {
        makeSkin(dir_->path(), "Mixed");
        QDir d(dir_->path());
        QVERIFY(d.rename("Mixed.TNS", "Mixed.tns"));
        QVERIFY(d.rename("Mixed/back_all.tns", "Mixed/Back_All.TNS"));
        SkinLoader l = loader();
        QCOMPARE(l.skinNames(), QStringList{"Mixed"});
        QVERIFY(l.load("Mixed"));
    }

    void namesAndAuthor() {
        makeSkin(dir_->path(), "Zeta");
        makeSkin(dir_->path(), "Alpha", FakeSkin().by("Ann Example"));
        makeSkin(dir_->path(), "Cafe", FakeSkin().by("Caf\xe9 \x80")); // Windows-1252 bytes
        QVERIFY(QDir(dir_->path()).mkpath("NotASkin"));
        SkinLoader l = loader();
        QCOMPARE(l.skinNames(), (QStringList{"Alpha", "Cafe", "Zeta"}));
        QCOMPARE(l.readAuthor("Alpha"), std::optional<QString>("Ann Example"));
        QCOMPARE(l.readAuthor("Cafe"),
                 std::optional<QString>(QString::fromUtf8("Caf\u00e9 \u20ac")));
        QCOMPARE(SkinLoader::authorCaption("Ann Example"), QString(" by: Ann Example"));
    }

    void skinNameCannotLeadOutOfTheSkinsFolder() {
        QTemporaryDir outside(test::scratchDir() + "/outside-XXXXXX");
        makeSkin(outside.path(), "Elsewhere");
        const QString relative = QDir(dir_->path()).relativeFilePath(outside.filePath("Elsewhere"));
        SkinLoader l = loader();
        QVERIFY(!l.load(relative));
        QVERIFY(!l.readAuthor(relative));
        QVERIFY(!l.load(QString()));
        QVERIFY(MessageBox::recorded().isEmpty());
        QVERIFY(statuses_.isEmpty());
    }

    void randomChoiceWithOneSkin() {
        makeSkin(dir_->path(), "Solo");
        settings::write(settings::RandomSkin, 1);
        SkinLoader l = loader();
        QVERIFY(l.chooseAndLoad());
        QCOMPARE(settings::read(settings::WhichSkin), QString("Solo"));
        QCOMPARE(ui::ActiveSkin::current().name, QString("Solo"));
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void randomChoiceFollowsTheSeed() {
        for (const char* n : {"A", "B", "C", "D", "E"}) {
            QFile f(dir_->filePath(QString(n) + ".TNS"));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        SkinLoader l = loader();
        // Off: nothing is picked and the stored name stays.
        settings::write(settings::WhichSkin, "Kept");
        QVERIFY(!l.pickRandomSkin(7));
        QCOMPARE(settings::read(settings::WhichSkin), QString("Kept"));

        settings::write(settings::RandomSkin, 1);
        QSet<QString> seen;
        for (std::uint32_t seed : {1u, 2u, 3u, 42u, 1000u, 65537u, 123456u}) {
            std::minstd_rand rng(seed);
            const QString expected = QStringList{"A", "B", "C", "D", "E"}.at(int(rng() % 5));
            QCOMPARE(l.pickRandomSkin(seed), std::optional<QString>(expected));
            QCOMPARE(settings::read(settings::WhichSkin), expected);
            seen.insert(expected);
        }
        QVERIFY(seen.size() > 1);
    }

    void randomChoiceWithoutSkinsKeepsTheStoredName() {
        settings::write(settings::RandomSkin, 1);
        settings::write(settings::WhichSkin, "Kept");
        SkinLoader l = loader();
        QVERIFY(!l.pickRandomSkin());
        QCOMPARE(settings::read(settings::WhichSkin), QString("Kept"));
    }

    void unusableSkinFallsBackToTheDefault() {
        makeSkin(dir_->path(), "Corvel Windows");
        makeSkin(dir_->path(), "Broken", FakeSkin().without("radio_normal.tns"));
        settings::write(settings::WhichSkin, "Broken");
        SkinLoader l = loader();
        QVERIFY(l.chooseAndLoad());
        QCOMPARE(ui::ActiveSkin::current().name, QString("Corvel Windows"));

        QCOMPARE(MessageBox::recorded().size(), 1);
        const platform::MessageRecord& box = MessageBox::recorded().first();
        QCOMPARE(
            box.text,
            QString(
                "Unable to load skin file - Broken.\nTavelle will try to load the default skin."));
        QCOMPARE(box.caption, QString("Error"));
        QCOMPARE(box.icon, MsgIcon::Warning);
        QVERIFY(box.onTop);
        // The stored choice is left for the user to change.
        QCOMPARE(settings::read(settings::WhichSkin), QString("Broken"));
    }

    void noUsableSkinAtAllStopsTheStart() {
        settings::write(settings::WhichSkin, "Gone");
        SkinLoader l = loader();
        QVERIFY(!l.chooseAndLoad());
        QCOMPARE(MessageBox::recorded().size(), 2);
        QCOMPARE(
            MessageBox::recorded().at(0).text,
            QString(
                "Unable to load skin file - Gone.\nTavelle will try to load the default skin."));
        const QString last = MessageBox::recorded().at(1).text;
        QVERIFY2(last.startsWith("Tavelle was unable to load its default skin. Please check the "
                                 "\\TNSkins directory"),
                 qPrintable(last));
        QVERIFY(last.contains(QDir::toNativeSeparators(dir_->path())));
        QCOMPARE(ui::ActiveSkin::current().name, QString());
    }
};

QTEST_MAIN(TestSkinLoader)
#include "tst_skinloader.moc"
