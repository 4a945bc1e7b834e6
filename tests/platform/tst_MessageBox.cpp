// Message boxes and the reporter that shows storage failures in them.

#include "TestEnvironment.h"
#include "platform/MessageBox.h"
#include "platform/MessageBoxReporter.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tavrin;
using namespace tavrin::platform;

namespace {
const QString kTitle = QStringLiteral("Tavelle Suite v3.10");

// Runs `act` on the next modal box once it is up (the real box path, test mode off).
void onNextModal(std::function<void(QMessageBox*)> act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        act(box);
    });
}
} // namespace

class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void init() {
        MessageBox::setTestMode(true);
        MessageBox::clearRecorded();
    }

    void recordsTextIconButtonsAndCaption() {
        MessageBox::warning("You must open or create a diary first!");
        MessageBox::information("The password has been changed successfully!");
        MessageBox::plain("trace");
        MessageBox::question("Delete current entry?");
        MessageBox::show("custom", MsgIcon::Error, MsgButtons::OkCancel, "Other caption", nullptr,
                         true);

        const auto& r = MessageBox::recorded();
        QCOMPARE(r.size(), 5);
        QCOMPARE(r[0].text, QString("You must open or create a diary first!"));
        QCOMPARE(r[0].icon, MsgIcon::Warning);
        QCOMPARE(r[0].buttons, MsgButtons::Ok);
        QCOMPARE(r[1].icon, MsgIcon::Information);
        QCOMPARE(r[2].icon, MsgIcon::None);
        QCOMPARE(r[3].icon, MsgIcon::Question);
        QCOMPARE(r[3].buttons, MsgButtons::YesNo);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(r[i].caption, kTitle);
        QCOMPARE(r[4].caption, QString("Other caption"));
        QVERIFY(r[4].onTop);
        QCOMPARE(MessageBox::recordedTexts().last(), QString("custom"));
    }

    // The real box, as a user sees it: icon, caption, buttons, and a file name shown literally.
    void realBoxShowsPlainTextWithExclamation() {
        MessageBox::setTestMode(false);
        QString seenText, seenTitle;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        Qt::TextFormat seenFormat = Qt::AutoText;
        onNextModal([&](QMessageBox* box) {
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = box->icon();
            seenFormat = box->textFormat();
            box->button(QMessageBox::Ok)->click();
        });
        MessageBox::warning("<b>/tmp/a<b>.tni</b>\nCannot find this file.");
        MessageBox::setTestMode(true);
        QCOMPARE(seenTitle, kTitle);
        QCOMPARE(seenIcon, QMessageBox::Warning);
        QCOMPARE(seenFormat, Qt::PlainText);
        QVERIFY(seenText.startsWith("<b>/tmp/a<b>.tni</b>"));
    }

    void realQuestionReturnsTheButtonPressed() {
        MessageBox::setTestMode(false);
        onNextModal([](QMessageBox* box) {
            QVERIFY(box->button(QMessageBox::Yes));
            QVERIFY(box->button(QMessageBox::No));
            QVERIFY(!box->button(QMessageBox::Cancel));
            box->button(QMessageBox::Yes)->click();
        });
        const bool yes = MessageBox::question("Continue?");
        onNextModal([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        const bool no = MessageBox::question("Continue?");
        MessageBox::setTestMode(true);
        QVERIFY(yes);
        QVERIFY(!no);
    }

    void reporterMapsKindsToBoxes() {
        MessageBoxReporter rep;
        rep.report(ReportKind::FileError, "/d/x.tni\nCannot find this file.");
        rep.report(ReportKind::Damaged, "damaged");
        rep.report(ReportKind::Voice, "Unknown error type in mmioWrite");
        rep.report(ReportKind::WrongVersion, "Wrong diary version!");
        rep.report(ReportKind::Trace, "trace");
        const auto& r = MessageBox::recorded();
        QCOMPARE(r.size(), 5);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(r[i].icon, MsgIcon::Warning);
            QCOMPARE(r[i].buttons, MsgButtons::Ok);
            QCOMPARE(r[i].caption, kTitle);
        }
        QCOMPARE(r[4].icon, MsgIcon::None);
        QCOMPARE(r[0].text, QString("/d/x.tni\nCannot find this file."));
    }

    void reporterDecodesUtf8() {
        MessageBoxReporter rep;
        rep.report(ReportKind::FileError, "/home/zo\xc3\xab/Tagebuch.tni");
        QCOMPARE(MessageBox::recorded().last().text, QString::fromUtf8("/home/zoë/Tagebuch.tni"));
    }

    void reporterWaitCursorNestsAndRestores() {
        MessageBoxReporter rep;
        QVERIFY(!QGuiApplication::overrideCursor());
        rep.beginWait();
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        rep.beginWait();
        {
            WaitScope inner(rep);
            QCOMPARE(rep.waitDepth(), 3);
        }
        rep.endWait();
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        // A box during the wait gets the ordinary pointer, and the wait cursor comes back after.
        rep.report(ReportKind::FileError, "x");
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        rep.endWait();
        QVERIFY(!QGuiApplication::overrideCursor());
        // An unmatched end leaves other cursors alone.
        QGuiApplication::setOverrideCursor(Qt::CrossCursor);
        rep.endWait();
        QVERIFY(QGuiApplication::overrideCursor());
        QGuiApplication::restoreOverrideCursor();
        QCOMPARE(rep.waitDepth(), 0);
    }

    void installMakesItTheGlobalReporter() {
        MessageBoxReporter::install();
        Reporter::global().report(ReportKind::Trace, "via global");
        Reporter::setGlobal(nullptr);
        QCOMPARE(MessageBox::recordedTexts(), QStringList{"via global"});
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_MessageBox.moc"
