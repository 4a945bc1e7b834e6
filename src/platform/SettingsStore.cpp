#include "platform/SettingsStore.h"

#include <QSettings>

namespace tavrin::platform {
namespace {
struct Section {
    QSettings s{SettingsStore::kCompany, SettingsStore::kApplication};
    Section() { s.beginGroup(SettingsStore::kSection); }
};
} // namespace

int SettingsStore::readInt(const QString& key, int defaultValue) {
    Section sec;
    QVariant v = sec.s.value(key);
    if (!v.isValid()) return defaultValue;
    bool ok = false;
    int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : defaultValue;
}

QString SettingsStore::readString(const QString& key, const QString& defaultValue) {
    Section sec;
    QVariant v = sec.s.value(key);
    if (!v.isValid()) return defaultValue.isNull() ? QString("") : defaultValue;
    return v.toString();
}

bool SettingsStore::writeInt(const QString& key, int value) {
    Section sec;
    sec.s.setValue(key, value);
    sec.s.sync();
    return sec.s.status() == QSettings::NoError;
}

bool SettingsStore::writeString(const QString& key, const QString& text) {
    Section sec;
    if (text.isNull())
        sec.s.remove(key);
    else
        sec.s.setValue(key, text);
    sec.s.sync();
    return sec.s.status() == QSettings::NoError;
}

void SettingsStore::removeSection() {
    QSettings s{kCompany, kApplication};
    s.remove(kSection);
    s.sync();
}

bool SettingsStore::contains(const QString& key) {
    Section sec;
    return sec.s.contains(key);
}

} // namespace tavrin::platform
