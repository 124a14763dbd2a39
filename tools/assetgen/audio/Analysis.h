// Listening by numbers: where a sound's energy sits in frequency and how it moves in time, so the
// checks can tell whether two effects sound alike, whether a tone reaches small speakers and
// whether a loop pulses or drones.
#pragma once

#include "audio/Synth.h"

#include <array>

namespace veltrane::assetgen::audio {

// Octave bands centred on 63, 125, 250, 500, 1k, 2k, 4k and 8k Hz (the outer ones open-ended).
inline constexpr int kBandCount = 8;
using BandLevels = std::array<double, kBandCount>;

// Each band's share of the sound's energy, in dB (floored at -60).
BandLevels OctaveBands(const Mono& samples);

// The power-weighted mean frequency of the sound, in Hz.
double SpectralCentroid(const Mono& samples);

// The share (0..1) of the sound's energy between `lowHz` and `highHz`.
double BandShare(const Mono& samples, double lowHz, double highHz);

// How far apart two sounds are, in dB: the RMS difference of their octave-band profiles, plus that
// of their loudness contours over the first second (50 ms steps, each relative to its loudest
// step, floored at -40 dB), half-weighted. Same timbre and same gesture give 0.
double Distinctness(const Mono& a, const Mono& b);

// Loudest over quietest 50 ms step of the sound, in dB: 0 for a steady drone.
double PulseDepth(const Mono& samples);

} // namespace veltrane::assetgen::audio
