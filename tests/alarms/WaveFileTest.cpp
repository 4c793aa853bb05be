#include "alarms/WaveFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace {

std::string little(std::uint32_t value, int width) {
    std::string out;
    for (int i = 0; i < width; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

std::string chunk(const std::string& id, const std::string& body) {
    return id + little(static_cast<std::uint32_t>(body.size()), 4) + body + std::string(body.size() % 2, '\0');
}

std::string fmt(std::uint32_t format, std::uint32_t bits, std::uint32_t channels = 1) {
    return little(format, 2) + little(channels, 2) + little(22050, 4) + little(22050 * channels * bits / 8, 4) +
           little(channels * bits / 8, 2) + little(bits, 2);
}

std::string riff(const std::string& chunks) {
    return "RIFF" + little(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

const std::string kSamples = chunk("data", std::string(8, '\0'));

} // namespace

TEST(WaveFile, uncompressedWavesPlayWhereverTheirFormatChunkSits) {
    EXPECT_TRUE(
        tw::isPlayableWave((std::filesystem::path(TALLYWAVE_SOURCE_DIR) / "src/resources/wakeup.wav").string()));
    EXPECT_TRUE(tw::isPlayableWaveHeader(riff(chunk("fmt ", fmt(1, 16)) + kSamples)));
    EXPECT_TRUE(tw::isPlayableWaveHeader(riff(chunk("fmt ", fmt(1, 8, 2)) + kSamples)));
    EXPECT_TRUE(tw::isPlayableWaveHeader(riff(chunk("fmt ", fmt(3, 32)) + kSamples)));
    // A chunk of odd length before the format is padded to an even length.
    EXPECT_TRUE(tw::isPlayableWaveHeader(riff(chunk("LIST", "INFOabc") + chunk("fmt ", fmt(1, 24)) + kSamples)));
    // The extensible form names its sample format in the sub-format.
    const std::string extensible = fmt(0xFFFE, 16) + little(22, 2) + little(16, 2) + little(4, 4) + little(1, 2) +
                                   std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    EXPECT_TRUE(tw::isPlayableWaveHeader(riff(chunk("fmt ", extensible)) + kSamples));
}

TEST(WaveFile, otherSoundFilesAndDamagedWavesDoNotPlay) {
    EXPECT_FALSE(tw::isPlayableWaveHeader(std::string("ID3\x04\x00\x00\x00\x00\x00\x21", 10) + "\xFF\xFB\x90\x00"));
    EXPECT_FALSE(tw::isPlayableWaveHeader(riff(chunk("fmt ", fmt(2, 4)) + kSamples)));  // ADPCM
    EXPECT_FALSE(tw::isPlayableWaveHeader(riff(chunk("fmt ", fmt(85, 0)) + kSamples))); // MP3 inside RIFF
    EXPECT_FALSE(tw::isPlayableWaveHeader(riff(chunk("fmt ", fmt(1, 12)) + kSamples)));
    EXPECT_FALSE(tw::isPlayableWaveHeader(riff(chunk("fmt ", fmt(1, 16, 0)) + kSamples)));
    EXPECT_FALSE(tw::isPlayableWaveHeader(riff(kSamples + chunk("fmt ", fmt(1, 16)))));
    EXPECT_FALSE(tw::isPlayableWaveHeader(riff(chunk("fmt ", fmt(1, 16)))));
    EXPECT_FALSE(tw::isPlayableWaveHeader(riff(chunk("fmt ", fmt(1, 16).substr(0, 10)) + kSamples)));
    EXPECT_FALSE(tw::isPlayableWaveHeader("RIFF"));
    EXPECT_FALSE(tw::isPlayableWave("/nonexistent/bell.wav"));
}
