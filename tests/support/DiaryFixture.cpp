#include "DiaryFixture.h"

#include "TestEnvironment.h"
#include "storage/TN.h"

#include <QDir>

namespace tavrin::test {

int extOffsetOf(const QString& path) {
    return int(path.lastIndexOf('.')) + 1;
}

QString makeDiary(const QString& name, const char* password, int count, const char* question,
                  const char* answer) {
    const QString path = QDir(scratchDir()).filePath(name + ".tni");
    TN tn(0, path.toStdString(), extOffsetOf(path));
    tn.ReadConfiguration(); // creates the index file and the configuration, as a new diary has
    for (int i = 0; i < count; ++i) {
        tn.entry.clear();
        tn.entry.setPassword(password);
        tn.entry.setQuestion(0, question);
        tn.entry.setAnswer(0, answer);
        tn.entry.setDateTime(1'700'000'000 + 86400 * std::int64_t(i));
        tn.entry.setDescription("Entry " + std::to_string(i + 1));
        tn.body = "Text of entry " + std::to_string(i + 1);
        for (auto& t : tn.typeText)
            t.clear();
        tn.AddEntry();
    }
    return path;
}

bool addEntry(const QString& path, const FixtureEntry& e) {
    TN tn(0, path.toStdString(), extOffsetOf(path));
    if (!tn.FirstEntry(true)) return false;
    EntryRecord secrets = tn.entry;
    tn.entry.clear();
    tn.entry.copySecretsFrom(secrets);
    tn.entry.setDateTime(e.dateTime);
    tn.entry.setDescription(e.description);
    tn.body = e.body;
    for (auto& t : tn.typeText)
        t.clear();
    return tn.AddEntry() && tn.SortEntries();
}

} // namespace tavrin::test
