#pragma once
// The RTF destinations whose text is never shown (headers, pictures, document information and
// the like), marked with \* or not. The document reader and the search scanner both leave
// them out.

#include <span>
#include <string_view>

namespace tavrin::diary {

std::span<const std::string_view> rtfHiddenDestinations();
bool isRtfHiddenDestination(std::string_view name);

} // namespace tavrin::diary
