// New, Edit and Save of the entry sheet, driven through the windows as a user would, with the
// results read back from the diary's files.

#include "DiaryFixture.h"
#include "ModalDriver.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "diary/CTavrinPPBody.h"
#include "diary/CTavrinPPDiary.h"
#include "diary/CTavrinPPParams.h"
#include "diary/CTavrinPSDiary.h"
#include "diary/EntryEditor.h"
#include "diary/FibroRatingsWidget.h"
#include "diary/FibroValues.h"
#include "diary/PainMapWidget.h"
#include "platform/Clock.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "rtf/RtfCodec.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomListCtrl.h"
#include "ui/CCustomRichEdit.h"
#include "ui/CustomListModel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimeEdit>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <functional>

using namespace tavrin;
using namespace tavrin::diary;
using namespace tavrin::test;
using platform::MessageBox;

namespace {

const char* const kNewDiaryText =
    "You are creating a new diary and you must specify a password for it. The password is case "
    "SeNsItIvE!";
const char* const kConfigAtSave =
    "Unable to save this entry due to an error in the configuration file!";

void useDiary(const QString& path, bool empty) {
    auto& s = app::DiaryState::instance();
    s.choose(path, extOffsetOf(path));
    s.setEmptyDiary(empty);
    s.setOpen(!empty);
    s.reloadShortcuts();
    s.resetPainKinds();
}

// Every parameter of the configuration switched on.
void enableAllParameters(const QString& path) {
    TN tn(0, path.toStdString(), extOffsetOf(path));
    QVERIFY(tn.ReadConfiguration());
    using M = DiaryConfig::Measure;
    for (M m : {M::Real1, M::Real2, M::Int1, M::Int2})
        tn.config.setMeasureEnabled(m, true);
    for (int k = 0; k < 3; ++k) {
        tn.config.setSpinEnabled(k, true);
        tn.config.setComboEnabled(k, true);
    }
    QVERIFY(tn.WriteConfiguration());
}

QByteArray indexBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qint8 i8At(const QByteArray& b, int off) {
    return qint8(b.at(off));
}
qint32 i32At(const QByteArray& b, int off) {
    return qFromLittleEndian<qint32>(b.constData() + off);
}
float f32At(const QByteArray& b, int off) {
    quint32 u = qFromLittleEndian<quint32>(b.constData() + off);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

// Closes a window that a failed check left open, so that a failure does not hang the test.
struct CloseOnExit {
    QDialog* dialog;
    ~CloseOnExit() {
        if (dialog->isVisible()) dialog->reject();
    }
};

CTavrinPSDiary* sheetOf(QWidget* w) {
    auto* sheet = qobject_cast<CTavrinPSDiary*>(w);
    if (!sheet) qFatal("the modal window is no entry sheet but %s", qPrintable(w->objectName()));
    return sheet;
}

// Presses the left or right square of a spin cell of the parameter list, as the mouse does.
void pressSpin(ui::CCustomListCtrl* list, int row, bool raise) {
    list->selectRow(row);
    const QRect cell = list->visualRect(list->listModel()->index(row, 1));
    const int half = cell.height() / 2;
    const QPoint at(raise ? cell.right() - half : cell.left() + half, cell.center().y());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

int rowOf(CTavrinPPDiary* page, ParameterRow::Kind kind, int which = 0) {
    const auto& rows = page->parameterRows();
    for (int r = 0; r < rows.size(); ++r)
        if (rows[r].kind == kind && rows[r].which == which) return r;
    return -1;
}

} // namespace

class TestEntryEditor : public QObject {
    Q_OBJECT
private slots:
    void init() {
        clearSettings();
        MessageBox::clearRecorded();
        platform::Clock::setFixed(QDateTime(QDate(2024, 7, 1), QTime(9, 30, 5)).toSecsSinceEpoch());
    }
    void cleanup() {
        platform::Clock::clearFixed();
        app::DiaryState::instance().close();
        app::DiaryState::instance().setEmptyDiary(false);
    }

    void withoutDiaryNothingOpens() {
        app::DiaryState::instance().close();
        QVERIFY(!EntryEditor::newEntry(nullptr));
        QVERIFY(!EntryEditor::editEntry(nullptr, 0));
        QCOMPARE(MessageBox::recordedTexts(), QStringList({texts::kNoDiary, texts::kNoDiary}));
    }

    void firstEntryOfNewDiaryChoosesThePassword() {
        const QString path = makeDiary("Fresh", "unused", 0);
        useDiary(path, true);
        whenModal([](QWidget* prompt) {
            type(prompt, "password", "Abc123");
            whenModal([](QWidget* confirm) {
                type(confirm, "confirmPassword", "Abc123");
                type(confirm, "question1", "First pet?");
                type(confirm, "answer1", "Rex");
                type(confirm, "question3", "Town?");
                type(confirm, "answer3", QString::fromUtf8("K\u00f6ln"));
                click(confirm, "confirmButton");
            });
            click(prompt, "okButton");
            whenModal([](QWidget* w) {
                CTavrinPSDiary* sheet = sheetOf(w);
                const CloseOnExit guard{sheet};
                QCOMPARE(sheet->windowTitle(), QString("Create a new entry"));
                QCOMPARE(sheet->okButton()->text(), QString("Save"));
                QCOMPARE(sheet->cancelButton()->text(), QString("Discard"));
                // F1 opens the same help as the Help button, wherever the focus is.
                platform::Help::clearRecorded();
                QVERIFY(QTest::qWaitForWindowActive(sheet));
                QTest::keyClick(sheet->textPage()->richEdit(), Qt::Key_F1);
                QTest::keyClick(sheet->textPage()->descriptionEdit(), Qt::Key_F1);
                click(sheet, "helpButton");
                const QStringList opened = platform::Help::topicsOpened();
                QCOMPARE(opened.size(), 3);
                QCOMPARE(opened.count(opened.last()), 3);
                // Now, from the clock.
                QCOMPARE(sheet->textPage()->dateEdit()->date(), QDate(2024, 7, 1));
                QCOMPARE(sheet->textPage()->timeEdit()->time(), QTime(9, 30, 5));
                sheet->textPage()->descriptionEdit()->setText("The very first");
                click(sheet, "okButton");
            });
        });
        QVERIFY(EntryEditor::newEntry(nullptr));

        QCOMPARE(MessageBox::recordedTexts(), QStringList{kNewDiaryText});
        QCOMPARE(MessageBox::recorded().first().icon, platform::MsgIcon::Information);
        auto& s = app::DiaryState::instance();
        QVERIFY(!s.isEmptyDiary());
        QVERIFY(s.isOpen());
        // Its password accepted, the diary is reopened at the next start like an opened one.
        QCOMPARE(settings::read(settings::DiaryFile), path);
        QCOMPARE(settings::read(settings::ExtLoc), extOffsetOf(path));

        TN tn(0, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.FirstEntry(true));
        QCOMPARE(tn.entryCount, 1);
        QCOMPARE(tn.entry.password(), std::string("Abc123"));
        QCOMPARE(tn.entry.question(0), std::string("First pet?"));
        QCOMPARE(tn.entry.answer(0), std::string("Rex"));
        QCOMPARE(tn.entry.question(1), std::string());
        QCOMPARE(tn.entry.question(2), std::string("Town?"));
        QCOMPARE(tn.entry.answer(2), std::string("K\xF6ln")); // Windows-1252 in the record
        QCOMPARE(tn.entry.description(), std::string("The very first"));
        QCOMPARE(tn.entry.dateTime(), platform::Clock::now());
        // On disk the password is scrambled with its key, and its length is in front.
        const QByteArray raw = indexBytes(path);
        QCOMPARE(raw.size(), 420);
        QCOMPARE(i32At(raw, 0), 6);
        QCOMPARE(quint8(raw.at(4)), quint8('A' ^ 0x3B));
        QCOMPARE(quint8(raw.at(36)), quint8(10)); // question 1's length byte
    }

    // Pressed New by mistake: Cancel, Escape or the close button of the password prompt
    // abandon the first entry of a new diary, and nothing of the diary is written.
    void firstEntryPromptCanBeAbandoned() {
        const std::function<void(QWidget*)> ways[] = {
            [](QWidget* w) { click(w, "cancelButton"); },
            [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); },
            [](QWidget* w) { w->close(); },
        };
        for (const auto& leave : ways) {
            const QString path = makeDiary(QString("Abandon%1").arg(&leave - ways), "unused", 0);
            useDiary(path, true);
            // The index file and everything in the diary's folder, with sizes and times.
            auto files = [&path] {
                QStringList paths{path}, out;
                QDirIterator it(path.chopped(4), QDir::Files, QDirIterator::Subdirectories);
                while (it.hasNext())
                    paths << it.next();
                for (const QString& p : paths)
                    out << QString("%1 %2 %3")
                               .arg(p)
                               .arg(QFileInfo(p).size())
                               .arg(QFileInfo(p).lastModified().toMSecsSinceEpoch());
                out.sort();
                return out;
            };
            const QStringList before = files();
            MessageBox::clearRecorded();
            whenModal([&leave](QWidget* prompt) {
                QVERIFY(prompt->findChild<QAbstractButton*>("cancelButton")->isEnabled());
                type(prompt, "password", "typed but left");
                leave(prompt); // a sheet shown after this would hang the test
            });
            QVERIFY(!EntryEditor::newEntry(nullptr));
            QCOMPARE(MessageBox::recordedTexts(), QStringList{kNewDiaryText});
            QCOMPARE(files(), before);
            QCOMPARE(indexBytes(path).size(), 0);
            QVERIFY(app::DiaryState::instance().isEmptyDiary());
        }
    }

    // "Discard" and the window's close button ask before a changed entry is thrown away: No
    // returns to the sheet, Yes discards. An untouched sheet closes at once.
    void discardAsksWhenTheEntryChanged() {
        const QString path = makeDiary("Discard", "Secret", 1);
        useDiary(path, false);
        const struct {
            bool changes;
            std::function<void(CTavrinPSDiary*)> change;
        } cases[] = {
            {false, [](CTavrinPSDiary*) {}},
            {false, // only looked at
             [](CTavrinPSDiary* s) {
                 s->textPage()->slotChooser()->setCurrentIndex(3);
                 s->setActivePage(2);
             }},
            {true,
             [](CTavrinPSDiary* s) { QTest::keyClicks(s->textPage()->descriptionEdit(), "x"); }},
            {true, [](CTavrinPSDiary* s) { QTest::keyClicks(s->textPage()->richEdit(), "Dear"); }},
            {true, [](CTavrinPSDiary* s) { s->textPage()->timeEdit()->setTime(QTime(9, 31)); }},
            {true,
             [](CTavrinPSDiary* s) {
                 pressSpin(s->textPage()->parameterList(), rowOf(s->textPage(), ParameterRow::Mood),
                           true);
             }},
            {true,
             [](CTavrinPSDiary* s) { s->bodyPage()->painMap()->chooser(4)->setCurrentIndex(2); }},
            {true, [](CTavrinPSDiary* s) { s->paramsPage()->ratings()->button(3, 4)->click(); }},
            {true,
             [](CTavrinPSDiary* s) {
                 s->paramsPage()->ratings()->field(FibroValues::BodyTemperature)->setText("37");
             }},
        };
        for (const auto& c : cases) {
            for (const bool byCloseButton : {false, true}) {
                MessageBox::clearRecorded();
                bool stayed = false;
                whenModal([&](QWidget* w) {
                    CTavrinPSDiary* sheet = sheetOf(w);
                    const CloseOnExit guard{sheet};
                    c.change(sheet);
                    auto leave = [&] {
                        byCloseButton ? void(sheet->close()) : click(sheet, "cancelButton");
                    };
                    leave(); // an unscripted question is answered No
                    stayed = sheet->isVisible();
                    if (!stayed) return;
                    MessageBox::setNextAnswer(platform::MsgAnswer::Yes);
                    leave();
                });
                QVERIFY(!EntryEditor::newEntry(nullptr));
                const QString what =
                    QString("case %1%2").arg(&c - cases).arg(byCloseButton ? " (close)" : "");
                QVERIFY2(stayed == c.changes, qPrintable(what));
                const QStringList asked =
                    c.changes ? QStringList(2, CTavrinPSDiary::kDiscardQuestion) : QStringList();
                QVERIFY2(MessageBox::recordedTexts() == asked, qPrintable(what));
                QCOMPARE(indexBytes(path).size(), 420); // nothing saved
            }
        }
    }

    // What the user types into the sheet: the date section by section, a measurement shown
    // with two decimals at once, and the word count of the text shown.
    void typingIntoTheSheet() {
        const QString path = makeDiary("Typing", "Secret", 1);
        enableAllParameters(path);
        useDiary(path, false);
        whenModal([](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            CTavrinPPDiary* text = sheet->textPage();
            auto* line = text->dateEdit()->findChild<QLineEdit*>();
            QCOMPARE(line->text(), QString("01 - Jul - 2024, Mon"));
            QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(4, line->height() / 2));
            QTest::keyClicks(line, "15mar1987");
            QCOMPARE(line->text(), QString("15 - Mar - 1987, Sun"));

            ui::CCustomListCtrl* list = text->parameterList();
            const int temperature = rowOf(text, ParameterRow::Real, 0);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->listModel()->index(temperature, 1)).center());
            QVERIFY(list->activeEditor()); // one click edits the cell
            QTest::keyClicks(list->activeEditor(), "37.2\r");
            QCOMPARE(list->itemText(temperature, 1), QString("37.20"));

            auto* words = sheet->findChild<QLabel*>("wordCount");
            QCOMPARE(words->text(), QString("0 words"));
            text->richEdit()->insertPlainText(
                QString::fromUtf8("Dear diary, it's a well-known fact \u2014 "));
            QCOMPARE(words->text(), QString("6 words"));
            text->slotChooser()->setCurrentIndex(1);
            QTest::keyClicks(text->richEdit(), "one");
            QCOMPARE(words->text(), QString("1 word"));
            text->slotChooser()->setCurrentIndex(0);
            QCOMPARE(words->text(), QString("6 words"));
            click(sheet, "okButton");
        });
        QVERIFY(EntryEditor::newEntry(nullptr));
        TN tn(0, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.ReadEntry(true)); // 1987 sorts first
        QCOMPARE(tn.entry.dateTime(),
                 QDateTime(QDate(1987, 3, 15), QTime(9, 30, 5)).toSecsSinceEpoch());
        QCOMPARE(tn.entry.real1(), 37.2f);
    }

    void nextEntryTakesTheDiarysPassword() {
        const QString path = makeDiary("Second", "Secret", 1, "Pet?", "Rex");
        useDiary(path, false);
        whenModal([](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            click(sheet, "okButton");
        });
        QVERIFY(EntryEditor::newEntry(nullptr));
        QVERIFY(MessageBox::recorded().isEmpty()); // no password asked
        TN tn(1, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.ReadEntry(true));
        QCOMPARE(tn.entryCount, 2);
        QCOMPARE(tn.entry.password(), std::string("Secret"));
        QCOMPARE(tn.entry.question(0), std::string("Pet?"));
        QCOMPARE(tn.entry.answer(0), std::string("Rex"));
        // A new entry saved untouched: no pain, no rating chosen, no voice note.
        for (int a = 0; a < 18; ++a)
            QCOMPARE(int(tn.entry.pain(a)), 0);
        for (const FibroRating& r : FibroScale::ratings())
            QCOMPARE(int(tn.entry.fibro(r.field)), -1);
        QCOMPARE(int(tn.entry.voiceFlag()), 0);
        QCOMPARE(tn.entry.voiceOffset(), 0u);
    }

    // Every field of the three pages lands at its byte in the index record.
    void everyParameterAtItsOffset() {
        const QString path = makeDiary("Bytes", "Secret", 2);
        enableAllParameters(path);
        useDiary(path, false);
        bool refusedOnce = false;
        whenModal([&refusedOnce](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            CTavrinPPDiary* text = sheet->textPage();
            ui::CCustomListCtrl* list = text->parameterList();
            QCOMPARE(list->rowCount(), 17);
            QCOMPARE(list->itemText(0, 0), QString("Mood"));
            QCOMPARE(list->itemText(0, 1), QString("Neutral"));
            QCOMPARE(text->shownMood(), 0);

            text->dateEdit()->setDate(QDate(2024, 7, 2));
            text->timeEdit()->setTime(QTime(14, 15, 16));
            text->descriptionEdit()->setText("Bytes test");

            const int mood = rowOf(text, ParameterRow::Mood);
            pressSpin(list, mood, true);
            pressSpin(list, mood, true);
            QCOMPARE(list->itemText(mood, 1), QString("Very Good"));
            QCOMPARE(text->shownMood(), 2); // the picture follows the mood row
            const int dream = rowOf(text, ParameterRow::Scale, 0);
            for (int i = 0; i < 3; ++i)
                pressSpin(list, dream, false); // stops at -2
            pressSpin(list, rowOf(text, ParameterRow::Scale, 1), false);
            const int shape = rowOf(text, ParameterRow::Scale, 2);
            for (int i = 0; i < 3; ++i)
                pressSpin(list, shape, false);
            pressSpin(list, rowOf(text, ParameterRow::Spin, 0), true);
            pressSpin(list, rowOf(text, ParameterRow::Spin, 1), false);
            QCOMPARE(text->shownMood(), 2); // other spins leave the picture alone

            // List and text cells as their in-place editors leave them.
            list->setListCell(rowOf(text, ParameterRow::Check, 0), 1, {"NO", "YES"}, 1);
            list->setListCell(rowOf(text, ParameterRow::Check, 1), 1, {"NO", "YES"}, 1);
            const int weather = rowOf(text, ParameterRow::Weather);
            list->setListCell(weather, 1, text->parameterRows()[weather].names, 3);
            for (int k = 0; k < 3; ++k) {
                const int r = rowOf(text, ParameterRow::Combo, k);
                list->setListCell(r, 1, text->parameterRows()[r].names, 1 + 2 * k);
            }
            list->setItemText(rowOf(text, ParameterRow::Real, 0), 1, "36.6");
            list->setItemText(rowOf(text, ParameterRow::Real, 1), 1, "-1.25");
            list->setItemText(rowOf(text, ParameterRow::Integer, 0), 1, "72");
            list->setItemText(rowOf(text, ParameterRow::Integer, 1), 1, "-5");

            PainMapWidget* map = sheet->bodyPage()->painMap();
            map->chooser(0)->setCurrentIndex(6);
            map->chooser(9)->setCurrentIndex(2);
            map->chooser(10)->setCurrentIndex(3);
            map->chooser(17)->setCurrentIndex(5);

            QVERIFY(sheet->setActivePage(2));
            FibroRatingsWidget* fibro = sheet->paramsPage()->ratings();
            const int ibs = 11, happiness = 17;
            fibro->button(ibs, 9)->click();       // "10"
            fibro->button(happiness, 0)->click(); // "1"
            fibro->field(FibroValues::BodyTemperature)->setText("37.5");
            fibro->field(FibroValues::OutdoorTemperature)->setText("-3.25");
            fibro->field(FibroValues::IndoorTemperature)->setText("21");
            fibro->field(FibroValues::OutdoorHumidity)->setText("100");
            fibro->field(FibroValues::IndoorHumidity)->setText("101");
            click(sheet, "okButton");
            // Refused: the message, and the sheet stays on the page.
            QVERIFY(sheet->isVisible());
            QCOMPARE(sheet->activeIndex(), 2);
            QCOMPARE(MessageBox::recordedTexts(), QStringList{FibroValues::rangeMessage()});
            QVERIFY(!sheet->setActivePage(0)); // leaving is refused as well
            refusedOnce = true;
            fibro->field(FibroValues::IndoorHumidity)->setText("55");
            click(sheet, "okButton");
        });
        QVERIFY(EntryEditor::newEntry(nullptr));
        QVERIFY(refusedOnce);

        const QByteArray raw = indexBytes(path);
        QCOMPARE(raw.size(), 3 * 420);
        const QByteArray e = raw.mid(2 * 420, 420); // the latest entry sorts last
        QCOMPARE(qFromLittleEndian<qint64>(e.constData() + 224),
                 QDateTime(QDate(2024, 7, 2), QTime(14, 15, 16)).toSecsSinceEpoch());
        QCOMPARE(QByteArray(e.constData() + 232), QByteArray("Bytes test"));
        QCOMPARE(i8At(e, 262), qint8(2));  // mood
        QCOMPARE(i8At(e, 263), qint8(-1)); // fatigue
        QCOMPARE(i8At(e, 264), qint8(-3)); // shape
        QCOMPARE(i8At(e, 265), qint8(1));  // menstruation
        QCOMPARE(i8At(e, 266), qint8(1));  // copulation
        QCOMPARE(f32At(e, 268), 36.6f);
        QCOMPARE(f32At(e, 272), -1.25f);
        QCOMPARE(i32At(e, 276), 72);
        QCOMPARE(i32At(e, 280), -5);
        QCOMPARE(i8At(e, 284), qint8(-2)); // dream
        QCOMPARE(i8At(e, 285), qint8(3));  // weather
        QCOMPARE(i8At(e, 286), qint8(1));  // spins
        QCOMPARE(i8At(e, 287), qint8(-1));
        QCOMPARE(i8At(e, 288), qint8(0));
        QCOMPARE(i8At(e, 289), qint8(1)); // combos
        QCOMPARE(i8At(e, 290), qint8(3));
        QCOMPARE(i8At(e, 291), qint8(5));
        QCOMPARE(i8At(e, 292), qint8(6)); // back, first area: "Pinning"
        QCOMPARE(i8At(e, 301), qint8(2));
        QCOMPARE(i8At(e, 302), qint8(3)); // front, first area
        QCOMPARE(i8At(e, 309), qint8(5));
        for (int off : {293, 300, 303, 308})
            QCOMPARE(i8At(e, off), qint8(0));
        QCOMPARE(i8At(e, 327), qint8(9));  // "10" for IBS
        QCOMPARE(i8At(e, 333), qint8(0));  // "1" for happiness
        QCOMPARE(i8At(e, 312), qint8(-1)); // not chosen
        QCOMPARE(i8At(e, 356), qint8(-1));
        QCOMPARE(f32At(e, 320), 37.5f);
        QCOMPARE(f32At(e, 336), -3.25f);
        QCOMPARE(f32At(e, 340), 21.0f);
        QCOMPARE(i32At(e, 348), 100);
        QCOMPARE(i32At(e, 352), 55);
        QCOMPARE(quint8(e.at(408)), quint8(0)); // no voice note
    }

    void measurementThatIsNoNumberKeepsTheSheetOpen() {
        const QString path = makeDiary("Measure", "Secret", 1);
        useDiary(path, false);
        whenModal([](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            CTavrinPPDiary* text = sheet->textPage();
            const int r = rowOf(text, ParameterRow::Real, 0);
            text->parameterList()->setItemText(r, 1, "3.4.5");
            QVERIFY(sheet->setActivePage(1));
            click(sheet, "okButton");
            QVERIFY(sheet->isVisible());
            QCOMPARE(sheet->activeIndex(), 0);
            QCOMPARE(MessageBox::recordedTexts(), QStringList{"Please enter a number."});
            text->parameterList()->setItemText(r, 1, "3.5");
            click(sheet, "okButton");
        });
        QVERIFY(EntryEditor::newEntry(nullptr));
        TN tn(1, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.ReadEntry(true));
        QCOMPARE(tn.entry.real1(), 3.5f);
    }

    void editReplacesTheEntryAndKeepsItsVoiceNote() {
        const QString path = makeDiary("Edit", "Secret", 3);
        // Entry 2 has a stored voice note.
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QByteArray raw = f.readAll();
            raw[420 + 408] = 1;
            qToLittleEndian<quint32>(4096, raw.data() + 420 + 412);
            qToLittleEndian<quint32>(1300, raw.data() + 420 + 416);
            f.seek(0);
            f.write(raw);
        }
        useDiary(path, false);
        whenModal([](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            QCOMPARE(sheet->windowTitle(), QString("Edit an entry"));
            CTavrinPPDiary* text = sheet->textPage();
            QCOMPARE(text->descriptionEdit()->text(), QString("Entry 2"));
            QCOMPARE(text->slotDocument(0)->toPlainText(), QString("Text of entry 2"));
            text->descriptionEdit()->setText("Edited");
            text->richEdit()->moveCursor(QTextCursor::End);
            text->richEdit()->insertPlainText(", and more");
            click(sheet, "okButton");
        });
        QVERIFY(EntryEditor::editEntry(nullptr, 1));

        TN tn(0, path.toStdString(), extOffsetOf(path));
        std::vector<EntryRecord> all;
        QVERIFY(tn.ReadAllIndexRecords(all));
        QCOMPARE(int(all.size()), 3); // replaced, not added
        QCOMPARE(all[0].description(), std::string("Entry 1"));
        QCOMPARE(all[1].description(), std::string("Edited"));
        QCOMPARE(all[2].description(), std::string("Entry 3"));
        QCOMPARE(all[1].dateTime(), std::int64_t(1'700'000'000 + 86400));
        QCOMPARE(int(all[1].voiceFlag()), 1);
        QCOMPARE(all[1].voiceOffset(), 4096u);
        QCOMPARE(all[1].voiceLength(), 1300u);
        QCOMPARE(all[1].password(), std::string("Secret"));
        TN one(1, path.toStdString(), extOffsetOf(path));
        QVERIFY(one.ReadEntry(true));
        QCOMPARE(RtfCodec::plainText(QByteArray::fromStdString(one.body)),
                 QString("Text of entry 2, and more"));
    }

    // Parameters the configuration hides have no row on the page; editing the entry must not
    // wipe what they hold (they show again once switched back on). A measurement shown with
    // two decimals keeps its stored value when it was not touched.
    void editKeepsWhatThePageDidNotChange() {
        const QString path = makeDiary("Hidden", "Secret", 0);
        {
            TN tn(0, path.toStdString(), extOffsetOf(path));
            QVERIFY(tn.ReadConfiguration());
            tn.config.setWeatherEnabled(false);
            tn.config.setScaleEnabled(DiaryConfig::Scale::Dream, false);
            tn.config.setCheckEnabled(1, false);
            tn.config.setMeasureEnabled(DiaryConfig::Measure::Int1, false);
            for (int k = 0; k < 3; ++k) {
                tn.config.setSpinEnabled(k, false);
                tn.config.setComboEnabled(k, false);
            }
            QVERIFY(tn.WriteConfiguration());
            tn.entry.clear();
            tn.entry.setPassword("Secret");
            tn.entry.setDateTime(1'700'000'000);
            tn.entry.setDescription("Before");
            tn.entry.setMood(-2);
            tn.entry.setWeather(4);
            tn.entry.setDream(2);
            tn.entry.setCopulation(1);
            tn.entry.setInt1(71);
            tn.entry.setReal1(36.666f);
            tn.entry.setReal2(2.5f);
            tn.entry.setInt2(-7);
            for (int k = 0; k < 3; ++k) {
                tn.entry.setSpin(k, std::int8_t(k - 1));
                tn.entry.setCombo(k, std::int8_t(2 * k + 1));
            }
            tn.body = "Text";
            QVERIFY(tn.AddEntry());
        }
        useDiary(path, false);
        whenModal([](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            CTavrinPPDiary* text = sheet->textPage();
            QCOMPARE(rowOf(text, ParameterRow::Weather), -1);
            QCOMPARE(rowOf(text, ParameterRow::Scale, 0), -1);
            text->descriptionEdit()->setText("After");
            click(sheet, "okButton");
        });
        QVERIFY(EntryEditor::editEntry(nullptr, 0));

        TN tn(0, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.ReadEntry(true));
        QCOMPARE(tn.entryCount, 1);
        const EntryRecord& e = tn.entry;
        QCOMPARE(e.description(), std::string("After"));
        QCOMPARE(int(e.mood()), -2); // shown, untouched
        QCOMPARE(int(e.weather()), 4);
        QCOMPARE(int(e.dream()), 2);
        QCOMPARE(int(e.copulation()), 1);
        QCOMPARE(e.int1(), 71);
        QCOMPARE(e.real1(), 36.666f); // shown as "36.67"
        QCOMPARE(e.real2(), 2.5f);
        QCOMPARE(e.int2(), -7);
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(int(e.spin(k)), k - 1);
            QCOMPARE(int(e.combo(k)), 2 * k + 1);
        }
    }

    void emptyTypeTextsAreStoredEmpty() {
        const QString path = makeDiary("Types", "Secret", 1);
        useDiary(path, false);
        whenModal([](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            CTavrinPPDiary* text = sheet->textPage();
            QCOMPARE(text->slotChooser()->count(), 6);
            QCOMPARE(text->slotChooser()->itemText(0), QString("Diary"));
            QCOMPARE(text->slotChooser()->itemText(3), QString("3 - Journal"));
            text->richEdit()->insertPlainText("Body words");
            text->slotChooser()->setCurrentIndex(3);
            QCOMPARE(text->richEdit()->toPlainText(), QString());
            text->richEdit()->insertPlainText("Journal words");
            text->slotChooser()->setCurrentIndex(4);
            text->richEdit()->insertPlainText("gone again");
            text->richEdit()->selectAll();
            text->richEdit()->textCursor().removeSelectedText();
            text->slotChooser()->setCurrentIndex(0);
            QCOMPARE(text->richEdit()->toPlainText(), QString("Body words"));
            click(sheet, "okButton");
        });
        QVERIFY(EntryEditor::newEntry(nullptr));
        TN tn(1, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.ReadEntry(true));
        QCOMPARE(RtfCodec::plainText(QByteArray::fromStdString(tn.body)), QString("Body words"));
        for (int i : {0, 1, 3, 4}) {
            QCOMPARE(tn.entry.typeLength(i), 0u);
            QVERIFY(tn.typeText[std::size_t(i)].empty());
        }
        QVERIFY(RtfCodec::isRtf(QByteArray::fromStdString(tn.typeText[2])));
        QCOMPARE(RtfCodec::plainText(QByteArray::fromStdString(tn.typeText[2])),
                 QString("Journal words"));
    }

    // What the formatting commands did survives the save and shows again when editing.
    void formattedBodyRoundTrip() {
        const QString path = makeDiary("Formats", "Secret", 1);
        useDiary(path, false);
        whenModal([](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            ui::CCustomRichEdit* edit = sheet->textPage()->richEdit();
            edit->setFocus();
            edit->insertPlainText("plain ");
            click(sheet, "boldButton");
            edit->insertPlainText("bold");
            click(sheet, "boldButton");
            click(sheet, "superscriptButton");
            edit->insertPlainText("2");
            click(sheet, "alignCentreButton");
            click(sheet, "spacing15Button");
            click(sheet, "okButton");
        });
        QVERIFY(EntryEditor::newEntry(nullptr));
        TN tn(1, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.ReadEntry(true));
        QTextDocument doc;
        RtfCodec::toDocument(QByteArray::fromStdString(tn.body), &doc);
        QCOMPARE(doc.toPlainText(), QString("plain bold2"));
        const QTextBlock block = doc.begin();
        QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(qRound(block.blockFormat().lineHeight()), 150);
        QStringList runs;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            runs << QString("%1:%2%3")
                        .arg(f.text())
                        .arg(f.charFormat().fontWeight() >= QFont::Bold ? "b" : "")
                        .arg(f.charFormat().verticalAlignment() == QTextCharFormat::AlignSuperScript
                                 ? "^"
                                 : "");
        }
        QCOMPARE(runs, QStringList({"plain :", "bold:b", "2:^"}));

        // Editing it again: the buttons show the format at the caret.
        whenModal([](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            ui::CCustomRichEdit* edit = sheet->textPage()->richEdit();
            QTextCursor c = edit->textCursor();
            c.setPosition(8); // inside "bold"
            edit->setTextCursor(c);
            QVERIFY(sheet->findChild<QAbstractButton*>("boldButton")->isChecked());
            QVERIFY(sheet->findChild<QAbstractButton*>("alignCentreButton")->isChecked());
            QVERIFY(!sheet->findChild<QAbstractButton*>("alignLeftButton")->isChecked());
            QVERIFY(sheet->findChild<QAbstractButton*>("spacing15Button")->isChecked());
            c.setPosition(3);
            edit->setTextCursor(c);
            QVERIFY(!sheet->findChild<QAbstractButton*>("boldButton")->isChecked());
            click(sheet, "cancelButton");
        });
        QVERIFY(!EntryEditor::editEntry(nullptr, 1)); // discarded
    }

    void unreadableConfigurationSavesNothing() {
        const QString path = makeDiary("Config", "Secret", 1);
        useDiary(path, false);
        const QString config =
            QString::fromStdString(DiaryFileSet(path.toStdString()).path(DiaryFileSet::kConfig));
        whenModal([config](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            sheet->textPage()->richEdit()->insertPlainText("Words worth keeping");
            // The configuration turns unreadable while the sheet is open.
            QVERIFY(QFile::remove(config));
            QVERIFY(QDir().mkdir(config));
            click(sheet, "okButton");
            QVERIFY(MessageBox::recordedTexts().contains(kConfigAtSave));
            // The text is not lost: the sheet is still there.
            QVERIFY(sheet->isVisible());
            QCOMPARE(sheet->textPage()->richEdit()->toPlainText(), QString("Words worth keeping"));
            MessageBox::setNextAnswer(platform::MsgAnswer::Yes);
            click(sheet, "cancelButton");
        });
        QVERIFY(!EntryEditor::newEntry(nullptr));
        QVERIFY(QDir().rmdir(config));
        QCOMPARE(indexBytes(path).size(), 420);
        const auto& rec = MessageBox::recorded();
        const auto it = std::find_if(rec.begin(), rec.end(),
                                     [](const auto& r) { return r.text == kConfigAtSave; });
        QCOMPARE(it->icon, platform::MsgIcon::Warning);
        QCOMPARE(it->caption, QString("Tavelle Suite v3.10"));
    }

    void textShortcutsPasteIntoTheFocusedField() {
        const QString path = makeDiary("Shortcuts", "Secret", 1);
        useDiary(path, false);
        whenModal([](QWidget* w) {
            CTavrinPSDiary* sheet = sheetOf(w);
            const CloseOnExit guard{sheet};
            sheet->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(sheet)); // shortcuts need an active window
            QLineEdit* description = sheet->textPage()->descriptionEdit();
            description->setFocus();
            QTest::keyClick(description, Qt::Key_2, Qt::AltModifier);
            QCOMPARE(description->text(), QString("text for hotkey2"));
            ui::CCustomRichEdit* edit = sheet->textPage()->richEdit();
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_5, Qt::AltModifier);
            QCOMPARE(edit->toPlainText(), QString("text for hotkey5"));
            // Escape does not throw the entry away.
            QTest::keyClick(edit, Qt::Key_Escape);
            QVERIFY(sheet->isVisible());
            MessageBox::setNextAnswer(platform::MsgAnswer::Yes);
            click(sheet, "cancelButton");
        });
        QVERIFY(!EntryEditor::newEntry(nullptr));
    }
};

QTEST_MAIN(TestEntryEditor)
#include "tst_entryeditor.moc"
