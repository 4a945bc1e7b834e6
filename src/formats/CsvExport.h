#pragma once
// The diary as a spreadsheet: one row per entry in UTF-8 with a header row, fields quoted as
// RFC 4180 asks (a field holding a comma, a quote or a line break is quoted, its quotes
// doubled; rows end with CR LF). Columns: date, time, description, every parameter in use
// under the diary's own names, the 18 pain-map areas, the 21 ratings, the 5 measurements and
// the body's visible text.

#include "formats/EntryFormat.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace tavrin::formats {

class CsvExport : public EntryWriter {
public:
    // The visible text of a stored body (RTF or plain) in UTF-8.
    using PlainText = std::function<std::string(const std::string& stored)>;

    explicit CsvExport(PlainText plain) : plain_(std::move(plain)) {}
    static const Format kFormat;
    const Format& format() const override { return kFormat; }
    // The header row, then one row per entry; the tables are not part of a spreadsheet.
    void write(std::ostream& out, const DiaryRecords& diary) const override;

    static std::string field(const std::string& text);
    static std::string row(const std::vector<std::string>& fields);

    static std::vector<std::string> header(const DiaryConfig& config);
    static std::vector<std::string> values(const Entry& e, const DiaryConfig& config,
                                           const PlainText& plain);

private:
    PlainText plain_;
};

} // namespace tavrin::formats
