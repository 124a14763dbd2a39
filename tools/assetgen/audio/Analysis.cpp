// Spectra by averaged, Hann-windowed FFT frames; contours by 50 ms RMS steps.
#include "audio/Analysis.h"

#include "audio/Mastering.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace veltrane::assetgen::audio {

namespace {

constexpr std::size_t kFft = 2048;

void Fft(std::vector<std::complex<double>>& a) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> w = std::polar(1.0, -2 * kPi / static_cast<double>(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> wk = 1;
            for (std::size_t k = 0; k < len / 2; ++k, wk *= w) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wk;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

// Mean power per FFT bin (0 .. kFft / 2) over half-overlapping frames; short sounds are zero-padded.
std::vector<double> PowerSpectrum(const Mono& s) {
    std::vector<double> power(kFft / 2 + 1, 0.0);
    std::vector<std::complex<double>> frame(kFft);
    int frames = 0;
    for (std::size_t start = 0; start == 0 || start + kFft / 2 < s.size(); start += kFft / 2, ++frames) {
        for (std::size_t i = 0; i < kFft; ++i) {
            const double window = 0.5 - 0.5 * std::cos(2 * kPi * static_cast<double>(i) / kFft);
            frame[i] = start + i < s.size() ? window * s[start + i] : 0.0;
        }
        Fft(frame);
        for (std::size_t k = 0; k < power.size(); ++k) power[k] += std::norm(frame[k]);
    }
    for (double& p : power) p /= frames;
    return power;
}

double BinHz(std::size_t k) {
    return static_cast<double>(k) * kSampleRate / kFft;
}

std::vector<double> Contour(const Mono& s) {
    const std::size_t step = static_cast<std::size_t>(Frames(0.05));
    std::vector<double> db;
    for (std::size_t start = 0; start < s.size(); start += step) {
        const std::size_t end = std::min(s.size(), start + step);
        double sum = 0;
        for (std::size_t i = start; i < end; ++i) sum += static_cast<double>(s[i]) * s[i];
        db.push_back(GainToDb(std::sqrt(sum / static_cast<double>(end - start))));
    }
    return db;
}

} // namespace

BandLevels OctaveBands(const Mono& samples) {
    const std::vector<double> power = PowerSpectrum(samples);
    BandLevels share{};
    double total = 0;
    std::array<double, kBandCount> energy{};
    for (std::size_t k = 1; k < power.size(); ++k) {
        // Band b covers 44 * 2^b .. 88 * 2^b Hz; everything below and above joins the end bands.
        const int band =
            std::clamp(static_cast<int>(std::floor(std::log2(BinHz(k) / 44.2))), 0, kBandCount - 1);
        energy[static_cast<std::size_t>(band)] += power[k];
        total += power[k];
    }
    for (std::size_t b = 0; b < share.size(); ++b)
        share[b] = total > 0 ? std::max(-60.0, 10 * std::log10(std::max(1e-12, energy[b] / total))) : -60;
    return share;
}

double SpectralCentroid(const Mono& samples) {
    const std::vector<double> power = PowerSpectrum(samples);
    double weighted = 0, total = 0;
    for (std::size_t k = 1; k < power.size(); ++k) weighted += BinHz(k) * power[k], total += power[k];
    return total > 0 ? weighted / total : 0;
}

double BandShare(const Mono& samples, double lowHz, double highHz) {
    const std::vector<double> power = PowerSpectrum(samples);
    double inside = 0, total = 0;
    for (std::size_t k = 1; k < power.size(); ++k) {
        total += power[k];
        if (BinHz(k) >= lowHz && BinHz(k) < highHz) inside += power[k];
    }
    return total > 0 ? inside / total : 0;
}

double Distinctness(const Mono& a, const Mono& b) {
    const BandLevels ba = OctaveBands(a), bb = OctaveBands(b);
    double spectral = 0;
    for (int i = 0; i < kBandCount; ++i)
        spectral += std::pow(ba[static_cast<std::size_t>(i)] - bb[static_cast<std::size_t>(i)], 2);
    spectral = std::sqrt(spectral / kBandCount);
    std::vector<double> ca = Contour(a), cb = Contour(b);
    const auto normalise = [](std::vector<double>& c) {
        c.resize(20, -200.0);
        const double top = *std::max_element(c.begin(), c.end());
        for (double& v : c) v = std::max(-40.0, v - top);
    };
    normalise(ca);
    normalise(cb);
    double temporal = 0;
    for (std::size_t i = 0; i < ca.size(); ++i) temporal += (ca[i] - cb[i]) * (ca[i] - cb[i]);
    temporal = std::sqrt(temporal / static_cast<double>(ca.size()));
    return spectral + 0.5 * temporal;
}

double PulseDepth(const Mono& samples) {
    const std::vector<double> c = Contour(samples);
    if (c.size() < 2) return 0;
    // The last step may be short; leave it out.
    const auto [lo, hi] = std::minmax_element(c.begin(), c.end() - 1);
    return *hi - *lo;
}

} // namespace veltrane::assetgen::audio
