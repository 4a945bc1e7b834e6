#pragma once
// Entries from JSON, as tavrin-cli's add reads them: one object is one entry, an array of
// objects several, each with the fields the export writes (the export itself reads back).

#include "formats/EntryFormat.h"
#include "formats/EntryJson.h"

#include <string>
#include <vector>

namespace tavrin::formats {

class JsonReader : public EntryReader {
public:
    const Format& format() const override;
    // The file's problem is "not valid JSON: ..." or "nested deeper than 64 levels"; an entry's
    // is the first that EntryJson::toEntry finds.
    bool read(std::istream& in, std::vector<Entry>& out, ReadProblem& problem) override;
    // The objects of the last read, for what they hold beside an entry (a new diary's password
    // and security questions, which add takes from the first).
    const std::vector<Json>& objects() const { return objects_; }

    // One object or an array of them, parsed with the nesting limit; the objects are not
    // checked. False with `error` when the text is no JSON or nested too deep.
    static bool parseObjects(std::istream& in, std::vector<Json>& out, std::string& error);

private:
    std::vector<Json> objects_;
};

} // namespace tavrin::formats
