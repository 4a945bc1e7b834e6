// What keeps a diary safe beyond single rewrites: the native file class, one writer at a time,
// kept file modes and owners, temporary files that nothing can hijack, and the repair of what an
// interrupted writer leaves behind.

#include "Diaries.h"
#include "organiser/logic/DiaryBackup.h"
#include "storage/DiaryIo.h"
#include "storage/FileBatch.h"
#include "storage/NativeFileSystem.h"
#include "storage/WaveFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::atomic<int> g_fsyncCalls{0};
} // namespace

// Every fsync of the program passes here, so that a test can tell that a sync really reached the
// operating system.
extern "C" int fsync(int fd) {
    static const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    ++g_fsyncCalls;
    return real(fd);
}

namespace tavrin::test {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

TEST(NativeFiles, OpenTruncateRefuseAndSync) {
    TempDir dir;
    NativeFileSystem native;
    const std::string file = dir.file("f"), link = dir.file("link"), fifo = dir.file("fifo");
    writeFile(file, "old contents");
    fs::create_symlink(file, link);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string path;
        OpenMode mode;
        int error; // 0: opens
    } cases[] = {
        {file, OpenMode::Read, 0},
        {dir.path().string(), OpenMode::Read, EISDIR},
        {dir.path().string(), OpenMode::ReadWrite, EISDIR},
        {fifo, OpenMode::Read, ENODEV}, // refused at once: a FIFO would block the open or the read
        {fifo, OpenMode::Create, ENODEV},
        {file, OpenMode::CreateNew, EEXIST},
        {link, OpenMode::CreateNew, EEXIST}, // never written through a link
        {dir.file("missing"), OpenMode::ReadWrite, ENOENT},
    };
    for (const auto& c : cases) {
        auto f = native.open(c.path, c.mode);
        EXPECT_EQ(f != nullptr, c.error == 0) << c.path;
        if (c.error) {
            EXPECT_EQ(native.lastError(), c.error) << c.path;
        }
    }
    EXPECT_NE(messages::fileError(ENODEV, fifo).find(fifo + " is not a regular file"),
              std::string::npos);

    auto f = native.open(file, OpenMode::CreateTrunc);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->size(), 0) << "create-and-truncate must empty the file";
    ASSERT_TRUE(f->writeAt(0, "abc", 3));
    const int before = g_fsyncCalls;
    EXPECT_TRUE(f->sync());
    EXPECT_EQ(g_fsyncCalls - before, 1);
    EXPECT_TRUE(f->close());
    EXPECT_EQ(readFile(file), "abc");
    EXPECT_EQ(readFile(link), "abc");

    // A read that fails is an error, not the end of the file (the process's own memory at an
    // address that is not mapped cannot be read).
    auto mem = native.open("/proc/self/mem", OpenMode::Read);
    ASSERT_TRUE(mem);
    char buf[16];
    EXPECT_EQ(mem->readAt(0, buf, sizeof buf), -1);
    EXPECT_EQ(mem->error(), EIO);

    // Listing a folder keeps no descriptor: the lowest free one is the same before and after.
    const int lowest = ::dup(0);
    ::close(lowest);
    EXPECT_EQ(native.list(dir.path().string()).size(), 3u); // f, link, fifo
    const int after = ::dup(0);
    ::close(after);
    EXPECT_EQ(after, lowest);
}

// Each write as the program and tavrin-cli do it; a lock held by another open of the lock file
// stands for another program.
struct Write {
    const char* name;
    std::function<bool(TN&)> op;
};
const Write kWrites[] = {
    {"AddEntry",
     [](TN& t) {
         return addEntry(t, {50, "x", "body", {}});
     }},
    {"AddEntries",
     [](TN& t) {
         std::vector<NewEntry> e(1);
         setSecrets(e[0].record);
         e[0].record.setDateTime(5);
         return t.AddEntries(e);
     }},
    {"DeleteEntry", [](TN& t) { return t.DeleteEntry(0); }},
    {"reminders.Add", [](TN& t) { return t.reminders.Add(); }},
    {"WriteConfiguration", [](TN& t) { return t.ReadConfiguration() && t.WriteConfiguration(); }},
    {"DiaryBackup",
     [](TN& t) {
         const std::string dest = DiaryIo::directoryOf(t.files().indexPath()) + "/backup";
         fs::create_directories(dest);
         return organiser::DiaryBackup(t.files().indexPath(), t.io().reporter()).run(dest).ok();
     }},
};

TEST(WriteLock, OneWriterAtATime) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni");
    addEntries(path, {{10, "a", "one", {}}, {20, "b", "two", {}}, {30, "c", "three", {}}});
    const std::string lockPath = DiaryFileSet(path).lockPath();
    const auto savedWait = DiaryIo::lockWait();
    DiaryIo::setLockWait(std::chrono::milliseconds(0));

    int other = ::open(lockPath.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    const std::string before = entriesState(path) + readFile(DiaryFileSet(path).path('c'));
    for (const auto& w : kWrites) {
        RecordingReporter rep;
        EXPECT_FALSE(w.op(*openDiary(path, rep))) << w.name;
        EXPECT_TRUE(rep.has(ReportKind::FileError, messages::kDiaryInUse)) << w.name << rep.dump();
    }
    EXPECT_EQ(entriesState(path) + readFile(DiaryFileSet(path).path('c')), before);
    ::close(other);

    // Held across several writes by one caller, the lock is shared by the writes inside; between
    // operations nobody holds it, so that another program can write beside an idle window.
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    {
        auto held = tn->LockForWriting();
        ASSERT_TRUE(held);
        for (const auto& w : kWrites)
            EXPECT_TRUE(w.op(*tn)) << w.name << rep.dump();
    }
    for (const auto& w : kWrites) {
        EXPECT_TRUE(w.op(*tn)) << w.name << rep.dump();
        int probe = ::open(lockPath.c_str(), O_RDWR);
        EXPECT_EQ(::flock(probe, LOCK_EX | LOCK_NB), 0) << w.name << " kept the lock";
        ::close(probe);
    }
    DiaryIo::setLockWait(savedWait);
}

TEST(FileModes, RewritesKeepModeAndOwnerNewDiariesArePrivate) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni");
    const mode_t oldMask = ::umask(022);
    addEntries(path, {{30, "b", "late", {}}, {10, "a", "early", {}}});
    DiaryFileSet files(path);
    EXPECT_EQ(modeOf(path) & 07777, 0600u);
    EXPECT_EQ(modeOf(files.path('d')) & 07777, 0600u);
    EXPECT_EQ(modeOf(files.directory()) & 07777, 0700u);
    ::umask(oldMask);

    struct Case {
        mode_t mode;
        std::string file;
        std::function<bool(TN&)> op;
    } cases[] = {
        {0600, path, [](TN& t) { return t.SortEntries(); }},
        {0640, path, [](TN& t) { return t.DeleteEntry(0); }},
        {0604, files.path('a'),
         [](TN& t) {
             t.contacts.record.setName("Zed");
             return t.contacts.AddSorted();
         }},
        {0660, files.path('c'),
         [](TN& t) { return t.ReadConfiguration() && t.WriteConfiguration(); }},
    };
    {
        RecordingReporter rep;
        auto tn = openDiary(path, rep);
        tn->contacts.record.setName("Ann");
        ASSERT_TRUE(tn->contacts.Add() && tn->ReadConfiguration()) << rep.dump();
    }
    const bool root = ::geteuid() == 0;
    for (auto& c : cases) {
        RecordingReporter rep;
        auto tn = openDiary(path, rep);
        ASSERT_EQ(::chmod(c.file.c_str(), c.mode), 0);
        if (root) {
            ASSERT_EQ(::chown(c.file.c_str(), 4321, 4322), 0);
        }
        ASSERT_TRUE(c.op(*tn)) << c.file << rep.dump();
        struct stat st {};
        ASSERT_EQ(::lstat(c.file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode) << c.file;
        if (root) {
            EXPECT_EQ(std::make_pair(st.st_uid, st.st_gid),
                      std::make_pair(uid_t(4321), gid_t(4322)))
                << c.file;
        }
    }
}

TEST(TempFiles, PlantedLinksAreNotFollowedAndStraysGo) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni");
    addEntries(path, {{30, "b", "late", {}}, {10, "a", "early", {}}});
    DiaryFileSet files(path);
    const std::string victim = dir.file("victim");
    writeFile(victim, "precious");
    fs::create_symlink(victim, path + ".tmp"); // the fixed name that earlier versions wrote through
    const std::vector<std::string> strays = {path + ".tmp-Ab12Cd",
                                             files.directory() + "/Diary.tnc.tmp-Zz99yy",
                                             files.directory() + "/Diary.tnr.tmp"};
    const std::vector<std::string> others = {
        dir.file("Other.tni.tmp-Ab12Cd"), files.directory() + "/Diary.tnc.tmp-toolong7",
        files.directory() + "/Diary.tnc.tmp-Ab!2Cd", files.directory() + "/notes"};
    for (const auto& s : strays)
        writeFile(s, "left by a crash");
    for (const auto& o : others)
        writeFile(o, "not ours");

    RecordingReporter rep;
    ASSERT_TRUE(openDiary(path, rep)->SortEntries()) << rep.dump();
    EXPECT_EQ(readFile(victim), "precious");
    EXPECT_TRUE(S_ISREG(modeOf(path))) << "the index became a link";
    EXPECT_FALSE(fs::exists(fs::symlink_status(path + ".tmp")));
    for (const auto& s : strays)
        EXPECT_FALSE(exists(s)) << s;
    for (const auto& o : others)
        EXPECT_TRUE(exists(o)) << o;
    EXPECT_EQ(entriesState(path).substr(0, 2), "0:");
}

// A link planted in place of a file of the diary, or of its backup's folder, is refused with
// the file-error text: nothing is read, written or created through it.
TEST(PlantedLinks, NoOpenAndNoBackupFollowsOne) {
    enum class Target { File, Nothing, Folder };
    struct Case {
        const char* name;
        std::string link; // below the test's folder
        Target target;
        std::function<bool(TN&)> op;
    };
    const Case cases[] = {
        {"add", "Diary/Diary.tnd", Target::File,
         [](TN& t) {
             return addEntry(t, {50, "x", "body", {}});
         }},
        {"passwd", "Diary/Diary.tnd", Target::File, [](TN& t) { return t.ReKey("n3w;Passp"); }},
        {"read configuration", "Diary/Diary.tnc", Target::File,
         [](TN& t) { return t.ReadConfiguration(); }},
        {"voice note", "Diary/Diary.tnv", Target::Nothing,
         [](TN& t) {
             const std::string recording = DiaryIo::directoryOf(t.files().indexPath()) + "/rec.wav";
             writeFile(recording, WaveFile::pcm8(std::vector<std::uint8_t>(4000, 200), 11025));
             t.entry.clear();
             setSecrets(t.entry);
             t.entry.setVoiceFlag(1);
             t.voiceSource = recording;
             t.voiceStored = false;
             return t.AddEntrySorted();
         }},
        {"backup", "usb/Diary", Target::Folder,
         [](TN& t) {
             const std::string dir = DiaryIo::directoryOf(t.files().indexPath());
             return organiser::DiaryBackup(t.files().indexPath(), t.io().reporter())
                 .run(dir + "/usb")
                 .ok();
         }},
    };
    const std::string precious(4000, 'p'); // longer than any block: reading it would do
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("Diary.tni"), link = dir.file(c.link);
        const std::string victim = dir.file("victim");
        addEntries(path, {{10, "a", "one", {}}});
        fs::create_directories(fs::path(link).parent_path());
        fs::remove(link);
        if (c.target == Target::File) writeFile(victim, precious);
        if (c.target == Target::Folder) fs::create_directory(victim);
        fs::create_symlink(victim, link);

        RecordingReporter rep;
        EXPECT_FALSE(c.op(*openDiary(path, rep)));
        EXPECT_NE(rep.dump().find("is a symbolic link where a file was expected"),
                  std::string::npos)
            << rep.dump();
        if (c.target == Target::File) {
            EXPECT_EQ(readFile(victim), precious);
        }
        if (c.target == Target::Nothing) {
            EXPECT_FALSE(fs::exists(fs::symlink_status(victim)));
        }
        if (c.target == Target::Folder) {
            EXPECT_TRUE(fs::is_empty(victim));
        }
        EXPECT_TRUE(fs::is_symlink(link));
    }
}

TEST(Repair, CutsUnusedBytesAndRemovesTemporaryFiles) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni");
    addEntries(path, {{10, "a", "one", {"", "two"}}, {20, "b", "three", {}}});
    DiaryFileSet files(path);
    const std::string entries = entriesState(path);
    const std::int64_t dataSize = sizeOf(files.path('d'));
    writeFile(files.path('d'), readFile(files.path('d')) + "orphaned texts");
    writeFile(path, readFile(path) + std::string(100, 'p')); // a partial record
    writeFile(files.directory() + "/Diary.tnd.tmp-Q1w2E3", "x");

    RecordingReporter rep;
    std::vector<std::string> done;
    ASSERT_TRUE(openDiary(path, rep)->Repair(done)) << rep.dump();
    EXPECT_EQ(done,
              (std::vector<std::string>{
                  "Removed the temporary file " + files.directory() + "/Diary.tnd.tmp-Q1w2E3.",
                  "Cut 100 bytes of a partial record from the end of " + path + ".",
                  "Cut 14 bytes that no entry uses from the end of " + files.path('d') + "."}));
    EXPECT_EQ(sizeOf(files.path('d')), dataSize);
    EXPECT_EQ(entriesState(path), entries);
    done.clear();
    ASSERT_TRUE(openDiary(path, rep)->Repair(done));
    EXPECT_TRUE(done.empty());

    // Without an index every text looks unused; they are kept, not thrown away.
    ASSERT_EQ(::unlink(path.c_str()), 0);
    ASSERT_TRUE(openDiary(path, rep)->Repair(done));
    EXPECT_TRUE(done.empty());
    EXPECT_EQ(sizeOf(files.path('d')), dataSize);

    // Staged files without a journal are an attempt that never took effect: they go, and a file
    // of the user's with a name alike stays.
    const std::string dirPath = files.directory();
    for (const char* n : {"/Diary.tnd.staged", "/Diary.tnr.staged", "/Diary.tnrr.staged"})
        writeFile(dirPath + n, "x");
    EXPECT_TRUE(FileBatch::settle(openDiary(path, rep)->io())) << rep.dump();
    EXPECT_FALSE(exists(dirPath + "/Diary.tnd.staged"));
    EXPECT_FALSE(exists(dirPath + "/Diary.tnr.staged"));
    EXPECT_TRUE(exists(dirPath + "/Diary.tnrr.staged"));
}

TEST(SilentCorners, DeletingTheOnlyEntryWhoseDataFileIsGone) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni");
    addEntries(path, {{10, "a", "one", {}}});
    ASSERT_EQ(::unlink(DiaryFileSet(path).path('d').c_str()), 0);
    RecordingReporter rep;
    EXPECT_TRUE(openDiary(path, rep)->DeleteEntry(0));
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
    EXPECT_FALSE(exists(path));
}

} // namespace
} // namespace tavrin::test
