#include "storage/FileSystem.h"

#include <cerrno>
#include <random>

namespace tavrin {

std::string FileSystem::tempNameFor(const std::string& target) {
    static const char kAlphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 rng{std::random_device{}()};
    std::string name = target + kTempMarker;
    for (int i = 0; i < kTempSuffix; ++i)
        name += kAlphabet[rng() % (sizeof kAlphabet - 1)];
    return name;
}

bool FileSystem::isTempOf(const std::string& name, const std::string& target) {
    const std::string stem = target + kTempMarker;
    if (name == target + ".tmp") return true; // the fixed name of earlier versions
    if (name.size() != stem.size() + kTempSuffix || name.compare(0, stem.size(), stem) != 0)
        return false;
    for (std::size_t i = stem.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

std::unique_ptr<File> FileSystem::createTemp(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = tempNameFor(target);
        if (auto f = open(tempPath, OpenMode::CreateNew)) return f;
        if (err_ != EEXIST) return nullptr;
    }
    return nullptr;
}

std::vector<std::string> FileSystem::list(const std::string&) {
    return {};
}

std::unique_ptr<FileLock> FileSystem::lockExclusive(const std::string&, std::chrono::milliseconds) {
    return std::make_unique<FileLock>();
}

} // namespace tavrin
