// Voice notes: a recording stored with its entry is a GSM 6.10 wave file, scrambled, in the voice
// file; it reads back as the sound that was recorded, and other tools read it too.

#include "Diaries.h"
#include "storage/GsmVoice.h"
#include "storage/WaveFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/stat.h>

namespace tavrin::test {
namespace {

// `seconds` of a sine as unsigned 8-bit samples at 11025 Hz, the recording format.
std::vector<std::uint8_t> sine8(double hz, double seconds) {
    std::vector<std::uint8_t> s(std::size_t(seconds * GsmVoice::kRate));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = std::uint8_t(
            128 + std::lround(100 * std::sin(2 * M_PI * hz * double(i) / GsmVoice::kRate)));
    return s;
}

// Adds an entry at `when` whose recording is `wave` (written to a file first).
bool addWithRecording(TN& tn, std::int64_t when, const std::string& wave, const std::string& file) {
    writeFile(file, wave);
    tn.entry.clear();
    setSecrets(tn.entry);
    tn.entry.setDateTime(when);
    tn.entry.setVoiceFlag(1);
    tn.voiceSource = file;
    tn.voiceStored = false;
    return tn.AddEntrySorted();
}

std::string noteOf(const std::string& path, int index) {
    RecordingReporter rep;
    auto tn = openDiary(path, rep, nullptr, index);
    std::string wave;
    if (!tn->ReadIndexRecord() || !tn->ReadVoice(wave)) return "<none>" + rep.dump();
    return wave;
}

TEST(VoiceNotes, ARecordingReadsBackAsItsSoundAndSoxReadsTheExtractedFile) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni"), rec = dir.file("TNV300.tmp");
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    const auto recorded = sine8(440, 1.3);
    ASSERT_TRUE(addWithRecording(*tn, 100, WaveFile::pcm8(recorded, GsmVoice::kRate), rec))
        << rep.dump();
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
    EXPECT_FALSE(exists(rec)) << "the recording is deleted once stored";

    // Scrambled in the file, a GSM 6.10 wave file once unscrambled.
    const std::string stored = readFile(DiaryFileSet(path).path(DiaryFileSet::kVoice));
    std::string riff = "RIFF";
    for (char& c : riff)
        c = char(c ^ 0x3B);
    ASSERT_EQ(stored.substr(0, 4), riff);
    const std::string wave = noteOf(path, 0);
    ASSERT_EQ(wave.size(), stored.size());
    WaveImage image;
    VoiceError error;
    ASSERT_TRUE(WaveFile::parse(wave, image, error)) << error.text();
    EXPECT_EQ(image.format.tag, 49);
    EXPECT_EQ(image.format.blockAlign, 65);

    // Only the format and the sound: the chunks, in order, walked by hand.
    std::vector<std::string> chunks;
    for (std::size_t at = 12; at + 8 <= wave.size();) {
        chunks.push_back(wave.substr(at, 4));
        std::uint32_t size = 0;
        for (int i = 3; i >= 0; --i)
            size = size << 8 | std::uint8_t(wave[at + 4 + std::size_t(i)]);
        at += 8 + size + (size & 1);
    }
    EXPECT_EQ(chunks, (std::vector<std::string>{"fmt ", "data"}));

    // The last block is played whole: the recording and the silence that filled that block.
    std::vector<std::int16_t> decoded;
    ASSERT_TRUE(GsmVoice::decompress(wave, decoded, error)) << error.text();
    EXPECT_EQ(decoded.size() % GsmVoice::kBlockSamples, 0u);
    EXPECT_GE(decoded.size(), recorded.size());
    EXPECT_LT(decoded.size() - recorded.size(), std::size_t(GsmVoice::kBlockSamples));
    // A note that carries a sample count, as other programs write them, still ends there.
    const std::string factChunk =
        "fact" + Bytes(4).u32(0, 4).b + Bytes(4).u32(0, std::uint32_t(recorded.size())).b;
    std::string withFact = wave.substr(0, 12 + 8 + 20) + factChunk + wave.substr(12 + 8 + 20);
    withFact.replace(4, 4, Bytes(4).u32(0, std::uint32_t(withFact.size() - 8)).b);
    std::vector<std::int16_t> counted;
    ASSERT_TRUE(GsmVoice::decompress(withFact, counted, error)) << error.text();
    EXPECT_EQ(counted.size(), recorded.size());
    EXPECT_TRUE(std::equal(counted.begin(), counted.end(), decoded.begin()));

    // Another decoder reads the extracted file as the same sound (it counts whole blocks).
    auto t2 = openDiary(path, rep);
    ASSERT_TRUE(t2->ReadIndexRecord());
    const std::string extracted = dir.file("TNV-play.wav");
    ASSERT_TRUE(t2->ExtractVoice(extracted));
    EXPECT_EQ(t2->playingPath, extracted);
    if (std::system("command -v sox >/dev/null 2>&1") != 0) GTEST_SKIP() << "sox is missing";
    const std::string cmd = "sox -D -q '" + extracted + "' -t s16 -e signed -L - 2>/dev/null";
    FILE* p = ::popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::vector<std::int16_t> theirs(40000);
    const std::size_t got = std::fread(theirs.data(), 2, theirs.size(), p);
    EXPECT_EQ(::pclose(p), 0);
    theirs.resize(got);
    EXPECT_EQ(theirs, decoded);
}

// Recordings as they may come: the format chunk is read into 18 zeroed bytes, and what cannot be
// compressed is said by step, the entry being stored without a note.
TEST(VoiceNotes, RecordingsThatCannotBeCompressedAreReportedByStep) {
    auto pcm = [](std::uint32_t fmtSize, int bits) {
        const std::string sound(3000, char(0x90));
        Bytes fmt(fmtSize);
        fmt.u8(0, 1).u8(2, 1).u32(4, 11025).u32(8, 11025).u8(12, 1);
        if (fmtSize >= 16) fmt.u8(14, bits);
        std::string chunks = "fmt " + Bytes(4).u32(0, fmtSize).b + fmt.b + "data" +
                             Bytes(4).u32(0, std::uint32_t(sound.size())).b + sound;
        return "RIFF" + Bytes(4).u32(0, std::uint32_t(4 + chunks.size())).b + "WAVE" + chunks;
    };
    const struct {
        const char* name;
        std::string wave;
        const char* message; // empty: stored
    } cases[] = {
        {"standard 16-byte format chunk", pcm(16, 8), ""},
        {"18-byte format chunk", pcm(18, 8), ""},
        {"14 bytes: no bits per sample", pcm(14, 0),
         "Operation is not possible in acmFormatSuggest"},
        {"12 bits per sample", pcm(16, 12), "Operation is not possible in acmFormatSuggest"},
        {"no RIFF form", "RIFX" + pcm(16, 8).substr(4), "Unknown error type in mmioDescend"},
        {"data chunk missing", pcm(16, 8).substr(0, 36), "Unknown error type in mmioDescend"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.file("Diary.tni"), rec = dir.file("rec.wav");
        RecordingReporter rep;
        auto tn = openDiary(path, rep);
        ASSERT_TRUE(addWithRecording(*tn, 100, c.wave, rec)) << "the entry is stored all the same";
        const std::string note = noteOf(path, 0);
        if (*c.message == '\0') {
            EXPECT_TRUE(rep.reports.empty()) << rep.dump();
            EXPECT_EQ(note.substr(0, 4), "RIFF");
        } else {
            EXPECT_TRUE(rep.has(ReportKind::Voice, c.message)) << rep.dump();
            EXPECT_EQ(note.substr(0, 6), "<none>") << "no note points at nothing";
            EXPECT_TRUE(exists(rec)) << "the recording is kept";
        }
    }
}

TEST(VoiceNotes, NeighbouringNotesStayWhereTheyAreWhenEntriesGoOrAreEdited) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni");
    const std::string voicePath = DiaryFileSet(path).path(DiaryFileSet::kVoice);
    RecordingReporter rep;
    auto tn = openDiary(path, rep);
    ASSERT_TRUE(addWithRecording(*tn, 100, WaveFile::pcm8(sine8(300, 0.5), GsmVoice::kRate),
                                 dir.file("a.wav")));
    const EntryRecord first = tn->entry;
    ASSERT_TRUE(addWithRecording(*tn, 200, WaveFile::pcm8(sine8(600, 0.7), GsmVoice::kRate),
                                 dir.file("b.wav")));
    const EntryRecord second = tn->entry;
    EXPECT_EQ(second.voiceOffset(), first.voiceOffset() + first.voiceLength());
    const std::string noteA = noteOf(path, 0), noteB = noteOf(path, 1);
    const std::int64_t voiceSize = sizeOf(voicePath);

    // An edited entry keeps its note: nothing is compressed or appended again.
    auto edit = openDiary(path, rep, nullptr, 0);
    ASSERT_TRUE(edit->ReadEntry(true));
    edit->body = "edited";
    edit->voiceStored = true;
    ASSERT_TRUE(edit->AddEntrySorted(0)) << rep.dump();
    EXPECT_EQ(sizeOf(voicePath), voiceSize);
    EXPECT_EQ(noteOf(path, 0), noteA);

    // Deleting the second entry leaves the first note, and the file, as they were.
    ASSERT_TRUE(openDiary(path, rep)->DeleteEntry(1));
    EXPECT_EQ(noteOf(path, 0), noteA);
    EXPECT_EQ(sizeOf(voicePath), voiceSize);
    EXPECT_NE(noteA, noteB);
    EXPECT_TRUE(rep.reports.empty()) << rep.dump();
}

// The copy for playing is plaintext: a new file that only its owner can read, whatever lay at
// its name before; a link planted there is replaced, never written through.
TEST(VoiceNotes, TheCopyForPlayingIsANewPrivateFile) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni"), out = dir.file("TNV300.tmp");
    const std::string victim = dir.file("victim");
    RecordingReporter rep;
    ASSERT_TRUE(addWithRecording(*openDiary(path, rep), 100,
                                 WaveFile::pcm8(sine8(440, 0.2), GsmVoice::kRate),
                                 dir.file("rec.wav")))
        << rep.dump();
    const std::string note = noteOf(path, 0);
    const struct {
        const char* name;
        std::function<void()> plant;
    } cases[] = {
        {"a leftover open to others",
         [&] {
             writeFile(out, "left over");
             ::chmod(out.c_str(), 0644);
         }},
        {"a link to another file", [&] { std::filesystem::create_symlink(victim, out); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(out);
        writeFile(victim, "the user's own file");
        c.plant();
        auto tn = openDiary(path, rep);
        ASSERT_TRUE(tn->ReadIndexRecord());
        const mode_t umask = ::umask(022);
        EXPECT_TRUE(tn->ExtractVoice(out)) << rep.dump();
        ::umask(umask);
        struct stat st {};
        ASSERT_EQ(::lstat(out.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode, S_IFREG | 0600);
        EXPECT_EQ(readFile(out), note);
        EXPECT_EQ(readFile(victim), "the user's own file");
    }
}

TEST(VoiceNotes, EntriesWithoutANoteOrWithABadOneExtractNothing) {
    TempDir dir;
    const std::string path = dir.file("Diary.tni"), out = dir.file("TNV300.tmp");
    addEntries(path, {{100, "plain", "body", {}}});
    const struct {
        const char* name;
        int flag;
        std::uint32_t offset, length;
        int damaged;
    } cases[] = {{"no voice flag", 0, 0, 0, 0},
                 {"flag without bytes", 1, 0, 0, 1},
                 {"note past the end of the voice file", 1, 10, 4000, 1}};
    writeFile(DiaryFileSet(path).path(DiaryFileSet::kVoice), std::string(100, 'x'));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingReporter rep;
        auto tn = openDiary(path, rep);
        ASSERT_TRUE(tn->ReadIndexRecord());
        tn->entry.setVoiceFlag(std::uint8_t(c.flag));
        tn->entry.setVoice(c.offset, c.length);
        tn->playingPath = "stale";
        EXPECT_FALSE(tn->ExtractVoice(out));
        EXPECT_FALSE(exists(out));
        EXPECT_TRUE(tn->playingPath.empty());
        EXPECT_EQ(rep.count(ReportKind::Damaged), c.damaged) << rep.dump();
    }
}

} // namespace
} // namespace tavrin::test
