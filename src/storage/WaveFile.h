#pragma once
// Wave files (RIFF form "WAVE") as byte images: reading the format and the sound of any file
// with a "fmt " and a "data" chunk, and writing PCM and GSM 6.10 ones. Nothing is trusted: every
// chunk size is checked against the bytes that are really there.

#include "storage/VoiceError.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

struct WaveFormat {
    static constexpr std::uint16_t kPcm = 1, kGsm610 = 49, kExtensible = 0xFFFE;
    // The fields of the format chunk; a chunk shorter than 18 bytes reads as if zero-padded.
    std::uint16_t tag = 0, channels = 0;
    std::uint32_t rate = 0, bytesPerSecond = 0;
    std::uint16_t blockAlign = 0, bitsPerSample = 0, extraSize = 0;
    std::uint16_t samplesPerBlock = 0; // GSM 6.10: the first two bytes of the extra part
    std::uint16_t subFormat = 0;       // extensible PCM: the first two bytes of the sub-format
    bool isPcm() const { return tag == kPcm || (tag == kExtensible && subFormat == kPcm); }
};

struct WaveImage {
    WaveFormat format;
    std::string_view data;         // the sound bytes of the "data" chunk (within the image)
    std::int64_t factSamples = -1; // the "fact" chunk's sample count, -1 without one
};

class WaveFile {
public:
    // Reads the image's format and finds its sound. A missing or overlong chunk is the error of
    // "mmioDescend"; a missing RIFF/WAVE form, of "mmioAscend".
    static bool parse(std::string_view bytes, WaveImage& out, VoiceError& error);

    // The samples of a PCM image (8, 16, 24 or 32 bits, any number of channels) as 16-bit mono,
    // the channels averaged. False for any other format.
    static bool monoSamples(const WaveImage& wave, std::vector<std::int16_t>& out);

    // A PCM file of 16-bit (or unsigned 8-bit) mono samples.
    static std::string pcm16(const std::vector<std::int16_t>& samples, std::uint32_t rate);
    static std::string pcm8(const std::vector<std::uint8_t>& samples, std::uint32_t rate);

    // A GSM 6.10 file as voice notes are stored: the 20-byte format chunk that common tools
    // expect (tag 49, 65-byte blocks of 320 samples) and the compressed blocks, nothing else.
    // Reading still honours a "fact" chunk's sample count.
    static std::string gsm610(std::uint32_t rate, std::string_view blocks);
};

} // namespace tavrin
