#include "storage/DiaryFileSet.h"

namespace tavrin {

DiaryFileSet::DiaryFileSet(std::string diaryPath) : indexPath_(std::move(diaryPath)) {
    // Only the extension is removed: Notes.tni keeps its directory Notes.
    int ext = extensionOffset(indexPath_);
    directory_ = ext > 0 ? indexPath_.substr(0, std::size_t(ext - 1)) : indexPath_ + ".diary";
    auto slash = directory_.find_last_of('/');
    name_ = slash == std::string::npos ? directory_ : directory_.substr(slash + 1);
}

int DiaryFileSet::extensionOffset(const std::string& diaryPath) {
    auto dot = diaryPath.find_last_of('.');
    auto slash = diaryPath.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return 0;
    if (dot == 0 || (slash != std::string::npos && dot == slash + 1)) return 0; // ".tni" alone
    return int(dot + 1);
}

} // namespace tavrin
