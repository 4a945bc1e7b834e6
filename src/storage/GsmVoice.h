#pragma once
// Voice notes in GSM 6.10 (libgsm, in the 65-byte block layout of wave files): a recorded PCM
// wave file becomes a GSM wave file and back. Recordings are mono at 11025 samples per second,
// 8 or 16 bits; anything else is refused as the compression step would refuse it.

#include "storage/VoiceError.h"
#include "storage/WaveFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

class GsmVoice {
public:
    static constexpr std::uint32_t kRate = 11025;
    static constexpr int kBlockSamples = 320, kBlockBytes = 65;

    // The GSM 6.10 wave file of a recorded PCM wave file. A trailing part block is filled with
    // silence; the "fact" chunk keeps the true sample count.
    static bool compress(std::string_view pcmWave, std::string& gsmWave, VoiceError& error);
    // The same from samples at kRate.
    static bool compress(const std::vector<std::int16_t>& samples, std::string& gsmWave,
                         VoiceError& error);
    // The samples of a GSM 6.10 wave file (whole blocks only, at most the "fact" count).
    static bool decompress(std::string_view gsmWave, std::vector<std::int16_t>& samples,
                           VoiceError& error);
    // The samples of a GSM or PCM wave file, for playing: mono, at the file's rate.
    static bool samplesOf(std::string_view wave, std::vector<std::int16_t>& samples,
                          std::uint32_t& rate, VoiceError& error);
};

} // namespace tavrin
