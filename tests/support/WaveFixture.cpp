#include "WaveFixture.h"

#include <QFile>

namespace tavrin::test {

bool writePcmWave(const QString& path, const QByteArray& samples) {
    QByteArray d;
    auto u32 = [&d](quint32 v) {
        for (int i = 0; i < 4; ++i)
            d.append(char(v >> (8 * i)));
    };
    auto u16 = [&d](quint16 v) {
        d.append(char(v));
        d.append(char(v >> 8));
    };
    const auto n = quint32(samples.size());
    d.append("RIFF");
    u32(36 + n);
    d.append("WAVEfmt ");
    u32(16);
    u16(1);     // PCM
    u16(1);     // mono
    u32(11025); // samples per second
    u32(11025); // bytes per second
    u16(1);     // block align
    u16(8);     // bits per sample
    d.append("data");
    u32(n);
    d.append(samples);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(d) == d.size();
}

QByteArray pcmSamples(int count, bool tone) {
    QByteArray s(count, char(0x80));
    if (tone)
        for (int i = 0; i < count; ++i)
            s[i] = char(128 + ((i / 12) % 2 ? 40 : -40));
    return s;
}

} // namespace tavrin::test
