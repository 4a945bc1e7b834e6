#pragma once
// The diary as a spreadsheet: one row per entry in UTF-8 with a header row, fields quoted as
// RFC 4180 asks (a field holding a comma, a quote or a line break is quoted, its quotes
// doubled; rows end with CR LF). Columns: date, time, description, every parameter in use
// under the diary's own names, the 18 pain-map areas, the 21 ratings, the 5 measurements and
// the body's visible text.

#include "health/logic/HealthData.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tavrin::formats {

class CsvExport {
public:
    // The visible text of a stored body (RTF or plain) in UTF-8.
    using PlainText = std::function<std::string(const std::string& stored)>;

    static std::string field(const std::string& text);
    static std::string row(const std::vector<std::string>& fields);

    static std::vector<std::string> header(const DiaryConfig& config);
    static std::vector<std::string> values(const health::HealthEntry& e, const DiaryConfig& config,
                                           const PlainText& plain);
    static void write(std::ostream& out, const std::vector<health::HealthEntry>& entries,
                      const DiaryConfig& config, const PlainText& plain);
    // Writes the file; false, with `error` set, when it cannot be written completely.
    static bool write(const std::string& path, const std::vector<health::HealthEntry>& entries,
                      const DiaryConfig& config, const PlainText& plain, std::string& error);
};

} // namespace tavrin::formats
