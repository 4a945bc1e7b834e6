#include "diary/EntryEditor.h"

#include "app/DiaryFlows.h"
#include "app/DiaryState.h"
#include "diary/CTavrinPPBody.h"
#include "diary/CTavrinPPDiary.h"
#include "diary/CTavrinPPParams.h"
#include "diary/CTavrinPSDiary.h"
#include "diary/FibroValues.h"
#include "diary/VoiceNotePanel.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "storage/Cp1252.h"
#include "storage/ProgramTexts.h"
#include "storage/TN.h"

namespace tavrin::diary {
namespace {

using platform::MessageBox;

constexpr const char* kNewDiaryPassword =
    "You are creating a new diary and you must specify a password for it. The password is case "
    "SeNsItIvE!";
constexpr const char* kConfigUnreadable = "Unable to read the configuration file!";
constexpr const char* kConfigAtSave =
    "Unable to save this entry due to an error in the configuration file!";

std::string toRecord(const QString& s) {
    return cp1252::fromUtf8(s.toStdString());
}

// What stays of the entry that is being replaced: the diary's secrets. (Its voice note is the
// voice panel's.)
struct Keep {
    EntryRecord secrets;      // password and security pairs (the first 224 bytes count)
    bool newPassword = false; // chosen for a new diary just now
};

bool save(CTavrinPSDiary& sheet, const Keep& keep, int replacing) {
    auto& state = app::DiaryState::instance();
    auto tn = state.makeTN();
    if (!tn->ReadConfiguration()) {
        MessageBox::warning(kConfigAtSave, &sheet);
        return false;
    }
    EntryRecord& e = tn->entry;
    e.clear();
    e.copySecretsFrom(keep.secrets);
    if (!sheet.textPage()->storeInto(e, tn->body, tn->typeText)) {
        sheet.setActivePage(sheet.textPage());
        return false;
    }
    sheet.bodyPage()->storeInto(e);
    if (!sheet.paramsPage()->storeInto(e)) {
        sheet.setActivePage(sheet.paramsPage());
        return false;
    }
    // A kept note is already in the voice file: the new record points at it as the old one did,
    // and nothing is compressed again. A new recording is compressed and appended by AddEntry.
    sheet.textPage()->voicePanel()->storeInto(e, tn->voiceSource, tn->voiceStored);
    if (!tn->AddEntrySorted(replacing)) return false; // the storage layer has said why
    state.setEmptyDiary(false);
    state.setOpen(true);
    // The diary now has its password: it is taken up again at the next start, as an opened one.
    if (keep.newPassword) app::DiaryFlows::rememberCurrent();
    return true;
}

bool run(QWidget* parent, bool editing, const TN& tn, const EntryRecord& entry, const Keep& keep,
         int replacing) {
    std::array<QByteArray, CTavrinPPDiary::kSlots> texts;
    if (editing) {
        texts[0] = QByteArray::fromStdString(tn.body);
        for (int i = 0; i < EntryRecord::kTypeTexts; ++i)
            texts[std::size_t(i + 1)] = QByteArray::fromStdString(tn.typeText[std::size_t(i)]);
    }
    CTavrinPSDiary sheet(editing, tn.config, entry, texts, parent);
    sheet.setSaver([&keep, replacing](CTavrinPSDiary& s) { return save(s, keep, replacing); });
    return sheet.exec() == QDialog::Accepted;
}

} // namespace

bool EntryEditor::newEntry(QWidget* parent) {
    auto& state = app::DiaryState::instance();
    if (!state.hasPath()) {
        MessageBox::warning(texts::kNoDiary, parent);
        return false;
    }
    auto tn = state.makeTN();
    Keep keep;
    // The diary's password is in its entries. Whatever the empty-diary flag says, an entry that
    // can be read decides it: a second password in one diary would lock the user out.
    if (tn->FirstEntry(true)) {
        keep.secrets.copySecretsFrom(tn->entry);
    } else if (tn->entryCount > 0) {
        return false; // entries that cannot be read: the storage layer has reported them
    } else {
        MessageBox::information(kNewDiaryPassword, parent);
        const app::PasswordAnswer answer = app::DiaryFlows::askPassword(
            state.name(), true, parent, state.path(), state.extOffset());
        if (!answer.ok) return false;
        keep.secrets.setPassword(toRecord(answer.password));
        for (int i = 0; i < EntryRecord::kPairs; ++i) {
            keep.secrets.setQuestion(i, toRecord(answer.questions[std::size_t(i)]));
            keep.secrets.setAnswer(i, toRecord(answer.answers[std::size_t(i)]));
        }
        keep.newPassword = true;
    }
    if (!tn->ReadConfiguration()) {
        MessageBox::warning(kConfigUnreadable, parent);
        return false;
    }

    // A new entry: now, no texts, every parameter at 0, no pain, no fibromyalgia rating.
    EntryRecord entry;
    entry.clear();
    entry.setDateTime(platform::Clock::now());
    for (const FibroRating& r : FibroScale::ratings())
        entry.setFibro(r.field, FibroScale::kNone);
    return run(parent, false, *tn, entry, keep, -1);
}

bool EntryEditor::editEntry(QWidget* parent, int entryIndex) {
    auto& state = app::DiaryState::instance();
    if (!state.hasPath()) {
        MessageBox::warning(texts::kNoDiary, parent);
        return false;
    }
    auto tn = state.makeTN(entryIndex);
    if (entryIndex < 0 || !tn->ReadEntry(true)) return false;
    const EntryRecord old = tn->entry;
    if (!tn->ReadConfiguration()) {
        MessageBox::warning(kConfigUnreadable, parent);
        return false;
    }
    Keep keep;
    keep.secrets.copySecretsFrom(old);
    return run(parent, true, *tn, old, keep, entryIndex);
}

} // namespace tavrin::diary
