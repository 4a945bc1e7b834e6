#include "options/OptionsCommand.h"

#include "app/DiaryState.h"
#include "options/CTavrinPSOptions.h"
#include "platform/Autostart.h"
#include "platform/DataPaths.h"
#include "platform/MessageBox.h"
#include "platform/RestartProgram.h"
#include "platform/Settings.h"

#include <QDialog>
#include <QDir>

namespace tavrin::options {

using platform::MessageBox;

bool OptionsCommand::run(QWidget* parent) {
    CTavrinPSOptions sheet(parent);
    if (sheet.exec() != QDialog::Accepted) return false;
    writeSaved(sheet);
    return true;
}

void OptionsCommand::writeSaved(const CTavrinPSOptions& sheet) {
    // A failed write is not reported: the value read next time is the stored one or its
    // default, as with any missing setting.
    sheet.settingsValues().save();
    if (app::DiaryState::instance().hasPath()) sheet.writeDiaryConfiguration();
}

bool OptionsCommand::applySaved(QWidget* mainWindow, const QString& previousSkin) {
    const QString program = platform::DataPaths::programPath();
    const bool autostart = settings::read(settings::LoadAtWinStartup) != 0;
    if (!platform::Autostart::setEnabled(autostart, program)) {
        const QString entry = QDir::toNativeSeparators(platform::Autostart::filePath());
        MessageBox::warning(
            autostart ? QStringLiteral("Unable to create the startup entry %1!").arg(entry)
                      : QStringLiteral("Unable to remove the startup entry %1!").arg(entry),
            mainWindow);
    }

    app::DiaryState& diary = app::DiaryState::instance();
    if (diary.hasPath()) {
        diary.reloadShortcuts();
        diary.resetPainKinds();
    }

    // A new skin is only loaded at start-up; until then the old one stays in use.
    if (settings::read(settings::WhichSkin) == previousSkin) return false;
    if (!MessageBox::question(QString::fromLatin1(kRestartQuestion), mainWindow)) return false;
    // The new copy opens the diary in use again (and asks its password).
    QStringList arguments;
    if (diary.usable()) arguments << diary.path();
    if (!platform::RestartProgram::scheduleAfterExit(program, arguments)) {
        // Ending now would leave the user with no program at all.
        MessageBox::warning(QStringLiteral("Unable to restart Tavelle Suite. The new skin will be "
                                           "used the next time you start it."),
                            mainWindow);
        return false;
    }
    return true;
}

} // namespace tavrin::options
