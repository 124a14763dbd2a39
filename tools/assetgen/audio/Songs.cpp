// The music. Each track is a chord chart in sections; pads, bass, arpeggios, drums and melodies are
// written over it by the composer helpers. Themes loop: their last bar leads back to the first.
#include "audio/Songs.h"

#include "audio/Composer.h"
#include "audio/Mastering.h"

#include <stdexcept>
#include <string>

namespace veltrane::assetgen::audio {

namespace {

constexpr double kMusicRms = -17;
constexpr double kCeiling = -3.5; // leaves room for the encoder's overshoot

Instrument Pad(double gain) {
    Instrument i;
    i.Shape = Wave::Saw;
    i.Unison = 3;
    i.DetuneCents = 14;
    i.Amp = {0.35, 0.5, 0.8, 0.9};
    i.Cutoff = 1100;
    i.CutoffEnv = 500;
    i.FilterDecay = 1.0;
    i.Resonance = 0.7;
    i.Gain = gain;
    i.ReverbSend = 0.5;
    return i;
}

Instrument Bass(double gain) {
    Instrument i;
    i.Shape = Wave::Saw;
    i.Amp = {0.004, 0.25, 0.55, 0.06};
    i.Cutoff = 260;
    i.CutoffEnv = 1100;
    i.FilterDecay = 0.12;
    i.Resonance = 1.1;
    i.Gain = gain;
    i.ReverbSend = 0.03;
    return i;
}

Instrument Pluck(double gain, double pan) {
    Instrument i;
    i.Shape = Wave::Square;
    i.Amp = {0.002, 0.18, 0.0, 0.05};
    i.Cutoff = 900;
    i.CutoffEnv = 2600;
    i.FilterDecay = 0.08;
    i.Resonance = 0.9;
    i.Gain = gain;
    i.Pan = pan;
    i.ReverbSend = 0.3;
    i.EchoSend = 0.35;
    return i;
}

Instrument Lead(double gain) {
    Instrument i;
    i.Shape = Wave::Square;
    i.Unison = 2;
    i.DetuneCents = 6;
    i.Amp = {0.01, 0.3, 0.7, 0.15};
    i.Cutoff = 1800;
    i.CutoffEnv = 1800;
    i.FilterDecay = 0.25;
    i.Resonance = 0.8;
    i.VibratoDepth = 0.18;
    i.VibratoRate = 5.5;
    i.VibratoDelay = 0.25;
    i.Gain = gain;
    i.Pan = -0.1;
    i.ReverbSend = 0.35;
    i.EchoSend = 0.25;
    return i;
}

Instrument BellLead(double gain) {
    Instrument i;
    i.FmBell = true;
    i.Amp = {0.003, 0.9, 0.25, 0.6};
    i.Gain = gain;
    i.Pan = 0.15;
    i.ReverbSend = 0.5;
    i.EchoSend = 0.3;
    return i;
}

// Parts of a song by role, filled section by section.
struct Band {
    Part pad, bass, arp, lead, bell;
    std::vector<DrumHit> drums;
};

Song Assemble(Band band, double bpm, int bars, bool loop) {
    Song song;
    song.Bpm = bpm;
    song.Beats = 4.0 * bars;
    song.Loop = loop;
    for (Part* p : {&band.pad, &band.bass, &band.arp, &band.lead, &band.bell})
        if (!p->Notes.empty()) song.Parts.push_back(std::move(*p));
    song.Drums = std::move(band.drums);
    return song;
}

const std::vector<BassStep> kBassDrive = {{0, 0.45, 0}, {0.5, 0.45, 0}, {1, 0.45, 2}, {1.5, 0.45, 0},
                                          {2, 0.45, 0}, {2.5, 0.45, 1}, {3, 0.45, 2}, {3.5, 0.45, 3}};
const std::vector<BassStep> kBassWalk = {{0, 1.4, 0}, {1.5, 0.45, 0}, {2, 0.9, 1}, {3, 0.9, 3}};
const std::vector<BassStep> kBassCalm = {{0, 1.9, 0}, {2, 1.4, 1}, {3.5, 0.45, 0}};

// theme1: the calm game theme (mode 1), A minor, 108 bpm, 32 bars (71 s), loops.
Song Theme1() {
    Band band;
    band.pad.Sound = Pad(0.06);
    band.bass.Sound = Bass(0.22);
    band.arp.Sound = Pluck(0.05, 0.35);
    band.lead.Sound = Lead(0.07);
    band.bell.Sound = BellLead(0.09);
    const Scale scale = MinorScale(57);
    const Groove light{"x.......x.......", "....o.......o...", "x.o.x.o.x.o.x.o.", "", "", ""};
    const Groove full{"x.....x.x.......", "....x.......x...", "x.o.x.o.x.o.x.o.", "..............x.", "", ""};

    const auto a = Chart({"Am", "F", "C", "G", "Am", "F", "G", "G"});
    AddPad(band.pad, a, 0, 64);
    AddArpeggio(band.arp, a, 0, 57, 0.5);
    AddBass(band.bass, a, 0, 45, kBassCalm);
    AddGroove(band.drums, light, 0, 8);
    AddFill(band.drums, 7);

    const auto b = Chart({"Am", "F", "C", "G", "Am", "F", "Dm", "E7"});
    AddPad(band.pad, b, 8, 64);
    AddArpeggio(band.arp, b, 8, 57, 0.5, 0.8);
    AddBass(band.bass, b, 8, 45, kBassWalk);
    AddMelody(band.lead, b, 8, scale, 64, 81, 11, 0.5);
    AddGroove(band.drums, full, 8, 8);
    AddFill(band.drums, 15);

    const auto c = Chart({"F", "G", "Em", "Am", "F", "G", "Am", "Am"});
    AddPad(band.pad, c, 16, 65);
    AddArpeggio(band.arp, c, 16, 60, 0.25, 0.7);
    AddBass(band.bass, c, 16, 45, kBassWalk);
    AddMelody(band.bell, c, 16, scale, 67, 86, 23, 0.35);
    AddGroove(band.drums, full, 16, 8);
    AddFill(band.drums, 23);

    const auto d = Chart({"Dm", "G", "C", "Am", "F", "G", "Esus4", "E7"});
    AddPad(band.pad, d, 24, 64);
    AddArpeggio(band.arp, d, 24, 57, 0.5, 0.8);
    AddBass(band.bass, d, 24, 45, kBassWalk);
    AddMelody(band.lead, d, 24, scale, 64, 81, 11, 0.6);
    AddGroove(band.drums, full, 24, 7);
    AddGroove(band.drums, light, 31, 1);
    AddFill(band.drums, 31); // its crash wraps to the first beat of the loop
    return Assemble(std::move(band), 108, 32, true);
}

// theme2: the timed theme (mode 2), D minor, 128 bpm, driving eighths, 40 bars (75 s), loops.
Song Theme2() {
    Band band;
    band.pad.Sound = Pad(0.05);
    band.bass.Sound = Bass(0.22);
    band.arp.Sound = Pluck(0.05, -0.35);
    band.lead.Sound = Lead(0.075);
    band.bell.Sound = BellLead(0.08);
    const Scale scale = MinorScale(62);
    const Groove drive{
        "x...x...x...x...", "....x.......x...", "x.x.x.x.x.x.x.x.", "..x...x...x...x.", "", ""};
    const Groove push{"x...x...x...x.x.", "....x.......x..o", "xoxoxoxoxoxoxoxo", "..x...x...x...x.", "",
                      "....x.......x..."};

    const auto a = Chart({"Dm", "Bb", "C", "Am", "Dm", "Bb", "C", "C"});
    AddPad(band.pad, a, 0, 62);
    AddBass(band.bass, a, 0, 38, kBassDrive);
    AddArpeggio(band.arp, a, 0, 62, 0.25, 0.7);
    AddGroove(band.drums, drive, 0, 8);
    AddFill(band.drums, 7);

    const auto b = Chart({"Dm", "Bb", "F", "C", "Gm", "Bb", "C", "A7"});
    AddPad(band.pad, b, 8, 62);
    AddBass(band.bass, b, 8, 38, kBassDrive);
    AddArpeggio(band.arp, b, 8, 62, 0.25, 0.6);
    AddMelody(band.lead, b, 8, scale, 62, 79, 7, 0.7);
    AddGroove(band.drums, drive, 8, 8);
    AddFill(band.drums, 15);

    const auto c = Chart({"Bb", "C", "Dm", "Dm", "Bb", "C", "A", "A7"});
    AddPad(band.pad, c, 16, 63);
    AddBass(band.bass, c, 16, 38, kBassDrive);
    AddArpeggio(band.arp, c, 16, 65, 0.25, 0.7);
    AddMelody(band.bell, c, 16, scale, 69, 86, 31, 0.5);
    AddGroove(band.drums, push, 16, 8);
    AddFill(band.drums, 23);

    const auto d = Chart({"Dm", "Bb", "F", "C", "Gm", "Bb", "A7", "A7"});
    AddPad(band.pad, d, 24, 62);
    AddBass(band.bass, d, 24, 38, kBassDrive);
    AddArpeggio(band.arp, d, 24, 62, 0.25, 0.6);
    AddMelody(band.lead, d, 24, scale, 62, 81, 7, 0.85);
    AddGroove(band.drums, push, 24, 8);
    AddFill(band.drums, 31);

    const auto e = Chart({"Gm", "Gm", "Dm", "Dm", "Bb", "C", "A7", "A7"});
    AddPad(band.pad, e, 32, 62);
    AddBass(band.bass, e, 32, 38, kBassWalk);
    AddArpeggio(band.arp, e, 32, 62, 0.5, 0.8);
    AddMelody(band.bell, e, 32, scale, 65, 84, 43, 0.4);
    AddGroove(band.drums, drive, 32, 7);
    AddFill(band.drums, 39);
    return Assemble(std::move(band), 128, 40, true);
}

// menu1: a dreamy F major piece, 92 bpm, 24 bars, played once with a held last chord.
Song Menu1() {
    Band band;
    band.pad.Sound = Pad(0.065);
    band.bass.Sound = Bass(0.18);
    band.arp.Sound = Pluck(0.045, 0.4);
    band.bell.Sound = BellLead(0.1);
    band.lead.Sound = Lead(0.06);
    const Scale scale = MajorScale(65);
    const Groove soft{"x.........x.....", "........o.......", "", "", "o.x.o.x.o.x.o.x.", ""};

    const auto intro = Chart({"Fmaj7", "Cmaj7", "Bbmaj7", "C"});
    AddPad(band.pad, intro, 0, 64);
    AddArpeggio(band.arp, intro, 0, 60, 0.5, 0.7);

    const auto a = Chart({"Fmaj7", "Em7", "Dm7", "Cmaj7", "Bbmaj7", "Am7", "Gm7", "C7"});
    AddPad(band.pad, a, 4, 64);
    AddArpeggio(band.arp, a, 4, 60, 0.5, 0.7);
    AddBass(band.bass, a, 4, 41, kBassCalm);
    AddMelody(band.bell, a, 4, scale, 69, 88, 5, 0.35);
    AddGroove(band.drums, soft, 4, 8);

    AddPad(band.pad, a, 12, 64);
    AddArpeggio(band.arp, a, 12, 60, 0.25, 0.6);
    AddBass(band.bass, a, 12, 41, kBassWalk);
    AddMelody(band.lead, a, 12, scale, 65, 84, 5, 0.5);
    AddGroove(band.drums, soft, 12, 8);
    AddFill(band.drums, 19, false);

    const auto outro = Chart({"Bbmaj7", "C7", "Fmaj7", "Fmaj7"});
    AddPad(band.pad, outro, 20, 64);
    AddArpeggio(band.arp, outro, 20, 60, 0.5, 0.6);
    AddBass(band.bass, Chart({"Bb", "C", "F"}), 20, 41, kBassCalm);
    band.bell.Notes.push_back({88, 4, 77, 0.9}); // the last chord rings out on the tonic
    band.drums.push_back({88, Drum::Crash, 0.4});
    return Assemble(std::move(band), 92, 24, false);
}

// menu2: an elegant C minor piece, 100 bpm, 24 bars, played once.
Song Menu2() {
    Band band;
    band.pad.Sound = Pad(0.06);
    band.bass.Sound = Bass(0.2);
    band.arp.Sound = Pluck(0.05, -0.4);
    band.lead.Sound = Lead(0.065);
    band.bell.Sound = BellLead(0.09);
    const Scale scale = MinorScale(60);
    const Groove half{"x.......x.x.....", "........x.......", "x.x.x.x.x.x.x.x.", "", "", ""};

    const auto intro = Chart({"Cm", "Ab", "Eb", "Bb"});
    AddPad(band.pad, intro, 0, 63);
    AddArpeggio(band.arp, intro, 0, 60, 0.25, 0.6);

    const auto a = Chart({"Cm", "Ab", "Eb", "Bb", "Fm", "Ab", "G", "G7"});
    AddPad(band.pad, a, 4, 63);
    AddArpeggio(band.arp, a, 4, 60, 0.25, 0.6);
    AddBass(band.bass, a, 4, 36, kBassWalk);
    AddMelody(band.lead, a, 4, scale, 63, 82, 17, 0.55);
    AddGroove(band.drums, half, 4, 8);
    AddFill(band.drums, 11);

    const auto b = Chart({"Ab", "Bb", "Cm", "Cm", "Fm", "Bb", "Eb", "G7"});
    AddPad(band.pad, b, 12, 63);
    AddArpeggio(band.arp, b, 12, 60, 0.25, 0.6);
    AddBass(band.bass, b, 12, 36, kBassWalk);
    AddMelody(band.bell, b, 12, scale, 67, 86, 29, 0.4);
    AddGroove(band.drums, half, 12, 8);
    AddFill(band.drums, 19, false);

    const auto outro = Chart({"Ab", "Bb", "Cm", "Cm"});
    AddPad(band.pad, outro, 20, 63);
    AddArpeggio(band.arp, outro, 20, 60, 0.5, 0.5);
    AddBass(band.bass, Chart({"Ab", "Bb", "C"}), 20, 36, kBassCalm);
    band.bell.Notes.push_back({88, 4, 72, 0.9});
    band.drums.push_back({88, Drum::Crash, 0.4});
    return Assemble(std::move(band), 100, 24, false);
}

} // namespace

Song ComposeTrack(int number) {
    switch (number) {
    case 0:
        return Menu1();
    case 1:
        return Menu2();
    case 2:
        return Theme1();
    case 3:
        return Theme2();
    default:
        throw std::out_of_range("no music track number " + std::to_string(number));
    }
}

Stereo MakeTrack(int number) {
    const Song song = ComposeTrack(number);
    Stereo s = RenderSong(song);
    if (!song.Loop) { // let the one-shot pieces fade into silence over their tail
        const std::size_t fade = static_cast<std::size_t>(Frames(2.5));
        for (std::size_t i = 0; i < fade && i < s.Frames(); ++i) {
            const float g = static_cast<float>(i) / static_cast<float>(fade);
            s.Left[s.Frames() - 1 - i] *= g;
            s.Right[s.Frames() - 1 - i] *= g;
        }
    }
    Master(s, kMusicRms, kCeiling);
    return s;
}

} // namespace veltrane::assetgen::audio
