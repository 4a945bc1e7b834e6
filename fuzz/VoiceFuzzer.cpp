// Arbitrary bytes as a wave file: a recording to compress, a voice note to play, or a file for
// tavrin-cli attach-voice to resample. Whatever the reader accepts stays inside the bytes it was
// given, a recording that compresses decodes back to as many samples as it held, and a file at
// any rate is either refused by name or made into a note of its length at 11025 Hz.

#include "FuzzSupport.h"
#include "cli/VoiceConversion.h"
#include "storage/GsmVoice.h"
#include "storage/WaveFile.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {
using namespace tavrin;
using tavrin::fuzz::require;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = tavrin::fuzz::bytes(data, size);
    WaveImage wave;
    VoiceError error;
    if (!WaveFile::parse(input, wave, error)) {
        require(error.failed());
        return 0;
    }
    require(wave.data.data() >= input.data() &&
            wave.data.data() + wave.data.size() <= input.data() + input.size());

    std::vector<std::int16_t> samples;
    std::uint32_t rate = 0;
    VoiceError playError;
    GsmVoice::samplesOf(input, samples, rate, playError);

    std::string gsm;
    VoiceError storeError;
    if (GsmVoice::compress(input, gsm, storeError)) {
        std::vector<std::int16_t> mono, back;
        require(WaveFile::monoSamples(wave, mono));
        VoiceError readError;
        require(GsmVoice::decompress(gsm, back, readError));
        // Stored notes carry no sample count: the last block comes back whole.
        require(back.size() % GsmVoice::kBlockSamples == 0 && back.size() >= mono.size() &&
                back.size() - mono.size() < std::size_t(GsmVoice::kBlockSamples));
    }

    std::vector<std::int16_t> note;
    std::string why;
    if (cli::VoiceConversion::samples(input, "in.wav", note, why)) {
        std::vector<std::int16_t> mono;
        require(WaveFile::monoSamples(wave, mono));
        const double ratio = double(GsmVoice::kRate) / wave.format.rate;
        const double expected = double(mono.size()) * ratio;
        require(!note.empty() && note.size() <= cli::VoiceConversion::kMaxSamples);
        require(std::fabs(double(note.size()) - expected) <= ratio + 2);
    } else {
        require(why.rfind("in.wav ", 0) == 0);
    }
    return 0;
}
