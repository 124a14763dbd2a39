// Loudness measurement, normalisation and a brick-wall look-ahead limiter.
#include "audio/Mastering.h"

#include <algorithm>
#include <cmath>

namespace veltrane::assetgen::audio {

double DbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}
double GainToDb(double gain) {
    return gain > 0 ? 20.0 * std::log10(gain) : -200.0;
}

namespace {

// Gated RMS over 20 ms blocks of per-frame power (mean of the channels' squares).
Loudness FromPower(const std::vector<double>& power, double peak) {
    const std::size_t block = static_cast<std::size_t>(Frames(0.02));
    const double* p = power.data();
    std::vector<double> blocks;
    for (std::size_t start = 0; start < power.size(); start += block) {
        const std::size_t end = std::min(power.size(), start + block);
        double sum = 0;
        for (std::size_t i = start; i < end; ++i) sum += p[i];
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

// Per-frame gain that keeps `level` (each frame's absolute peak) under `ceiling`: the minimum of
// the needed gain over a 6 ms window round the frame, a smooth release, then a moving average over
// the same window. Each averaged value only draws on minima over windows that contain the frame,
// so it never exceeds the gain the frame itself needs. Returns false (and leaves `gain` alone)
// when no frame is above the ceiling.
bool LimiterGain(const std::vector<float>& level, float ceiling, std::vector<float>& gain) {
    const std::size_t n = level.size();
    const float* lv = level.data();
    std::vector<float> need(n);
    float* nd = need.data();
    bool any = false;
    for (std::size_t i = 0; i < n; ++i) {
        nd[i] = lv[i] > ceiling ? ceiling / lv[i] : 1.0f;
        any = any || lv[i] > ceiling;
    }
    if (!any) return false;

    // Sliding minimum (van Herk / Gil-Werman) over need[i - half .. i + half], 1 outside.
    const std::size_t half = static_cast<std::size_t>(Frames(0.003));
    const std::size_t w = 2 * half + 1;
    const std::size_t m = n + 2 * half;
    std::vector<float> padded(m, 1.0f), prefix(m), suffix(m);
    std::copy(need.begin(), need.end(), padded.begin() + static_cast<std::ptrdiff_t>(half));
    const float* pd = padded.data();
    float* pre = prefix.data();
    float* suf = suffix.data();
    for (std::size_t k = 0; k < m; ++k) pre[k] = k % w == 0 ? pd[k] : std::min(pre[k - 1], pd[k]);
    for (std::size_t k = m; k-- > 0;)
        suf[k] = k + 1 == m || (k + 1) % w == 0 ? pd[k] : std::min(suf[k + 1], pd[k]);
    std::vector<float> low(n);
    float* lo = low.data();
    const float release = static_cast<float>(1.0 / Frames(0.08));
    float current = 1.0f;
    for (std::size_t i = 0; i < n; ++i) {
        current = std::min(std::min(suf[i], pre[i + w - 1]), current + (1.0f - current) * release);
        lo[i] = current;
    }

    gain.resize(n);
    float* g = gain.data();
    double sum = 0;
    for (std::size_t j = 0; j < std::min(n, half); ++j) sum += lo[j];
    for (std::size_t i = 0; i < n; ++i) {
        if (i + half < n) sum += lo[i + half];
        if (i >= half + 1) sum -= lo[i - half - 1];
        const std::size_t from = i >= half ? i - half : 0;
        const std::size_t to = std::min(n - 1, i + half);
        // Rounding of the running sum may leave a hair above the need; never allow that.
        g[i] = std::min(static_cast<float>(sum / static_cast<double>(to - from + 1)), nd[i]);
    }
    return true;
}

// Finds the input gain (in dB) at which the limited result reaches the target loudness: limiting
// takes loudness away, so a secant search over the gain, each try made from the original signal.
// `tryGain(db)` renders the limited result at that gain and returns its loudness.
template <typename TryGain>
double SolveGain(double firstDb, double targetRmsDb, TryGain tryGain) {
    double g0 = firstDb;
    double r0 = tryGain(g0);
    double g1 = g0 + (targetRmsDb - r0);
    for (int pass = 0; pass < 6 && std::fabs(r0 - targetRmsDb) > 0.05; ++pass) {
        const double r1 = tryGain(g1);
        if (std::fabs(r1 - targetRmsDb) <= 0.05) return g1;
        const double slope = std::fabs(r1 - r0) > 1e-6 ? (g1 - g0) / (r1 - r0) : 1.0;
        g0 = g1, r0 = r1;
        g1 = g1 + std::clamp(slope, 1.0, 4.0) * (targetRmsDb - r1);
    }
    return std::fabs(r0 - targetRmsDb) <= 0.05 ? g0 : g1;
}

} // namespace

Loudness Measure(const Mono& s) {
    std::vector<double> power(s.size());
    const float* x = s.data();
    double peak = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        power[i] = static_cast<double>(x[i]) * x[i];
        peak = std::max(peak, static_cast<double>(std::fabs(x[i])));
    }
    return FromPower(power, peak);
}

Loudness Measure(const Stereo& s) {
    std::vector<double> power(s.Frames());
    const float* l = s.Left.data();
    const float* r = s.Right.data();
    double peak = 0;
    for (std::size_t i = 0; i < s.Frames(); ++i) {
        power[i] = 0.5 * (static_cast<double>(l[i]) * l[i] + static_cast<double>(r[i]) * r[i]);
        peak = std::max({peak, static_cast<double>(std::fabs(l[i])), static_cast<double>(std::fabs(r[i]))});
    }
    return FromPower(power, peak);
}

void Master(Mono& s, double targetRmsDb, double ceilingDb) {
    const Loudness start = Measure(s);
    if (start.PeakDb < -150) return;
    const Mono original = s;
    const float ceiling = static_cast<float>(DbToGain(ceilingDb));
    std::vector<float> level(s.size()), gain;
    double last = 0;
    auto render = [&](double db) {
        const float up = static_cast<float>(DbToGain(db));
        const float* in = original.data();
        float* x = s.data();
        for (std::size_t i = 0; i < s.size(); ++i) x[i] = in[i] * up, level[i] = std::fabs(x[i]);
        if (LimiterGain(level, ceiling, gain))
            for (std::size_t i = 0; i < s.size(); ++i) x[i] *= gain[i];
        last = db;
        return Measure(s).RmsDb;
    };
    const double chosen = SolveGain(targetRmsDb - start.RmsDb, targetRmsDb, render);
    if (chosen != last) render(chosen);
}

void Master(Stereo& s, double targetRmsDb, double ceilingDb) {
    const Loudness start = Measure(s);
    if (start.PeakDb < -150) return;
    const Stereo original = s;
    const float ceiling = static_cast<float>(DbToGain(ceilingDb));
    std::vector<float> level(s.Frames()), gain;
    double last = 0;
    auto render = [&](double db) {
        const float up = static_cast<float>(DbToGain(db));
        const float* inL = original.Left.data();
        const float* inR = original.Right.data();
        float* l = s.Left.data();
        float* r = s.Right.data();
        for (std::size_t i = 0; i < s.Frames(); ++i) {
            l[i] = inL[i] * up, r[i] = inR[i] * up;
            level[i] = std::max(std::fabs(l[i]), std::fabs(r[i]));
        }
        if (LimiterGain(level, ceiling, gain))
            for (std::size_t i = 0; i < s.Frames(); ++i) l[i] *= gain[i], r[i] *= gain[i];
        last = db;
        return Measure(s).RmsDb;
    };
    const double chosen = SolveGain(targetRmsDb - start.RmsDb, targetRmsDb, render);
    if (chosen != last) render(chosen);
}

void FadeEdges(Mono& s, double inSeconds, double outSeconds) {
    const std::size_t in = std::min(s.size(), static_cast<std::size_t>(Frames(inSeconds)));
    const std::size_t out = std::min(s.size(), static_cast<std::size_t>(Frames(outSeconds)));
    for (std::size_t i = 0; i < in; ++i) s[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (std::size_t i = 0; i < out; ++i)
        s[s.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
}

} // namespace veltrane::assetgen::audio
