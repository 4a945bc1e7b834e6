#pragma once
// Finds the program's data files (the help folder, TNSkins, TIPS.TXT): beside the executable
// first, then in the installed data folder, <prefix>/share/tavrin (looked for relative to the
// executable first, so that a moved installation still finds its data, then at the prefix the
// program was built for).
//
// Test seam: setProgramDir() and setInstalledDataDir() replace the two places; reset() goes
// back to the real ones.

#include <QString>
#include <QStringList>

namespace tavrin::platform {

class DataPaths {
public:
    // The folder of the running executable (the current folder when there is no application).
    static QString programDir();
    // The full path of the running executable.
    static QString programPath();
    // <prefix>/share/tavrin as configured at build time.
    static QString installedDataDir();
    // The folders searched, in order, without duplicates.
    static QStringList searchDirs();
    // Absolute path of the first file or folder called `name` (may contain "/") in searchDirs(),
    // or empty when there is none.
    static QString find(const QString& name);

    // ---- test seam ----
    static void setProgramDir(const QString& dir);
    static void setInstalledDataDir(const QString& dir);
    static void reset();
};

} // namespace tavrin::platform
