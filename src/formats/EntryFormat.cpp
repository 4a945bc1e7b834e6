#include "formats/EntryFormat.h"

#include "health/logic/HealthData.h"
#include "storage/PrivateFiles.h"

#include <cstring>
#include <sstream>

namespace tavrin::formats {

std::vector<Entry> entriesOf(const std::vector<health::HealthEntry>& dated) {
    std::vector<Entry> out;
    out.reserve(dated.size());
    for (const health::HealthEntry& e : dated)
        out.push_back({e.record, e.stored, {}, 0});
    return out;
}

bool readDatedEntries(TN& tn, std::vector<Entry>& out) {
    std::vector<health::HealthEntry> dated;
    if (!health::HealthData::read(tn, {}, dated)) return false;
    out = entriesOf(dated);
    return true;
}

bool EntryWriter::writeFile(const std::string& path, const DiaryRecords& diary,
                            std::string& error) const {
    std::ostringstream text;
    write(text, diary);
    if (int cause = 0; !PrivateFiles::write(path, text.str(), cause)) {
        error = "unable to write " + path + ": " + std::strerror(cause);
        return false;
    }
    return true;
}

} // namespace tavrin::formats
