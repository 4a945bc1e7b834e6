#include "OptionsCommand.h"

#include "Autostart.h"
#include "CTavrinPSOptions.h"
#include "DataPaths.h"
#include "DiaryState.h"
#include "MessageBox.h"
#include "RestartProgram.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>

namespace tavrin::options {

using platform::MessageBox;

namespace {

void endProgram(QWidget* mainWindow) {
    // The main window may run its own modal loop rather than the application's: end both.
    if (auto* dialog = qobject_cast<QDialog*>(mainWindow)) dialog->done(QDialog::Rejected);
    QCoreApplication::exit(0);
}

} // namespace

bool OptionsCommand::run(QWidget* mainWindow) {
    CTavrinPSOptions sheet(mainWindow);
    if (sheet.exec() != QDialog::Accepted) return false;
    save(sheet, mainWindow);
    return true;
}

bool OptionsCommand::save(const CTavrinPSOptions& sheet, QWidget* mainWindow) {
    const QString previousSkin = settings::read(settings::WhichSkin);
    const OptionsSettings values = sheet.settingsValues();
    values.save();

    const QString program = platform::DataPaths::programPath();
    if (!platform::Autostart::setEnabled(values.loadAtStartup, program)) {
        MessageBox::warning(
            values.loadAtStartup
                ? QStringLiteral("Unable to create the startup entry %1!")
                      .arg(QDir::toNativeSeparators(platform::Autostart::filePath()))
                : QStringLiteral("Unable to remove the startup entry %1!")
                      .arg(QDir::toNativeSeparators(platform::Autostart::filePath())),
            mainWindow);
    }

    app::DiaryState& diary = app::DiaryState::instance();
    if (diary.hasPath()) {
        sheet.writeDiaryConfiguration();
        diary.reloadShortcuts();
        diary.resetPainKinds();
    }

    // A new skin is only loaded at start-up; until then the old one stays in use.
    if (values.whichSkin == previousSkin) return false;
    if (!MessageBox::question(QString::fromLatin1(kRestartQuestion), mainWindow)) return false;
    if (!platform::RestartProgram::scheduleAfterExit(program)) {
        // Ending now would leave the user with no program at all.
        MessageBox::warning(QStringLiteral("Unable to restart Tavelle Suite. The new skin will be "
                                           "used the next time you start it."),
                            mainWindow);
        return false;
    }
    endProgram(mainWindow);
    return true;
}

} // namespace tavrin::options
