#include "DiaryModule.h"

#include "CTavrinDlgDiary.h"
#include "ModulePages.h"

namespace tavrin::diary {

void registerDiaryModule() {
    app::ModulePages::registerFactory(1,
                                      [](QWidget* parent) { return new CTavrinDlgDiary(parent); });
}

} // namespace tavrin::diary
