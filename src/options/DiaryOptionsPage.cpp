#include "options/DiaryOptionsPage.h"

namespace tavrin::options {

bool DiaryOptionsPage::onKillActive() {
    if (!validate()) return false;
    if (timesLeft_++ > 0) writeOnLeave();
    return true;
}

} // namespace tavrin::options
