#include "diary/DiaryModule.h"

#include "diary/CTavrinDlgDiary.h"

namespace tavrin::diary {

QWidget* DiaryModule::createPage(app::Page page, QWidget* parent) {
    return page == app::Page::Diary ? new CTavrinDlgDiary(parent) : nullptr;
}

} // namespace tavrin::diary
