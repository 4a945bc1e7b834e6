#pragma once
// Diaries made for tests in the throwaway folder, written through the storage layer.

#include <QString>

#include <cstdint>

namespace tavrin::test {

struct FixtureEntry {
    std::int64_t dateTime;
    const char* description = "";
    const char* body = "";
};

// A diary at <scratch>/<name>.tni with the given password and first security pair, holding
// `count` entries one day apart (or none). Returns its path.
QString makeDiary(const QString& name, const char* password = "secret", int count = 2,
                  const char* question = "Pet?", const char* answer = "Rex");

// Adds one entry with the diary's own password.
bool addEntry(const QString& path, const FixtureEntry& e);

// The extension offset of a diary path (position after the last dot).
int extOffsetOf(const QString& path);

} // namespace tavrin::test
