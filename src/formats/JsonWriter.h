#pragma once
// The whole diary as one JSON document, as tavrin-cli's export writes it: the diary's name, its
// entries with their places, every organiser and nutrition table, and the names it gives its
// parameters. Texts are UTF-8; the secrets stay in the diary.

#include "formats/EntryFormat.h"

namespace tavrin::formats {

class JsonWriter : public EntryWriter {
public:
    static const Format kFormat;
    const Format& format() const override { return kFormat; }
    void write(std::ostream& out, const DiaryRecords& diary) const override;
};

} // namespace tavrin::formats
