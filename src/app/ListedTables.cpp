#include "app/ListedTables.h"

#include "app/DiaryState.h"
#include "platform/MessageBox.h"
#include "storage/DiaryFileSet.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tavrin::app {

ListedTables::ListedTables(std::initializer_list<char> letters) : letters_(letters) {}

std::vector<FileStamp> ListedTables::stampsNow() const {
    std::vector<FileStamp> stamps;
    const DiaryFileSet files(DiaryState::instance().path().toStdString());
    for (char letter : letters_)
        stamps.push_back(FileStamp::of(files.path(letter)));
    return stamps;
}

void ListedTables::remember() {
    path_ = DiaryState::instance().path();
    stamps_ = path_.isEmpty() ? std::vector<FileStamp>{} : stampsNow();
}

bool ListedTables::changed() const {
    const auto& state = DiaryState::instance();
    if (!state.hasPath()) return false;
    return state.path() != path_ || stampsNow() != stamps_;
}

bool ListedTables::current(QWidget* parent, const std::function<void()>& refill) {
    if (!changed()) return true;
    platform::MessageBox::warning(kChangedElsewhere, parent);
    refill();
    return false;
}

bool ListedTables::currentLater(QWidget* parent, std::function<void()> refill) {
    if (!changed()) return true;
    QTimer::singleShot(0, parent, [this, page = QPointer<QWidget>(parent), refill] {
        if (page) current(page, refill);
    });
    return false;
}

} // namespace tavrin::app
