// Loudness measurement, normalisation and a brick-wall look-ahead limiter.
#include "audio/Mastering.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace veltrane::assetgen::audio {

double DbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}
double GainToDb(double gain) {
    return gain > 0 ? 20.0 * std::log10(gain) : -200.0;
}

namespace {

// `power(i)` is the summed square of frame i over its channels / channel count.
template <typename PowerAt>
Loudness MeasureFrames(std::size_t frames, PowerAt power, double peak) {
    const std::size_t block = static_cast<std::size_t>(Frames(0.02));
    std::vector<double> blocks;
    for (std::size_t start = 0; start < frames; start += block) {
        const std::size_t end = std::min(frames, start + block);
        double sum = 0;
        for (std::size_t i = start; i < end; ++i) sum += power(i);
        blocks.push_back(sum / static_cast<double>(end - start));
    }
    const double loudest = blocks.empty() ? 0 : *std::max_element(blocks.begin(), blocks.end());
    double sum = 0;
    int count = 0;
    for (double b : blocks)
        if (b > 0 && b >= loudest * 0.01) sum += b, ++count;
    const double rms = count ? std::sqrt(sum / count) : 0;
    return {GainToDb(rms), GainToDb(peak)};
}

// Gain per frame that keeps `level(i)` (the frame's absolute peak) under `ceiling`: the minimum
// over a look-ahead window, a smooth release, then a moving average over the same window. Each
// averaged value only draws on minima over windows that contain the frame, so it never exceeds
// the gain the frame itself needs.
template <typename LevelAt>
std::vector<float> LimiterGain(std::size_t frames, LevelAt level, double ceiling) {
    const std::size_t half = static_cast<std::size_t>(Frames(0.003));
    std::vector<float> need(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const double l = level(i);
        need[i] = l > ceiling ? static_cast<float>(ceiling / l) : 1.0f;
    }
    // Sliding minimum over [i - half, i + half].
    std::vector<float> low(frames);
    std::deque<std::size_t> window;
    for (std::size_t j = 0; j < frames + half; ++j) {
        if (j < frames) {
            while (!window.empty() && need[window.back()] >= need[j]) window.pop_back();
            window.push_back(j);
        }
        if (j >= half) {
            const std::size_t i = j - half;
            while (window.front() + half < i) window.pop_front();
            low[i] = need[window.front()];
        }
    }
    const float release = static_cast<float>(1.0 / Frames(0.08));
    float current = 1.0f;
    for (std::size_t i = 0; i < frames; ++i) {
        current = std::min(low[i], current + (1.0f - current) * release);
        low[i] = current;
    }
    std::vector<float> gain(frames);
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t j = 0; j < frames + half; ++j) {
        if (j < frames) sum += low[j], ++count;
        if (j >= 2 * half + 1 && j - 2 * half - 1 < frames) sum -= low[j - 2 * half - 1], --count;
        if (j >= half) gain[j - half] = static_cast<float>(sum / static_cast<double>(count));
    }
    // Rounding of the running sum can leave a hair above the need; never allow that.
    for (std::size_t i = 0; i < frames; ++i) gain[i] = std::min(gain[i], need[i]);
    return gain;
}

} // namespace

Loudness Measure(const Mono& s) {
    double peak = 0;
    for (float v : s) peak = std::max(peak, static_cast<double>(std::fabs(v)));
    return MeasureFrames(
        s.size(), [&](std::size_t i) { return static_cast<double>(s[i]) * s[i]; }, peak);
}

Loudness Measure(const Stereo& s) {
    double peak = 0;
    for (std::size_t i = 0; i < s.Frames(); ++i)
        peak = std::max(
            {peak, static_cast<double>(std::fabs(s.Left[i])), static_cast<double>(std::fabs(s.Right[i]))});
    return MeasureFrames(
        s.Frames(),
        [&](std::size_t i) {
            return 0.5 * (static_cast<double>(s.Left[i]) * s.Left[i] +
                          static_cast<double>(s.Right[i]) * s.Right[i]);
        },
        peak);
}

// Limiting takes loudness away, so gain and limiter run a few times until the level settles.
constexpr int kPasses = 4;

void Master(Mono& s, double targetRmsDb, double ceilingDb) {
    for (int pass = 0; pass < kPasses; ++pass) {
        const Loudness now = Measure(s);
        if (now.PeakDb < -150) return;
        const float gain = static_cast<float>(DbToGain(targetRmsDb - now.RmsDb));
        for (float& v : s) v *= gain;
        const auto g = LimiterGain(
            s.size(), [&](std::size_t i) { return std::fabs(s[i]); }, DbToGain(ceilingDb));
        for (std::size_t i = 0; i < s.size(); ++i) s[i] *= g[i];
    }
}

void Master(Stereo& s, double targetRmsDb, double ceilingDb) {
    for (int pass = 0; pass < kPasses; ++pass) {
        const Loudness now = Measure(s);
        if (now.PeakDb < -150) return;
        const float gain = static_cast<float>(DbToGain(targetRmsDb - now.RmsDb));
        for (std::size_t i = 0; i < s.Frames(); ++i) s.Left[i] *= gain, s.Right[i] *= gain;
        const auto g = LimiterGain(
            s.Frames(), [&](std::size_t i) { return std::max(std::fabs(s.Left[i]), std::fabs(s.Right[i])); },
            DbToGain(ceilingDb));
        for (std::size_t i = 0; i < s.Frames(); ++i) s.Left[i] *= g[i], s.Right[i] *= g[i];
    }
}

void FadeEdges(Mono& s, double inSeconds, double outSeconds) {
    const std::size_t in = std::min(s.size(), static_cast<std::size_t>(Frames(inSeconds)));
    const std::size_t out = std::min(s.size(), static_cast<std::size_t>(Frames(outSeconds)));
    for (std::size_t i = 0; i < in; ++i) s[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (std::size_t i = 0; i < out; ++i)
        s[s.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
}

} // namespace veltrane::assetgen::audio
