// The private folder for plaintext that is needed for a moment, and the new files made in it:
// ours alone or none at all, and never written through anything planted under its names.

#include "storage/PrivateFiles.h"
#include "ScopedEnv.h"
#include "StorageTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin::test {
namespace {

namespace fs = std::filesystem;

mode_t lmode(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

TEST(PrivateFiles, TheFolderIsOursAloneOrThereIsNone) {
    TempDir scratch;
    const std::string runtime = scratch.file("runtime"), temp = scratch.file("tmp"),
                      elsewhere = scratch.file("elsewhere");
    const std::string fallback = temp + "/tavrin-" + std::to_string(::geteuid());
    auto folderOf = [](const std::string& p, mode_t mode) {
        fs::create_directories(p);
        ::chmod(p.c_str(), mode);
    };
    const struct {
        const char* name;
        mode_t runtimeMode; // 0: no XDG_RUNTIME_DIR
        std::function<void()> plant;
        std::string expected; // empty: refused
    } cases[] = {
        {"in the session's folder", 0700, {}, runtime + "/tavrin"},
        {"no session folder", 0, {}, fallback},
        {"a session folder open to others", 0755, {}, fallback},
        {"ours already", 0, [&] { folderOf(fallback, 0700); }, fallback},
        {"a link planted at the name", 0,
         [&] {
             folderOf(elsewhere, 0700);
             fs::create_directory_symlink(elsewhere, fallback);
         },
         ""},
        {"open to others", 0, [&] { folderOf(fallback, 0755); }, ""},
        {"a file at the name, closed to others", 0,
         [&] {
             writeFile(fallback, "x");
             ::chmod(fallback.c_str(), 0700);
         },
         ""},
        {"another user's", 0,
         [&] {
             folderOf(fallback, 0700);
             if (::geteuid() == 0) (void)!::chown(fallback.c_str(), 65534, 65534);
         },
         ::geteuid() == 0 ? "" : fallback},
    };
    ScopedEnv xdg("XDG_RUNTIME_DIR", nullptr), tmp("TMPDIR", temp.c_str());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& p : {runtime, temp, elsewhere})
            fs::remove_all(p);
        fs::create_directories(temp);
        if (c.runtimeMode) folderOf(runtime, c.runtimeMode);
        xdg.set(c.runtimeMode ? runtime.c_str() : nullptr);
        if (c.plant) c.plant();

        const mode_t umask = ::umask(0277); // takes the owner's writing away from new folders
        std::string why;
        const std::string got = PrivateFiles::folder(why);
        ::umask(umask);
        EXPECT_EQ(got, c.expected);
        if (got.empty())
            EXPECT_NE(why.find(fallback), std::string::npos) << why;
        else
            EXPECT_EQ(lmode(got), S_IFDIR | 0700);
    }
}

TEST(PrivateFiles, ANewFileReplacesWhatLayAtItsName) {
    TempDir dir;
    const std::string path = dir.file("TNV300.tmp"), victim = dir.file("victim");
    const struct {
        const char* name;
        std::function<void()> plant;
    } cases[] = {
        {"nothing", [] {}},
        {"a leftover open to others",
         [&] {
             writeFile(path, "left over from a run that was killed");
             ::chmod(path.c_str(), 0644);
         }},
        {"a link to another file", [&] { fs::create_symlink(victim, path); }},
        {"a dangling link", [&] { fs::create_symlink(dir.file("nowhere"), path); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(path);
        writeFile(victim, "the user's own file");
        c.plant();
        const mode_t umask = ::umask(022);
        int error = 0;
        EXPECT_TRUE(PrivateFiles::writeNew(path, "plaintext", error)) << std::strerror(error);
        ::umask(umask);
        EXPECT_EQ(lmode(path), S_IFREG | 0600);
        EXPECT_EQ(readFile(path), "plaintext");
        EXPECT_EQ(readFile(victim), "the user's own file");
        EXPECT_FALSE(exists(dir.file("nowhere")));
    }
}

} // namespace
} // namespace tavrin::test
