// Opening and creating diaries through the password windows, driven as a user would.

#include "DiaryFixture.h"
#include "ModalDriver.h"
#include "TestEnvironment.h"
#include "app/CTavrinDlgCreateDiary.h"
#include "app/CTavrinDlgResetPassword.h"
#include "app/CTavrinDlgSec.h"
#include "app/DiaryFlows.h"
#include "app/DiaryShell.h"
#include "app/DiaryState.h"
#include "platform/CDirDialog.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/MessageBoxReporter.h"
#include "platform/Settings.h"
#include "storage/DiaryFileSet.h"
#include "storage/ProgramTexts.h"
#include "storage/Reporter.h"
#include "storage/TN.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QtEndian>

using namespace tavrin;
using namespace tavrin::app;
using namespace tavrin::test;
using platform::MessageBox;
using platform::MsgAnswer;

namespace {

// Records what the flows ask of the main window.
class FakeShell : public DiaryShell {
public:
    QWidget* shellWindow() override { return &window; }
    void clearEntryList() override { calls << "clear"; }
    void fillEntryList(bool openFormat) override { calls << (openFormat ? "fill:open" : "fill"); }
    void selectLastEntry() override { calls << "selectLast"; }
    void showModule(Page page) override {
        calls << "show:" + pageName(page);
        module = page;
    }
    Page currentModule() const override { return module; }
    QWidget window;
    QStringList calls;
    Page module = Page::FirstTime;
};

// Answers the password prompt with `password` (OK) or Cancel when null.
void answerPrompt(const QString& password) {
    whenModal([password](QWidget* w) {
        if (password.isNull())
            click(w, "cancelButton");
        else {
            type(w, "password", password);
            click(w, "okButton");
        }
    });
}

} // namespace

class TestDiaryFlows : public QObject {
    Q_OBJECT
private slots:
    void init() {
        clearSettings();
        MessageBox::clearRecorded();
        DiaryState::instance().close();
        DiaryState::instance().setEmptyDiary(false);
    }

    void openWithRightPasswordFillsAndRemembers() {
        const QString path = makeDiary("Open1", "Secret");
        FakeShell shell;
        DiaryFlows flows(shell);
        platform::FileChooser::setNextFileName(path);
        answerPrompt("Secret");
        flows.openDiary();
        auto& s = DiaryState::instance();
        QVERIFY(s.isOpen());
        QVERIFY(!s.isEmptyDiary());
        QCOMPARE(s.path(), path);
        QCOMPARE(shell.calls, QStringList({"clear", "fill:open", "show:Diary", "selectLast"}));
        QCOMPARE(settings::read(settings::DiaryFile), path);
        QCOMPARE(settings::read(settings::ExtLoc), path.size() - 3);
        QCOMPARE(settings::read(settings::ShortFile), QString("Open1"));
        QVERIFY(MessageBox::recorded().isEmpty());
        QCOMPARE(platform::FileChooser::lastRequest().title,
                 QString("Open an existing diary file"));
    }

    void wrongPasswordOrOtherCaseClosesTheDiary_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("other case") << "secret";
        QTest::newRow("wrong") << "nothing";
    }
    void wrongPasswordOrOtherCaseClosesTheDiary() {
        QFETCH(QString, typed);
        const QString path = makeDiary("Wrong", "Secret");
        FakeShell shell;
        DiaryFlows flows(shell);
        platform::FileChooser::setNextFileName(path);
        answerPrompt(typed);
        flows.openDiary();
        QVERIFY(!DiaryState::instance().isOpen());
        QVERIFY(!DiaryState::instance().hasPath());
        QCOMPARE(MessageBox::recordedTexts(), QStringList{texts::kInvalidPassword});
        QCOMPARE(MessageBox::recorded().first().icon, platform::MsgIcon::Warning);
        QCOMPARE(MessageBox::recorded().first().caption, QString("Tavelle Suite v3.10"));
        QCOMPARE(shell.module, Page::FirstTime);
        // Only an accepted password is remembered for the next start.
        QVERIFY(settings::read(settings::DiaryFile).isEmpty());
        QCOMPARE(settings::read(settings::ExtLoc), 0);
    }

    void cancelAtEachStep() {
        const QString path = makeDiary("Cancel", "Secret");
        // Chooser cancelled: the open diary stays as it was.
        auto& s = DiaryState::instance();
        s.choose("/elsewhere/Other.tni", 17);
        s.setOpen(true);
        FakeShell shell;
        DiaryFlows flows(shell);
        platform::FileChooser::cancelNext();
        flows.openDiary();
        QCOMPARE(s.path(), QString("/elsewhere/Other.tni"));
        QVERIFY(s.isOpen());
        QVERIFY(shell.calls.isEmpty());
        // Prompt cancelled: no diary.
        platform::FileChooser::setNextFileName(path);
        answerPrompt(QString());
        flows.openDiary();
        QVERIFY(!s.hasPath());
        QVERIFY(!s.isOpen());
        QCOMPARE(shell.module, Page::FirstTime);
        QVERIFY(MessageBox::recorded().isEmpty());
        // Create window cancelled: nothing written, nothing changed.
        whenModal([](QWidget* w) { click(w, "cancelButton"); });
        flows.createDiary();
        QVERIFY(!s.hasPath());
    }

    void openRefusesAFileThatIsNotADiary() {
        // Taken as a diary, the file would become the entry index and get entries appended.
        const QString notes = QDir(scratchDir()).filePath("notes.txt");
        {
            QFile f(notes);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("milk\n");
        }
        auto& s = DiaryState::instance();
        s.choose("/elsewhere/Other.tni", 17);
        s.setOpen(true);
        settings::write(settings::ShortFile, "Other");
        FakeShell shell;
        DiaryFlows flows(shell);
        platform::FileChooser::setNextFileName(notes);
        flows.openDiary(); // no prompt may appear: a modal would block here
        QCOMPARE(MessageBox::recorded().size(), 1);
        QVERIFY(MessageBox::recordedTexts().first().contains(".tni"));
        QCOMPARE(MessageBox::recorded().first().icon, platform::MsgIcon::Warning);
        QCOMPARE(s.path(), QString("/elsewhere/Other.tni"));
        QVERIFY(s.isOpen());
        QVERIFY(shell.calls.isEmpty());
        QCOMPARE(settings::read(settings::ShortFile), QString("Other"));
        QVERIFY(!QFileInfo::exists(QDir(scratchDir()).filePath("notes")));
        QCOMPARE(QFileInfo(notes).size(), 5);
    }

    // A file named like a diary that holds no diary of this version: the version message, and
    // then nothing at all (no folder, no configuration, no diary in use, no name in the title).
    void openRefusesAFileOfAnotherKindAndCreatesNothing_data() {
        QTest::addColumn<QByteArray>("content");
        QByteArray noise(5000, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 73 + 41) % 251);
        noise[34] = char(0xC7); // the version byte of the first record
        QTest::newRow("5000 bytes of noise") << noise;
        QTest::newRow("less than one record") << QByteArray("not a diary at all");
        EntryRecord old;
        old.clear();
        old.setVersion(2);
        QTest::newRow("other version")
            << QByteArray(reinterpret_cast<const char*>(old.data()), int(EntryRecord::kSize));
    }
    void openRefusesAFileOfAnotherKindAndCreatesNothing() {
        QFETCH(QByteArray, content);
        const QString dir = QDir(scratchDir()).filePath(QTest::currentDataTag());
        QDir().mkpath(dir);
        const QString path = dir + "/garbage.tni";
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        platform::MessageBoxReporter::install();
        struct Restore {
            ~Restore() { Reporter::setGlobal(nullptr); }
        } restore;
        auto& s = DiaryState::instance();
        s.choose("/elsewhere/Other.tni", 17);
        s.setOpen(true);
        FakeShell shell;
        DiaryFlows flows(shell);
        platform::FileChooser::setNextFileName(path);
        flows.openDiary(); // no prompt may appear: a modal would block here
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList{QString::fromStdString(messages::wrongVersion())});
        QVERIFY(!s.hasPath());
        QVERIFY(!s.isOpen());
        QVERIFY(!s.usable());
        QCOMPARE(shell.module, Page::FirstTime);
        QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"garbage.tni"});
        QCOMPARE(QFileInfo(path).size(), content.size());
        QVERIFY(settings::read(settings::DiaryFile).isEmpty());
    }

    void diaryWithoutEntriesIsEmptyWithoutPassword() {
        const QString path = makeDiary("Empty", "x", 0);
        FakeShell shell;
        DiaryFlows flows(shell);
        platform::FileChooser::setNextFileName(path);
        flows.openDiary(); // no prompt may appear: a modal would block here
        auto& s = DiaryState::instance();
        QVERIFY(s.isEmptyDiary());
        QVERIFY(!s.isOpen());
        QVERIFY(s.usable());
        QCOMPARE(shell.module, Page::FirstTime);
        QVERIFY(settings::read(settings::DiaryFile).isEmpty());
    }

    void createEachDiaryType_data() {
        QTest::addColumn<int>("type");
        QTest::newRow("Minimal") << 0;
        QTest::newRow("Advanced") << 1;
        QTest::newRow("Training") << 2;
    }
    void createEachDiaryType() {
        QFETCH(int, type);
        const QString dir = QDir(scratchDir()).filePath(QString("create%1").arg(type));
        QDir().mkpath(dir);
        FakeShell shell;
        DiaryFlows flows(shell);
        platform::CDirDialog::setNextDirectory(dir);
        whenModal([type](QWidget* w) {
            click(w, "chooseDirectoryButton");
            w->findChild<QListWidget*>("diaryTypes")->setCurrentRow(type);
            test::type(w, "diaryName", "Log");
            click(w, "okButton");
        });
        flows.createDiary();
        auto& s = DiaryState::instance();
        const QString path = dir + "/Log.tni";
        QCOMPARE(s.path(), path);
        QCOMPARE(s.extOffset(), path.size() - 3);
        QVERIFY(s.isEmptyDiary());
        QVERIFY(!s.isOpen());
        QCOMPARE(shell.module, Page::FirstTime);
        QVERIFY(settings::read(settings::DiaryFile).isEmpty()); // a new diary is not remembered
        QCOMPARE(settings::read(settings::ShortFile), QString("Log"));
        QCOMPARE(platform::CDirDialog::lastTitle(), QString("Choose destination directory"));

        // The configuration bytes of the type.
        QFile f(dir + "/Log/Log.tnc");
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray c = f.readAll();
        QCOMPARE(c.size(), 3112);
        auto text = [&](int off) { return QByteArray(c.constData() + off); };
        const char dreamOn = c[167], fatigueOn = c[106], check1 = c[334], check2 = c[350];
        if (type == 0) {
            QCOMPARE(int(dreamOn), 0);
            QCOMPARE(int(fatigueOn), 0);
            QCOMPARE(int(check1), 0);
            QCOMPARE(int(check2), 0);
            QCOMPARE(int(c[258]), 1); // shape stays
        } else if (type == 1) {
            QCOMPARE(int(dreamOn), 1);
            QCOMPARE(int(fatigueOn), 1);
            QCOMPARE(int(check1), 1);
            QCOMPARE(int(check2), 1);
        } else {
            QCOMPARE(text(168), QByteArray("Stress level"));
            QCOMPARE(text(183 + 2 * 15), QByteArray("Neutral"));
            QCOMPARE(text(259), QByteArray("Health"));
            QCOMPARE(int(check1), 0);
            QCOMPARE(text(367), QByteArray("Distance"));
            QCOMPARE(int(c[382]), 1);
            QCOMPARE(text(383), QByteArray("Time"));
            QCOMPARE(int(c[904]), 1);
            QCOMPARE(text(905), QByteArray("n-Time/Day"));
            QCOMPARE(int(c[904 + 16]), 8);
            QCOMPARE(text(1056 + 1), QByteArray("Run type"));
            QCOMPARE(int(c[1208 + 16]), 5);
            QCOMPARE(text(1208 + 17 + 4 * 15), QByteArray("Other"));
            QCOMPARE(text(1208 + 17 + 5 * 15), QByteArray(""));         // emptied
            QCOMPARE(text(904 + 17 + 8 * 15), QByteArray("combo 1 9")); // kept
            QCOMPARE(int(c[432]), 1);
            QCOMPARE(text(433), QByteArray("Performance"));
            QCOMPARE(qFromLittleEndian<qint32>(c.constData() + 448), -3);
            QCOMPARE(qFromLittleEndian<qint32>(c.constData() + 452), 3);
            QCOMPARE(text(456 + 3 * 15), QByteArray("Day off"));
        }
    }

    void createRefusesBadNames() {
        FakeShell shell;
        DiaryFlows flows(shell);
        whenModal([](QWidget* w) {
            click(w, "okButton"); // the placeholder name
            type(w, "diaryName", "a/b");
            click(w, "okButton");
            type(w, "diaryName", "  ");
            click(w, "okButton");
            click(w, "cancelButton");
        });
        flows.createDiary();
        QCOMPARE(
            MessageBox::recordedTexts(),
            QStringList({"You must type in a diary name!",
                         "A diary name cannot contain any of these characters: / \\ : * ? \" < > |",
                         "You must type in a diary name!"}));
        QVERIFY(!DiaryState::instance().hasPath());
    }

    void firstPasswordNeedsConfirmationAndAFullPair() {
        // The prompt for a new diary: reset is disabled (Cancel abandons the entry), the name
        // reads as new, a question without its answer is dropped and the confirmation insists
        // on a full pair.
        PasswordAnswer a;
        whenModal([](QWidget* w) {
            QVERIFY(w->findChild<QPushButton*>("cancelButton")->isEnabled());
            QVERIFY(!w->findChild<QPushButton*>("resetPasswordButton")->isEnabled());
            QCOMPARE(w->findChild<QLineEdit*>("diaryName")->text(),
                     QString("You are creating a new diary"));
            type(w, "password", "ab");
            click(w, "okButton"); // too short
            type(w, "password", "abc");
            whenModal([](QWidget* c) {
                type(c, "confirmPassword", "abc");
                type(c, "question1", "Pet?");
                click(c, "confirmButton"); // no full pair: refused, the question is dropped
                QVERIFY(c->isVisible());
                type(c, "question2", "Town?");
                type(c, "answer2", "Oslo");
                click(c, "confirmButton");
            });
            click(w, "okButton");
        });
        a = DiaryFlows::askPassword("Anything", true, nullptr);
        QVERIFY(a.ok);
        QCOMPARE(a.password, QString("abc"));
        QCOMPARE(a.questions[0], QString());
        QCOMPARE(a.questions[1], QString("Town?"));
        QCOMPARE(a.answers[1], QString("Oslo"));
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({texts::kTooShortPassword,
                              "You must provide at least one full pair of question and answer!"}));
    }

    void promptWithoutANameOnlyAsksThePassword() {
        // Opening a diary whose name is unknown: shown as new and not cancellable, but no
        // confirmation and no security pairs are asked, since no password is being chosen.
        bool confirmationShown = false;
        whenModal([&confirmationShown](QWidget* w) {
            QCOMPARE(w->findChild<QLineEdit*>("diaryName")->text(),
                     QString("You are creating a new diary"));
            QVERIFY(!w->findChild<QPushButton*>("cancelButton")->isEnabled());
            QVERIFY(!w->findChild<QPushButton*>("resetPasswordButton")->isEnabled());
            QTimer::singleShot(300, w, [w, &confirmationShown] {
                // Only reached when the confirmation blocks the prompt: end both.
                if (QWidget* m = QApplication::activeModalWidget(); m && m != w) {
                    confirmationShown = true;
                    m->close();
                    static_cast<QDialog*>(w)->done(QDialog::Rejected);
                }
            });
            type(w, "password", "abc");
            click(w, "okButton");
        });
        const PasswordAnswer a = DiaryFlows::askPassword("", false, nullptr);
        QVERIFY(!confirmationShown);
        QVERIFY(a.ok);
        QCOMPARE(a.password, QString("abc"));
        QVERIFY(MessageBox::recorded().isEmpty());
    }

    void createStartsInAFolderThatExists() {
        // Where the documents folder was never made, the home folder is offered instead.
        struct RestoreHome {
            QByteArray value = qgetenv("HOME");
            ~RestoreHome() { qputenv("HOME", value); }
        } restoreHome;
        const QString home = QDir(scratchDir()).filePath("createHome");
        QDir().mkpath(home);
        qputenv("HOME", QFile::encodeName(home));
        {
            CTavrinDlgCreateDiary dlg;
            QCOMPARE(dlg.directory(), home);
        }
        QDir().mkpath(home + "/Documents");
        {
            CTavrinDlgCreateDiary dlg;
            QCOMPARE(dlg.directory(), home + "/Documents");
        }
    }

    void mismatchedConfirmationKeepsThePromptOpen() {
        whenModal([](QWidget* w) {
            type(w, "password", "abcd");
            whenModal([w](QWidget* c) {
                type(c, "confirmPassword", "abce");
                type(c, "question1", "q");
                type(c, "answer1", "a");
                click(c, "confirmButton");
                // back in the prompt, which stays; now confirm properly
                whenModal([](QWidget* c2) {
                    type(c2, "confirmPassword", "abcd");
                    type(c2, "question1", "q");
                    type(c2, "answer1", "a");
                    click(c2, "confirmButton");
                });
                QTimer::singleShot(50, w, [w] { click(w, "okButton"); });
            });
            click(w, "okButton");
        });
        PasswordAnswer a = DiaryFlows::askPassword("", true, nullptr);
        QVERIFY(a.ok);
        QCOMPARE(a.password, QString("abcd"));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"The passwords do not match!"});
    }

    void resetThroughSecurityAnswersReKeysTheDiary() {
        const QString path = makeDiary("Reset", "Forgotten", 3, "Pet?", "Rex");
        FakeShell shell;
        DiaryFlows flows(shell);
        platform::FileChooser::setNextFileName(path);
        whenModal([](QWidget* prompt) {
            whenModal([prompt](QWidget* reset) {
                QCOMPARE(reset->findChild<QLineEdit*>("question1")->text(), QString("Pet?"));
                type(reset, "answer1", "rex"); // letter case matters
                click(reset, "validateButton");
                type(reset, "answer1", "Rex");
                type(reset, "answer2", "ignored: pair 2 is empty");
                whenModal([](QWidget* change) {
                    type(change, "newPassword", "NewOne");
                    type(change, "confirmNewPassword", "newone");
                    click(change, "changePasswordButton"); // differ in case
                    type(change, "confirmNewPassword", "NewOne");
                    click(change, "changePasswordButton");
                });
                click(reset, "validateButton");
                QTimer::singleShot(0, prompt, [prompt] {
                    type(prompt, "password", "NewOne");
                    click(prompt, "okButton");
                });
            });
            click(prompt, "resetPasswordButton");
        });
        flows.openDiary();
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({"The answers do not match!", "You can now change your password!",
                              "The passwords do not match! Please remember that the passwords are "
                              "case SeNsItIvE!",
                              "The password has been changed successfully!"}));
        QVERIFY(DiaryState::instance().isOpen());
        TN tn(0, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.FirstEntry(true));
        QCOMPARE(QString::fromStdString(tn.entry.password()), QString("NewOne"));
        QCOMPARE(tn.entryCount, 3);
        tn.currentEntry = 2;
        QVERIFY(tn.ReadEntry(true));
        QCOMPARE(QString::fromStdString(tn.body), QString("Text of entry 3"));
    }

    // The questions come from the first index record alone: a first entry whose text cannot be
    // read still lets the user answer them. They look read-only, unlike the answers.
    void resetReadsOnlyTheFirstIndexRecord() {
        const QString path = makeDiary("Unreadable", "Lost", 1, "Pet?", "Rex");
        QVERIFY(QFile::resize(
            QString::fromStdString(DiaryFileSet(path.toStdString()).path(DiaryFileSet::kData)), 0));
        CTavrinDlgResetPassword reset(path, extOffsetOf(path));
        auto* question = reset.findChild<QLineEdit*>("question1");
        auto* answer = reset.findChild<QLineEdit*>("answer1");
        QCOMPARE(question->text(), QString("Pet?"));
        QVERIFY(question->isReadOnly());
        QCOMPARE(question->focusPolicy(), Qt::NoFocus);
        QVERIFY(!question->hasFrame() && answer->hasFrame());
        QCOMPARE(question->palette().color(QPalette::Base),
                 reset.palette().color(QPalette::Window));
        QVERIFY(answer->palette().color(QPalette::Base) != reset.palette().color(QPalette::Window));

        whenModal([](QWidget* change) { click(change, "discardButton"); });
        type(&reset, "answer1", "Rex");
        click(&reset, "validateButton");
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"You can now change your password!"});
    }

    void resetNeedsACountingPair() {
        const QString path = makeDiary("NoPair", "pw1", 1, "", "");
        TN tn(0, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.FirstEntry(true));
        QVERIFY(!CTavrinDlgResetPassword::answersMatch(tn.entry, {"", "", ""}));
        QVERIFY(!CTavrinDlgResetPassword::answersMatch(tn.entry, {"x", "y", "z"}));
        tn.entry.setQuestion(2, "Colour?");
        tn.entry.setAnswer(2, "Blue");
        QVERIFY(CTavrinDlgResetPassword::answersMatch(tn.entry, {"junk", "", "Blue"}));
        QVERIFY(!CTavrinDlgResetPassword::answersMatch(tn.entry, {"", "", "blue"}));
    }
};

QTEST_MAIN(TestDiaryFlows)
#include "tst_diaryflows.moc"
