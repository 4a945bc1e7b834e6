#pragma once
// Fixed texts that several parts of the program show, kept in one place.

namespace tavrin::texts {

inline constexpr const char* kProgramTitle = "Tavelle Suite v3.10";
inline constexpr const char* kPrintTitlePrefix = "Tavelle (tm) Suite";
inline constexpr const char* kNoDiary = "You must open or create a diary first!";
inline constexpr const char* kInvalidPassword =
    "The password you've specified is invalid for this diary! Please make sure you are opening "
    "the diary you wish to and that you are entering the password correctly. Remember, the "
    "password is case sEnSiTiVe!";
inline constexpr const char* kTooShortPassword = "You must enter at least 3 characters!";

// The maker's web site; the tools page and messages link to pages below it.
inline constexpr const char* kWebSite = "https://tavelle-suite.org";

} // namespace tavrin::texts
