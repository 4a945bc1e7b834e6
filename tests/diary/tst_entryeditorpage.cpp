// The text page of the entry sheet on its own: today's planner, the formatting buttons with
// the state at the caret, the font and colour choices written to the settings, the mood picture.

#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "app/ProgramResources.h"
#include "diary/CTavrinPPDiary.h"
#include "diary/PlannerOfDay.h"
#include "platform/ColorChooser.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "platform/WindowMessages.h"
#include "rtf/RtfCodec.h"
#include "storage/LocalTime.h"
#include "storage/TN.h"
#include "ui/ActiveSkin.h"
#include "ui/CColorButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomRichEdit.h"
#include "ui/CustomListDelegate.h"
#include "ui/CustomListModel.h"
#include "ui/SkinLoader.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QTextDocument>

#include <memory>

using namespace tavrin;
using namespace tavrin::diary;
using namespace tavrin::test;

namespace {

std::int64_t at(int y, int m, int d, int h = 0) {
    return LocalTime::toTime({y, m, d, h, 0, 0});
}

void addPlanned(TN& tn, std::int64_t when, const char* text, int priority, bool done) {
    tn.planner.record = PlannerRecord();
    tn.planner.record.setDate(when);
    tn.planner.record.setDescription(text);
    tn.planner.record.setPriority(std::uint8_t(priority));
    tn.planner.record.setDone(done);
    QVERIFY(tn.planner.Add());
}

struct Fixture {
    QString path;
    std::unique_ptr<TN> tn;
    std::unique_ptr<CTavrinPPDiary> page;

    // A page for a new diary `name`, or for the diary at `existing`, its body `body`.
    Fixture(const QString& name, std::int64_t entryTime, const QString& existing = QString(),
            const QByteArray& body = "plain old text") {
        path = existing.isEmpty() ? makeDiary(name, "Secret", 1) : existing;
        auto& s = app::DiaryState::instance();
        s.choose(path, extOffsetOf(path));
        s.setOpen(true);
        tn = std::make_unique<TN>(0, path.toStdString(), extOffsetOf(path));
        tn->ReadConfiguration();
        EntryRecord e;
        e.setDateTime(entryTime);
        e.setMood(-2);
        std::array<QByteArray, CTavrinPPDiary::kSlots> texts;
        texts[0] = body;
        page = std::make_unique<CTavrinPPDiary>(tn->config, e, texts);
    }
    QAbstractButton* button(const char* name) const {
        return page->findChild<QAbstractButton*>(name);
    }
};

QStringList rows(ui::CCustomListCtrl* list) {
    QStringList out;
    for (int r = 0; r < list->rowCount(); ++r)
        out << QString("%1|%2|%3")
                   .arg(list->itemText(r, 0), list->itemText(r, 1), list->isChecked(r) ? "x" : "");
    return out;
}

} // namespace

class TestEntryEditorPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The mood faces come from the skin the build draws.
        const QString build = qEnvironmentVariable("TAVRIN_TEST_BUILD");
        QVERIFY2(!build.isEmpty(), "TAVRIN_TEST_BUILD is not set (run the test through ctest)");
        QVERIFY(SkinLoader(QDir(build).filePath("bin/TNSkins")).load("Corvel Windows"));
    }
    void init() {
        clearSettings();
        platform::MessageBox::clearRecorded();
    }

    void plannerFollowsTheDateAndTicksWriteThrough() {
        const QString path = makeDiary("Planner", "Secret", 1);
        {
            TN tn(0, path.toStdString(), extOffsetOf(path));
            addPlanned(tn, at(2024, 7, 1), "Dentist", 1, false);
            addPlanned(tn, at(2024, 7, 2), "Shopping", 0, false);
            addPlanned(tn, at(2024, 7, 1, 23), "Call mum", 0, true);
            addPlanned(tn, at(2024, 7, 1), "Deleted one", 0, false);
            QVERIFY(tn.planner.Mark(3)); // waits for the purge: not listed
        }
        Fixture f("", at(2024, 7, 1, 10), path);
        ui::CCustomListCtrl* list = f.page->plannerList();
        QCOMPARE(list->columnTitle(0), QString("Planned Items"));
        QCOMPARE(list->columnTitle(1), QString("Priority"));
        QCOMPARE(rows(list), QStringList({"Dentist|Important|", "Call mum|Normal|x"}));
        QCOMPARE(list->itemData(1), qint64(2));

        f.page->dateEdit()->setDate(QDate(2024, 7, 2));
        QCOMPARE(rows(list), QStringList({"Shopping|Normal|"}));
        f.page->dateEdit()->setDate(QDate(2024, 7, 3));
        QCOMPARE(list->rowCount(), 0);
        f.page->dateEdit()->setDate(QDate(2024, 7, 1));

        // Ticking "Dentist" with the mouse writes its done flag at once, and nothing else.
        f.page->resize(800, 500);
        f.page->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.page.get()));
        const QRect cell = list->visualRect(list->listModel()->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          ui::CustomListDelegate::checkBoxRect(cell).center());
        QVERIFY(list->isChecked(0));
        TN tn(0, path.toStdString(), extOffsetOf(path));
        std::vector<PlannerRecord> table;
        QVERIFY(tn.planner.ReadAll(table));
        QCOMPARE(int(table.size()), 4);
        QCOMPARE(int(table[0].done()), 1);
        QCOMPARE(table[0].description(), std::string("Dentist"));
        QCOMPARE(int(table[0].priority()), 1);
        QCOMPARE(table[0].date(), at(2024, 7, 1));
        QCOMPARE(int(table[2].done()), 1);
        // And back.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          ui::CustomListDelegate::checkBoxRect(cell).center());
        QVERIFY(tn.planner.ReadAll(table));
        QCOMPARE(int(table[0].done()), 0);
    }

    void formatButtonsShowTheStateAtTheCaret() {
        Fixture f("Buttons", at(2024, 7, 1, 10));
        f.page->show();
        f.page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.page.get())); // the page's keys need an active window
        ui::CCustomRichEdit* edit = f.page->richEdit();
        edit->setFocus();
        edit->moveCursor(QTextCursor::End);
        QVERIFY(!f.button("boldButton")->isChecked());
        QVERIFY(f.button("alignLeftButton")->isChecked());
        QVERIFY(f.button("spacing1Button")->isChecked());

        QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_I, Qt::ControlModifier);
        QTest::keyClicks(edit, " NEW");
        QVERIFY(f.button("boldButton")->isChecked());
        QVERIFY(f.button("italicButton")->isChecked());
        QVERIFY(!f.button("underlineButton")->isChecked());
        edit->moveCursor(QTextCursor::Start);
        QVERIFY(!f.button("boldButton")->isChecked());
        QVERIFY(!f.button("italicButton")->isChecked());

        // Alignment keys and buttons work on the paragraph; one alignment button at a time.
        QTest::keyClick(edit, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(f.button("alignRightButton")->isChecked());
        QVERIFY(!f.button("alignLeftButton")->isChecked());
        QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(f.button("alignCentreButton")->isChecked());
        QVERIFY(!f.button("alignRightButton")->isChecked());
        QTest::keyClick(edit, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(f.button("alignLeftButton")->isChecked());
        f.button("spacing2Button")->click();
        QVERIFY(f.button("spacing2Button")->isChecked());
        QVERIFY(!f.button("spacing1Button")->isChecked());
        QCOMPARE(edit->textCursor().blockFormat().lineHeight(), 200.0);

        // Superscript and subscript exclude each other.
        f.button("superscriptButton")->click();
        QVERIFY(f.button("superscriptButton")->isChecked());
        f.button("subscriptButton")->click();
        QVERIFY(f.button("subscriptButton")->isChecked());
        QVERIFY(!f.button("superscriptButton")->isChecked());
        f.button("subscriptButton")->click();
        QVERIFY(!f.button("subscriptButton")->isChecked());

        // Clicking a checked button takes the format off again.
        QTest::keyClick(edit, Qt::Key_U, Qt::ControlModifier);
        QVERIFY(f.button("underlineButton")->isChecked());
        f.button("underlineButton")->click();
        QVERIFY(!f.button("underlineButton")->isChecked());
        QVERIFY(!edit->formatAtCaret().underline);
    }

    void fontAndColourChoicesAreRemembered() {
        settings::write(settings::FontSize, 14);
        settings::write(settings::FontColorGreen, 128);
        Fixture f("Fonts", at(2024, 7, 1, 10));
        f.page->show();
        ui::CCustomRichEdit* edit = f.page->richEdit();
        // The body was plain text: it shows in the default font of the settings.
        QCOMPARE(edit->formatAtCaret().pointSize, 14);
        // An empty type text starts in the default format.
        f.page->showSlot(2);
        QCOMPARE(edit->formatAtCaret().color, QColor(0, 128, 0));
        QCOMPARE(edit->formatAtCaret().pointSize, 14);
        QCOMPARE(f.page->findChild<QComboBox*>("fontSize")->currentText(), QString("14"));

        platform::ColorChooser::setNextColor(QColor(200, 10, 20));
        f.button("colourButton")->click();
        QCOMPARE(settings::read(settings::FontColorRed), 200);
        QCOMPARE(settings::read(settings::FontColorGreen), 10);
        QCOMPARE(settings::read(settings::FontColorBlue), 20);
        QCOMPARE(edit->formatAtCaret().color, QColor(200, 10, 20));

        auto* size = f.page->findChild<QComboBox*>("fontSize");
        QCOMPARE(size->itemText(0), QString("8"));
        QCOMPARE(size->itemText(size->count() - 1), QString("98"));
        QCOMPARE(size->count(), 46);
        const int i = size->findText("36");
        size->setCurrentIndex(i);
        emit size->activated(i);
        QCOMPARE(settings::read(settings::FontSize), 36);
        QCOMPARE(edit->formatAtCaret().pointSize, 36);

        auto* face = f.page->findChild<QComboBox*>("fontFace");
        QCOMPARE(face->count(), app::ProgramResources::fontList().size());
        QVERIFY(face->count() > 1);
        const int last = face->count() - 1;
        face->setCurrentIndex(last);
        emit face->activated(last);
        QCOMPARE(settings::read(settings::FontName), face->itemText(last));
        QCOMPARE(edit->formatAtCaret().family, face->itemText(last));
        QTest::keyClicks(edit, "abc");
        // The caret moved away and back: the box shows the face at the caret.
        face->setCurrentIndex(0);
        edit->moveCursor(QTextCursor::Start);
        edit->moveCursor(QTextCursor::End);
        QCOMPARE(face->currentIndex(), last);
        QCOMPARE(f.page->slotDocument(2)->toPlainText(), QString("abc"));
        QCOMPARE(f.page->slotDocument(0)->toPlainText(), QString("plain old text"));
    }

    // Until the user chooses a colour, typed text stores none and is drawn in the field's text
    // colour, so that it reads in every skin; a chosen colour, black too, is stored.
    void textColourIsAutomaticUntilChosen() {
        struct Case {
            const char* name;
            bool choose;
            QColor chosen;
        };
        for (const Case& c :
             {Case{"never chosen", false, QColor()}, Case{"chosen black", true, QColor(Qt::black)},
              Case{"chosen blue", true, QColor(0, 0, 160)}}) {
            clearSettings();
            if (c.choose) {
                settings::write(settings::FontColorRed, c.chosen.red());
                settings::write(settings::FontColorGreen, c.chosen.green());
                settings::write(settings::FontColorBlue, c.chosen.blue());
            }
            Fixture f(c.name, at(2024, 7, 1, 10));
            f.page->show();
            f.page->showSlot(2);
            QTest::keyClicks(f.page->richEdit(), "abc");
            QTextCursor at1(f.page->slotDocument(2));
            at1.setPosition(1);
            const QTextCharFormat typed = at1.charFormat();
            QVERIFY2(typed.hasProperty(QTextFormat::ForegroundBrush) == c.choose, c.name);
            if (c.choose) QCOMPARE(typed.foreground().color(), c.chosen);
            QVERIFY2(RtfCodec::fromDocument(f.page->slotDocument(2)).contains("\\cf1") == c.choose,
                     c.name);
        }
    }

    void colourFaceAndSizeFollowTheCaret() {
        // The user's default is green 12 point; the entry was written red in a serif face at
        // 18 points, then in the text's own colour.
        settings::write(settings::FontColorGreen, 128);
        settings::write(settings::FontSize, 12);
        Fixture f("Red", at(2024, 7, 1, 10), QString(),
                  "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Serif;}{\\f1 DejaVu Sans;}}"
                  "{\\colortbl;\\red255\\green0\\blue0;}"
                  "\\f0\\fs36\\cf1 red words\\cf0\\f1\\fs20  plain\\par}");
        f.page->show();
        auto* colour = f.page->findChild<ui::CColorButton*>("colourButton");
        auto* face = f.page->findChild<QComboBox*>("fontFace");
        auto* size = f.page->findChild<QComboBox*>("fontSize");
        ui::CCustomRichEdit* edit = f.page->richEdit();
        const auto caretAt = [edit](int position) {
            QTextCursor c = edit->textCursor();
            c.setPosition(position);
            edit->setTextCursor(c);
        };
        struct Case {
            int position;
            QColor colour;
            const char* face;
            const char* size;
        };
        const QColor plain = edit->palette().color(QPalette::Text);
        for (const Case& c :
             {Case{0, Qt::red, "DejaVu Serif", "18"}, Case{14, plain, "DejaVu Sans", "10"},
              Case{3, Qt::red, "DejaVu Serif", "18"}}) {
            caretAt(c.position);
            QCOMPARE(colour->color(), c.colour);
            QCOMPARE(face->currentText(), QString(c.face));
            QCOMPARE(size->currentText(), QString(c.size));
        }
        // Moving through the text chose nothing: new texts still start in the default.
        QCOMPARE(settings::read(settings::FontColorRed), 0);
        QCOMPARE(settings::read(settings::FontColorGreen), 128);
        f.page->showSlot(1);
        QCOMPARE(colour->color(), QColor(0, 128, 0));
        QCOMPARE(size->currentText(), QString("12"));
    }

    void moodPictureFollowsTheMoodRow() {
        Fixture f("Mood", at(2024, 7, 1, 10));
        QCOMPARE(f.page->moodRow(), 0);
        QCOMPARE(f.page->shownMood(), -2); // the entry's stored mood
        const auto face = [](int mood) {
            return ui::ActiveSkin::current().picture(QString("face%1.bmp").arg(mood)).toImage();
        };
        QVERIFY(!face(-2).isNull());
        QCOMPARE(f.page->moodPicture()->pixmap().toImage(), face(-2));
        platform::WindowMessages::send(f.page.get(), "TNSNotifySpin", f.page->moodRow(), 3);
        QCOMPARE(f.page->shownMood(), 3);
        QCOMPARE(f.page->moodPicture()->pixmap().toImage(), face(3));
        platform::WindowMessages::send(f.page.get(), "TNSNotifySpin", f.page->moodRow() + 1, -1);
        QCOMPARE(f.page->shownMood(), 3);
    }
};

QTEST_MAIN(TestEntryEditorPage)
#include "tst_entryeditorpage.moc"
