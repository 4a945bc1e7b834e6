// The panels' bodies and the tips window: pads, navigator codes and tips.

#include "DiaryFixture.h"
#include "TestEnvironment.h"

#include "app/DiaryState.h"
#include "platform/DataPaths.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/WindowMessages.h"
#include "tools/CTavrinDlgScratchPadText.h"
#include "tools/CTavrinDlgTips.h"
#include "tools/NavigatorBody.h"
#include "tools/ScratchPadBody.h"
#include "ui/ActiveSkin.h"
#include "ui/SkinLoader.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTreeWidget>

using namespace tavrin;

namespace {
class Receiver : public QObject {
public:
    QList<int> codes;
    bool event(QEvent* e) override {
        if (auto* m = platform::NamedMessage::match(e, "TNSNavigatorSel")) {
            codes << int(m->wParam());
            return true;
        }
        return QObject::event(e);
    }
};

// A file replaced by a newer one: its time stamp moves on.
void touch(const QString& path, int days) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::currentDateTime().addDays(days),
                          QFileDevice::FileModificationTime));
}

void writeText(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
} // namespace

class TestToolPanels : public QObject {
    Q_OBJECT
private slots:
    void init() {
        test::clearSettings();
        platform::MessageBox::clearRecorded();
        app::DiaryState::instance().close();
    }

    void padsOfANewDiary() {
        const QString path = test::makeDiary("Pads", "secret", 1);
        app::DiaryState::instance().choose(path, test::extOffsetOf(path));
        app::DiaryState::instance().setOpen(true);
        tools::ScratchPadBody body;
        body.relabel();
        QStringList labels;
        for (int pad = 1; pad <= 9; ++pad)
            labels << body.padButton(pad)->text();
        QCOMPARE(labels, (QStringList{"Pad 0", "Pad 1", "Pad 2", "Pad 3", "Pad 4", "<not set>",
                                      "<not set>", "<not set>", "<not set>"}));

        tools::CTavrinDlgScratchPadText* w = body.padWindow();
        // Pad 6 before a file is chosen: nothing to edit, but a file may be chosen.
        w->openPad(6);
        QVERIFY(!w->text()->isEnabled());
        QVERIFY(w->chooseButton()->isEnabled());
        QCOMPARE(w->windowTitle(), QString("Scratch Pad - <not set>"));
        // Attached to a file of the user's: its text is shown and saved there.
        const QString own = test::scratchDir() + "/own-notes.txt";
        writeText(own, "my own file");
        platform::FileChooser::setNextFileName(own);
        platform::MessageBox::setNextAnswer(platform::MsgAnswer::Yes); // the file exists: use it
        w->chooseFile();
        QVERIFY(w->text()->isEnabled());
        QCOMPARE(w->text()->toPlainText(), QString("my own file"));
        w->text()->setPlainText("changed");
        w->openPad(6); // switching saves, even to the same pad
        QCOMPARE(w->text()->toPlainText(), QString("changed"));

        // Pad 3 is a file of the diary: no choosing; a long file shows its first 10240 bytes.
        const QString padFile = QFileInfo(path).absolutePath() + "/Pads/Pads.tn2";
        writeText(padFile, QByteArray(10240, 'a') + QByteArray(500, 'b'));
        w->openPad(3);
        QVERIFY(!w->chooseButton()->isEnabled());
        QVERIFY(w->text()->isEnabled());
        QCOMPARE(w->text()->toPlainText(), QString(10240, 'a'));

        // Renamed and switched away: saved, and the panel shows the new name when next opened.
        w->text()->setPlainText("short note");
        w->name()->setText("Shopping");
        w->openPad(1);
        QFile saved(padFile);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("short note"));
        body.panelExpanded();
        QCOMPARE(body.padButton(3)->text(), QString("Shopping"));
        QVERIFY(QDir(QFileInfo(padFile).absolutePath()).entryList({"*.tmp-*"}).isEmpty());
    }

    // A pad takes no more than its file keeps, counted in stored bytes: a paste that runs past
    // it loses its own end (never the text after it, never half a character) and says so.
    void padTextStopsWhereItsFileDoes() {
        const QString path = test::makeDiary("Limit", "secret", 1);
        app::DiaryState::instance().choose(path, test::extOffsetOf(path));
        app::DiaryState::instance().setOpen(true);
        tools::ScratchPadBody body;
        tools::CTavrinDlgScratchPadText* w = body.padWindow();
        w->openPad(1);
        QPlainTextEdit* t = w->text();
        const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // four bytes stored
        const struct {
            const char* what;
            QString before;
            int at;
            QString pasted; // empty: "z" typed
            QString after;
            bool told;
        } cases[] = {
            {"a paste past the end", QString(10000, 'a'), 10000, QString(500, 'b'),
             QString(10000, 'a') + QString(239, 'b'), true},
            {"accented letters take two bytes", QString(10237, 'a'), 10237,
             QString::fromUtf8("\xC3\xA9\xC3\xA9"),
             QString(10237, 'a') + QString::fromUtf8("\xC3\xA9"), true},
            {"a paste in the middle", "start" + QString(10230, 'x') + "end", 5, "12345",
             "start1" + QString(10230, 'x') + "end", true},
            {"no half of a character", QString(10236, 'a'), 10236, smile + smile,
             QString(10236, 'a'), true},
            {"typing at the limit", QString(10239, 'a'), 10239, QString(), QString(10239, 'a'),
             false},
        };
        for (const auto& c : cases) {
            platform::MessageBox::clearRecorded();
            t->setPlainText(c.before);
            QTextCursor cursor = t->textCursor();
            cursor.setPosition(c.at);
            t->setTextCursor(cursor);
            if (c.pasted.isEmpty()) {
                QTest::keyClick(t, Qt::Key_Z);
            } else {
                QApplication::clipboard()->setText(c.pasted);
                t->paste();
            }
            QVERIFY2(t->toPlainText() == c.after, c.what);
            QCOMPARE(platform::MessageBox::recordedTexts(),
                     c.told ? QStringList({tools::CTavrinDlgScratchPadText::kPasteCut})
                            : QStringList());
            // What the window holds is what the file keeps.
            w->openPad(1);
            QVERIFY2(t->toPlainText() == c.after, c.what);
        }
    }

    void navigatorCodes() {
        tools::NavigatorBody nav;
        Receiver r;
        nav.setReceiver(&r);
        QTreeWidget* tree = nav.tree();
        // Every place with its code, in tree order.
        QList<QPair<QString, int>> got;
        std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* i) {
            got << qMakePair(i->text(0), i->data(0, Qt::UserRole).toInt());
            for (int c = 0; c < i->childCount(); ++c)
                walk(i->child(c));
        };
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            walk(tree->topLevelItem(i));
        QList<int> codes;
        for (const auto& p : got)
            codes << p.second;
        QList<int> want;
        for (int c = 101; c <= 126; ++c)
            if (c != 118 && c != 119) want << c;
        QCOMPARE(codes, want);
        QCOMPARE(got[9], qMakePair(QString("Cookbook"), 110));
        QCOMPARE(got[16], qMakePair(QString("COMPACT ENTRIES"), 117));

        // Built with DIARY, NUTRITION and TOOLS open; building sends nothing.
        QStringList open;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (tree->topLevelItem(i)->isExpanded()) open << tree->topLevelItem(i)->text(0);
        QCOMPARE(open, (QStringList{"DIARY", "NUTRITION", "TOOLS"}));
        tree->collapseAll();
        nav.panelExpanded();
        QVERIFY(tree->topLevelItem(0)->isExpanded());
        QCoreApplication::processEvents();
        QVERIFY(r.codes.isEmpty());

        // The arrow keys: each highlighted place sends its code at once.
        tree->setFocus();
        tree->setCurrentItem(tree->topLevelItem(2)); // PLANNER
        QTest::keyClick(tree, Qt::Key_Down);         // CONTACTS
        QTest::keyClick(tree, Qt::Key_Down);         // NUTRITION
        QTest::keyClick(tree, Qt::Key_Down);         // Cookbook
        QCoreApplication::processEvents();
        QCOMPARE(r.codes.mid(r.codes.size() - 3), (QList<int>{108, 109, 110}));
    }

    void tips() {
        const QString dir = test::scratchDir() + "/tipsdir";
        QDir().mkpath(dir);
        platform::DataPaths::setProgramDir(dir);
        const QString file = dir + "/TIPS.TXT";
        writeText(file, "; comment line\nFirst tip\n\tindented continuation\n\nSecond tip with a "
                        "long text\n;another comment\nThird tip\n");
        auto shown = [] {
            tools::CTavrinDlgTips t;
            const QString tip = t.tip();
            t.closeTips();
            return tip;
        };
        QCOMPARE(shown(), QString("First tip\n"));
        QCOMPARE(shown(), QString("Second tip with a long text\n")); // goes on where it stopped
        {
            tools::CTavrinDlgTips t;
            QCOMPARE(t.tip(), QString("Third tip\n"));
            t.nextTip(); // after the last: the first again, comments never shown
            QCOMPARE(t.tip(), QString("First tip\n"));
            t.showOnStartup()->setChecked(false);
            t.closeTips();
        }
        QCOMPARE(settings::read(settings::TipsStartup), 1);

        // A replaced file (new time stamp) is read from its top.
        QCOMPARE(shown(), QString("Second tip with a long text\n"));
        touch(file, 1);
        QCOMPARE(shown(), QString("First tip\n"));

        // A file without a tip ends with a message instead of going round.
        writeText(file, "; only\n\n  comments\n");
        touch(file, 2);
        tools::CTavrinDlgTips empty;
        QCOMPARE(empty.tip(), QString());
        QVERIFY(!empty.nextButton()->isEnabled());
        QCOMPARE(platform::MessageBox::recordedTexts().last(),
                 QString("The TIPS.TXT file holds no tips!"));

        QFile::remove(file);
        tools::CTavrinDlgTips missing;
        QCOMPARE(platform::MessageBox::recordedTexts().last(),
                 QString("The TIPS.TXT file does not exist!"));
        platform::DataPaths::reset();
    }

    // The tip is written on the skin's field colour, readable in a dark skin as in a light one.
    void tipsTakeTheSkinsField_data() {
        QTest::addColumn<QString>("skin");
        QTest::newRow("light") << "Corvel Windows";
        QTest::newRow("dark") << "Corvel Night";
    }
    void tipsTakeTheSkinsField() {
        QFETCH(QString, skin);
        const QString build = qEnvironmentVariable("TAVRIN_TEST_BUILD");
        QVERIFY2(!build.isEmpty(), "TAVRIN_TEST_BUILD is not set (run the test through ctest)");
        QVERIFY(SkinLoader(QDir(build).filePath("bin/TNSkins")).load(skin));
        const QString dir = test::scratchDir() + "/tipsskin";
        QDir().mkpath(dir);
        platform::DataPaths::setProgramDir(dir);
        writeText(dir + "/TIPS.TXT", "Press F2 for the diary and write something every day.\n");
        tools::CTavrinDlgTips t;
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        auto* paper = t.findChild<QWidget*>("tipPaper");
        QVERIFY(paper);
        const QImage shot = paper->grab().toImage();
        platform::DataPaths::reset();
        const QColor field = ui::ActiveSkin::current().listBackground();
        int plain = 0, far = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                plain += c.rgb() == field.rgb();
                far = std::max(far, qAbs(c.lightness() - field.lightness()));
            }
        QVERIFY2(plain > shot.width() * shot.height() / 2, qPrintable(QString::number(plain)));
        QVERIFY(far > 120); // the text
        t.closeTips();
    }
};

QTEST_MAIN(TestToolPanels)
#include "tst_toolpanels.moc"
