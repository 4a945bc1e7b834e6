// Arbitrary bytes as a diary's entry index and data files on disk: when "check" calls the
// diary clean, "export" and "show" of every entry must succeed on it.

#include "FuzzSupport.h"
#include "cli/Cli.h"
#include "cli/DiaryCheck.h"
#include "storage/Cp1252.h"
#include "storage/DiaryFileSet.h"
#include "storage/EntryRecord.h"
#include "storage/Scramble.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using namespace tavrin;
using tavrin::fuzz::require;

std::string diaryPath() {
    static const std::string path = [] {
        char dir[] = "/tmp/tavrin-check-fuzz-XXXXXX";
        if (!::mkdtemp(dir)) std::abort();
        static const std::string made = dir;
        std::atexit([] { std::filesystem::remove_all(made); });
        return made + "/Diary.tni";
    }();
    return path;
}

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

int run(const std::vector<std::string>& args, const std::string& password) {
    std::istringstream in;
    std::ostringstream out, err;
    cli::Cli tool(in, out, err, [&] { return std::optional<std::string>(password); });
    return tool.run(args);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t split = std::min<std::size_t>(size - 2, std::size_t(data[0] | data[1] << 8));
    const std::string bytes = tavrin::fuzz::bytes(data + 2, size - 2);
    const std::string path = diaryPath();
    const DiaryFileSet files(path);
    std::filesystem::create_directories(files.directory());
    put(path, bytes.substr(0, split));
    put(files.path(DiaryFileSet::kData), bytes.substr(split));

    if (!cli::DiaryCheck(path).run().empty()) return 0;
    const std::size_t entries = split / EntryRecord::kSize;
    std::string password;
    if (entries) {
        EntryRecord first;
        std::memcpy(first.data(), bytes.data(), EntryRecord::kSize);
        scramble::indexRecord(first);
        password = cp1252::toUtf8(first.password());
    }
    require(run({"export", path}, password) == cli::Cli::kOk);
    for (std::size_t n = 1; n <= entries; ++n)
        require(run({"show", path, std::to_string(n)}, password) == cli::Cli::kOk);
    return 0;
}
