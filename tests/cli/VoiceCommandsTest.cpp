// tavrin-cli attach-voice and voice: any PCM wave file in, a standard one out, sounding alike.

#include "CliFixture.h"
#include "storage/DiaryFileSet.h"
#include "storage/TN.h"
#include "storage/WaveFile.h"

#include <cmath>
#include <fstream>
#include <iterator>

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

} // namespace
} // namespace tavrin::cli::test
