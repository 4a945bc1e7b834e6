#include "app/DiaryFlows.h"

#include "app/CTavrinDlgCreateDiary.h"
#include "app/CTavrinDlgSec.h"
#include "app/DiaryShell.h"
#include "app/DiaryState.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/Settings.h"
#include "storage/Cp1252.h"
#include "storage/EntryRecord.h"
#include "storage/ProgramTexts.h"
#include "storage/Reporter.h"
#include "storage/TN.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavrin::app {

using platform::MessageBox;

namespace {
int extensionOffsetOf(const QString& path) {
    int dot = path.lastIndexOf('.');
    int slash = path.lastIndexOf('/');
    return dot > slash + 1 ? dot + 1 : 0;
}

// A file that holds something, but not an entry of a diary of this version, is no diary: taking
// it up would create a folder and a configuration beside it, and the first entry would be
// written into it. The version message is the one the database object gives.
bool refusedAsNoDiary(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0) return false; // new, or TN reports it
    EntryRecord first;
    const auto size = qint64(EntryRecord::kSize);
    if (f.read(reinterpret_cast<char*>(first.data()), size) == size && first.version() == 1)
        return false;
    Reporter::global().report(ReportKind::WrongVersion, messages::wrongVersion());
    return true;
}
} // namespace

PasswordAnswer DiaryFlows::askPassword(const QString& diaryName, bool creating, QWidget* parent,
                                       const QString& path, int extOffset) {
    PasswordAnswer a;
    CTavrinDlgSec dlg(diaryName, creating, parent, path, extOffset);
    a.ok = dlg.exec() == QDialog::Accepted;
    a.resetDone = dlg.resetDone();
    if (!a.ok) return a;
    a.password = dlg.password();
    for (int i = 0; i < 3; ++i) {
        a.questions[size_t(i)] = dlg.question(i);
        a.answers[size_t(i)] = dlg.answer(i);
    }
    return a;
}

void DiaryFlows::openDiary() {
    const QString path = platform::FileChooser::open(
        shell_.shellWindow(), "Open an existing diary file",
        "Tavelle Suite v3.x files (*.tni)|*.tni||", "tni", "*.tni", true);
    if (path.isEmpty()) return; // the diary that was open stays open
    openDiaryAt(path);
}

void DiaryFlows::openDiaryAt(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        MessageBox::warning(
            QStringLiteral("%1\ncannot be found.").arg(QDir::toNativeSeparators(path)),
            shell_.shellWindow());
        return;
    }
    // Any other file would become the entry index: the first entry would be appended to it.
    if (QFileInfo(path).suffix().compare(QStringLiteral("tni"), Qt::CaseInsensitive) != 0) {
        MessageBox::warning(QStringLiteral("%1\nis not a diary. Diaries are the files ending in "
                                           "\".tni\".")
                                .arg(QDir::toNativeSeparators(path)),
                            shell_.shellWindow());
        return;
    }
    shell_.clearEntryList();
    auto& state = DiaryState::instance();
    state.choose(path, extensionOffsetOf(path));
    const QString name = QFileInfo(path).completeBaseName();
    settings::write(settings::ShortFile, name);
    admitChosen(name, true);
}

DiaryFlows::Admit DiaryFlows::admitChosen(const QString& name, bool fill) {
    auto& state = DiaryState::instance();
    if (refusedAsNoDiary(state.path())) {
        fail();
        return Admit::Cancelled;
    }
    state.reloadShortcuts();
    state.resetPainKinds();
    state.setOpen(false);
    auto tn = state.makeTN();
    if (!tn->FirstEntry(true)) {
        state.setEmptyDiary(true);
        shell_.showModule(Page::FirstTime);
        return Admit::Empty;
    }
    state.setEmptyDiary(false);
    PasswordAnswer a =
        askPassword(name, false, shell_.shellWindow(), state.path(), state.extOffset());
    if (!a.ok) {
        fail();
        return Admit::Cancelled;
    }
    if (a.resetDone && !tn->FirstEntry(true)) { // the reset re-keyed the diary
        fail();
        return Admit::Cancelled;
    }
    if (cp1252::fromUtf8(a.password.toStdString()) != tn->entry.password()) {
        MessageBox::warning(texts::kInvalidPassword, shell_.shellWindow());
        fail();
        return Admit::WrongPassword;
    }
    state.setOpen(true);
    if (fill) afterAccepted();
    return Admit::Opened;
}

DiaryFlows::Admit DiaryFlows::admitAgain(bool fill) {
    const QString name = DiaryState::instance().name();
    settings::write(settings::ShortFile, name);
    return admitChosen(name, fill);
}

void DiaryFlows::afterAccepted() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    shell_.fillEntryList(true);
    QApplication::restoreOverrideCursor();
    if (shell_.currentModule() != Page::Diary) shell_.showModule(Page::Diary);
    shell_.selectLastEntry();
    rememberCurrent();
}

void DiaryFlows::rememberCurrent() {
    const auto& state = DiaryState::instance();
    settings::write(settings::DiaryFile, state.path());
    settings::write(settings::ExtLoc, state.extOffset());
}

void DiaryFlows::fail() {
    DiaryState::instance().close();
    shell_.showModule(Page::FirstTime);
}

void DiaryFlows::createDiary() {
    CTavrinDlgCreateDiary dlg(shell_.shellWindow());
    if (dlg.exec() != QDialog::Accepted) return;
    shell_.clearEntryList();
    auto& state = DiaryState::instance();
    state.choose(dlg.fullPath(), dlg.extOffset());
    settings::write(settings::ShortFile, dlg.diaryName());
    // A diary that already had entries is opened behind its password like any other.
    admitChosen(dlg.diaryName(), true);
}

} // namespace tavrin::app
