#include "diary/VoiceNotePanel.h"

#include "app/DiaryState.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/TempNames.h"
#include "platform/VoicePlayer.h"
#include "platform/VoiceRecorder.h"
#include "storage/TN.h"
#include "ui/CCustomButton.h"

#include <QFile>
#include <QGridLayout>
#include <QTimer>

namespace tavrin::diary {

VoiceNotePanel::VoiceNotePanel(const EntryRecord& entry, QWidget* parent)
    : QWidget(parent), stored_(entry),
      initialNote_(entry.voiceFlag() == 1 ? Note::Stored : Note::None), note_(initialNote_),
      recorder_(new platform::VoiceRecorder(this)), timer_(new QTimer(this)),
      record_(new ui::CCustomButton(kRecord, this)), listen_(new ui::CCustomButton(kListen, this)),
      clear_(new ui::CCustomButton(kClear, this)) {
    setObjectName("voicePanel");
    record_->setObjectName("voiceRecordButton");
    listen_->setObjectName("voiceListenButton");
    clear_->setObjectName("voiceClearButton");
    // The longest caption fits: "10 minutes 00 seconds".
    record_->setMinimumWidth(record_->fontMetrics().horizontalAdvance("00 minutes 00 seconds") +
                             20);
    for (auto* b : {record_, listen_, clear_})
        b->setAutoDefault(false);
    // Under the page's lists and as wide as they are: the record button above the other two.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(record_, 0, 0, 1, 2);
    grid->addWidget(listen_, 1, 0);
    grid->addWidget(clear_, 1, 1);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &VoiceNotePanel::tick);
    connect(record_, &QAbstractButton::clicked, this, &VoiceNotePanel::toggleRecording);
    connect(listen_, &QAbstractButton::clicked, this, &VoiceNotePanel::listen);
    connect(clear_, &QAbstractButton::clicked, this, &VoiceNotePanel::clear);
    updateButtons();
}

VoiceNotePanel::~VoiceNotePanel() {
    // A recording that was not saved with the entry is not kept (a saved one is gone already).
    recorder_->abort();
    if (!recorded_.isEmpty()) QFile::remove(recorded_);
}

QString VoiceNotePanel::elapsedCaption(std::int64_t seconds) {
    seconds = std::max<std::int64_t>(0, seconds);
    const int minutes = int(seconds / 60), rest = int(seconds % 60);
    if (minutes == 0) return QString::asprintf("%02d seconds", rest);
    return QString::asprintf("%d minute%s %02d seconds", minutes, minutes > 1 ? "s" : "", rest);
}

bool VoiceNotePanel::isRecording() const {
    return recorder_->isRecording();
}

void VoiceNotePanel::storeInto(EntryRecord& e, std::string& source, bool& alreadyStored) const {
    source.clear();
    alreadyStored = false;
    e.setVoiceFlag(note_ == Note::None ? 0 : 1);
    e.setVoice(0, 0);
    if (note_ == Note::Stored) {
        e.setVoice(stored_.voiceOffset(), stored_.voiceLength());
        alreadyStored = true;
    } else if (note_ == Note::Recorded) {
        source = recorded_.toStdString();
    }
}

void VoiceNotePanel::toggleRecording() {
    if (!isRecording()) {
        if (!recorder_->start(this)) return; // the user was told; nothing changed
        startedAt_ = platform::Clock::now();
        record_->setText(elapsedCaption(0));
        timer_->start();
        updateButtons();
        return;
    }
    timer_->stop();
    const QString path = platform::TempNames::fresh("TNV", this);
    const bool saved = !path.isEmpty() && recorder_->stop(path, this);
    if (path.isEmpty()) recorder_->abort(); // nowhere private to keep it: the user was told
    record_->setText(kRecord);
    if (saved) {
        recorded_ = path;
        note_ = Note::Recorded;
    }
    updateButtons();
}

void VoiceNotePanel::tick() {
    if (isRecording()) record_->setText(elapsedCaption(platform::Clock::now() - startedAt_));
}

void VoiceNotePanel::listen() {
    if (note_ == Note::None || isRecording() || !platform::VoicePlayer::canPlay(this)) return;
    QString path = recorded_;
    bool extracted = false;
    if (note_ == Note::Stored) {
        auto tn = app::DiaryState::instance().makeTN();
        tn->entry = stored_;
        path = platform::TempNames::fresh("TNV", this);
        if (path.isEmpty() || !tn->ExtractVoice(QFile::encodeName(path).toStdString()))
            return; // told
        extracted = true;
    }
    listen_->setText(kPlaying);
    listen_->repaint();
    platform::VoicePlayer::playSync(path, this);
    listen_->setText(kListen);
    if (extracted) QFile::remove(path);
}

void VoiceNotePanel::clear() {
    if (note_ == Note::None || isRecording()) return;
    discardRecording();
    note_ = Note::None;
    updateButtons();
}

bool VoiceNotePanel::confirmLeave() {
    if (!isRecording()) return true;
    if (!platform::MessageBox::question(kStillRecording, this)) return false;
    timer_->stop();
    recorder_->abort();
    record_->setText(kRecord);
    // The recording is gone; a note recorded before it was already replaced by starting.
    if (note_ == Note::Recorded) discardRecording();
    if (note_ != Note::Stored) note_ = Note::None;
    updateButtons();
    return true;
}

void VoiceNotePanel::discardRecording() {
    if (!recorded_.isEmpty()) QFile::remove(recorded_);
    recorded_.clear();
}

void VoiceNotePanel::updateButtons() {
    const bool recording = isRecording();
    record_->setEnabled(recording || note_ == Note::None);
    listen_->setEnabled(!recording && note_ != Note::None);
    clear_->setEnabled(!recording && note_ != Note::None);
}

} // namespace tavrin::diary
