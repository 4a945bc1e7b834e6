#include "cli/VoiceConversion.h"

#include "storage/GsmVoice.h"
#include "storage/WaveFile.h"

#include <samplerate.h>

#include <algorithm>
#include <memory>

namespace tavrin::cli {
namespace {

double ratioFor(std::uint32_t rate) {
    return double(GsmVoice::kRate) / double(rate);
}

bool rateTaken(std::uint32_t rate) {
    return rate != 0 && src_is_valid_ratio(ratioFor(rate)) != 0;
}

bool tooLong(std::size_t samples, std::uint32_t rate) {
    return double(samples) * ratioFor(rate) > double(VoiceConversion::kMaxSamples);
}

} // namespace

bool VoiceConversion::samples(const std::string& bytes, const std::string& file,
                              std::vector<std::int16_t>& out, std::string& why) {
    out.clear();
    WaveImage wave;
    VoiceError error;
    std::vector<std::int16_t> mono;
    if (!WaveFile::parse(bytes, wave, error) || !WaveFile::monoSamples(wave, mono) ||
        wave.format.channels > 2) {
        why = file + " is no mono or stereo PCM wave file";
        return false;
    }
    const std::uint32_t rate = wave.format.rate;
    if (rate != GsmVoice::kRate && !rateTaken(rate)) {
        why = file + " has a sample rate of " + std::to_string(rate) +
              " Hz; a voice note is made from " + std::to_string(kLowestRate) + " to " +
              std::to_string(kHighestRate) + " Hz";
        return false;
    }
    if (tooLong(mono.size(), rate)) {
        why = file + " is longer than a voice note can be";
        return false;
    }
    out = toVoiceRate(mono, rate);
    if (out.empty()) {
        why = file + " holds no sound";
        return false;
    }
    return true;
}

std::vector<std::int16_t> VoiceConversion::toVoiceRate(const std::vector<std::int16_t>& in,
                                                       std::uint32_t rate) {
    if (rate == GsmVoice::kRate || in.empty()) return in;
    if (!rateTaken(rate) || tooLong(in.size(), rate)) return {};
    int err = 0;
    const std::unique_ptr<SRC_STATE, SRC_STATE* (*)(SRC_STATE*)> state(
        src_new(SRC_SINC_MEDIUM_QUALITY, 1, &err), &src_delete);
    if (!state) return {};
    // A piece at a time, so that only the result is held whole, never a float copy of it.
    constexpr std::size_t kIn = 4096, kOut = 65536;
    std::vector<float> from(kIn), to(kOut);
    std::vector<std::int16_t> out;
    out.reserve(std::size_t(double(in.size()) * ratioFor(rate)) + 16);
    SRC_DATA d{};
    d.src_ratio = ratioFor(rate);
    for (std::size_t at = 0;;) {
        const std::size_t n = std::min(kIn, in.size() - at);
        src_short_to_float_array(in.data() + at, from.data(), int(n));
        d.data_in = from.data();
        d.input_frames = long(n);
        d.data_out = to.data();
        d.output_frames = long(kOut);
        d.end_of_input = at + n == in.size();
        if (src_process(state.get(), &d) != 0) return {};
        const std::size_t made = std::size_t(d.output_frames_gen);
        out.resize(out.size() + made);
        src_float_to_short_array(to.data(), out.data() + out.size() - made, int(made));
        at += std::size_t(d.input_frames_used);
        if (d.end_of_input && std::size_t(d.input_frames_used) == n && made == 0) break;
    }
    return out;
}

} // namespace tavrin::cli
