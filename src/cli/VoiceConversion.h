#pragma once
// Any PCM wave file, mono or stereo, made into a voice note's sound: mono samples at the voice
// notes' 11025 Hz, resampled by libsamplerate. What it cannot convert is refused before anything
// is allocated for it.

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin::cli {

class VoiceConversion {
public:
    // The longest note: as many samples as the largest input file holds 16-bit mono samples.
    static constexpr std::size_t kMaxSamples = 128u * 1024 * 1024;
    // The rates the resampler takes (its ratio is at most 256 either way).
    static constexpr std::uint32_t kLowestRate = 44, kHighestRate = 11025u * 256;

    // The note's samples of a wave file's bytes; false with a message naming `file` in `why`.
    static bool samples(const std::string& bytes, const std::string& file,
                        std::vector<std::int16_t>& out, std::string& why);

    // Mono samples at `rate` to 11025 Hz; empty when the resampler does not take that rate or
    // the result would be longer than kMaxSamples.
    static std::vector<std::int16_t> toVoiceRate(const std::vector<std::int16_t>& in,
                                                 std::uint32_t rate);
};

} // namespace tavrin::cli
