#include "storage/GsmVoice.h"

#include <gsm.h>

#include <cstring>
#include <memory>

namespace tavrin {
namespace {

struct GsmDeleter {
    void operator()(gsm_state* g) const { gsm_destroy(g); }
};
using Gsm = std::unique_ptr<gsm_state, GsmDeleter>;

// A codec in the wave files' layout: two frames of 160 samples in 65 bytes.
Gsm openCodec(VoiceError& error) {
    Gsm g(gsm_create());
    if (!g) {
        error.set(VoiceError::kNoMemory, "acmStreamOpen");
        return g;
    }
    int one = 1;
    gsm_option(g.get(), GSM_OPT_WAV49, &one);
    return g;
}

} // namespace

bool GsmVoice::compress(std::string_view pcmWave, std::string& gsmWave, VoiceError& error) {
    WaveImage wave;
    if (!WaveFile::parse(pcmWave, wave, error)) return false;
    const WaveFormat& f = wave.format;
    std::vector<std::int16_t> samples;
    if (f.tag != WaveFormat::kPcm || f.channels != 1 || f.rate != kRate ||
        (f.bitsPerSample != 8 && f.bitsPerSample != 16) || !WaveFile::monoSamples(wave, samples)) {
        error.set(VoiceError::kNotPossible, "acmFormatSuggest");
        return false;
    }
    return compress(samples, gsmWave, error);
}

bool GsmVoice::compress(const std::vector<std::int16_t>& samples, std::string& gsmWave,
                        VoiceError& error) {
    Gsm g = openCodec(error);
    if (!g) return false;
    const std::size_t blocks = (samples.size() + kBlockSamples - 1) / kBlockSamples;
    std::string data(blocks * kBlockBytes, '\0');
    gsm_signal frame[kBlockSamples];
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t first = b * kBlockSamples;
        for (std::size_t i = 0; i < std::size_t(kBlockSamples); ++i)
            frame[i] = first + i < samples.size() ? samples[first + i] : 0;
        auto* out = reinterpret_cast<gsm_byte*>(data.data() + b * kBlockBytes);
        gsm_encode(g.get(), frame, out);
        gsm_encode(g.get(), frame + 160, out + 32);
    }
    gsmWave = WaveFile::gsm610(kRate, data);
    return true;
}

bool GsmVoice::decompress(std::string_view gsmWave, std::vector<std::int16_t>& samples,
                          VoiceError& error) {
    samples.clear();
    WaveImage wave;
    if (!WaveFile::parse(gsmWave, wave, error)) return false;
    const WaveFormat& f = wave.format;
    if (f.tag != WaveFormat::kGsm610 || f.channels != 1 || f.blockAlign != kBlockBytes ||
        f.rate == 0) {
        error.set(VoiceError::kNotPossible, "acmFormatSuggest");
        return false;
    }
    Gsm g = openCodec(error);
    if (!g) return false;
    const std::size_t blocks = wave.data.size() / kBlockBytes;
    samples.resize(blocks * kBlockSamples);
    for (std::size_t b = 0; b < blocks; ++b) {
        gsm_byte in[kBlockBytes];
        std::memcpy(in, wave.data.data() + b * kBlockBytes, kBlockBytes);
        gsm_signal* out = samples.data() + b * kBlockSamples;
        if (gsm_decode(g.get(), in, out) < 0 || gsm_decode(g.get(), in + 33, out + 160) < 0) {
            samples.clear();
            error.set(VoiceError::kInvalidParam, "acmStreamConvert");
            return false;
        }
    }
    if (wave.factSamples >= 0 && std::size_t(wave.factSamples) < samples.size())
        samples.resize(std::size_t(wave.factSamples));
    return true;
}

bool GsmVoice::samplesOf(std::string_view wave, std::vector<std::int16_t>& samples,
                         std::uint32_t& rate, VoiceError& error) {
    WaveImage image;
    if (!WaveFile::parse(wave, image, error)) return false;
    rate = image.format.rate;
    if (image.format.tag == WaveFormat::kGsm610) return decompress(wave, samples, error);
    if (rate == 0 || !WaveFile::monoSamples(image, samples)) {
        error.set(VoiceError::kNotPossible, "acmFormatSuggest");
        return false;
    }
    return true;
}

} // namespace tavrin
