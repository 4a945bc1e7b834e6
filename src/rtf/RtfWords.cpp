#include "rtf/RtfWords.h"

#include <unordered_set>

namespace tavrin::diary {
namespace {

// Destinations whose text is never shown, whether or not they are marked with \*.
// Kept by hand: the formatter would give each name a line of its own.
// clang-format off
constexpr std::string_view kHidden[] = {
    "stylesheet", "info", "pict", "object", "objdata", "header", "headerl", "headerr", "headerf",
    "footer", "footerl", "footerr", "footerf", "footnote", "annotation", "atnid", "atnauthor",
    "atndate", "atnref", "xe", "tc", "txe", "rxe", "shp", "shpinst", "shppict", "nonshppict",
    "pntxta", "pntxtb", "template", "revtbl", "filetbl", "rsidtbl", "generator", "themedata",
    "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "pgdsctbl", "bkmkstart",
    "bkmkend", "ftnsep", "ftnsepc", "aftnsep", "aftnsepc", "ftncn", "aftncn", "userprops",
    "listpicture", "leveltext", "levelnumbers", "listname", "docvar", "fchars", "lchars", "comment",
    "doccomm", "author", "operator", "title", "subject", "keywords", "creatim", "revtim", "printim",
    "buptim", "company", "manager", "category", "hlinkbase", "nextfile", "private", "sp", "sn",
    "sv", "datafield", "falt", "panose", "fname", "mmathPr", "wgrffmtfilter", "background",
    "nonesttables",
};
// clang-format on

} // namespace

std::span<const std::string_view> rtfHiddenDestinations() {
    return kHidden;
}

bool isRtfHiddenDestination(std::string_view name) {
    static const std::unordered_set<std::string_view> set(std::begin(kHidden), std::end(kHidden));
    return set.count(name) != 0;
}

} // namespace tavrin::diary
