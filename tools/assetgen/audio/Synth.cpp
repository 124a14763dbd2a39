// Synthesiser building blocks.
#include "audio/Synth.h"

#include <algorithm>
#include <cmath>

namespace veltrane::assetgen::audio {

double MidiToHz(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

float Noise::White() {
    return static_cast<float>(Uniform() * 2.0 - 1.0);
}

double Noise::Uniform() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (state_ >> 8) * (1.0 / 16777216.0);
}

namespace {

// Removes the step discontinuity of saw and square around the phase wrap.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

} // namespace

float Oscillator::Next(double hz) {
    const double dt = std::min(hz / kSampleRate, 0.5);
    double value = 0;
    switch (wave_) {
    case Wave::Sine:
        value = std::sin(2 * kPi * phase_);
        break;
    case Wave::Triangle:
        value = phase_ < 0.5 ? 4 * phase_ - 1 : 3 - 4 * phase_;
        break;
    case Wave::Saw:
        value = 2 * phase_ - 1 - PolyBlep(phase_, dt);
        break;
    case Wave::Square: {
        value = phase_ < 0.5 ? 1.0 : -1.0;
        value += PolyBlep(phase_, dt);
        value -= PolyBlep(std::fmod(phase_ + 0.5, 1.0), dt);
        break;
    }
    }
    phase_ += dt;
    if (phase_ >= 1.0) phase_ -= 1.0;
    return static_cast<float>(value);
}

double Adsr::At(double t, double held) const {
    auto level = [this](double time) {
        if (time < Attack) return time / Attack;
        if (time < Attack + Decay) return 1.0 - (1.0 - Sustain) * (time - Attack) / Decay;
        return Sustain;
    };
    if (t < 0) return 0;
    if (t < held) return level(t);
    if (t >= held + Release) return 0;
    return level(held) * (1.0 - (t - held) / Release);
}

double Decay60(double t, double seconds, double attack) {
    if (t < 0) return 0;
    const double env = std::exp(-6.9077552789821 * t / seconds);
    return t < attack ? env * t / attack : env;
}

void Biquad::Set(Kind kind, double hz, double q, double gainDb) {
    hz = std::clamp(hz, 10.0, kSampleRate * 0.45);
    const double w = 2 * kPi * hz / kSampleRate;
    const double cw = std::cos(w);
    const double alpha = std::sin(w) / (2 * q);
    const double a = std::pow(10.0, gainDb / 40.0);
    double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
    switch (kind) {
    case Kind::LowPass:
        b0 = (1 - cw) / 2, b1 = 1 - cw, b2 = (1 - cw) / 2;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
        break;
    case Kind::HighPass:
        b0 = (1 + cw) / 2, b1 = -(1 + cw), b2 = (1 + cw) / 2;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
        break;
    case Kind::BandPass:
        b0 = alpha, b1 = 0, b2 = -alpha;
        a0 = 1 + alpha, a1 = -2 * cw, a2 = 1 - alpha;
        break;
    case Kind::Peak:
        b0 = 1 + alpha * a, b1 = -2 * cw, b2 = 1 - alpha * a;
        a0 = 1 + alpha / a, a1 = -2 * cw, a2 = 1 - alpha / a;
        break;
    case Kind::LowShelf: {
        const double s = 2 * std::sqrt(a) * alpha;
        b0 = a * ((a + 1) - (a - 1) * cw + s), b1 = 2 * a * ((a - 1) - (a + 1) * cw);
        b2 = a * ((a + 1) - (a - 1) * cw - s);
        a0 = (a + 1) + (a - 1) * cw + s, a1 = -2 * ((a - 1) + (a + 1) * cw), a2 = (a + 1) + (a - 1) * cw - s;
        break;
    }
    case Kind::HighShelf: {
        const double s = 2 * std::sqrt(a) * alpha;
        b0 = a * ((a + 1) + (a - 1) * cw + s), b1 = -2 * a * ((a - 1) + (a + 1) * cw);
        b2 = a * ((a + 1) + (a - 1) * cw - s);
        a0 = (a + 1) - (a - 1) * cw + s, a1 = 2 * ((a - 1) - (a + 1) * cw), a2 = (a + 1) - (a - 1) * cw - s;
        break;
    }
    }
    b0_ = b0 / a0, b1_ = b1 / a0, b2_ = b2 / a0, a1_ = a1 / a0, a2_ = a2 / a0;
}

float Biquad::Process(float x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
    return static_cast<float>(y);
}

void Filter(Mono& samples, Biquad filter) {
    for (float& s : samples) s = filter.Process(s);
}

Mono Delayed(const Mono& samples, double seconds, double feedback) {
    Mono line(samples.size(), 0.0f);
    const std::size_t delay = static_cast<std::size_t>(Frames(seconds));
    if (delay == 0) return line;
    for (std::size_t i = delay; i < samples.size(); ++i)
        line[i] = static_cast<float>(samples[i - delay] + feedback * line[i - delay]);
    return line;
}

void Echo(Mono& samples, double seconds, double feedback, double mix) {
    const Mono line = Delayed(samples, seconds, feedback);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] += static_cast<float>(mix * line[i]);
}

namespace {

// One reverberated channel of `input`; `spread` detunes the delay lengths per channel. Each
// damped comb runs over the whole buffer in turn (they are parallel, so their outputs just add
// up), then the all-passes in series. Plain pointer loops keep this quick in unoptimised builds.
Mono ReverbChannel(const Mono& input, double roomSize, double damping, int spread) {
    static constexpr int kCombs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static constexpr int kAllPasses[] = {556, 441, 341, 225};
    const float feedback = static_cast<float>(0.7 + 0.28 * roomSize);
    const float damp = static_cast<float>(damping * 0.4);
    const std::size_t n = input.size();
    Mono out(n, 0.0f);
    float* o = out.data();
    const float* in = input.data();
    Mono line;
    for (int size : kCombs) {
        const std::size_t length = static_cast<std::size_t>(size + spread);
        line.assign(length, 0.0f);
        float* buf = line.data();
        std::size_t pos = 0;
        float store = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const float y = buf[pos];
            store = y * (1 - damp) + store * damp;
            buf[pos] = in[i] * 0.015f + store * feedback;
            if (++pos == length) pos = 0;
            o[i] += y;
        }
    }
    for (int size : kAllPasses) {
        const std::size_t length = static_cast<std::size_t>(size + spread);
        line.assign(length, 0.0f);
        float* buf = line.data();
        std::size_t pos = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const float b = buf[pos];
            buf[pos] = o[i] + b * 0.5f;
            if (++pos == length) pos = 0;
            o[i] = b - o[i];
        }
    }
    return out;
}

} // namespace

Reverb::Reverb(double roomSize, double damping) : roomSize_(roomSize), damping_(damping) {}

void Reverb::Process(Stereo& buffer, double wet) {
    Mono mid(buffer.Frames());
    for (std::size_t i = 0; i < mid.size(); ++i) mid[i] = 0.5f * (buffer.Left[i] + buffer.Right[i]);
    const Mono left = ReverbChannel(mid, roomSize_, damping_, 0);
    const Mono right = ReverbChannel(mid, roomSize_, damping_, 23);
    for (std::size_t i = 0; i < mid.size(); ++i) {
        buffer.Left[i] += static_cast<float>(wet * left[i]);
        buffer.Right[i] += static_cast<float>(wet * right[i]);
    }
}

Stereo Reverb::Wet(const Mono& send) const {
    Stereo out;
    out.Left = ReverbChannel(send, roomSize_, damping_, 0);
    out.Right = ReverbChannel(send, roomSize_, damping_, 23);
    return out;
}

void Reverb::ProcessMono(Mono& buffer, double wet) {
    const Mono out = ReverbChannel(buffer, roomSize_, damping_, 0);
    for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] += static_cast<float>(wet * out[i]);
}

void MixInto(Stereo& target, const Mono& source, long at, double gain, double pan) {
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1) * kPi / 4;
    const float gl = static_cast<float>(gain * std::cos(angle));
    const float gr = static_cast<float>(gain * std::sin(angle));
    const long first = std::max(0L, -at);
    const long last = std::min(static_cast<long>(source.size()), static_cast<long>(target.Frames()) - at);
    const float* src = source.data();
    float* left = target.Left.data();
    float* right = target.Right.data();
    for (long i = first; i < last; ++i) {
        left[at + i] += gl * src[i];
        right[at + i] += gr * src[i];
    }
}

void MixInto(Mono& target, const Mono& source, long at, double gain) {
    const float g = static_cast<float>(gain);
    const long first = std::max(0L, -at);
    const long last = std::min(static_cast<long>(source.size()), static_cast<long>(target.size()) - at);
    const float* src = source.data();
    float* dst = target.data();
    for (long i = first; i < last; ++i) dst[at + i] += g * src[i];
}

} // namespace veltrane::assetgen::audio
