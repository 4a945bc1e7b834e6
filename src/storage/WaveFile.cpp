#include "storage/WaveFile.h"

#include <algorithm>
#include <cstring>

namespace tavrin {
namespace {

std::uint16_t u16(const unsigned char* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t u32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
void put16(std::string& s, std::uint32_t v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}
const unsigned char* bytesOf(std::string_view s, std::size_t at) {
    return reinterpret_cast<const unsigned char*>(s.data()) + at;
}

// RIFF header, then the chunks; sizes filled in, odd chunks padded.
std::string riff(const std::string& chunks) {
    std::string out = "RIFF";
    put32(out, std::uint32_t(4 + chunks.size()));
    out += "WAVE";
    out += chunks;
    return out;
}
void chunk(std::string& out, const char* id, std::string_view body) {
    out.append(id, 4);
    put32(out, std::uint32_t(body.size()));
    out.append(body);
    if (body.size() % 2) out += '\0';
}

} // namespace

bool WaveFile::parse(std::string_view bytes, WaveImage& out, VoiceError& error) {
    out = WaveImage();
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        error.set(VoiceError::kChunkNotFound, "mmioDescend");
        return false;
    }
    // The form's own size may claim less (or more) than the file holds: the smaller one counts.
    const std::size_t end =
        std::min<std::size_t>(bytes.size(), 8 + std::size_t(u32(bytesOf(bytes, 4))));
    std::size_t at = 12;
    bool haveFormat = false;
    while (at + 8 <= end) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t size = u32(bytesOf(bytes, at + 4));
        const std::size_t body = at + 8;
        if (size > end - body) {
            // A data chunk cut short by an interrupted recording still holds its sound.
            if (id != "data" || !haveFormat) {
                error.set(VoiceError::kChunkNotFound, "mmioAscend");
                return false;
            }
            out.data = bytes.substr(body, end - body);
            return true;
        }
        if (id == "fmt " && !haveFormat) {
            // The format, read into at least 18 zeroed bytes.
            unsigned char f[22] = {};
            std::memcpy(f, bytesOf(bytes, body), std::min<std::size_t>(size, sizeof f));
            WaveFormat& w = out.format;
            w.tag = u16(f);
            w.channels = u16(f + 2);
            w.rate = u32(f + 4);
            w.bytesPerSecond = u32(f + 8);
            w.blockAlign = u16(f + 12);
            w.bitsPerSample = u16(f + 14);
            w.extraSize = u16(f + 16);
            if (size >= 20 && w.extraSize >= 2) w.samplesPerBlock = u16(f + 18);
            if (w.tag == WaveFormat::kExtensible && size >= 26 && w.extraSize >= 22) {
                unsigned char g[2];
                std::memcpy(g, bytesOf(bytes, body + 24), 2);
                w.subFormat = u16(g);
            }
            haveFormat = true;
        } else if (id == "fact" && size >= 4) {
            out.factSamples = u32(bytesOf(bytes, body));
        } else if (id == "data") {
            if (!haveFormat) break;
            out.data = bytes.substr(body, size);
            return true;
        }
        at = body + size + (size % 2);
    }
    error.set(VoiceError::kChunkNotFound, "mmioDescend");
    return false;
}

bool WaveFile::monoSamples(const WaveImage& wave, std::vector<std::int16_t>& out) {
    out.clear();
    const WaveFormat& f = wave.format;
    if (!f.isPcm() || f.channels == 0) return false;
    const int bits = f.bitsPerSample;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    const std::size_t width = std::size_t(bits / 8);
    const std::size_t frame = width * f.channels;
    const std::size_t frames = wave.data.size() / frame;
    out.resize(frames);
    const unsigned char* p = bytesOf(wave.data, 0);
    for (std::size_t i = 0; i < frames; ++i) {
        std::int64_t sum = 0;
        for (std::size_t c = 0; c < f.channels; ++c, p += width) {
            // Each sample as 16 bits: the most significant ones count.
            switch (bits) {
            case 8:
                sum += (int(p[0]) - 128) * 256;
                break;
            case 16:
                sum += std::int16_t(u16(p));
                break;
            case 24:
                sum += std::int16_t(u16(p + 1));
                break;
            default:
                sum += std::int16_t(u16(p + 2));
                break;
            }
        }
        out[i] = std::int16_t(sum / std::int64_t(f.channels));
    }
    return true;
}

std::string WaveFile::pcm16(const std::vector<std::int16_t>& samples, std::uint32_t rate) {
    std::string fmt;
    put16(fmt, WaveFormat::kPcm);
    put16(fmt, 1);
    put32(fmt, rate);
    put32(fmt, rate * 2);
    put16(fmt, 2);
    put16(fmt, 16);
    std::string data;
    data.reserve(samples.size() * 2);
    for (std::int16_t s : samples)
        put16(data, std::uint16_t(s));
    std::string chunks;
    chunk(chunks, "fmt ", fmt);
    chunk(chunks, "data", data);
    return riff(chunks);
}

std::string WaveFile::pcm8(const std::vector<std::uint8_t>& samples, std::uint32_t rate) {
    std::string fmt;
    put16(fmt, WaveFormat::kPcm);
    put16(fmt, 1);
    put32(fmt, rate);
    put32(fmt, rate);
    put16(fmt, 1);
    put16(fmt, 8);
    std::string chunks;
    chunk(chunks, "fmt ", fmt);
    chunk(chunks, "data",
          std::string_view(reinterpret_cast<const char*>(samples.data()), samples.size()));
    return riff(chunks);
}

std::string WaveFile::gsm610(std::uint32_t rate, std::string_view blocks) {
    std::string fmt;
    put16(fmt, WaveFormat::kGsm610);
    put16(fmt, 1);
    put32(fmt, rate);
    put32(fmt, rate * 65 / 320);
    put16(fmt, 65);
    put16(fmt, 0);
    put16(fmt, 2);
    put16(fmt, 320);
    // The stored note holds only these two chunks; without a sample count, readers play the
    // last block whole (at most 319 samples of silence that padded the recording).
    std::string chunks;
    chunk(chunks, "fmt ", fmt);
    chunk(chunks, "data", blocks);
    return riff(chunks);
}

} // namespace tavrin
