#pragma once
// Starting the program when the user logs in: a desktop entry "TN300.desktop" in the user's
// autostart folder ($XDG_CONFIG_HOME/autostart, created when missing), named after the program
// title and running the program's full path.

#include <QString>

namespace tavrin::platform {

class Autostart {
public:
    static constexpr const char* kFileName = "TN300.desktop";

    // Creates (true) or removes (false) the entry; returns whether the folder now says so.
    static bool setEnabled(bool enabled, const QString& programPath);
    static bool isEnabled();
    // The full path of the entry, whether it exists or not.
    static QString filePath();
    // The Exec= value for a program path, quoted as desktop entries require.
    static QString execValue(const QString& programPath);
};

} // namespace tavrin::platform
