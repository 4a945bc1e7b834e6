// Arbitrary bytes as a wave file: a recording to compress or a voice note to play. Whatever the
// reader accepts stays inside the bytes it was given, and a recording that compresses decodes
// back to as many samples as it held.

#include "FuzzSupport.h"
#include "storage/GsmVoice.h"
#include "storage/WaveFile.h"

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
        require(back.size() == mono.size());
    }
    return 0;
}
