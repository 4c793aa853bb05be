#include "alarms/WaveFile.h"

#include <cstdint>
#include <fstream>

namespace tw {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
// Enough for the RIFF header and the chunks that come before the samples in any usual file.
constexpr std::size_t kHeaderBytes = 64 * 1024;

std::uint32_t little(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

bool playableFormat(std::string_view fmt) {
    if (fmt.size() < 16) {
        return false;
    }
    std::uint32_t format = little(fmt, 0, 2);
    const std::uint32_t channels = little(fmt, 2, 2);
    const std::uint32_t sampleRate = little(fmt, 4, 4);
    const std::uint32_t bits = little(fmt, 14, 2);
    if (format == kFormatExtensible) {
        // The sub-format's first two bytes are the plain format code.
        if (fmt.size() < 26) {
            return false;
        }
        format = little(fmt, 24, 2);
    }
    if (channels == 0 || sampleRate == 0) {
        return false;
    }
    if (format == kFormatPcm) {
        return bits == 8 || bits == 16 || bits == 24 || bits == 32;
    }
    return format == kFormatFloat && bits == 32;
}

} // namespace

bool isPlayableWaveHeader(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return false;
    }
    bool formatOk = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint32_t size = little(bytes, at + 4, 4);
        if (id == "data") {
            return formatOk;
        }
        if (id == "fmt ") {
            formatOk = playableFormat(bytes.substr(at + 8, size));
        }
        // Chunks are padded to an even length.
        at += 8 + static_cast<std::size_t>(size) + (size & 1u);
    }
    return false;
}

bool isPlayableWave(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string head(kHeaderBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return isPlayableWaveHeader(head);
}

} // namespace tw
