#include "formats/JsonReader.h"

#include "formats/JsonWriter.h"

namespace tavrin::formats {

const Format& JsonReader::format() const {
    return JsonWriter::kFormat;
}

bool JsonReader::parseObjects(std::istream& in, std::vector<Json>& out, std::string& error) {
    // Parsed with the nesting limit, before anything copies the values recursively.
    Json input;
    if (!EntryJson::parse(in, input, error)) return false;
    out.clear();
    if (input.is_array())
        out.assign(input.begin(), input.end());
    else
        out.push_back(std::move(input));
    return true;
}

bool JsonReader::read(std::istream& in, std::vector<Entry>& out, ReadProblem& problem) {
    out.clear();
    if (!parseObjects(in, objects_, problem.text)) {
        problem.entry = 0;
        return false;
    }
    out.resize(objects_.size());
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        if (!EntryJson::toEntry(objects_[i], out[i].record, out[i].body, out[i].types,
                                problem.text)) {
            problem.entry = i + 1;
            out.clear();
            return false;
        }
    }
    return true;
}

} // namespace tavrin::formats
