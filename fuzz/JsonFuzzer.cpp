// Arbitrary text as the JSON that "add" reads. Whatever it accepts lies within the ranges
// that "check" holds entries to, exports as valid JSON, and reads back from that export as
// the very same record and texts.

#include "cli/EntryJson.h"
#include "cli/EntryLimits.h"
#include "FuzzSupport.h"

#include <cmath>
#include <sstream>

namespace {

using namespace tavrin;
using tavrin::fuzz::require;

void entry(const cli::Json& j) {
    EntryRecord r;
    std::string body, error;
    cli::TypeTexts types;
    if (!cli::EntryJson::toEntry(j, r, body, types, error)) {
        require(!error.empty());
        return;
    }
    for (const auto& v : cli::EntryLimits::ranged(r))
        require(v.range.contains(v.value));
    for (float f :
         {r.real1(), r.real2(), r.bodyTemperature(), r.outdoorTemperature(), r.indoorTemperature()})
        require(std::isfinite(f));

    const cli::Json exported = cli::EntryJson::fromEntry(r, body, types);
    std::istringstream text(exported.dump());
    cli::Json again;
    require(cli::EntryJson::parse(text, again, error));
    EntryRecord r2;
    std::string body2;
    cli::TypeTexts types2;
    require(cli::EntryJson::toEntry(again, r2, body2, types2, error));
    require(r2.bytes == r.bytes && body2 == body && types2 == types);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(tavrin::fuzz::bytes(data, size));
    cli::Json input;
    std::string error;
    if (!cli::EntryJson::parse(in, input, error)) return 0;
    if (input.is_array())
        for (const auto& e : input)
            entry(e);
    else
        entry(input);
    return 0;
}
