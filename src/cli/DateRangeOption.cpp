#include "cli/DateRangeOption.h"

#include "storage/LocalTime.h"

namespace tavrin::cli {

bool DateRangeOption::parse(const std::string& text, bool end, std::int64_t& out) {
    if (text.size() == 10)
        return LocalTime::parseIso(text + (end ? "T23:59:59" : "T00:00:00"), out);
    return LocalTime::parseIso(text, out);
}

} // namespace tavrin::cli
