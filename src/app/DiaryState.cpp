#include "app/DiaryState.h"

#include "storage/Cp1252.h"
#include "storage/PainKinds.h"
#include "storage/TN.h"

#include <QFileInfo>

namespace tavrin::app {

DiaryState& DiaryState::instance() {
    static DiaryState state;
    return state;
}

DiaryState::DiaryState() {
    resetPainKinds();
}

QString DiaryState::name() const {
    return QFileInfo(path_).completeBaseName();
}

void DiaryState::choose(const QString& path, int extOffset) {
    path_ = path;
    extOffset_ = extOffset;
    emit changed();
}

void DiaryState::setOpen(bool open) {
    open_ = open;
    emit changed();
}

void DiaryState::setEmptyDiary(bool empty) {
    empty_ = empty;
    emit changed();
}

void DiaryState::close() {
    path_.clear();
    extOffset_ = 0;
    open_ = false;
    emit changed();
}

std::unique_ptr<TN> DiaryState::makeTN(int index) const {
    return std::make_unique<TN>(index, path_.toStdString(), extOffset_);
}

void DiaryState::reloadShortcuts() {
    shortcuts_.clear();
    if (!hasPath()) return;
    auto tn = makeTN();
    if (!tn->ReadConfiguration()) return;
    for (int i = 0; i < DiaryConfig::kShortcuts; ++i)
        shortcuts_ << QString::fromStdString(cp1252::toUtf8(tn->config.shortcut(i)));
}

void DiaryState::resetPainKinds() {
    painKinds_.clear();
    for (int v = 1; v < PainKinds::kCount; ++v)
        painKinds_ << QString::fromLatin1(PainKinds::name(v));
}

bool DiaryState::takeEntriesChanged() {
    bool was = entriesChanged_;
    entriesChanged_ = false;
    return was;
}

} // namespace tavrin::app
