// tavrin-cli voice and attach-voice: an entry's voice note out as a standard PCM wave file, and
// any PCM wave file in as an entry's note, compressed by the same storage code as the editor's
// recordings.

#include "cli/Cli.h"
#include "cli/StreamReporter.h"

#include "storage/DiaryFileSet.h"
#include "storage/GsmVoice.h"
#include "storage/TN.h"
#include "storage/WaveFile.h"

#include <samplerate.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace tavrin::cli {
namespace {

// Larger input is no voice note (an hour of CD-quality stereo is about 600 MB).
constexpr std::uintmax_t kMaxInput = 256u * 1024 * 1024;

bool readWhole(const std::string& path, std::string& out, std::string& why) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        why = path + " is no file";
        return false;
    }
    if (std::filesystem::file_size(path, ec) > kMaxInput) {
        why = path + " is larger than a voice note can be";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        why = path + " cannot be read";
        return false;
    }
    return true;
}

bool writeWhole(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    return !out.fail();
}

// Mono samples at `rate` to the voice notes' rate.
std::vector<std::int16_t> toVoiceRate(const std::vector<std::int16_t>& in, std::uint32_t rate) {
    if (rate == GsmVoice::kRate || in.empty()) return in;
    std::vector<float> from(in.size());
    src_short_to_float_array(in.data(), from.data(), int(in.size()));
    const double ratio = double(GsmVoice::kRate) / double(rate);
    std::vector<float> to(std::size_t(std::ceil(double(in.size()) * ratio)) + 16);
    SRC_DATA d{};
    d.data_in = from.data();
    d.input_frames = long(from.size());
    d.data_out = to.data();
    d.output_frames = long(to.size());
    d.src_ratio = ratio;
    if (src_simple(&d, SRC_SINC_MEDIUM_QUALITY, 1) != 0) return {};
    std::vector<std::int16_t> out(std::size_t(d.output_frames_gen));
    src_float_to_short_array(to.data(), out.data(), int(out.size()));
    return out;
}

} // namespace

int Cli::voice(const std::string& path, const std::string& position, const std::string& file) {
    const long n = entryArgument(position);
    if (!n) return kUsage;
    if (int s = admit(path)) return s;
    StreamReporter rep(err_);
    const std::unique_ptr<TN> opened = openEntry(path, n, rep, false);
    if (!opened) return kFailed;
    TN& tn = *opened;
    if (tn.entry.voiceFlag() != 1) {
        err_ << "tavrin-cli: entry " << n << " has no voice note\n";
        return kFailed;
    }
    std::string gsm;
    if (!tn.ReadVoice(gsm)) return kFailed; // reported
    std::vector<std::int16_t> samples;
    VoiceError error;
    if (!GsmVoice::decompress(gsm, samples, error)) {
        err_ << "tavrin-cli: " << error.text() << '\n';
        return kFailed;
    }
    if (!writeWhole(file, WaveFile::pcm16(samples, GsmVoice::kRate))) {
        err_ << "tavrin-cli: " << file << " cannot be written\n";
        return kFailed;
    }
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.2f", double(samples.size()) / GsmVoice::kRate);
    out_ << "Wrote the voice note of entry " << n << " (" << secs << " seconds) to " << file
         << ".\n";
    return kOk;
}

int Cli::attachVoice(const std::string& path, const std::string& position,
                     const std::string& file) {
    const long n = entryArgument(position);
    if (!n) return kUsage;
    // The sound is read and converted before the diary is touched.
    std::string bytes, why;
    if (!readWhole(file, bytes, why)) {
        err_ << "tavrin-cli: " << why << '\n';
        return kUsage;
    }
    WaveImage wave;
    VoiceError error;
    std::vector<std::int16_t> mono;
    if (!WaveFile::parse(bytes, wave, error) || !WaveFile::monoSamples(wave, mono) ||
        wave.format.rate == 0 || wave.format.channels > 2) {
        err_ << "tavrin-cli: " << file << " is no mono or stereo PCM wave file\n";
        return kUsage;
    }
    const std::vector<std::int16_t> samples = toVoiceRate(mono, wave.format.rate);
    if (samples.empty()) {
        err_ << "tavrin-cli: " << file << " holds no sound\n";
        return kUsage;
    }
    // The recording the storage layer compresses, as the editor leaves one.
    std::string temp = (std::filesystem::temp_directory_path() / "TNVcli-XXXXXX").string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        err_ << "tavrin-cli: no temporary file can be made\n";
        return kFailed;
    }
    ::close(fd);
    struct Remove {
        std::string path;
        ~Remove() { std::remove(path.c_str()); }
    } cleanup{temp};
    if (!writeWhole(temp, WaveFile::pcm16(samples, GsmVoice::kRate))) {
        err_ << "tavrin-cli: " << temp << " cannot be written\n";
        return kFailed;
    }
    return writeLocked(path, [&](TN& tn) {
        tn.currentEntry = int(n - 1);
        if (!tn.ReadEntry(true)) {
            if (n > tn.entryCount)
                err_ << "tavrin-cli: the diary holds " << tn.entryCount << " entries\n";
            return kFailed;
        }
        tn.entry.setVoiceFlag(1);
        tn.voiceSource = temp;
        tn.voiceStored = false;
        if (!tn.AddEntrySorted(int(n - 1))) return kFailed;
        if (tn.entry.voiceFlag() != 1) return kFailed; // the compression step said why
        char secs[32];
        std::snprintf(secs, sizeof secs, "%.2f", double(samples.size()) / GsmVoice::kRate);
        out_ << "Attached a voice note of " << secs << " seconds (" << tn.entry.voiceLength()
             << " bytes) to entry " << n << ".\n";
        return kOk;
    });
}

} // namespace tavrin::cli
