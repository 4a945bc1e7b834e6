#pragma once
// The main window's Options command.
//
//     if (options::OptionsCommand::run(this)) {
//         // saved: apply AlwaysOnTop to the main window, refresh the entry preview and post
//         // "TNSDrawGraph" to the graph page when it is shown
//     }
//
// run() shows the options sheet modally over the main window. On "Save" it writes, in order:
// the preferences to the settings store (in settings::optionsWriteOrder()), the autostart entry
// (created or removed after "Load at Windows startup"), and, when a diary is chosen, the diary
// pages' values into its configuration, after which the text shortcuts and pain kinds are
// reloaded. When the skin name changed it offers to restart; on Yes the restart is scheduled
// and the program ends: QCoreApplication::exit(0), and a main window that is a QDialog run with
// exec() is closed with done(). "Discard" writes nothing.

class QWidget;

namespace tavrin::options {

class CTavrinPSOptions;

class OptionsCommand {
public:
    static constexpr const char* kRestartQuestion =
        "Tavelle Suite needs to restart! Would you like to restart it now?";

    // True when the sheet was saved.
    static bool run(QWidget* mainWindow);

    // What run() does after "Save", for a sheet that was accepted. True when the user chose to
    // restart and the program is ending.
    static bool save(const CTavrinPSOptions& sheet, QWidget* mainWindow);
};

} // namespace tavrin::options
