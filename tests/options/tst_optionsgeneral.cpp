// The "General" options page: the stored values it shows, its exact texts, the controls that
// steer each other, the days range, the skin list with its author line, and the sound alert.

#include "TestEnvironment.h"
#include "app/Page.h"
#include "options/CTavrinPPOptionsGeneral.h"
#include "platform/DataPaths.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "platform/Sound.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tavrin;
using namespace tavrin::options;
using platform::MessageBox;
using platform::MsgIcon;
using platform::Sound;
using platform::SoundRecord;

namespace {

template <class T> T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(QLatin1String(name));
    if (!found) qFatal("no %s", name);
    return found;
}

QString builtSkinsDir() {
    const QString build = qEnvironmentVariable("TAVRIN_TEST_BUILD");
    return build.isEmpty() ? QString() : QDir(build).filePath("bin/TNSkins");
}

// An index file of `size` bytes whose author field (offset 60) holds `author`.
void writeIndex(const QString& path, int size, const QByteArray& author) {
    QByteArray bytes(size, '\0');
    bytes.replace(60, author.size(), author);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), qint64(size));
}

} // namespace

class TestOptionsGeneral : public QObject {
    Q_OBJECT

    std::unique_ptr<CTavrinPPOptionsGeneral> make() {
        auto page = std::make_unique<CTavrinPPOptionsGeneral>();
        page->onSetActive(); // first showing, as the sheet does
        return page;
    }

private slots:
    void init() {
        test::clearSettings();
        MessageBox::clearRecorded();
        Sound::clearRecorded();
        platform::FileChooser::clearScripted();
        platform::DataPaths::reset();
    }

    void emptyStoreShowsTheDefaults() {
        auto page = make();
        QWidget* p = page.get();
        for (const char* name :
             {"loadAtStartup", "minimizeOnLoad", "openLastDiary", "showRemindersAtStart",
              "alwaysOnTop", "afterRestore", "randomSkin"})
            QVERIFY2(!child<QCheckBox>(p, name)->isChecked(), name);
        for (const char* name :
             {"confirmEntry", "confirmReminder", "confirmPlanner", "confirmContacts",
              "confirmRecipe", "confirmIngredient", "tipsOnStartup"})
            QVERIFY2(child<QCheckBox>(p, name)->isChecked(), name);
        for (const char* name : {"minimizeNormally", "passwordImmediately", "remindersToday",
                                 "exitNormally", "soundBeep"})
            QVERIFY2(child<QRadioButton>(p, name)->isChecked(), name);
        QCOMPARE(child<QListWidget>(p, "startPage")->currentRow(), 0);
        QCOMPARE(child<QLineEdit>(p, "remindersDays")->text(), QString("1"));
        QCOMPARE(page->soundFile(), QString("..."));
        QCOMPARE(child<QLabel>(p, "soundFile")->text(), QString("..."));
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void storedValuesAreShownAndGatheredBack() {
        using namespace settings;
        write(LoadAtWinStartup, 1);
        write(OpenLastDiary, 1);
        write(FirstShow, int(app::Page::Contacts));
        write(MinimizeLocation, 1);
        write(PasswordCheck, 1);
        write(RemindersShow, 1);
        write(RemindersDays, 120);
        write(ExitOption, 1);
        write(DeletePlanner, 0);
        write(DeleteIngredient, 0);
        write(TipsStartup, 1);
        write(RemindersSound, 1);
        write(RemindersSoundFile, "/tmp/alarm.wav");
        write(RandomSkin, 1);
        write(PrintHeadSize, 14);

        auto page = make();
        QWidget* p = page.get();
        QVERIFY(child<QCheckBox>(p, "loadAtStartup")->isChecked());
        QCOMPARE(child<QListWidget>(p, "startPage")->currentItem()->text(), QString("Contacts"));
        QVERIFY(child<QRadioButton>(p, "minimizeToTray")->isChecked());
        QVERIFY(child<QRadioButton>(p, "passwordOnActivation")->isChecked());
        QVERIFY(child<QRadioButton>(p, "remindersAhead")->isChecked());
        QCOMPARE(child<QLineEdit>(p, "remindersDays")->text(), QString("120"));
        QVERIFY(child<QRadioButton>(p, "exitMinimize")->isChecked());
        QVERIFY(!child<QCheckBox>(p, "confirmPlanner")->isChecked());
        QVERIFY(child<QCheckBox>(p, "confirmContacts")->isChecked());
        // Stored 1 means "do not show": the box reads the other way round.
        QVERIFY(!child<QCheckBox>(p, "tipsOnStartup")->isChecked());
        QVERIFY(child<QRadioButton>(p, "soundWav")->isChecked());
        QCOMPARE(child<QLabel>(p, "soundFile")->toolTip(), QString("/tmp/alarm.wav"));

        const OptionsSettings v = page->values();
        QVERIFY(v.loadAtStartup && v.openLastDiary && !v.minimizeOnLoad);
        QCOMPARE(v.firstShow, int(app::Page::Contacts));
        QCOMPARE(v.minimizeLocation, 1);
        QCOMPARE(v.passwordCheck, 1);
        QCOMPARE(v.remindersShow, 1);
        QCOMPARE(v.remindersDays, 120);
        QCOMPARE(v.exitOption, 1);
        QVERIFY(!v.confirmDelete[2] && v.confirmDelete[3] && !v.confirmDelete[5]);
        QVERIFY(!v.tipsOnStartup);
        QCOMPARE(v.remindersSound, 1);
        QCOMPARE(v.remindersSoundFile, QString("/tmp/alarm.wav"));
        QVERIFY(v.randomSkin);
        QCOMPARE(v.printHeadSize, 14); // not on this page: kept as read
        QCOMPARE(v.printBodySize, 12);

        // And what the user changes is what the page hands back.
        child<QCheckBox>(p, "tipsOnStartup")->click();
        child<QRadioButton>(p, "exitNormally")->click();
        child<QListWidget>(p, "startPage")->setCurrentRow(int(app::Page::Cookbook));
        QVERIFY(page->values().tipsOnStartup);
        QCOMPARE(page->values().exitOption, 0);
        QCOMPARE(page->values().firstShow, int(app::Page::Cookbook));
    }

    void controlTextsAreExact() {
        auto page = make();
        QWidget* p = page.get();
        const QList<QPair<const char*, QString>> buttons = {
            {"loadAtStartup", "Load at Windows startup"},
            {"minimizeOnLoad", "Minimize on load"},
            {"openLastDiary", "Open last diary at startup"},
            {"showRemindersAtStart", "Show reminders at startup"},
            {"alwaysOnTop", "Always on top"},
            {"minimizeNormally", "Minimize normally"},
            {"minimizeToTray", "Minimize to system tray"},
            {"passwordImmediately", "Immediately on startup"},
            {"passwordOnActivation", "On first activation"},
            {"afterRestore", "After restoring the window"},
            {"remindersToday", "Only today's reminders"},
            {"remindersAhead", "Up to 355 days before"},
            {"exitNormally", "Exit normally"},
            {"exitMinimize", "Minimize"},
            {"confirmEntry", "Diary entry"},
            {"confirmReminder", "Reminder entry"},
            {"confirmPlanner", "Planner entry"},
            {"confirmContacts", "Contacts entry"},
            {"confirmRecipe", "Recipe entry"},
            {"confirmIngredient", "Ingredients entry"},
            {"tipsOnStartup", "Tips on startup"},
            {"randomSkin", "Random skin everytime"},
            {"soundBeep", "Beep"},
            {"soundWav", "Play WAV"},
            {"chooseWavButton", "Choose WAV"},
            {"testSoundButton", "Test"},
        };
        for (const auto& [name, text] : buttons)
            QCOMPARE(child<QAbstractButton>(p, name)->text(), text);
        const QList<QPair<const char*, QString>> labels = {
            {"startupGroup", "Startup"},
            {"startPageGroup", "When Tavelle starts go to"},
            {"minimizeGroup", "Minimize"},
            {"passwordGroup", "Password check"},
            {"remindersGroup", "Show Reminders"},
            {"exitGroup", "When you push the close button"},
            {"confirmGroup", "Confirm deletion of"},
            {"skinsGroup", "Skins"},
            {"soundGroup", "Reminder sound alert"},
            {"remindersDaysLabel", "This many days:"},
        };
        for (const auto& [name, text] : labels)
            QCOMPARE(child<QLabel>(p, name)->text(), text);
        auto* list = child<QListWidget>(p, "startPage");
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        QCOMPARE(rows, (QStringList{"First-time help", "Diary", "Reminders", "Planner", "Contacts",
                                    "Cookbook"}));
        QCOMPARE(page->title(), QString("General"));
    }

    void minimizeOnLoadAndPasswordCheckSteerEachOther() {
        auto page = make();
        QWidget* p = page.get();
        auto* minimize = child<QCheckBox>(p, "minimizeOnLoad");
        auto* immediately = child<QRadioButton>(p, "passwordImmediately");
        auto* onActivation = child<QRadioButton>(p, "passwordOnActivation");

        minimize->click();
        QVERIFY(minimize->isChecked());
        QVERIFY(onActivation->isChecked());
        immediately->click();
        QVERIFY(immediately->isChecked());
        QVERIFY(!minimize->isChecked());
        QCOMPARE(page->values().minimizeOnLoad, false);
        QCOMPARE(page->values().passwordCheck, 0);

        // Unchecking leaves the password choice alone; choosing first activation leaves the box.
        minimize->click();
        minimize->click();
        QVERIFY(onActivation->isChecked());
        QVERIFY(!minimize->isChecked());
    }

    void storedCombinationIsShownAsItIs() {
        // The links act on the user's changes only.
        settings::write(settings::MinimizeOnLoad, 1);
        settings::write(settings::PasswordCheck, 0);
        auto page = make();
        QVERIFY(child<QCheckBox>(page.get(), "minimizeOnLoad")->isChecked());
        QVERIFY(child<QRadioButton>(page.get(), "passwordImmediately")->isChecked());
    }

    void daysFieldFollowsTheReminderChoice() {
        auto page = make();
        QWidget* p = page.get();
        auto* days = child<QLineEdit>(p, "remindersDays");
        auto* label = child<QLabel>(p, "remindersDaysLabel");
        QVERIFY(!days->isEnabled());
        QVERIFY(!label->isEnabled());
        child<QRadioButton>(p, "remindersAhead")->click();
        QVERIFY(days->isEnabled());
        QVERIFY(label->isEnabled());
        child<QRadioButton>(p, "remindersToday")->click();
        QVERIFY(!days->isEnabled());
        QVERIFY(!label->isEnabled());
    }

    void daysRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("lowest") << "1" << true;
        QTest::newRow("highest") << "355" << true;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("356") << "356" << false;
        QTest::newRow("a year") << "365" << false;
        QTest::newRow("empty") << "" << false;
    }
    void daysRange() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        auto page = make();
        child<QRadioButton>(page.get(), "remindersAhead")->click();
        auto* days = child<QLineEdit>(page.get(), "remindersDays");
        days->setText(typed);
        QCOMPARE(page->onKillActive(), accepted);
        if (accepted) {
            QVERIFY(MessageBox::recorded().isEmpty());
            QCOMPARE(page->values().remindersDays, typed.toInt());
        } else {
            QCOMPARE(MessageBox::recordedTexts(),
                     QStringList{"Please enter an integer between 1 and 355."});
            QCOMPARE(MessageBox::recorded().first().icon, MsgIcon::Warning);
        }
    }

    void daysFieldTakesDigitsOnly() {
        auto page = make();
        child<QRadioButton>(page.get(), "remindersAhead")->click();
        auto* days = child<QLineEdit>(page.get(), "remindersDays");
        days->clear();
        days->setFocus();
        QTest::keyClicks(days, "-4x12");
        QCOMPARE(days->text(), QString("412"));
        QTest::keyClicks(days, "5");
        QCOMPARE(days->text(), QString("412")); // three digits at most
    }

    void shippedSkinsAreListedWithTheirAuthor() {
        const QString dir = builtSkinsDir();
        if (!QFileInfo(QDir(dir).filePath("Corvel Windows.TNS")).isFile())
            QSKIP("no skins drawn in the build (run through ctest after building data_skins)");
        platform::DataPaths::setProgramDir(QFileInfo(dir).absolutePath());
        settings::write(settings::WhichSkin, "Corvel Night");

        auto page = make();
        auto* list = child<QListWidget>(page.get(), "skinList");
        auto* author = child<QLabel>(page.get(), "skinAuthor");
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        QCOMPARE(names, (QStringList{"Corvel Night", "Corvel Windows"}));
        QCOMPARE(list->currentItem()->text(), QString("Corvel Night"));
        QCOMPARE(author->text(), QString(" by: Halcyrn Ostevelder"));

        list->setCurrentRow(1);
        QCOMPARE(author->text(), QString(" by: Halcyrn Ostevelder"));
        QCOMPARE(page->values().whichSkin, QString("Corvel Windows"));
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void skinListWithAShortIndexFile() {
        QTemporaryDir bin;
        QVERIFY(QDir(bin.path()).mkpath("TNSkins"));
        writeIndex(bin.path() + "/TNSkins/Made Up.TNS", 164, "Jane Q. Skinner");
        writeIndex(bin.path() + "/TNSkins/Short.TNS", 163, "Nobody");
        platform::DataPaths::setProgramDir(bin.path());
        platform::DataPaths::setInstalledDataDir(bin.path() + "/nowhere");
        settings::write(settings::WhichSkin, "Made Up");

        auto page = make();
        auto* list = child<QListWidget>(page.get(), "skinList");
        auto* author = child<QLabel>(page.get(), "skinAuthor");
        QCOMPARE(list->count(), 2);
        QCOMPARE(author->text(), QString(" by: Jane Q. Skinner"));
        QVERIFY(MessageBox::recorded().isEmpty());

        list->setCurrentRow(list->row(list->findItems("Short", Qt::MatchExactly).first()));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"The index size is incorrect!"});
        QCOMPARE(author->text(), QString());
    }

    void storedSkinMissingFromTheFolderIsKept() {
        QTemporaryDir bin;
        QVERIFY(QDir(bin.path()).mkpath("TNSkins"));
        writeIndex(bin.path() + "/TNSkins/Made Up.TNS", 164, "Jane");
        platform::DataPaths::setProgramDir(bin.path());
        platform::DataPaths::setInstalledDataDir(bin.path() + "/nowhere");
        settings::write(settings::WhichSkin, "Gone Away");
        auto page = make();
        QCOMPARE(child<QListWidget>(page.get(), "skinList")->currentItem(), nullptr);
        QCOMPARE(page->values().whichSkin, QString("Gone Away"));
    }

    void chooseWavAsksForAnExistingWaveFile() {
        QTemporaryDir dir;
        const QString wav = dir.filePath("chime.wav");
        QFile(wav).open(QIODevice::WriteOnly);
        auto page = make();

        platform::FileChooser::setNextFileName(wav);
        child<QAbstractButton>(page.get(), "chooseWavButton")->click();
        const platform::FileRequest& req = platform::FileChooser::lastRequest();
        QVERIFY(!req.save);
        QCOMPARE(req.title, QString("Specify WAVE sound file"));
        QCOMPARE(req.filter, QString("WAVE sound files (*.wav)|*.wav||"));
        QCOMPARE(req.defaultExtension, QString("wav"));
        QCOMPARE(req.initialName, QString("*.wav"));
        QVERIFY(req.mustExistOrPrompt);
        QCOMPARE(page->soundFile(), wav);
        QCOMPARE(page->values().remindersSoundFile, wav);
        QCOMPARE(child<QLabel>(page.get(), "soundFile")->toolTip(), wav);

        // Cancelling keeps the file chosen before.
        platform::FileChooser::cancelNext();
        child<QAbstractButton>(page.get(), "chooseWavButton")->click();
        QCOMPARE(page->soundFile(), wav);
    }

    void testBeepsOrPlaysAsChosen() {
        QTemporaryDir dir;
        const QString wav = dir.filePath("chime.wav");
        QFile(wav).open(QIODevice::WriteOnly);
        settings::write(settings::RemindersSoundFile, wav);
        auto page = make();
        auto* test = child<QAbstractButton>(page.get(), "testSoundButton");

        // "Beep" beeps, whatever file is set.
        test->click();
        QCOMPARE(Sound::recorded().size(), 1);
        QCOMPARE(Sound::recorded().first().kind, SoundRecord::Beep);

        Sound::clearRecorded();
        child<QRadioButton>(page.get(), "soundWav")->click();
        QCOMPARE(page->values().remindersSound, 1);
        test->click();
        QCOMPARE(Sound::recorded().size(), 1);
        QCOMPARE(Sound::recorded().first().kind, SoundRecord::File);
        QCOMPARE(Sound::recorded().first().path, wav);
        QVERIFY(!Sound::recorded().first().synchronous);
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void testWithoutAPlayableFileSaysSo() {
        auto page = make();
        child<QRadioButton>(page.get(), "soundWav")->click();
        child<QAbstractButton>(page.get(), "testSoundButton")->click();
        QVERIFY(Sound::recorded().isEmpty()); // "..." is no file
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"Choose a WAVE sound file first!"});

        MessageBox::clearRecorded();
        settings::write(settings::RemindersSoundFile, "/nonexistent/gone.wav");
        auto other = make();
        child<QRadioButton>(other.get(), "soundWav")->click();
        child<QAbstractButton>(other.get(), "testSoundButton")->click();
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"Unable to play /nonexistent/gone.wav!"});
    }
};

QTEST_MAIN(TestOptionsGeneral)
#include "tst_optionsgeneral.moc"
