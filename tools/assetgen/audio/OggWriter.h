// Ogg Vorbis files through libsndfile, made byte-for-byte reproducible.
#pragma once

#include "audio/Synth.h"

#include <filesystem>
#include <string>

namespace veltrane::assetgen::audio {

// Encodes at 44100 Hz with a fixed quality. Throws std::runtime_error naming the file on failure.
void WriteOgg(const std::filesystem::path& path, const Mono& samples, double quality = 0.5);
void WriteOgg(const std::filesystem::path& path, const Stereo& samples, double quality = 0.5);

// libsndfile picks a random stream serial number for every file; this sets it to a fixed value
// in every page of `bytes` and recomputes the page checksums. Returns false when the bytes are not
// a well-formed Ogg stream.
bool FixOggSerial(std::string& bytes, unsigned serial);

} // namespace veltrane::assetgen::audio
