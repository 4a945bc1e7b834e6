#pragma once
// Linked into every Qt test: before main() it points the settings store and the data folders
// at a throwaway directory, pins the locale and puts every platform seam in test mode.

#include <QString>

namespace tavrin::test {

// The throwaway directory of this test process.
QString scratchDir();
// Empties the settings section, so that every read gives its default.
void clearSettings();

} // namespace tavrin::test
