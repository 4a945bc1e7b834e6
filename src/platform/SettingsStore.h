#pragma once
// The per-user settings store: integer and string values in one section, each read with the
// caller's default when it is missing or unreadable. Backed by QSettings with the company and
// application keys of the program.

#include <QString>

namespace tavrin::platform {

class SettingsStore {
public:
    static constexpr const char* kCompany = "Halcyrn Ostevelder";
    static constexpr const char* kApplication = "Tavrin";
    static constexpr const char* kSection = "300 Settings";

    static int readInt(const QString& key, int defaultValue);
    static QString readString(const QString& key, const QString& defaultValue = QString());
    static bool writeInt(const QString& key, int value);
    // A null text (as opposed to an empty one) deletes the value.
    static bool writeString(const QString& key, const QString& text);
    // Deletes every value of the section.
    static void removeSection();
    static bool contains(const QString& key);
};

} // namespace tavrin::platform
