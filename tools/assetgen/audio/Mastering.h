// Loudness measurement and mastering: every sound and track is brought to a loudness target and
// its peaks held under a ceiling by a look-ahead limiter that never lets a sample through above it.
#pragma once

#include "audio/Synth.h"

namespace veltrane::assetgen::audio {

struct Loudness {
    double RmsDb;  // gated RMS in dBFS: the mean power of the 20 ms blocks within 20 dB of the loudest
    double PeakDb; // sample peak in dBFS
};

Loudness Measure(const Mono& samples);
Loudness Measure(const Stereo& samples);

double DbToGain(double db);
double GainToDb(double gain);

// Gain to `targetRmsDb`, then limit to `ceilingDb`. Leaves silence alone.
void Master(Mono& samples, double targetRmsDb, double ceilingDb);
void Master(Stereo& samples, double targetRmsDb, double ceilingDb);

// Short fades at both ends, so a sound never starts or stops with a click.
void FadeEdges(Mono& samples, double inSeconds, double outSeconds);

} // namespace veltrane::assetgen::audio
