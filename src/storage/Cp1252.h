#pragma once
// Texts inside diary records are Windows-1252 bytes. This is the one place that converts them
// to and from UTF-8, and that folds letter case the way the tables are sorted and searched.

#include <string>
#include <string_view>

namespace tavrin::cp1252 {

// Windows-1252 bytes to UTF-8. The five bytes that Windows-1252 leaves undefined map to the
// C1 control characters of the same value, so every byte survives a round trip.
std::string toUtf8(std::string_view bytes);

// UTF-8 to Windows-1252. A character that Windows-1252 cannot hold becomes "?"; malformed
// UTF-8 sequences become "?" as well.
std::string fromUtf8(std::string_view utf8);

// Lower-case form of one Windows-1252 byte (ASCII and the accented letters of the code page).
unsigned char fold(unsigned char c);

// Compares two texts without regard to letter case: <0, 0 or >0.
int compareNoCase(std::string_view a, std::string_view b);

} // namespace tavrin::cp1252
