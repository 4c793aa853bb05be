#pragma once

#include <string>
#include <string_view>

namespace tw {

// Whether a file is a sound the alarm can play: a RIFF WAVE file with uncompressed samples (integer PCM of 8 to 32
// bits or 32-bit floating point) and a data chunk. Other files (MP3, compressed WAV) would play nothing.
bool isPlayableWave(const std::string& path);
// The same test on the file's first bytes (the header chunks; the samples need not be there).
bool isPlayableWaveHeader(std::string_view bytes);

} // namespace tw
