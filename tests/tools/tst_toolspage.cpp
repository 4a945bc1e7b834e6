// The tools page: every button reaches its window, page or message; the compaction and import
// windows with their counts and refusals.

#include "DiaryFixture.h"
#include "ModalDriver.h"
#include "TestEnvironment.h"

#include "app/DiaryState.h"
#include "app/ModuleRegistry.h"
#include "health/HealthModule.h"
#include "organiser/OrganiserModule.h"
#include "platform/DataPaths.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/MessageBoxReporter.h"
#include "platform/ShellOpen.h"
#include "tools/CTavrinDlgCompactEntries.h"
#include "tools/CTavrinDlgImportOld.h"
#include "tools/CTavrinDlgTools.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace tavrin;

class TestToolsPage : public QObject {
    Q_OBJECT
private slots:
    void init() {
        test::clearSettings();
        platform::MessageBox::clearRecorded();
        platform::ShellOpen::clearRecorded();
    }

    void webAndMail() {
        tools::CTavrinDlgTools page;
        const struct {
            const char* button;
            const char* target;
        } links[] = {
            {"webSiteButton", "https://tavelle-suite.org"},
            {"forumsButton", "https://tavelle-suite.org/forums"},
            {"wishListButton", "https://tavelle-suite.org/wishlist"},
            {"communityButton", "https://tavelle-suite.org/community"},
            {"bugReportButton", "https://tavelle-suite.org/bugs"},
            {"mailButton", "mailto:author@tavelle-suite.org?subject=Tavelle Suite v3.10"},
        };
        for (const auto& l : links) {
            platform::ShellOpen::clearRecorded();
            page.findChild<QPushButton*>(l.button)->click();
            QCOMPARE(platform::ShellOpen::recorded().size(), 1);
            QCOMPARE(platform::ShellOpen::recorded()[0].target, QString(l.target));
        }
    }

    void convertersAndDiaryButtons() {
        const QString dir = test::scratchDir() + "/prog";
        QDir().mkpath(dir);
        platform::DataPaths::setProgramDir(dir);
        tools::CTavrinDlgTools page;
        // No converter beside the program: said so, nothing started.
        page.findChild<QPushButton*>("convertV3Button")->click();
        QVERIFY(platform::MessageBox::recordedTexts().last().startsWith(
            "The converter for version 3.0x diaries is missing."));
        QVERIFY(platform::ShellOpen::recorded().isEmpty());
        // Present: asked first, and No starts nothing.
        QFile converter(dir + "/convert3");
        QVERIFY(converter.open(QIODevice::WriteOnly));
        converter.close();
        converter.setPermissions(converter.permissions() | QFileDevice::ExeOwner);
        page.findChild<QPushButton*>("convertV3Button")->click();
        QCOMPARE(platform::MessageBox::recordedTexts().last(),
                 QString(tools::CTavrinDlgTools::kConvertQuestion));
        QVERIFY(platform::ShellOpen::recorded().isEmpty());
        platform::MessageBox::setNextAnswer(platform::MsgAnswer::Yes);
        page.findChild<QPushButton*>("convertV3Button")->click();
        QCOMPARE(platform::ShellOpen::recorded().size(), 1);
        QCOMPARE(platform::ShellOpen::recorded()[0].target, dir + "/convert3");
        platform::DataPaths::reset();

        // A diary without entries has no password to lend the imported entries.
        const QString empty = test::makeDiary("Empty", "secret", 0);
        app::DiaryState::instance().choose(empty, test::extOffsetOf(empty));
        app::DiaryState::instance().setEmptyDiary(true);
        page.findChild<QPushButton*>("convertV2Button")->click();
        QCOMPARE(platform::MessageBox::recordedTexts().last(),
                 QString("You must have at least one entry in your diary to add your previous "
                         "entries to it!"));
        // Nothing to compact: the window counts 0 and offers no Start.
        tools::CTavrinDlgCompactEntries none;
        QCOMPARE(none.beforeText(), QString(" Number of entries: 0\n File size: 0KB (0 bytes)"));
        QVERIFY(!none.startButton()->isEnabled());
    }

    // The Import/Export group ends with what the organiser and health modules offer, in the
    // order the page always had; each button opens its module's window over the open diary.
    void modulesWindowsInTheImportExportGroup() {
        app::ModuleRegistry::clear();
        app::ModuleRegistry::add<organiser::OrganiserModule>();
        app::ModuleRegistry::add<health::HealthModule>();
        const QString path = test::makeDiary("Modules", "secret", 2);
        app::DiaryState::instance().choose(path, test::extOffsetOf(path));
        app::DiaryState::instance().setEmptyDiary(false);
        app::DiaryState::instance().setOpen(true);
        tools::CTavrinDlgTools page;

        QStringList captions;
        for (auto* b : page.findChild<QWidget*>("importExportGroup")->findChildren<QPushButton*>())
            captions << b->text();
        QCOMPARE(captions, (QStringList{"Convert from v2.xx", "Convert from v3.0x", "Backup",
                                        "Export to text", "Health report"}));
        const struct {
            const char* button;
            const char* window;
        } opens[] = {{"backupButton", "backupWindow"},
                     {"exportButton", "exportWindow"},
                     {"healthReportButton", "healthReport"}};
        for (const auto& o : opens) {
            QString shown;
            test::whenModal([&](QWidget* w) {
                shown = w->objectName();
                qobject_cast<QDialog*>(w)->reject();
            });
            page.findChild<QPushButton*>(o.button)->click();
            QCOMPARE(shown, QString(o.window));
        }
        app::ModuleRegistry::clear();
    }

    void compactAndImportWindows() {
        const QString path = test::makeDiary("Tools", "secret", 3);
        app::DiaryState::instance().choose(path, test::extOffsetOf(path));
        app::DiaryState::instance().setEmptyDiary(false);
        app::DiaryState::instance().setOpen(true);

        tools::CTavrinDlgCompactEntries compact;
        QVERIFY(compact.beforeText().startsWith(" Number of entries: 3\n File size: "));
        QVERIFY(compact.startButton()->isEnabled());
        compact.start();
        QVERIFY(!compact.startButton()->isEnabled());
        QCOMPARE(compact.progress()->value(), 3);
        QVERIFY(compact.afterText().contains(" Saved: 0KB (0 bytes) (0.0%)"));

        // The old password is checked for length before any file is opened.
        tools::CTavrinDlgImportOld import;
        QCOMPARE(import.sourceText(), QString(" <choose your old diary index file>"));
        QVERIFY(!import.startButton()->isEnabled());
        platform::FileChooser::setNextFileName(QFileInfo(path).absolutePath() + "/Nowhere.itn");
        QFile(QFileInfo(path).absolutePath() + "/Nowhere.itn").open(QIODevice::WriteOnly);
        import.chooseSource();
        QVERIFY(import.startButton()->isEnabled());
        import.password()->setText("ab");
        import.start();
        QCOMPARE(platform::MessageBox::recordedTexts(),
                 QStringList{"You must enter at least 3 characters in the old password field!"});
        QVERIFY(!import.startButton()->isEnabled());
    }

    // Entries that cannot be read are not "0 entries": the file error is shown, the count says
    // it is unknown, and there is nothing to start.
    void compactWindowOnAnUnreadableDiary() {
        const QString path = test::makeDiary("Unreadable", "secret", 2);
        app::DiaryState::instance().choose(path, test::extOffsetOf(path));
        app::DiaryState::instance().setEmptyDiary(false);
        app::DiaryState::instance().setOpen(true);
        const QString data = QFileInfo(path).absolutePath() + "/Unreadable/Unreadable.tnd";
        QVERIFY(QFile::remove(data));
        QVERIFY(QDir().mkdir(data));
        platform::MessageBoxReporter::install();
        tools::CTavrinDlgCompactEntries compact;
        Reporter::setGlobal(nullptr);
        QVERIFY(compact.beforeText().startsWith(
            " Number of entries: unknown (the diary could not be read)\n"));
        QVERIFY(!compact.startButton()->isEnabled());
        QCOMPARE(platform::MessageBox::recorded().size(), 1);
        QVERIFY(platform::MessageBox::recordedTexts().first().contains(data));
    }
};

QTEST_MAIN(TestToolsPage)
#include "tst_toolspage.moc"
