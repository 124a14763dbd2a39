// Ogg Vorbis writing.
#include "audio/OggWriter.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace veltrane::assetgen::audio {

namespace {

constexpr unsigned kSerial = 0x56454c54; // "VELT"

std::uint32_t OggCrc(const unsigned char* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t r = i << 24;
            for (int k = 0; k < 8; ++k) r = (r & 0x80000000u) ? (r << 1) ^ 0x04c11db7u : r << 1;
            t[i] = r;
        }
        return t;
    }();
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) crc = (crc << 8) ^ table[((crc >> 24) ^ data[i]) & 0xff];
    return crc;
}

void Encode(const std::filesystem::path& path, const std::vector<float>& frames, int channels,
            double quality) {
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    std::filesystem::create_directories(path.parent_path());
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw std::runtime_error("cannot write " + path.string() + ": " + sf_strerror(nullptr));
    sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    // In blocks: the Vorbis encoder sizes stack buffers by the amount handed to it at once.
    const sf_count_t count = static_cast<sf_count_t>(frames.size() / static_cast<std::size_t>(channels));
    constexpr sf_count_t kBlock = 4096;
    sf_count_t written = 0;
    for (sf_count_t at = 0; at < count; at += kBlock) {
        const sf_count_t n = std::min(kBlock, count - at);
        written += sf_writef_float(file, frames.data() + at * channels, n);
    }
    const int closed = sf_close(file);
    if (written != count || closed != 0) throw std::runtime_error("cannot write " + path.string());

    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!FixOggSerial(bytes, kSerial)) throw std::runtime_error("malformed Ogg stream in " + path.string());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

// The sample peak of an Ogg file as decoded, in dBFS.
double DecodedPeakDb(const std::filesystem::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) throw std::runtime_error("cannot read back " + path.string());
    std::vector<float> block(4096 * static_cast<std::size_t>(info.channels));
    double peak = 0;
    sf_count_t n = 0;
    while ((n = sf_readf_float(file, block.data(), 4096)) > 0)
        for (sf_count_t i = 0; i < n * info.channels; ++i)
            peak = std::max(peak, static_cast<double>(std::fabs(block[static_cast<std::size_t>(i)])));
    sf_close(file);
    return peak > 0 ? 20 * std::log10(peak) : -200;
}

// Lossy coding can push peaks above the mastered ceiling; when the decoded file overshoots
// `maxPeakDb`, the input is turned down by the excess and encoded again.
void WriteInterleaved(const std::filesystem::path& path, std::vector<float> frames, int channels,
                      double quality) {
    constexpr double kMaxPeakDb = -1.0;
    for (int attempt = 0;; ++attempt) {
        Encode(path, frames, channels, quality);
        const double peak = DecodedPeakDb(path);
        if (peak <= kMaxPeakDb || attempt == 3) return;
        const float gain = static_cast<float>(std::pow(10.0, (kMaxPeakDb - 0.5 - peak) / 20));
        for (float& v : frames) v *= gain;
    }
}

} // namespace

bool FixOggSerial(std::string& bytes, unsigned serial) {
    auto* data = reinterpret_cast<unsigned char*>(bytes.data());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < 27 || bytes.compare(pos, 4, "OggS") != 0) return false;
        const std::size_t segments = data[pos + 26];
        if (bytes.size() - pos < 27 + segments) return false;
        std::size_t size = 27 + segments;
        for (std::size_t s = 0; s < segments; ++s) size += data[pos + 27 + s];
        if (bytes.size() - pos < size) return false;
        for (int k = 0; k < 4; ++k) data[pos + 14 + k] = static_cast<unsigned char>(serial >> (8 * k));
        for (int k = 0; k < 4; ++k) data[pos + 22 + k] = 0;
        const std::uint32_t crc = OggCrc(data + pos, size);
        for (int k = 0; k < 4; ++k) data[pos + 22 + k] = static_cast<unsigned char>(crc >> (8 * k));
        pos += size;
    }
    return pos > 0;
}

void WriteOgg(const std::filesystem::path& path, const Mono& samples, double quality) {
    WriteInterleaved(path, samples, 1, quality);
}

void WriteOgg(const std::filesystem::path& path, const Stereo& samples, double quality) {
    std::vector<float> frames(samples.Frames() * 2);
    for (std::size_t i = 0; i < samples.Frames(); ++i) {
        frames[2 * i] = samples.Left[i];
        frames[2 * i + 1] = samples.Right[i];
    }
    WriteInterleaved(path, frames, 2, quality);
}

} // namespace veltrane::assetgen::audio
