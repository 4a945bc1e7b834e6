// Voice notes in the entry editor and the preview: recording with its running caption, leaving
// the page while recording, a machine without a sound input, and playing a stored note.

#include "DiaryFixture.h"
#include "TestEnvironment.h"
#include "app/DiaryState.h"
#include "diary/CTavrinPPDiary.h"
#include "diary/CTavrinPPViewDiary.h"
#include "diary/CTavrinPSDiary.h"
#include "diary/VoiceNotePanel.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/TempNames.h"
#include "platform/VoicePlayer.h"
#include "platform/VoiceRecorder.h"
#include "storage/TN.h"
#include "storage/WaveFile.h"
#include "ui/CCustomButton.h"
#include "ui/CCustomRichEdit.h"

#include <QComboBox>
#include <QFile>
#include <QTest>

#include <memory>

using namespace tavrin;
using namespace tavrin::diary;
using namespace tavrin::test;
using platform::MessageBox;
using platform::MsgAnswer;

namespace {

// Half a second of a square tone, unsigned 8-bit.
QByteArray tone() {
    QByteArray s(5512, char(128 - 90));
    for (int i = 0; i < s.size(); ++i)
        if (i / 12 % 2) s[i] = char(128 + 90);
    return s;
}

QString useDiary(const QString& name) {
    const QString path = makeDiary(name, "Secret", 1);
    app::DiaryState::instance().choose(path, extOffsetOf(path));
    app::DiaryState::instance().setOpen(true);
    return path;
}

} // namespace

class TestVoiceNote : public QObject {
    Q_OBJECT
private slots:
    void init() {
        MessageBox::clearRecorded();
        platform::VoicePlayer::clearPlayed();
        platform::VoiceRecorder::setTestNoInput(false);
        platform::VoiceRecorder::setTestInput(tone());
        platform::Clock::setFixed(1'700'000'000);
    }
    void cleanup() { platform::Clock::clearFixed(); }

    void theCaptionCountsTheRecordedTime_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("caption");
        QTest::newRow("below a minute") << 5 << "05 seconds";
        QTest::newRow("one minute") << 61 << "1 minute 01 seconds";
        QTest::newRow("two minutes") << 121 << "2 minutes 01 seconds";
    }
    void theCaptionCountsTheRecordedTime() {
        QFETCH(int, seconds);
        QFETCH(QString, caption);
        useDiary(QString("Caption%1").arg(seconds));
        VoiceNotePanel panel{EntryRecord()};
        QVERIFY(!panel.listenButton()->isEnabled());
        QTest::mouseClick(panel.recordButton(), Qt::LeftButton);
        QVERIFY(panel.isRecording());
        QCOMPARE(panel.recordButton()->text(), QString("00 seconds"));
        QVERIFY(!panel.listenButton()->isEnabled() && !panel.clearButton()->isEnabled());
        platform::Clock::advance(seconds);
        panel.tick();
        QCOMPARE(panel.recordButton()->text(), caption);

        // Stopping saves the recording as the "TNV" file and offers Listen and Clear.
        QTest::mouseClick(panel.recordButton(), Qt::LeftButton);
        QCOMPARE(panel.recordButton()->text(), QString(VoiceNotePanel::kRecord));
        QVERIFY(!panel.recordButton()->isEnabled());
        QVERIFY(panel.listenButton()->isEnabled() && panel.clearButton()->isEnabled());
        QCOMPARE(panel.recordedPath(), platform::TempNames::path("TNV"));
        // Plaintext of the diary: in the session's private folder, for its owner only.
        QVERIFY(panel.recordedPath().startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/"));
        QCOMPARE(fileMode(panel.recordedPath()), 0600);
        QFile f(panel.recordedPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().endsWith(tone()));
        f.close();

        QTest::mouseClick(panel.listenButton(), Qt::LeftButton);
        QCOMPARE(platform::VoicePlayer::played().size(), 1);
        QCOMPARE(platform::VoicePlayer::played().at(0).samples, tone().size());
        QCOMPARE(panel.listenButton()->text(), QString(VoiceNotePanel::kListen));

        QTest::mouseClick(panel.clearButton(), Qt::LeftButton);
        QVERIFY(!QFile::exists(panel.recordedPath().isEmpty() ? platform::TempNames::path("TNV")
                                                              : panel.recordedPath()));
        QVERIFY(panel.recordButton()->isEnabled());
        QCOMPARE(panel.note(), VoiceNotePanel::Note::None);
    }

    void leavingThePageWhileRecordingAsksFirst() {
        const QString path = useDiary("Leaving");
        TN tn(0, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.ReadConfiguration());
        CTavrinPSDiary sheet(false, tn.config, EntryRecord(), {});
        sheet.show();
        CTavrinPPDiary& page = *sheet.textPage();
        VoiceNotePanel* voice = page.voicePanel();
        QTest::mouseClick(voice->recordButton(), Qt::LeftButton);

        // Another page, or Discard: No keeps the page and the recording.
        MessageBox::setNextAnswer(MsgAnswer::No);
        QVERIFY(!page.onKillActive());
        MessageBox::setNextAnswer(MsgAnswer::No);
        sheet.reject();
        QVERIFY(sheet.isVisible());
        QVERIFY(voice->isRecording());
        QCOMPARE(MessageBox::recordedTexts(),
                 QStringList({VoiceNotePanel::kStillRecording, VoiceNotePanel::kStillRecording}));

        MessageBox::setNextAnswer(MsgAnswer::Yes);
        QVERIFY(page.onKillActive());
        QVERIFY(!voice->isRecording());
        QCOMPARE(voice->note(), VoiceNotePanel::Note::None);
        QCOMPARE(voice->recordButton()->text(), QString(VoiceNotePanel::kRecord));
        QVERIFY(page.onKillActive()); // nothing to ask any more
        QCOMPARE(MessageBox::recorded().size(), 3);
    }

    void withoutASoundInputTheUserIsToldOnce() {
        useDiary("NoInput");
        platform::VoiceRecorder::setTestNoInput(true);
        VoiceNotePanel panel{EntryRecord()};
        QTest::mouseClick(panel.recordButton(), Qt::LeftButton);
        QCOMPARE(MessageBox::recordedTexts(), QStringList{platform::VoiceRecorder::kNoInput});
        QVERIFY(!panel.isRecording());
        QCOMPARE(panel.recordButton()->text(), QString(VoiceNotePanel::kRecord));
        QVERIFY(panel.recordButton()->isEnabled());
        QVERIFY(!panel.listenButton()->isEnabled());
    }

    void thePreviewPlaysAStoredNoteAndDeletesItsCopy() {
        const QString path = useDiary("Preview");
        const QString rec = scratchDir() + "/recording.wav";
        {
            QFile f(rec);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray s = tone();
            const std::string wave =
                WaveFile::pcm8(std::vector<std::uint8_t>(s.begin(), s.end()), 11025);
            f.write(wave.data(), qint64(wave.size()));
        }
        TN tn(0, path.toStdString(), extOffsetOf(path));
        QVERIFY(tn.ReadEntry(true));
        QVERIFY(tn.ReadConfiguration());
        CTavrinPPViewDiary page;
        page.showEntry(tn);
        QCOMPARE(page.typeChooser()->count(), 6); // no note: no "Voice"

        tn.entry.setVoiceFlag(1);
        tn.voiceSource = rec.toStdString();
        QVERIFY(tn.AddEntrySorted(0));
        QVERIFY(tn.ReadEntry(true));
        page.showEntry(tn);
        QCOMPARE(page.typeChooser()->count(), 7);
        QCOMPARE(page.typeChooser()->itemText(6), QString(CTavrinPPViewDiary::kVoiceItem));
        page.showText(6);
        QVERIFY(!page.playVoiceButton()->isHidden());
        QVERIFY(page.textView()->isHidden());

        QTest::mouseClick(page.playVoiceButton(), Qt::LeftButton);
        QCOMPARE(platform::VoicePlayer::played().size(), 1);
        QCOMPARE(platform::VoicePlayer::played().at(0).path, platform::TempNames::path("TNV"));
        // The whole of the last block plays: the tone and the silence that filled that block.
        const auto played = platform::VoicePlayer::played().at(0).samples;
        QVERIFY(played >= tone().size() && played - tone().size() < 320 && played % 320 == 0);
        QVERIFY(!QFile::exists(platform::TempNames::path("TNV")));
        QCOMPARE(page.playVoiceButton()->text(), QString(CTavrinPPViewDiary::kPlayVoice));

        // Without a sound output: one clear message.
        platform::VoicePlayer::setTestNoOutput(true);
        QTest::mouseClick(page.playVoiceButton(), Qt::LeftButton);
        platform::VoicePlayer::setTestNoOutput(false);
        QCOMPARE(MessageBox::recordedTexts(), QStringList{platform::VoicePlayer::kNoOutput});
        QVERIFY(!QFile::exists(platform::TempNames::path("TNV")));
    }
};

QTEST_MAIN(TestVoiceNote)
#include "tst_voicenote.moc"
