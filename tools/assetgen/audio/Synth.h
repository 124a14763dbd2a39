// Small synthesiser building blocks: oscillators, envelopes, filters, noise, delay and reverb.
// Everything is deterministic: noise comes from a seeded generator, never from the clock.
#pragma once

#include <cstdint>
#include <vector>

namespace veltrane::assetgen::audio {

constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Mono = std::vector<float>;

struct Stereo {
    Mono Left;
    Mono Right;
    explicit Stereo(std::size_t frames = 0) : Left(frames), Right(frames) {}
    std::size_t Frames() const { return Left.size(); }
};

inline int Frames(double seconds) {
    return static_cast<int>(seconds * kSampleRate + 0.5);
}
double MidiToHz(double midi);

// xorshift32: white noise in [-1, 1) and uniform numbers in [0, 1).
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
    float White();
    double Uniform();

private:
    std::uint32_t state_;
};

enum class Wave { Sine, Triangle, Saw, Square };

// A phase-accumulating oscillator; saw and square are band-limited with polyBLEP.
class Oscillator {
public:
    explicit Oscillator(Wave wave, double phase = 0) : wave_(wave), phase_(phase) {}
    float Next(double hz);
    double Phase() const { return phase_; }

private:
    Wave wave_;
    double phase_;
};

// Attack, decay, sustain level, release, all in seconds; At(t, held) for a note held `held` s.
struct Adsr {
    double Attack = 0.005;
    double Decay = 0.1;
    double Sustain = 0.7;
    double Release = 0.1;
    double At(double t, double held) const;
    double Length(double held) const { return held + Release; }
};

// Exponential decay env: 1 at t = 0, falling by 60 dB over `seconds`, with a short linear attack.
double Decay60(double t, double seconds, double attack = 0.002);

// RBJ biquad; coefficients may be changed while running (for sweeps).
class Biquad {
public:
    enum class Kind { LowPass, HighPass, BandPass, Peak, LowShelf, HighShelf };
    Biquad() = default;
    Biquad(Kind kind, double hz, double q, double gainDb = 0) { Set(kind, hz, q, gainDb); }
    void Set(Kind kind, double hz, double q, double gainDb = 0);
    float Process(float x);

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Run a whole buffer through a filter.
void Filter(Mono& samples, Biquad filter);

// Feedback delay line: only the repeats of `samples` (first one after `seconds`).
Mono Delayed(const Mono& samples, double seconds, double feedback);
// The repeats mixed into the buffer at `mix`.
void Echo(Mono& samples, double seconds, double feedback, double mix);

// Schroeder-Moorer reverb: parallel damped combs into serial all-passes, slightly different per
// channel for width. Adds `wet` of the reverberated input to each channel.
class Reverb {
public:
    Reverb(double roomSize, double damping);
    void Process(Stereo& buffer, double wet);
    void ProcessMono(Mono& buffer, double wet);
    // Only the reverberation of a mono send, in stereo.
    Stereo Wet(const Mono& send) const;

private:
    double roomSize_;
    double damping_;
};

// Mix `source` into `target` starting at frame `at`, with gain and equal-power pan (-1..1).
void MixInto(Stereo& target, const Mono& source, long at, double gain, double pan);
void MixInto(Mono& target, const Mono& source, long at, double gain);

} // namespace veltrane::assetgen::audio
