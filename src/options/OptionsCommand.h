#pragma once
// The main window's Options command, in two halves.
//
// run() is the options sheet of the shell (offered through OptionsModule): it shows the options
// sheet modally and, on "Save", writes the preferences to the settings store (in
// settings::optionsWriteOrder()) and the diary pages' values into the open diary's configuration.
// It returns whether the sheet was saved; "Discard" writes nothing.
//
// What follows a save belongs to the main window, in this order: keep the window on top or
// release it (AlwaysOnTop), then applySaved() for the autostart entry, the reloaded text
// shortcuts and pain kinds and the restart after a change of skin, then refresh the entry
// preview and post "TNSDrawGraph" to the graph page when it is shown:
//
//     const QString skinBefore = settings::read(settings::WhichSkin);
//     if (!options::OptionsCommand::run(this)) return;
//     applyAlwaysOnTop();
//     if (options::OptionsCommand::applySaved(this, skinBefore)) { endProgram(); return; }
//     refreshPreview(); ...

#include <QString>

class QWidget;

namespace tavrin::options {

class CTavrinPSOptions;

class OptionsCommand {
public:
    static constexpr const char* kRestartQuestion =
        "Tavelle Suite needs to restart! Would you like to restart it now?";

    // Shows the sheet; on "Save" writes its values (see above). True when saved.
    static bool run(QWidget* parent);
    // The writes of run() for a sheet that was accepted.
    static void writeSaved(const CTavrinPSOptions& sheet);

    // After a save: creates or removes the autostart entry (saying so when that fails), reloads
    // the diary's text shortcuts and pain kinds when a diary is chosen, and, when the skin is no
    // longer `previousSkin`, offers to restart. True when the user said Yes and the restart is
    // scheduled: the caller then ends the program (the new copy starts once this one is gone).
    static bool applySaved(QWidget* mainWindow, const QString& previousSkin);
};

} // namespace tavrin::options
