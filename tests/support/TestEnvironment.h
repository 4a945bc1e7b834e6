#pragma once
// Linked into every Qt test: before main() it points the settings store and the data folders
// at a throwaway directory, pins the locale and the umask (022, the usual one) and puts every
// platform seam in test mode.

#include <QString>

namespace tavrin::test {

// The throwaway directory of this test process.
QString scratchDir();
// Empties the settings section, so that every read gives its default.
void clearSettings();
// A file's permission bits (0600 for a private file), not following a link; -1 when missing.
int fileMode(const QString& path);

} // namespace tavrin::test
