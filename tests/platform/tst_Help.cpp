// The help: topic names in all their forms, a page for every topic the program opens, links
// between the pages, the help window and the embeddable viewer.

#include "TestEnvironment.h"
#include "platform/DataPaths.h"
#include "platform/Help.h"
#include "platform/HelpViewer.h"
#include "platform/HelpWindow.h"
#include "platform/MessageBox.h"
#include "platform/ShellOpen.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace tavrin::platform;

namespace {
// Every topic the program's windows open.
const QStringList kTopics = {
    "hlpFirstTime.html", "HIDD_ROOT_DIALOG.htm", "hlpDiary.html",    "hlpReminders.html",
    "hlpPlanner.html",   "hlpContacts.html",     "hlpCookbook.html", "hlpGraph.html",
    "hlpTools.html",     "hlpOptions.html",
};

QString sourceHelpDir() {
    return QStringLiteral(TAVRIN_SOURCE_DIR "/data/help");
}

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void init() {
        MessageBox::setTestMode(true);
        MessageBox::clearRecorded();
        Help::clearRecorded();
        ShellOpen::clearRecorded();
        DataPaths::reset();
    }
    void cleanup() { Help::closeWindow(); }

    void topicNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "hlpDiary.html"
                               << "hlpDiary.html";
        QTest::newRow("htm") << "HIDD_ROOT_DIALOG.htm"
                             << "HIDD_ROOT_DIALOG.htm";
        QTest::newRow("in help file") << "Tavrin.chm::/hlpReminders.html"
                                      << "hlpReminders.html";
        QTest::newRow("no slash") << "Tavrin.chm::hlpTools.html"
                                  << "hlpTools.html";
        QTest::newRow("help file only") << "Tavrin.chm"
                                        << "index.html";
        QTest::newRow("empty") << ""
                               << "index.html";
        QTest::newRow("anchor") << "Tavrin.chm::/hlpDiary.html#voice"
                                << "hlpDiary.html#voice";
        QTest::newRow("folder dropped") << "Tavrin.chm::/../../etc/passwd"
                                        << "passwd";
        QTest::newRow("backslashes") << "..\\..\\secret.html"
                                     << "secret.html";
        QTest::newRow("dot dot") << ".."
                                 << "index.html";
    }
    void topicNames() {
        QFETCH(QString, name);
        QFETCH(QString, file);
        QCOMPARE(Help::topicFile(name), file);
    }

    void everyTopicHasAPage() {
        for (const QString& t : kTopics) {
            const QString page = readAll(sourceHelpDir() + "/" + t);
            QVERIFY2(!page.isEmpty(), qPrintable(t));
            QVERIFY2(page.contains("<title>"), qPrintable(t));
            QVERIFY2(page.contains("style.css"), qPrintable(t));
            // Found where the program looks for it, by every form of its name.
            QVERIFY2(!Help::topicPath(t).isEmpty(), qPrintable(t));
            QVERIFY2(!Help::topicPath("Tavrin.chm::/" + t).isEmpty(), qPrintable(t));
        }
        QVERIFY(Help::topicPath("hlpNoSuchPage.html").isEmpty());
    }

    // A broken link in the help is a dead end for the user.
    void everyLocalLinkAndAnchorResolves() {
        const QDir dir(sourceHelpDir());
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (const QString& file : dir.entryList({"*.html", "*.htm"})) {
            const QString text = readAll(dir.filePath(file));
            for (auto it = href.globalMatch(text); it.hasNext();) {
                const QString link = it.next().captured(1);
                if (link.contains(':')) continue;
                const QString target =
                    link.section('#', 0, 0).isEmpty() ? file : link.section('#', 0, 0);
                QVERIFY2(QFileInfo::exists(dir.filePath(target)), qPrintable(file + " -> " + link));
                const QString anchor = link.section('#', 1);
                if (!anchor.isEmpty())
                    QVERIFY2(readAll(dir.filePath(target)).contains("name=\"" + anchor + "\""),
                             qPrintable(file + " -> " + link));
            }
        }
    }

    void contentsListsEveryTopic() {
        const auto entries = HelpWindow::contentsEntries(Help::helpDir());
        QStringList files;
        for (const auto& e : entries) {
            files << e.first;
            QVERIFY2(!e.second.isEmpty(), qPrintable(e.first));
        }
        for (const QString& t : kTopics)
            QVERIFY2(files.contains(t), qPrintable(t));
    }

    void openTopicShowsThePageInOneWindow() {
        QVERIFY(Help::openTopic("Tavrin.chm::/hlpReminders.html"));
        HelpWindow* w = Help::window();
        QVERIFY(w);
        QCOMPARE(w->viewer()->currentTopic(), QString("hlpReminders.html"));
        QVERIFY(w->contents()->currentItem());
        QCOMPARE(w->contents()->currentItem()->data(Qt::UserRole).toString(),
                 QString("hlpReminders.html"));
        QVERIFY(w->viewer()->browser()->toPlainText().contains("Current Reminders"));

        QVERIFY(Help::openTopic("HIDD_ROOT_DIALOG.htm"));
        QCOMPARE(Help::window(), w); // reused
        QCOMPARE(w->viewer()->currentTopic(), QString("HIDD_ROOT_DIALOG.htm"));
        QCOMPARE(Help::lastTopic(), QString("HIDD_ROOT_DIALOG.htm"));
        QCOMPARE(Help::topicsOpened().size(), 2);

        // Back, Forward and Home.
        auto* back = w->findChild<QPushButton*>("helpBack");
        auto* forward = w->findChild<QPushButton*>("helpForward");
        auto* home = w->findChild<QPushButton*>("helpHome");
        QVERIFY(back && forward && home);
        QVERIFY(back->isEnabled());
        back->click();
        QCOMPARE(w->viewer()->currentTopic(), QString("hlpReminders.html"));
        QVERIFY(forward->isEnabled());
        forward->click();
        QCOMPARE(w->viewer()->currentTopic(), QString("HIDD_ROOT_DIALOG.htm"));
        home->click();
        QCOMPARE(w->viewer()->currentTopic(), QString("index.html"));

        // An unknown topic shows the contents and says so.
        QVERIFY(!Help::openTopic("hlpUnknown.html"));
        QCOMPARE(w->viewer()->currentTopic(), QString("index.html"));
    }

    // Help asked for from a modal window (the entry sheet, the options) is used beside it: the
    // mouse reaches it while that window is open, and it stays open after that window closed.
    void usableBesideTheModalWindowThatOpenedIt() {
        QDialog sheet;
        QString topicAfterClick;
        QTimer::singleShot(0, &sheet, [&] {
            QVERIFY(Help::openTopic("hlpDiary.html", &sheet));
            HelpWindow* w = Help::window();
            w->show(); // test mode loads the page without showing it
            QVERIFY(QTest::qWaitForWindowExposed(w));
            auto* home = w->findChild<QPushButton*>("helpHome");
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {},
                              home->mapTo(w, home->rect().center()));
            topicAfterClick = w->viewer()->currentTopic();
            sheet.reject();
        });
        sheet.exec();
        QCOMPARE(topicAfterClick, QString("index.html"));
        QVERIFY(Help::window());
        QVERIFY(Help::window()->isVisible());
        QVERIFY(!Help::window()->parentWidget());
    }

    void linksStayInsideTheHelpOrGoOutside() {
        HelpViewer v;
        QVERIFY(v.isInitialized());
        QVERIFY(v.showTopic("hlpFirstTime.html"));
        emit v.browser()->anchorClicked(QUrl("hlpDiary.html"));
        QCOMPARE(v.currentTopic(), QString("hlpDiary.html"));
        emit v.browser()->anchorClicked(QUrl("file:///etc/passwd"));
        QCOMPARE(v.currentTopic(), QString("hlpDiary.html"));
        emit v.browser()->anchorClicked(QUrl("https://example.org/page"));
        QCOMPARE(v.currentTopic(), QString("hlpDiary.html"));
        QCOMPARE(ShellOpen::recorded().size(), 1);
        QCOMPARE(ShellOpen::recorded().first().target, QString("https://example.org/page"));

        // The program's own links ask the program, never the desktop; the contents and the
        // welcome page offer the tips that way.
        QStringList asked;
        Help::setCommandHandler([&](const QString& command, QWidget* parent) {
            asked << command + (parent == v.window() ? "" : " (no parent)");
            return true;
        });
        emit v.browser()->anchorClicked(QUrl("tavrin:tips"));
        Help::setCommandHandler(nullptr);
        emit v.browser()->anchorClicked(QUrl("tavrin:tips")); // nobody listens: nothing happens
        QCOMPARE(asked, QStringList{"tips"});
        QCOMPARE(ShellOpen::recorded().size(), 1);
        QCOMPARE(v.currentTopic(), QString("hlpDiary.html"));
        for (const char* page : {"index.html", "hlpFirstTime.html"})
            QVERIFY2(readAll(QDir(sourceHelpDir()).filePath(page)).contains("href=\"tavrin:tips\""),
                     page);
    }

    void viewerWithoutHelpFolderIsNotInitialized() {
        QTemporaryDir empty;
        DataPaths::setProgramDir(empty.path());
        DataPaths::setInstalledDataDir(empty.path() + "/nothing");
        HelpViewer v;
        QVERIFY(!v.isInitialized());
        QVERIFY(!v.showTopic("hlpFirstTime.html"));
        QVERIFY(!Help::openTopic("hlpDiary.html"));
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"Unable to initialize help!"});
        QVERIFY(!Help::window());
    }

    void viewerFoundInInstalledFolder() {
        QTemporaryDir prefix;
        QDir().mkpath(prefix.path() + "/share/tavrin/help");
        QFile::copy(sourceHelpDir() + "/hlpGraph.html",
                    prefix.path() + "/share/tavrin/help/hlpGraph.html");
        DataPaths::setProgramDir(prefix.path() + "/bin");
        DataPaths::setInstalledDataDir(prefix.path() + "/share/tavrin");
        HelpViewer v;
        QVERIFY(v.isInitialized());
        QVERIFY(v.showTopic("Tavrin.chm::/hlpGraph.html"));
        QVERIFY(!v.showTopic("hlpDiary.html"));
        QCOMPARE(v.currentTopic(), QString("hlpGraph.html"));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_Help.moc"
