// Song rendering. Notes repeat a lot in a song (the same chord, the same bass note, the same drum
// hit), so each distinct note is synthesised once and then mixed wherever it plays.
#include "audio/Sequencer.h"

#include <cmath>
#include <map>
#include <tuple>

namespace veltrane::assetgen::audio {

namespace {

Mono RenderNote(const Instrument& in, double midi, double seconds, double velocity) {
    const double length = in.Amp.Length(seconds);
    Mono out(static_cast<std::size_t>(Frames(length)), 0.0f);
    const double hz = MidiToHz(midi);
    if (in.FmBell) {
        double pc = 0, pm = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            const double index = 1.8 * std::exp(-t / 0.25) + 0.3;
            out[i] = static_cast<float>(in.Amp.At(t, seconds) *
                                        std::sin(2 * kPi * pc + index * std::sin(2 * kPi * pm)));
            pc += hz / kSampleRate;
            pm += 2 * hz / kSampleRate;
        }
    } else {
        std::vector<Oscillator> oscs;
        std::vector<double> ratios;
        for (int u = 0; u < in.Unison; ++u) {
            const double spread = in.Unison > 1 ? (2.0 * u / (in.Unison - 1) - 1) : 0;
            ratios.push_back(std::pow(2.0, spread * in.DetuneCents / 1200));
            oscs.emplace_back(in.Shape, 0.37 * u);
        }
        Biquad filter;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            if (i % 16 == 0) {
                const double cutoff = in.Cutoff + in.CutoffEnv * velocity * std::exp(-t / in.FilterDecay);
                filter.Set(Biquad::Kind::LowPass, cutoff, in.Resonance);
            }
            double vib = 1;
            if (in.VibratoDepth > 0 && t > in.VibratoDelay)
                vib = std::pow(2.0, in.VibratoDepth * std::min(1.0, (t - in.VibratoDelay) / 0.3) *
                                        std::sin(2 * kPi * in.VibratoRate * t) / 12);
            double v = 0;
            for (std::size_t u = 0; u < oscs.size(); ++u) v += oscs[u].Next(hz * ratios[u] * vib);
            v /= std::sqrt(static_cast<double>(oscs.size()));
            out[i] = filter.Process(static_cast<float>(v * in.Amp.At(t, seconds)));
        }
    }
    for (float& v : out) v *= static_cast<float>(velocity * in.Gain);
    return out;
}

// Wraps everything past `frames` round to the start (for loops) and cuts the buffer there.
void WrapTail(Stereo& s, std::size_t frames) {
    for (std::size_t i = frames; i < s.Frames(); ++i) {
        s.Left[(i - frames) % frames] += s.Left[i];
        s.Right[(i - frames) % frames] += s.Right[i];
    }
    s.Left.resize(frames);
    s.Right.resize(frames);
}

} // namespace

Mono RenderDrum(Drum kind, double velocity) {
    Noise noise(1234u + static_cast<unsigned>(kind));
    auto frames = [](double s) { return static_cast<std::size_t>(Frames(s)); };
    Mono out;
    switch (kind) {
    case Drum::Kick: {
        out.resize(frames(0.45));
        double phase = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            const double hz = 45 + 110 * std::exp(-t / 0.035);
            phase += hz / kSampleRate;
            const double click = i < 60 ? noise.White() * (1 - i / 60.0) * 0.4 : 0;
            out[i] = static_cast<float>(std::sin(2 * kPi * phase) * Decay60(t, 0.42, 0.001) + click);
        }
        break;
    }
    case Drum::Snare:
    case Drum::Clap: {
        const bool clap = kind == Drum::Clap;
        out.resize(frames(0.3));
        Biquad band(Biquad::Kind::BandPass, clap ? 1400 : 3000, clap ? 1.2 : 0.6);
        Biquad high(Biquad::Kind::HighPass, 700, 0.7);
        double phase = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            double env = Decay60(t, clap ? 0.22 : 0.2, 0.001);
            if (clap) { // three quick re-triggers make the clap
                const double tt = std::fmod(t, 0.011);
                if (t < 0.033) env = Decay60(tt, 0.02, 0.0005);
            }
            phase += 185.0 / kSampleRate;
            const double body = clap ? 0 : 0.5 * std::sin(2 * kPi * phase) * Decay60(t, 0.08, 0.001);
            out[i] = static_cast<float>(env * band.Process(high.Process(noise.White())) * 1.6 + body);
        }
        break;
    }
    case Drum::HatClosed:
    case Drum::HatOpen:
    case Drum::Shaker:
    case Drum::Crash: {
        const double decay = kind == Drum::HatClosed ? 0.05
                             : kind == Drum::HatOpen ? 0.3
                             : kind == Drum::Shaker  ? 0.07
                                                     : 1.6;
        out.resize(frames(decay + 0.01));
        Biquad high(Biquad::Kind::HighPass, kind == Drum::Shaker ? 5000 : 7000, 0.7);
        Biquad peak(Biquad::Kind::Peak, 10000, 1.0, 6);
        const double attack = kind == Drum::Shaker ? 0.012 : 0.0005;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            out[i] =
                static_cast<float>(Decay60(t, decay, attack) * peak.Process(high.Process(noise.White())));
        }
        break;
    }
    case Drum::TomLow:
    case Drum::TomHigh: {
        out.resize(frames(0.4));
        const double base = kind == Drum::TomLow ? 95 : 150;
        double phase = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            phase += base * (1 + 0.5 * std::exp(-t / 0.05)) / kSampleRate;
            out[i] = static_cast<float>(std::sin(2 * kPi * phase) * Decay60(t, 0.35, 0.001));
        }
        break;
    }
    }
    for (float& v : out) v *= static_cast<float>(velocity);
    return out;
}

Stereo RenderSong(const Song& song) {
    const double beatSeconds = 60.0 / song.Bpm;
    const std::size_t songFrames = static_cast<std::size_t>(Frames(song.Beats * beatSeconds));
    const std::size_t tail = static_cast<std::size_t>(Frames(3.0));
    Stereo dry(songFrames + tail);
    Stereo echoBus(songFrames + tail);
    Mono reverbBus(songFrames + tail, 0.0f);

    for (const Part& part : song.Parts) {
        std::map<std::tuple<long, long, long>, Mono> cache;
        for (const NoteEvent& note : part.Notes) {
            const auto key = std::make_tuple(std::lround(note.Midi * 100), std::lround(note.Length * 1000),
                                             std::lround(note.Velocity * 1000));
            auto it = cache.find(key);
            if (it == cache.end())
                it = cache
                         .emplace(key,
                                  RenderNote(part.Sound, note.Midi, note.Length * beatSeconds, note.Velocity))
                         .first;
            const long at = Frames(note.Beat * beatSeconds);
            MixInto(dry, it->second, at, 1.0, part.Sound.Pan);
            if (part.Sound.ReverbSend > 0) MixInto(reverbBus, it->second, at, part.Sound.ReverbSend);
            if (part.Sound.EchoSend > 0)
                MixInto(echoBus, it->second, at, part.Sound.EchoSend, -part.Sound.Pan);
        }
    }

    std::map<std::pair<int, long>, Mono> drums;
    for (const DrumHit& hit : song.Drums) {
        const auto key = std::make_pair(static_cast<int>(hit.Kind), std::lround(hit.Velocity * 1000));
        auto it = drums.find(key);
        if (it == drums.end()) it = drums.emplace(key, RenderDrum(hit.Kind, hit.Velocity)).first;
        double pan = 0;
        if (hit.Kind == Drum::HatClosed || hit.Kind == Drum::HatOpen) pan = 0.3;
        if (hit.Kind == Drum::Shaker) pan = -0.35;
        if (hit.Kind == Drum::TomHigh) pan = 0.25;
        if (hit.Kind == Drum::TomLow) pan = -0.25;
        const long at = Frames(hit.Beat * beatSeconds);
        MixInto(dry, it->second, at, song.DrumGain, pan);
        const double send = hit.Kind == Drum::Kick ? 0.02 : 0.12;
        MixInto(reverbBus, it->second, at, song.DrumGain * send);
    }

    // Lead echo: the repeats come back from the other side, a little later on the right.
    const Mono echoLeft = Delayed(echoBus.Left, song.EchoBeats * beatSeconds, 0.35);
    const Mono echoRight = Delayed(echoBus.Right, song.EchoBeats * beatSeconds * 1.5, 0.35);
    const Stereo wet = Reverb(song.ReverbRoom, 0.5).Wet(reverbBus);
    for (std::size_t i = 0; i < dry.Frames(); ++i) {
        dry.Left[i] += static_cast<float>(song.ReverbWet * wet.Left[i]) + echoLeft[i];
        dry.Right[i] += static_cast<float>(song.ReverbWet * wet.Right[i]) + echoRight[i];
    }

    if (song.Loop) WrapTail(dry, songFrames);
    return dry;
}

} // namespace veltrane::assetgen::audio
