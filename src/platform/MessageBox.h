#pragma once
// Every message box of the program goes through here. Warnings carry the exclamation icon and
// are task-modal; the caption is the program title unless a caller names another.
//
// Test seam: in test mode no box is shown. Each box is recorded (text, caption, icon, buttons)
// and answered with the next scripted answer, or with OK (No for questions) when none is
// scripted.

#include "storage/ProgramTexts.h"

#include <QList>
#include <QString>

class QWidget;

namespace tavrin::platform {

enum class MsgIcon { None, Warning, Information, Question, Error };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageRecord {
    QString text;
    QString caption;
    MsgIcon icon;
    MsgButtons buttons;
    bool onTop; // a box that stays above every window
};

class MessageBox {
public:
    static MsgAnswer show(const QString& text, MsgIcon icon, MsgButtons buttons = MsgButtons::Ok,
                          const QString& caption = QString::fromUtf8(texts::kProgramTitle),
                          QWidget* parent = nullptr, bool onTop = false);

    static void warning(const QString& text, QWidget* parent = nullptr);
    static void information(const QString& text, QWidget* parent = nullptr);
    static void plain(const QString& text, QWidget* parent = nullptr);
    // Yes/No question; true for Yes.
    static bool question(const QString& text, QWidget* parent = nullptr);

    // ---- test seam ----
    static void setTestMode(bool on);
    static bool testMode();
    static void setNextAnswer(MsgAnswer answer); // queued: several may be scripted in order
    static const QList<MessageRecord>& recorded();
    static QStringList recordedTexts();
    static void clearRecorded();
};

} // namespace tavrin::platform
