#include "cli/Session.h"

#include "formats/JsonReader.h"

#include "cli/CommandHelp.h"
#include "cli/StreamReporter.h"
#include "storage/Cp1252.h"
#include "storage/DiaryFileSet.h"
#include "storage/FileSystem.h"
#include "storage/LocalTime.h"
#include "storage/ProgramTexts.h"
#include "storage/Scramble.h"
#include "storage/TN.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <iostream>

namespace tavrin::cli {

int Session::misused(const std::string& why) {
    err_ << "tavrin-cli: " << why << '\n' << CommandHelp::commandUsage(command_);
    return kUsage;
}

int Session::badValue(const std::string& option) {
    const Option* o = command_.option(option);
    return misused(option + " takes " + (o ? o->takes : "a value"));
}

bool Session::readPrefix(const std::string& path, void* out, std::int64_t n, int& cause) {
    FileSystem& fs = FileSystem::native();
    cause = 0;
    auto f = fs.open(path, OpenMode::Read);
    if (!f) {
        cause = fs.lastError();
        return false;
    }
    std::int64_t got = f->readAt(0, out, n);
    if (got < 0) cause = f->error();
    return got == n;
}

int Session::admit(const std::string& path) {
    EntryRecord first;
    int cause;
    if (!readPrefix(path, first.data(), EntryRecord::kSize, cause)) {
        if (cause == 0 || cause == ENOENT) return kOk; // no entry yet
        err_ << messages::fileError(cause, path) << '\n';
        return kFailed;
    }
    if (first.version() != 1) {
        err_ << messages::wrongVersion() << '\n';
        return kFailed;
    }
    scramble::indexRecord(first);
    if (!typed_) typed_ = password_();
    const auto& typed = *typed_;
    if (!typed) {
        err_ << "tavrin-cli: no password: set TAVRIN_PASSWORD or run the tool on a terminal\n";
        return kUsage;
    }
    if (cp1252::fromUtf8(*typed) != first.password()) {
        err_ << texts::kInvalidPassword << '\n';
        return kWrongPassword;
    }
    return kOk;
}

int Session::writeLocked(const std::string& path, const std::function<int(TN&)>& write) {
    if (int s = admit(path)) return s; // asked before the lock, so no writer waits on a typist
    StreamReporter rep(err_);
    TN tn(0, path, DiaryFileSet::extensionOffset(path), &rep);
    auto lock = tn.LockForWriting();
    if (!lock) return kFailed;         // reported
    if (int s = admit(path)) return s; // the diary may have been re-keyed meanwhile
    return write(tn);
}

bool Session::readObjects(std::vector<Json>& objects, const char* what) {
    if (std::string why; !formats::JsonReader::parseObjects(in_, objects, why)) {
        err_ << "tavrin-cli: standard input is " << why << '\n';
        return false;
    }
    if (objects.empty()) {
        err_ << "tavrin-cli: no " << what << " to add\n";
        return false;
    }
    return true;
}

long Session::entryArgument(const std::string& text) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 1 || n > INT32_MAX) {
        misused("the entry number is a whole number from 1");
        return 0;
    }
    return n;
}

std::unique_ptr<TN> Session::openEntry(const std::string& path, long n, Reporter& rep, bool texts) {
    auto tn = std::make_unique<TN>(int(n - 1), path, DiaryFileSet::extensionOffset(path), &rep);
    if (texts ? tn->ReadEntry(true) : tn->ReadIndexRecord()) return tn;
    if (n > tn->entryCount)
        err_ << "tavrin-cli: the diary holds " << tn->entryCount << " entries\n";
    return nullptr;
}

std::string Session::entryLine(int position, const EntryRecord& r) {
    std::string types;
    for (int t = 0; t < EntryRecord::kTypeTexts; ++t)
        types += r.typeLength(t) ? char('1' + t) : '-';
    return std::to_string(position) + '\t' + LocalTime::iso(r.dateTime()) + '\t' +
           (r.voiceFlag() == 1 ? "voice" : "-") + '\t' + types + '\t' +
           cp1252::toUtf8(r.description()) + '\n';
}

} // namespace tavrin::cli
