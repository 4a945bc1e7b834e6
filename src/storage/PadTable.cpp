#include "storage/PadTable.h"

#include "storage/DiaryFileSet.h"

namespace tavrin {

void PadTable::applyDefaults(const DiaryFileSet& files) {
    for (int pad = 0; pad < kPads; ++pad) {
        if (pad < DiaryFileSet::kPadFiles) {
            setTitle(pad, "Pad " + std::to_string(pad));
            setPath(pad, files.padPath(pad));
        } else {
            setTitle(pad, kNotSet);
            view().setFullText(kDescriptor * pad + kTitleWidth, kPathWidth,
                               std::string(kPathWidth, '*'));
        }
    }
}

} // namespace tavrin
