// Names of a diary's files and the directory that constructing a TN creates.

#include "Diaries.h"

#include <gtest/gtest.h>

namespace tavrin::test {

TEST(DiaryFileSet, OnlyTheExtensionIsRemovedFromNamesEndingInTableLetters) {
    TempDir dir;
    for (const std::string name : {"Notes", "Records", "Dad", "Hi"}) {
        const std::string path = dir.file(name + ".tni");
        RecordingReporter rep;
        auto tn = openDiary(path, rep);
        const DiaryFileSet& f = tn->files();
        const std::string folder = dir.file(name);
        EXPECT_EQ(f.indexPath(), path);
        EXPECT_EQ(f.directory(), folder);
        EXPECT_EQ(f.name(), name);
        EXPECT_EQ(f.bareIndexName(), name + ".tni");
        EXPECT_EQ(f.path(DiaryFileSet::kData), folder + "/" + name + ".tnd");
        EXPECT_EQ(f.path(DiaryFileSet::kConfig), folder + "/" + name + ".tnc");
        EXPECT_EQ(f.bare(DiaryFileSet::kReminders), name + ".tnr");
        EXPECT_EQ(f.padPath(0), folder + "/" + name + ".tn0");
        EXPECT_EQ(f.padBare(4), name + ".tn4");
        EXPECT_EQ(tn->reminders.path(), folder + "/" + name + ".tnr");
        EXPECT_EQ(tn->tempIngredients.path(), folder + "/" + name + ".tnx");
        EXPECT_EQ(tn->medication.path(), folder + "/" + name + ".tnm");
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << "constructing creates the directory";
        EXPECT_TRUE(rep.reports.empty()) << rep.dump();
    }
}

TEST(DiaryFileSet, ConstructionCreatesTheDirectoryOnceAndWritesNothing) {
    TempDir dir;
    RecordingReporter rep;
    const std::string path = dir.file("Travel.tni");
    openDiary(path, rep);
    auto again = openDiary(path, rep); // an existing directory is no error
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Travel")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("Travel")));
    EXPECT_FALSE(exists(path));
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
}

TEST(DiaryFileSet, ExtensionOffsetIgnoresDotsInFolders) {
    EXPECT_EQ(DiaryFileSet::extensionOffset("/home/a.b/Travel.tni"), 17);
    EXPECT_EQ(DiaryFileSet::extensionOffset("/home/a.b/Travel"), 0);
    EXPECT_EQ(DiaryFileSet::extensionOffset("/home/a/.tni"), 0);
    DiaryFileSet f("/home/a.b/Travel.tni");
    EXPECT_EQ(f.directory(), "/home/a.b/Travel");
    EXPECT_EQ(f.path('v'), "/home/a.b/Travel/Travel.tnv");
}

} // namespace tavrin::test
