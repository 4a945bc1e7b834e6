#include "formats/ExportFile.h"

#include "storage/FileSystem.h"
#include "storage/Reporter.h"

namespace tavrin::formats {

ExportFile::ExportFile(FileSystem& fs, Reporter& rep, const std::string& path)
    : rep_(rep), path_(path) {
    file_ = fs.open(path, OpenMode::CreateTrunc);
    if (!file_) fail(fs.lastError());
}

ExportFile::~ExportFile() = default;

void ExportFile::put(const std::string& s) {
    if (!ok_ || s.empty()) return;
    if (!file_->writeAt(at_, s.data(), std::int64_t(s.size()))) return fail(file_->error());
    at_ += std::int64_t(s.size());
}

bool ExportFile::finish() {
    if (ok_ && !file_->close()) fail(file_->error());
    return ok_;
}

void ExportFile::fail(int cause) {
    ok_ = false;
    rep_.report(ReportKind::FileError, messages::fileError(cause, path_));
}

} // namespace tavrin::formats
