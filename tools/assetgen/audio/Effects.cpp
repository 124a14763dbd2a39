// Each effect is a few synthesised layers (tones, sweeps, noise, bells) with its own envelope,
// then mastered to the loudness of its family: quiet interface clicks, game events, big moments.
#include "audio/Effects.h"

#include "audio/Mastering.h"
#include "audio/Voice.h"

#include <cmath>
#include <stdexcept>

namespace veltrane::assetgen::audio {

namespace {

// Loudness families (gated RMS in dBFS) and the common peak ceiling.
constexpr double kClick = -21;
constexpr double kStep = -18; // cube steps: heard over the music, a few dB under it
constexpr double kEvent = -17;
constexpr double kBig = -15;
constexpr double kVoice = -15;
constexpr double kCeiling = -1.5;

Mono Blank(double seconds) {
    return Mono(static_cast<std::size_t>(Frames(seconds)), 0.0f);
}

// A tone from `hz0` to `hz1` (exponential glide) starting at `start` s, lasting `length` s, with a
// short attack and a decay to -60 dB over `decay` s.
void Tone(Mono& out, double start, double length, double hz0, double hz1, Wave wave, double decay,
          double gain, double attack = 0.003) {
    Oscillator osc(wave);
    const int first = Frames(start);
    const int count = Frames(length);
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double hz = hz0 * std::pow(hz1 / hz0, t / length);
        double env = Decay60(t, decay, attack);
        const double tail = length - t;
        if (tail < 0.01) env *= tail / 0.01;
        out[static_cast<std::size_t>(first + i)] += static_cast<float>(gain * env * osc.Next(hz));
    }
}

// An FM bell: a sine carrier whose modulator (ratio 3.5) fades faster than the tone itself.
void Bell(Mono& out, double start, double hz, double decay, double gain, double ratio = 3.5) {
    const int first = Frames(start);
    const int count = Frames(decay);
    double pc = 0, pm = 0;
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double index = 2.2 * Decay60(t, decay * 0.35, 0.001);
        const double v = std::sin(2 * kPi * pc + index * std::sin(2 * kPi * pm));
        pc += hz / kSampleRate;
        pm += hz * ratio / kSampleRate;
        double env = Decay60(t, decay, 0.002);
        if (count - i < 200) env *= (count - i) / 200.0;
        out[static_cast<std::size_t>(first + i)] += static_cast<float>(gain * env * v);
    }
}

// Filtered noise: a band-pass (or low/high-pass) whose centre glides from `hz0` to `hz1`.
void NoiseBurst(Mono& out, double start, double length, double decay, double gain, Biquad::Kind kind,
                double hz0, double hz1, double q, std::uint32_t seed, double attack = 0.002) {
    Noise noise(seed);
    Biquad filter;
    const int first = Frames(start);
    const int count = Frames(length);
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        if (i % 32 == 0) filter.Set(kind, hz0 * std::pow(hz1 / hz0, t / length), q);
        double env = Decay60(t, decay, attack);
        const double tail = length - t;
        if (tail < 0.01) env *= tail / 0.01;
        out[static_cast<std::size_t>(first + i)] +=
            static_cast<float>(gain * env * filter.Process(noise.White()));
    }
}

double Note(double midi) {
    return MidiToHz(midi);
}

Mono Finish(Mono s, double target, double reverbWet = 0, double room = 0.5) {
    if (reverbWet > 0) Reverb(room, 0.5).ProcessMono(s, reverbWet);
    FadeEdges(s, 0.001, 0.02);
    Master(s, target, kCeiling);
    return s;
}

// A quick rising arpeggio that sits under the combo voices, higher for bigger combos.
void ComboRise(Mono& out, int step) {
    const double base = 67 + 2 * step; // G4, A4, B4, C#5
    const double notes[] = {0, 4, 7, 12};
    for (int k = 0; k < 4; ++k) Bell(out, 0.045 * k, Note(base + notes[k]), 0.5, 0.10, 2.0);
}

Mono VoiceWithRise(const char* text, int step, double pitch) {
    const Mono voice = AnnouncerLine(text, pitch);
    Mono out(voice.size() + static_cast<std::size_t>(Frames(0.1)), 0.0f);
    ComboRise(out, step);
    MixInto(out, voice, Frames(0.06), 1.0);
    return out;
}

// An inharmonic gong: partials of a struck plate, the higher ones dying first.
void Gong(Mono& out, double start, double hz, double decay, double gain) {
    const double partials[][2] = {{1.0, 1.0}, {2.08, 0.55}, {2.97, 0.4}, {4.12, 0.25}, {5.4, 0.15}};
    for (const auto& p : partials)
        Tone(out, start, decay, hz * p[0] * 1.004, hz * p[0], Wave::Sine, decay / (0.6 + p[0] * 0.5),
             gain * p[1], 0.004);
}

Mono NewLevel() {
    // The room opens: a swell of air rising into one deep gong stroke with a fifth above it.
    Mono s = Blank(2.0);
    Noise n(3);
    Biquad bp;
    const double swell = 0.55;
    for (int i = 0; i < Frames(swell); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double x = t / swell;
        if (i % 32 == 0) bp.Set(Biquad::Kind::BandPass, 400 + 3600 * x * x, 1.4);
        s[static_cast<std::size_t>(i)] = static_cast<float>(0.5 * x * x * x * bp.Process(n.White()));
    }
    Gong(s, swell, Note(45), 1.45, 0.45);
    Gong(s, swell, Note(52), 1.2, 0.18);
    Tone(s, swell, 1.4, Note(33), Note(33), Wave::Sine, 1.2, 0.35, 0.002);
    return Finish(std::move(s), kEvent, 0.45, 0.75);
}

Mono BonusLevel() {
    // A snare roll, then a fast bright trill like coins spilling, cut off by a crash.
    Mono s = Blank(1.9);
    for (int k = 0; k < 12; ++k)
        NoiseBurst(s, 0.04 * k, 0.08, 0.07, 0.08 + 0.02 * k, Biquad::Kind::BandPass, 2500, 2500, 0.8,
                   100u + static_cast<unsigned>(k));
    for (int k = 0; k < 12; ++k) {
        const double n = k % 2 == 0 ? 86 : 89;
        Tone(s, 0.48 + 0.042 * k, 0.05, Note(n), Note(n), Wave::Square, 0.05, 0.07 + 0.004 * k, 0.001);
    }
    const double hit = 0.48 + 0.042 * 12;
    NoiseBurst(s, hit, 1.3, 1.2, 0.55, Biquad::Kind::HighPass, 5000, 3500, 0.7, 140u, 0.001);
    for (double n : {74.0, 78.0, 81.0}) Tone(s, hit, 0.35, Note(n), Note(n), Wave::Square, 0.3, 0.06, 0.002);
    Tone(s, hit, 0.5, Note(50), Note(50), Wave::Triangle, 0.45, 0.35, 0.002);
    Filter(s, Biquad(Biquad::Kind::LowPass, 9000, 0.7));
    return Finish(std::move(s), kEvent, 0.3);
}

Mono NewTurn() {
    // Three small bubbles: the new cubes popping in.
    Mono s = Blank(0.4);
    const double start[] = {0.0, 0.07, 0.14};
    const double hz[] = {520, 660, 780};
    for (int k = 0; k < 3; ++k) Tone(s, start[k], 0.12, hz[k], hz[k] * 1.8, Wave::Sine, 0.1, 0.3);
    return Finish(std::move(s), kClick + 2, 0.2, 0.3);
}

Mono FlyingBy() {
    // Wind rushing past: noise swept up and back down, with a gliding tone for the doppler feel.
    Mono s = Blank(2.2);
    Noise n(7);
    Biquad bp;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double x = t / 2.2;
        const double swell = std::sin(kPi * x);
        if (i % 32 == 0) bp.Set(Biquad::Kind::BandPass, 300 + 2500 * swell * swell, 1.2);
        s[i] = static_cast<float>(0.6 * swell * swell * bp.Process(n.White()));
    }
    Tone(s, 0.2, 1.8, 520, 260, Wave::Triangle, 5.0, 0.08, 0.6);
    return Finish(std::move(s), kEvent, 0.4, 0.7);
}

Mono BonusLevelDone() {
    // A brassy V - I cadence crowned by a cymbal.
    Mono s = Blank(2.4);
    for (double n : {62.0, 67.0, 71.0}) Tone(s, 0.0, 0.45, Note(n), Note(n), Wave::Saw, 1.0, 0.08, 0.02);
    for (double n : {60.0, 64.0, 67.0, 72.0}) Tone(s, 0.5, 1.6, Note(n), Note(n), Wave::Saw, 2.0, 0.08, 0.03);
    Tone(s, 0.0, 0.45, Note(43), Note(43), Wave::Triangle, 1.0, 0.3);
    Tone(s, 0.5, 1.6, Note(36), Note(36), Wave::Triangle, 2.0, 0.3);
    for (int k = 0; k < 4; ++k) Bell(s, 0.5 + 0.1 * k, Note(84 + 3 * k - (k == 3 ? 2 : 0)), 1.0, 0.05);
    // A cymbal on the resolution: bright where the game-over chord is dark.
    NoiseBurst(s, 0.5, 1.8, 1.6, 0.3, Biquad::Kind::HighPass, 6000, 4000, 0.7, 150u, 0.001);
    Filter(s, Biquad(Biquad::Kind::LowPass, 9000, 0.8));
    return Finish(std::move(s), kEvent, 0.6);
}

Mono SelectCube() {
    Mono s = Blank(0.14);
    Tone(s, 0, 0.12, 700, 1300, Wave::Triangle, 0.09, 0.4);
    Tone(s, 0, 0.12, 1400, 2600, Wave::Sine, 0.05, 0.1);
    return Finish(std::move(s), kClick);
}

Mono MoveCube() {
    // A wooden tap, short enough for one every 70 ms, as loud as the music so each step is heard.
    Mono s = Blank(0.06);
    Tone(s, 0, 0.06, 760, 540, Wave::Sine, 0.035, 0.5);
    Tone(s, 0, 0.06, 380, 300, Wave::Sine, 0.03, 0.3);
    NoiseBurst(s, 0, 0.02, 0.012, 0.3, Biquad::Kind::BandPass, 2200, 1500, 1.5, 11);
    return Finish(std::move(s), kStep);
}

Mono MoveBomb() {
    // Heavier: a lower knock over a thump, with the fuse hissing on top.
    Mono s = Blank(0.07);
    Tone(s, 0, 0.07, 160, 90, Wave::Sine, 0.05, 0.25);
    Tone(s, 0, 0.07, 440, 310, Wave::Sine, 0.05, 0.6);
    NoiseBurst(s, 0, 0.07, 0.06, 0.15, Biquad::Kind::HighPass, 5000, 5000, 0.7, 12);
    return Finish(std::move(s), kStep + 1); // its longer tail reads quieter
}

Mono Moved() {
    Mono s = Blank(0.2);
    Tone(s, 0, 0.2, 300, 150, Wave::Sine, 0.12, 0.6);
    NoiseBurst(s, 0, 0.04, 0.03, 0.35, Biquad::Kind::BandPass, 1500, 800, 1.2, 13);
    return Finish(std::move(s), kClick);
}

Mono FigureDone() {
    // A square vanishes: a clean two-note chime.
    Mono s = Blank(0.7);
    Bell(s, 0.0, Note(76), 0.6, 0.3);
    Bell(s, 0.07, Note(83), 0.6, 0.3);
    return Finish(std::move(s), kEvent, 0.3);
}

Mono ExplodeBomb() {
    Mono s = Blank(1.8);
    // Body: a sine falling from a punch to a rumble.
    Tone(s, 0, 1.2, 110, 32, Wave::Sine, 0.9, 0.9, 0.001);
    // Blast: low-passed noise closing down.
    NoiseBurst(s, 0, 1.7, 1.3, 1.2, Biquad::Kind::LowPass, 3000, 120, 0.8, 21, 0.001);
    // Crackle: sparse clicks of debris.
    Noise n(22);
    for (int k = 0; k < 30; ++k) {
        const double at = 0.05 + 0.9 * n.Uniform() * n.Uniform();
        NoiseBurst(s, at, 0.015, 0.01, 0.25 * (1 - at), Biquad::Kind::HighPass, 2000, 2000, 0.7,
                   300u + static_cast<unsigned>(k));
    }
    // Soft saturation gives the boom its weight.
    for (float& v : s) v = static_cast<float>(std::tanh(1.6 * v));
    return Finish(std::move(s), kBig, 0.25, 0.8);
}

Mono Colorize() {
    // Paint splashing: a wet splat, then drops of paint blooping up at uneven intervals.
    Mono s = Blank(0.9);
    NoiseBurst(s, 0, 0.25, 0.2, 0.5, Biquad::Kind::LowPass, 2500, 500, 1.2, 31, 0.001);
    const double at[] = {0.04, 0.13, 0.19, 0.31, 0.38, 0.52};
    const double from[] = {260, 340, 300, 420, 380, 520};
    for (int k = 0; k < 6; ++k)
        Tone(s, at[k], 0.09, from[k], from[k] * 2.6, Wave::Sine, 0.09, 0.5 - 0.05 * k, 0.001);
    return Finish(std::move(s), kEvent, 0.2, 0.3);
}

Mono Shot() {
    // A laser zap falling fast, with a crack at the start.
    Mono s = Blank(0.45);
    Tone(s, 0, 0.4, 2200, 180, Wave::Saw, 0.35, 0.35, 0.001);
    Tone(s, 0, 0.4, 2230, 190, Wave::Square, 0.3, 0.15, 0.001);
    NoiseBurst(s, 0, 0.05, 0.04, 0.5, Biquad::Kind::HighPass, 3000, 3000, 0.7, 41, 0.0005);
    Filter(s, Biquad(Biquad::Kind::LowPass, 7000, 0.7));
    return Finish(std::move(s), kEvent, 0.2);
}

// A plucked string: a bright triangle whose tone darkens as it dies, like a harp.
void Pluck(Mono& out, double start, double hz, double decay, double gain) {
    Mono note = Blank(decay);
    Tone(note, 0, decay, hz, hz, Wave::Triangle, decay, 1.0, 0.001);
    Tone(note, 0, decay * 0.3, hz * 2, hz * 2, Wave::Sine, decay * 0.25, 0.35, 0.001);
    MixInto(out, note, Frames(start), gain);
}

Mono ShowBonus() {
    // The bonus figure is built: a harp sweeps up two octaves of a pentatonic scale and a
    // high sparkle answers at the top.
    Mono s = Blank(1.3);
    const double steps[] = {0, 2, 4, 7, 9, 12, 14, 16, 19, 21, 24};
    for (int k = 0; k < 11; ++k) Pluck(s, 0.028 * k, Note(67 + steps[k]), 0.6, 0.2);
    const double top = 0.028 * 11;
    for (int k = 0; k < 5; ++k) Bell(s, top + 0.06 * k, Note(103 - 2 * (k % 2)), 0.25, 0.06, 1.41);
    return Finish(std::move(s), kEvent, 0.4);
}

Mono GameOver() {
    // A slow minor descent ending on a low, dark chord.
    Mono s = Blank(3.4);
    const double melody[] = {67, 63, 60, 55};
    for (int k = 0; k < 4; ++k)
        Tone(s, 0.35 * k, k == 3 ? 2.4 : 0.5, Note(melody[k]), Note(melody[k]) * (k == 3 ? 0.985 : 1.0),
             Wave::Square, k == 3 ? 2.2 : 0.6, 0.12, 0.01);
    for (double n : {36.0, 43.0, 48.0, 51.0})
        Tone(s, 1.05, 2.3, Note(n), Note(n) * 0.985, Wave::Saw, 2.6, 0.07, 0.08);
    Filter(s, Biquad(Biquad::Kind::LowPass, 2200, 0.7));
    return Finish(std::move(s), kEvent, 0.6, 0.7);
}

Mono MenuMove() {
    Mono s = Blank(0.045);
    Tone(s, 0, 0.045, 1500, 1200, Wave::Sine, 0.025, 0.5, 0.0005);
    NoiseBurst(s, 0, 0.008, 0.005, 0.2, Biquad::Kind::HighPass, 4000, 4000, 0.7, 51, 0.0003);
    return Finish(std::move(s), kClick - 2);
}

Mono MenuEnter() {
    Mono s = Blank(0.25);
    Tone(s, 0, 0.1, Note(76), Note(76), Wave::Triangle, 0.1, 0.4);
    Tone(s, 0.08, 0.17, Note(83), Note(83), Wave::Triangle, 0.15, 0.4);
    return Finish(std::move(s), kClick, 0.15);
}

Mono MenuEsc() {
    Mono s = Blank(0.25);
    Tone(s, 0, 0.1, Note(79), Note(79), Wave::Triangle, 0.1, 0.4);
    Tone(s, 0.08, 0.17, Note(72), Note(72), Wave::Triangle, 0.15, 0.4);
    return Finish(std::move(s), kClick, 0.15);
}

Mono MenuKey() {
    // A typewriter key: a sharp click and a little body.
    Mono s = Blank(0.06);
    NoiseBurst(s, 0, 0.02, 0.012, 0.6, Biquad::Kind::BandPass, 3500, 2500, 1.0, 61, 0.0003);
    Tone(s, 0, 0.06, 900, 700, Wave::Sine, 0.03, 0.3, 0.0005);
    return Finish(std::move(s), kClick - 2);
}

Mono Selected() {
    // A seamless one-second loop: whole numbers of cycles of every partial and of the 2 Hz
    // pulse, so the end joins the start without a seam. The tone sits at 220 Hz with partials up
    // to 1.3 kHz, where small speakers play, and pulses twice a second instead of droning.
    Mono s = Blank(1.0);
    const double partials[][2] = {{220, 0.35}, {440, 0.4}, {660, 0.28}, {880, 0.18}, {1320, 0.08}};
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double v = 0;
        for (const auto& p : partials) v += p[1] * std::sin(2 * kPi * p[0] * t);
        const double pulse = 0.5 + 0.5 * std::cos(2 * kPi * 2 * t);
        v *= 0.2 + 0.8 * pulse * pulse;
        s[i] = static_cast<float>(v);
    }
    Master(s, -24, kCeiling);
    return s;
}

Mono TimeUp() {
    // A clock tick: a hard, high wood-block click, under 60 ms for ticks every 150 ms.
    Mono s = Blank(0.055);
    Tone(s, 0, 0.055, 2400, 2300, Wave::Sine, 0.03, 0.5, 0.0003);
    Tone(s, 0, 0.055, 1150, 1100, Wave::Sine, 0.04, 0.3, 0.0003);
    NoiseBurst(s, 0, 0.006, 0.004, 0.4, Biquad::Kind::HighPass, 5000, 5000, 0.7, 71, 0.0002);
    return Finish(std::move(s), kClick + 1);
}

Mono Message() {
    // A notification ding for the labels of a finished level.
    Mono s = Blank(0.9);
    Bell(s, 0, Note(81), 0.8, 0.3, 1.4);
    Bell(s, 0, Note(88), 0.6, 0.12, 1.4);
    return Finish(std::move(s), kEvent, 0.35);
}

Mono Voice(const char* text, int step, double pitch) {
    return Finish(VoiceWithRise(text, step, pitch), kVoice);
}

} // namespace

Mono MakeEffect(int number) {
    switch (number) {
    case 0:
        return NewLevel();
    case 1:
        return BonusLevel();
    case 2:
        return NewTurn();
    case 3:
        return FlyingBy();
    case 4:
        return BonusLevelDone();
    case 5:
        return SelectCube();
    case 6:
        return MoveCube();
    case 7:
        return MoveBomb();
    case 8:
        return Moved();
    case 9:
        return FigureDone();
    case 10:
        return Voice("Double!", 0, 0.92);
    case 11:
        return Voice("Triple!", 1, 0.92);
    case 12:
        return Voice("Quadro!", 2, 0.92);
    case 13:
        return Voice("Excellent!", 3, 0.92);
    case 14:
        return Finish(AnnouncerLine("Kwillo-mar!", 0.9), kVoice);
    case 15:
        return ExplodeBomb();
    case 16:
        return Colorize();
    case 17:
        return Shot();
    case 18:
        return ShowBonus();
    case 19:
        return GameOver();
    case 20:
        return MenuMove();
    case 21:
        return MenuEnter();
    case 22:
        return MenuEsc();
    case 23:
        return MenuKey();
    case 24:
        return Selected();
    case 25:
        return TimeUp();
    case 26:
        return Message();
    default:
        throw std::out_of_range("no sound effect number " + std::to_string(number));
    }
}

} // namespace veltrane::assetgen::audio
