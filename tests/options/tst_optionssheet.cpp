// The options sheet and the Options command: the pages offered with and without a diary, the
// order in which pages are first activated, help, the page kept while its input is bad, and
// what "Save" and "Discard" write (settings in their order, the autostart entry, the diary
// configuration, the restart after a change of skin).

#include "DiaryFixture.h"
#include "ModalDriver.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "options/CTavrinPPOptionsGeneral.h"
#include "options/CTavrinPSOptions.h"
#include "options/DiaryOptionsPage.h"
#include "options/OptionsCommand.h"
#include "options/OptionsSettings.h"
#include "platform/Autostart.h"
#include "platform/DataPaths.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/RestartProgram.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "storage/DiaryConfig.h"
#include "storage/TN.h"
#include "ui/ActiveSkin.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomTabCtrl.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrin;
using namespace tavrin::options;
using platform::MessageBox;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::SettingsStore;

namespace {

const char* const kNoDiary =
    "You don't have a diary open, so you can only change general options. Once you open or "
    "create a diary, you will have access to all options available!";

// A diary page standing in for the ones still to come: it counts what the sheet asks of it.
class FakeDiaryPage : public DiaryOptionsPage {
public:
    explicit FakeDiaryPage(const QString& title) : DiaryOptionsPage(title) {}
    void storeConfiguration(DiaryConfig& config) override {
        ++stores;
        config.setShortcut(0, shortcut.toStdString());
    }
    bool validate() override { return valid; }
    void writeOnLeave() override { ++writes; }

    QString shortcut = "typed on the fake page";
    bool valid = true;
    int stores = 0;
    int writes = 0;
};

template <class T> T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(QLatin1String(name));
    if (!found) qFatal("no %s", name);
    return found;
}

void writeIndex(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(QByteArray(164, '\0')), qint64(164));
}

QStringList storedKeysOfTheOptions() {
    QStringList present;
    for (const char* key : settings::optionsWriteOrder())
        if (SettingsStore::contains(QString::fromLatin1(key))) present << key;
    return present;
}

} // namespace

class TestOptionsSheet : public QObject {
    Q_OBJECT

    QTemporaryDir skins_;

    void noDiary() { app::DiaryState::instance().close(); }
    QString openDiary() {
        const QString path = test::makeDiary("Options diary", "secret", 1);
        app::DiaryState::instance().choose(path, test::extOffsetOf(path));
        app::DiaryState::instance().setOpen(true);
        return path;
    }

private slots:
    void initTestCase() {
        // Two skins of our own, so that the skin tests do not depend on the drawn ones.
        QVERIFY(QDir(skins_.path()).mkpath("TNSkins"));
        writeIndex(skins_.path() + "/TNSkins/Old Look.TNS");
        writeIndex(skins_.path() + "/TNSkins/New Look.TNS");
        platform::DataPaths::setProgramDir(skins_.path());
        platform::DataPaths::setInstalledDataDir(skins_.path() + "/nowhere");
    }
    void init() {
        test::clearSettings();
        settings::write(settings::WhichSkin, "Old Look");
        noDiary();
        MessageBox::clearRecorded();
        platform::RestartProgram::clearRecorded();
        platform::Help::clearRecorded();
        QFile::remove(platform::Autostart::filePath());
        ui::ActiveSkin old = ui::ActiveSkin::fallback();
        old.name = "Old Look";
        ui::ActiveSkin::setCurrent(old);
    }

    void withoutDiaryOnlyGeneralIsOffered() {
        CTavrinPSOptions sheet;
        QCOMPARE(sheet.windowTitle(), QString("Options"));
        QCOMPARE(sheet.pageCount(), 1);
        QCOMPARE(sheet.page(0)->title(), QString("General"));
        QCOMPARE(MessageBox::recorded().size(), 1);
        const auto& box = MessageBox::recorded().first();
        QCOMPARE(box.text, QString(kNoDiary));
        QCOMPARE(box.caption, QString("Tavelle Suite v3.10"));
        QCOMPARE(box.icon, MsgIcon::Information);
        QCOMPARE(sheet.okButton()->text(), QString("Save"));
        QCOMPARE(sheet.cancelButton()->text(), QString("Discard"));
        for (QPushButton* b : sheet.findChildren<QPushButton*>())
            QVERIFY2(b->text() != "Help", "the sheet has no Help button");
    }

    void withDiaryNoMessage() {
        openDiary();
        CTavrinPSOptions sheet;
        QVERIFY(MessageBox::recorded().isEmpty());
        QCOMPARE(sheet.page(0)->title(), QString("General"));
    }

    void pagesAreActivatedLastToFirstBeforeTheUserSeesThem() {
        openDiary();
        CTavrinPSOptions sheet;
        auto* a = new FakeDiaryPage("First diary page");
        auto* b = new FakeDiaryPage("Second diary page");
        sheet.addDiaryPage(a);
        sheet.addDiaryPage(b);
        QList<int> order;
        connect(&sheet, &ui::CCustomPropertySheet::pageChanged, this, [&](int i) { order << i; });
        sheet.show();
        QCOMPARE(order, (QList<int>{2, 1, 0}));
        QCOMPARE(sheet.activeIndex(), 0);
        // That first leaving only initialised the pages.
        QCOMPARE(a->timesLeft(), 1);
        QCOMPARE(b->timesLeft(), 1);
        QCOMPARE(a->writes + b->writes, 0);

        // From then on, leaving a diary page writes what it writes at once.
        QVERIFY(sheet.setActivePage(1));
        QVERIFY(sheet.setActivePage(2));
        QCOMPARE(a->writes, 1);
        // And a page with bad input keeps the user.
        b->valid = false;
        QVERIFY(!sheet.setActivePage(0));
        QCOMPARE(sheet.activeIndex(), 2);
        QCOMPARE(b->writes, 0);
    }

    void badDaysKeepTheUserOnTheGeneralPage() {
        openDiary();
        CTavrinPSOptions sheet;
        sheet.addDiaryPage(new FakeDiaryPage("Diary page"));
        sheet.show();
        MessageBox::clearRecorded();
        auto* days = child<QLineEdit>(sheet.generalPage(), "remindersDays");
        child<QRadioButton>(sheet.generalPage(), "remindersAhead")->click();

        days->setText("356");
        sheet.tabCtrl()->setCurrentIndex(1); // as a click on the tab
        QCOMPARE(sheet.activeIndex(), 0);
        QCOMPARE(sheet.tabCtrl()->currentIndex(), 0);
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList{"Please enter an integer between 1 and 355."});

        // Saving with the bad value is refused the same way.
        sheet.okButton()->click();
        QVERIFY(sheet.isVisible());
        QCOMPARE(MessageBox::recorded().size(), 2);

        days->setText("355");
        QVERIFY(sheet.setActivePage(1));
        sheet.okButton()->click();
        QVERIFY(!sheet.isVisible());
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
    }

    void helpOpensTheOptionsTopic() {
        CTavrinPSOptions sheet;
        sheet.show();
        QApplication::setActiveWindow(&sheet);
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        QTest::keyClick(&sheet, Qt::Key_F1);
        QCOMPARE(platform::Help::lastTopic(), QString("Tavrin.chm::/hlpOptions.html"));
    }

    void writeOrderIsTheDocumentedOne() {
        // Spelled out here, not taken from the table that drives the writes.
        const QStringList expected = {
            "OpenLastDiary",    "ShowReminderOnStart", "RemindersDays",    "RemindersShow",
            "RemindersSound",   "RemindersSoundFile",  "LoadAtWinStartup", "MinimizeOnLoad",
            "MinimizeLocation", "PasswordCheck",       "FirstShow",        "ExitOption",
            "AlwaysOnTop",      "deleteEntry",         "deleteReminder",   "deletePlanner",
            "deleteContacts",   "deleteRecipe",        "deleteIngredient", "afterRestore",
            "randomSkin",       "TipsStartup",         "whichSkin",        "Print Head Size",
            "Print Body Size"};
        OptionsSettings o = OptionsSettings::load();
        o.remindersDays = 42;
        o.remindersSoundFile = "/sounds/a.wav";
        o.whichSkin = "New Look";
        o.confirmDelete[4] = false;
        QStringList keys;
        QVariantList values;
        QVERIFY(o.save([&](const QString& k, const QVariant& v) {
            keys << k;
            values << v;
            return true;
        }));
        QCOMPARE(keys, expected);
        QCOMPARE(values.at(2), QVariant(42));
        QCOMPARE(values.at(5), QVariant(QString("/sounds/a.wav")));
        QCOMPARE(values.at(17), QVariant(0)); // deleteRecipe
        QCOMPARE(values.at(22), QVariant(QString("New Look")));
        QCOMPARE(values.at(23), QVariant(10));
        QCOMPARE(values.at(24), QVariant(12));

        // A failed write is reported, and the writes after it are still made.
        keys.clear();
        QVERIFY(!o.save([&](const QString& k, const QVariant&) {
            keys << k;
            return k != "RemindersShow";
        }));
        QCOMPARE(keys, expected);
    }

    void tipsOnStartupIsStoredInverted() {
        OptionsSettings o = OptionsSettings::load();
        QVERIFY(o.tipsOnStartup); // absent: tips are shown
        o.tipsOnStartup = false;
        QVERIFY(o.save());
        QCOMPARE(SettingsStore::readInt("TipsStartup", -1), 1);
        QVERIFY(!OptionsSettings::load().tipsOnStartup);
        o.tipsOnStartup = true;
        QVERIFY(o.save());
        QCOMPARE(SettingsStore::readInt("TipsStartup", -1), 0);
        QVERIFY(OptionsSettings::load().tipsOnStartup);
    }

    void discardWritesNothing() {
        test::clearSettings();
        test::whenModal([](QWidget* w) {
            child<QCheckBox>(w, "alwaysOnTop")->click();
            child<QCheckBox>(w, "loadAtStartup")->click();
            child<QListWidget>(w, "skinList")->setCurrentRow(0);
            test::click(w, "cancelButton");
        });
        QVERIFY(!OptionsCommand::run(nullptr));
        QCOMPARE(storedKeysOfTheOptions(), QStringList());
        QVERIFY(!platform::Autostart::isEnabled());
        QVERIFY(platform::RestartProgram::recorded().isEmpty());
        QCOMPARE(MessageBox::recordedTexts(), QStringList{kNoDiary});
    }

    void saveWritesEveryKeyAndTheAutostartEntry() {
        test::whenModal([](QWidget* w) {
            child<QCheckBox>(w, "loadAtStartup")->click();
            child<QCheckBox>(w, "tipsOnStartup")->click();
            child<QRadioButton>(w, "remindersAhead")->click();
            child<QLineEdit>(w, "remindersDays")->setText("355");
            test::click(w, "okButton");
        });
        QVERIFY(OptionsCommand::run(nullptr));
        QCOMPARE(storedKeysOfTheOptions().size(), int(settings::optionsWriteOrder().size()));
        QCOMPARE(settings::read(settings::RemindersDays), 355);
        QCOMPARE(settings::read(settings::RemindersShow), 1);
        QCOMPARE(settings::read(settings::TipsStartup), 1);
        QCOMPARE(settings::read(settings::WhichSkin), QString("Old Look"));
        QCOMPARE(settings::read(settings::RemindersSoundFile), QString("..."));

        // Same skin: no restart offered.
        QVERIFY(!OptionsCommand::applySaved(nullptr, "Old Look"));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{kNoDiary});
        // The entry sits in the throwaway config folder and starts this very program.
        const QString entry = platform::Autostart::filePath();
        QVERIFY(entry.startsWith(test::scratchDir()));
        QVERIFY(QFileInfo(entry).isFile());
        QFile f(entry);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(f.readAll())
                    .contains("Exec=" +
                              platform::Autostart::execValue(platform::DataPaths::programPath())));

        test::whenModal([](QWidget* w) {
            QVERIFY(child<QCheckBox>(w, "loadAtStartup")->isChecked());
            child<QCheckBox>(w, "loadAtStartup")->click();
            test::click(w, "okButton");
        });
        QVERIFY(OptionsCommand::run(nullptr));
        QVERIFY(!OptionsCommand::applySaved(nullptr, "Old Look"));
        QCOMPARE(settings::read(settings::LoadAtWinStartup), 0);
        QVERIFY(!QFileInfo::exists(entry));
    }

    void anAutostartEntryThatCannotBeMadeIsReported() {
        // A file where the autostart folder should be.
        const QString folder = QFileInfo(platform::Autostart::filePath()).absolutePath();
        QDir(folder).removeRecursively();
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        settings::write(settings::LoadAtWinStartup, 1);
        QVERIFY(!OptionsCommand::applySaved(nullptr, "Old Look"));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"Unable to create the startup entry " +
                                                          platform::Autostart::filePath() + "!"});
        QCOMPARE(MessageBox::recorded().first().icon, MsgIcon::Warning);
        QVERIFY(QFile::remove(folder));
    }

    void saveWritesTheDiaryConfigurationAndReloadsShortcuts() {
        const QString path = openDiary();
        CTavrinPSOptions sheet;
        auto* page = new FakeDiaryPage("Diary page");
        page->shortcut = "Dear diary,";
        sheet.addDiaryPage(page);
        sheet.show();
        sheet.okButton()->click();
        QCOMPARE(sheet.result(), int(QDialog::Accepted));
        OptionsCommand::writeSaved(sheet);

        QCOMPARE(page->stores, 1);
        TN tn(0, path.toStdString(), test::extOffsetOf(path));
        QVERIFY(tn.ReadConfiguration());
        QCOMPARE(tn.config.shortcut(0), std::string("Dear diary,"));
        // What the page does not own stays as it was.
        QCOMPARE(tn.config.shortcut(1), std::string("text for hotkey2"));

        QVERIFY(!OptionsCommand::applySaved(nullptr, "Old Look"));
        QCOMPARE(app::DiaryState::instance().shortcuts().value(0), QString("Dear diary,"));
        QCOMPARE(app::DiaryState::instance().painKinds().size(), 6);
    }

    void changedSkinAnsweredNoKeepsTheOldSkinInEffect() {
        test::whenModal([](QWidget* w) {
            auto* list = child<QListWidget>(w, "skinList");
            list->setCurrentItem(list->findItems("New Look", Qt::MatchExactly).first());
            test::click(w, "okButton");
        });
        const QString before = settings::read(settings::WhichSkin);
        QVERIFY(OptionsCommand::run(nullptr));
        MessageBox::setNextAnswer(MsgAnswer::No);
        QVERIFY(!OptionsCommand::applySaved(nullptr, before));

        QCOMPARE(MessageBox::recorded().size(), 2);
        const auto& q = MessageBox::recorded().last();
        QCOMPARE(q.text,
                 QString("Tavelle Suite needs to restart! Would you like to restart it now?"));
        QCOMPARE(q.icon, MsgIcon::Question);
        QCOMPARE(q.buttons, MsgButtons::YesNo);
        // The new name is stored for the next start; this run keeps its skin.
        QCOMPARE(settings::read(settings::WhichSkin), QString("New Look"));
        QCOMPARE(ui::ActiveSkin::current().name, QString("Old Look"));
        QVERIFY(platform::RestartProgram::recorded().isEmpty());
    }

    void changedSkinAnsweredYesSchedulesTheRestart() {
        CTavrinPSOptions sheet;
        auto* list = child<QListWidget>(sheet.generalPage(), "skinList");
        list->setCurrentItem(list->findItems("New Look", Qt::MatchExactly).first());
        sheet.show();
        sheet.okButton()->click();
        OptionsCommand::writeSaved(sheet);
        // The diary in use is handed to the new copy, which opens it again.
        const QString diary = test::makeDiary("Restarted", "pw1", 0);
        app::DiaryState::instance().choose(diary, test::extOffsetOf(diary));
        app::DiaryState::instance().setOpen(true);
        MessageBox::setNextAnswer(MsgAnswer::Yes);
        QVERIFY(OptionsCommand::applySaved(nullptr, "Old Look"));

        QCOMPARE(settings::read(settings::WhichSkin), QString("New Look"));
        QCOMPARE(platform::RestartProgram::recorded().size(), 1);
        const auto& r = platform::RestartProgram::recorded().first();
        QCOMPARE(r.program, platform::DataPaths::programPath());
        QCOMPARE(r.waitForPid, QCoreApplication::applicationPid());
        QCOMPARE(r.arguments, QStringList{diary});
        app::DiaryState::instance().close();
    }
};

QTEST_MAIN(TestOptionsSheet)
#include "tst_optionssheet.moc"
