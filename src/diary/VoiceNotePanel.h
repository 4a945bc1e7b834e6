#pragma once
// The voice note of the entry editor: "Voice Recording" starts and stops a recording (showing
// the time recorded meanwhile), "Listen" plays the note and "Clear" throws it away. The note is
// the one the entry was stored with, a new recording in the temporary "TNV" file, or none.

#include "storage/EntryRecord.h"

#include <QString>
#include <QWidget>

#include <cstdint>

class QTimer;

namespace tavrin::platform {
class VoiceRecorder;
}

namespace tavrin::ui {
class CCustomButton;
}

namespace tavrin::diary {

class VoiceNotePanel : public QWidget {
    Q_OBJECT
public:
    enum class Note { None, Stored, Recorded };

    static constexpr const char* kRecord = "Voice Recording";
    static constexpr const char* kListen = "Listen";
    static constexpr const char* kPlaying = "Playing";
    static constexpr const char* kClear = "Clear";
    static constexpr const char* kStillRecording =
        "You are still recording voice! Do you wish to abort the recording and discard recorded "
        "data?";

    // `entry`: the record the editor opened with; its note, if any, is the stored one.
    explicit VoiceNotePanel(const EntryRecord& entry, QWidget* parent = nullptr);
    ~VoiceNotePanel() override;

    // "%02d seconds" below a minute, else "%d minute%s %02d seconds".
    static QString elapsedCaption(std::int64_t seconds);

    bool isRecording() const;
    Note note() const { return note_; }
    QString recordedPath() const { return recorded_; }
    bool isModified() const { return note_ != initialNote_; }
    // The note into the record to be saved, and what storage needs: a recording to compress
    // (`source`), or the stored note kept as it is (`alreadyStored`).
    void storeInto(EntryRecord& e, std::string& source, bool& alreadyStored) const;

    // Leaving the page while recording asks first; Yes throws the recording away. False: stay.
    bool confirmLeave();

    // The commands (the buttons trigger them) and the once-a-second caption.
    void toggleRecording();
    void listen();
    void clear();
    void tick();

    ui::CCustomButton* recordButton() const { return record_; }
    ui::CCustomButton* listenButton() const { return listen_; }
    ui::CCustomButton* clearButton() const { return clear_; }

private:
    void discardRecording();
    void updateButtons();

    EntryRecord stored_;
    Note initialNote_, note_;
    QString recorded_;
    std::int64_t startedAt_ = 0;
    platform::VoiceRecorder* recorder_;
    QTimer* timer_;
    ui::CCustomButton* record_;
    ui::CCustomButton* listen_;
    ui::CCustomButton* clear_;
};

} // namespace tavrin::diary
