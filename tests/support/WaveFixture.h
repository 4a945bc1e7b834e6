#pragma once
// Wave files for tests: uncompressed 8-bit mono at 11025 Hz, the program's recording format.

#include <QByteArray>
#include <QString>

namespace tavrin::test {

// Writes a PCM wave file holding the given 8-bit samples; false when it cannot be written.
bool writePcmWave(const QString& path, const QByteArray& samples);

// `count` samples of silence, or of a square tone (about 460 Hz) when `tone` is set.
QByteArray pcmSamples(int count, bool tone = false);

} // namespace tavrin::test
