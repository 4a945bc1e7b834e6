// tavrin-cli attach-voice and voice: any PCM wave file in, a standard one out, sounding alike.

#include "CliFixture.h"
#include "ScopedEnv.h"
#include "storage/DiaryFileSet.h"
#include "storage/TN.h"
#include "storage/WaveFile.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>

namespace tavrin::cli::test {
namespace {

// `seconds` of a 440 Hz sine as 16-bit PCM at `rate` with `channels` channels, built by hand.
std::string sineWave(std::uint32_t rate, int channels, double seconds) {
    std::string data;
    const auto frames = std::size_t(seconds * rate);
    for (std::size_t i = 0; i < frames; ++i) {
        const auto v =
            std::int16_t(std::lround(12000 * std::sin(2 * M_PI * 440 * double(i) / rate)));
        for (int c = 0; c < channels; ++c) {
            data += char(v & 0xFF);
            data += char((v >> 8) & 0xFF);
        }
    }
    auto le = [](std::uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += char((v >> (8 * i)) & 0xFF);
        return s;
    };
    const std::string fmt = le(1, 2) + le(std::uint32_t(channels), 2) + le(rate, 4) +
                            le(rate * 2 * std::uint32_t(channels), 4) +
                            le(2 * std::uint32_t(channels), 2) + le(16, 2);
    const std::string chunks =
        "fmt " + le(16, 4) + fmt + "data" + le(std::uint32_t(data.size()), 4) + data;
    return "RIFF" + le(std::uint32_t(4 + chunks.size()), 4) + "WAVE" + chunks;
}

double frequency(const std::vector<std::int16_t>& s, std::uint32_t rate) {
    std::vector<std::size_t> up;
    for (std::size_t i = 1; i < s.size(); ++i)
        if (s[i - 1] < 0 && s[i] >= 0) up.push_back(i);
    if (up.size() < 2) return 0;
    return double(up.size() - 1) * rate / double(up.back() - up.front());
}

class VoiceCommandsTest : public CliFixture {
protected:
    void makeDiary() {
        auto r =
            run({"add", diary}, "[{" + newDiary() +
                                    R"("dateTime": "2026-01-05T08:00:00", "description": "A"},)" +
                                    R"({"dateTime": "2026-01-06T08:00:00", "description": "B"}])");
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
    }
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string p = (dir / name).string();
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    std::string read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_F(VoiceCommandsTest, ASineAttachedAndReadBackKeepsItsPitchAndLength) {
    makeDiary();
    const struct {
        std::uint32_t rate;
        int channels;
    } inputs[] = {{44100, 2}, {11025, 1}, {8000, 1}};
    for (const auto& in : inputs) {
        SCOPED_TRACE(std::to_string(in.rate) + " Hz, " + std::to_string(in.channels) + " ch");
        const double seconds = 1.5;
        const std::string src = write("in.wav", sineWave(in.rate, in.channels, seconds));
        auto r = run({"attach-voice", diary, "2", src});
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        EXPECT_NE(r.out.find("to entry 2"), std::string::npos) << r.out;

        const std::string out = (dir / "out.wav").string();
        r = run({"voice", diary, "2", out});
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        const std::string bytes = read(out);
        WaveImage wave;
        VoiceError error;
        ASSERT_TRUE(WaveFile::parse(bytes, wave, error)) << error.text();
        EXPECT_EQ(wave.format.tag, WaveFormat::kPcm);
        EXPECT_EQ(wave.format.bitsPerSample, 16);
        EXPECT_EQ(wave.format.channels, 1);
        EXPECT_EQ(wave.format.rate, 11025u);
        std::vector<std::int16_t> s;
        ASSERT_TRUE(WaveFile::monoSamples(wave, s));
        EXPECT_NEAR(double(s.size()), seconds * 11025, 320);
        EXPECT_NEAR(frequency(s, 11025), 440.0, 440 * 0.02);
    }
    // The entry kept everything else, and only it has a note.
    auto r = run({"list", diary});
    EXPECT_EQ(r.out, "1\t2026-01-05T08:00:00\t-\t-----\tA\n"
                     "2\t2026-01-06T08:00:00\tvoice\t-----\tB\n");
}

TEST_F(VoiceCommandsTest, WhatCannotBeDoneIsRefusedAndChangesNothing) {
    makeDiary();
    const std::string voiceFile = DiaryFileSet(diary).path(DiaryFileSet::kVoice);
    const std::string good = write("good.wav", sineWave(11025, 1, 0.2));
    const std::string text = write("notes.txt", "no sound here");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{"voice", diary, "1", (dir / "x.wav").string()}, Cli::kFailed, "has no voice note"},
        {{"attach-voice", diary, "3", good}, Cli::kFailed, "holds 2 entries"},
        {{"attach-voice", diary, "0", good}, Cli::kUsage, "whole number"},
        {{"attach-voice", diary, "1", text}, Cli::kUsage, "no mono or stereo PCM wave"},
        {{"attach-voice", diary, "1", (dir / "missing.wav").string()}, Cli::kUsage, "is no file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[2] + " " + c.args[3]);
        auto r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(voiceFile));
        EXPECT_FALSE(std::filesystem::exists(dir / "x.wav"));
    }
}

// A rate the resampler cannot take is refused, naming the file, before anything is allocated
// for it (at 1 Hz a few megabytes of samples once asked for 11025 floats each); the lowest and
// highest it takes make notes of the file's length, and a note may not outgrow the longest.
TEST_F(VoiceCommandsTest, RatesBeyondTheResamplersReachAreRefusedByName) {
    makeDiary();
    const std::string voiceFile = DiaryFileSet(diary).path(DiaryFileSet::kVoice);
    const struct {
        std::uint32_t rate;
        double seconds;
        const char* says; // empty: attached
    } cases[] = {
        {1, 100, "has a sample rate of 1 Hz"},
        {43, 1, "has a sample rate of 43 Hz"},
        {44, 1, ""},
        {2822400, 0.02, ""},
        {2822401, 0.02, "has a sample rate of 2822401 Hz"},
        {44, 12200, "is longer than a voice note can be"}, // 134.5 million samples at 11025 Hz
    };
    auto voiceBytes = [&] { return read(voiceFile).size(); };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.rate) + " Hz");
        const std::string src = write("rate.wav", sineWave(c.rate, 1, c.seconds));
        const std::size_t before = voiceBytes();
        auto r = run({"attach-voice", diary, "1", src});
        if (*c.says) {
            EXPECT_EQ(r.status, Cli::kUsage);
            EXPECT_NE(r.err.find(src + " " + c.says), std::string::npos) << r.err;
            EXPECT_EQ(voiceBytes(), before);
            continue;
        }
        ASSERT_EQ(r.status, Cli::kOk) << r.err;
        char secs[64];
        std::snprintf(secs, sizeof secs, "a voice note of %.2f seconds", c.seconds);
        EXPECT_NE(r.out.find(secs), std::string::npos) << r.out;
    }
}

// The recording that attach-voice hands to the storage layer lies in the user's private folder
// and goes when the command ends; one that a killed run left there goes with the next run, while
// a running one's stays. Without a private folder nothing is attached.
TEST_F(VoiceCommandsTest, TheRecordingIsPrivateAndAKilledRunsIsRemoved) {
    makeDiary();
    const std::filesystem::path runtime = dir / "runtime", folder = runtime / "tavrin";
    std::filesystem::create_directories(folder);
    ::chmod(runtime.c_str(), 0700);
    ::chmod(folder.c_str(), 0700);
    const tavrin::test::ScopedEnv session("XDG_RUNTIME_DIR", runtime.c_str());

    const pid_t gone = ::fork();
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string killed = "TNVcli-" + std::to_string(gone) + ".tmp",
                      running = "TNVcli-" + std::to_string(::getppid()) + ".tmp",
                      mine = "TNVcli-" + std::to_string(::getpid()) + ".tmp";
    write("runtime/tavrin/" + killed, "a recording of a run that was killed");
    write("runtime/tavrin/" + running, "another run's recording");
    const std::string good = write("good.wav", sineWave(11025, 1, 0.2));
    auto r = run({"attach-voice", diary, "2", good});
    EXPECT_EQ(r.status, Cli::kOk) << r.err;
    EXPECT_FALSE(std::filesystem::exists(folder / killed));
    EXPECT_TRUE(std::filesystem::exists(folder / running));
    EXPECT_FALSE(std::filesystem::exists(folder / mine));

    // Neither the session's folder (open to others now) nor one under the temporary folder (a
    // link planted there) is private: refused, and nothing attached.
    ::chmod(runtime.c_str(), 0755);
    const std::filesystem::path temp = dir / "tmp";
    std::filesystem::create_directories(temp);
    std::filesystem::create_directory_symlink(folder,
                                              temp / ("tavrin-" + std::to_string(::geteuid())));
    const tavrin::test::ScopedEnv tmp("TMPDIR", temp.c_str());
    r = run({"attach-voice", diary, "1", good});
    EXPECT_EQ(r.status, Cli::kFailed);
    EXPECT_NE(r.err.find("is not a private folder"), std::string::npos) << r.err;
    EXPECT_NE(run({"list", diary}).out.find("1\t2026-01-05T08:00:00\t-\t-----\tA\n"),
              std::string::npos);
}

} // namespace
} // namespace tavrin::cli::test
