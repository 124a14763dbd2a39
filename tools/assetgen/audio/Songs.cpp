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

// Slow-bowed strings: soft triangles fading in, for the second menu piece.
Instrument Strings(double gain) {
    Instrument i;
    i.Shape = Wave::Triangle;
    i.Unison = 4;
    i.DetuneCents = 9;
    i.Amp = {0.7, 0.6, 0.85, 1.2};
    i.Cutoff = 2600;
    i.Resonance = 0.7;
    i.VibratoDepth = 0.06;
    i.VibratoRate = 4.8;
    i.VibratoDelay = 0.4;
    i.Gain = gain;
    i.ReverbSend = 0.6;
    return i;
}

// Soft electric keys: a short FM bell tone.
Instrument Keys(double gain, double pan) {
    Instrument i;
    i.FmBell = true;
    i.Amp = {0.002, 0.4, 0.15, 0.25};
    i.Gain = gain;
    i.Pan = pan;
    i.ReverbSend = 0.35;
    i.EchoSend = 0.15;
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

// theme1: the calm game theme (mode 1), A minor, 108 bpm, 88 bars (196 s), loops. The tune is
// stated, a half-time interlude in C major follows, the piece rises a tone to B minor with new
// melodies, turns back through a stretch of arpeggios without a tune, restates the tune before the
// outro leads round to the start.
Song Theme1() {
    Band band;
    band.pad.Sound = Pad(0.06);
    band.bass.Sound = Bass(0.22);
    band.arp.Sound = Pluck(0.05, 0.35);
    band.lead.Sound = Lead(0.07);
    band.bell.Sound = BellLead(0.09);
    const Scale scale = MinorScale(57);
    const Scale raised = MinorScale(59);
    const Groove light{"x.......x.......", "....o.......o...", "x.o.x.o.x.o.x.o.", "", "", ""};
    const Groove full{"x.....x.x.......", "....x.......x...", "x.o.x.o.x.o.x.o.", "..............x.", "", ""};
    const Groove half{"x...............", "........o.......", "", "", "o.x.o.x.o.x.o.x.", ""};
    const Groove lift{"x.....x.x.....x.", "....x.......x...", "xoxoxoxoxoxoxoxo", "......x.......x.", "", ""};

    const auto a = Chart({"Am", "F", "C", "G", "Am", "F", "G", "G"});
    const auto b = Chart({"Am", "F", "C", "G", "Am", "F", "Dm", "E7"});
    const auto c = Chart({"F", "G", "Em", "Am", "F", "G", "Am", "Am"});
    const auto d = Chart({"Dm", "G", "C", "Am", "F", "G", "Esus4", "E7"});

    AddPad(band.pad, a, 0, 64);
    AddArpeggio(band.arp, a, 0, 57, 0.5);
    AddBass(band.bass, a, 0, 45, kBassCalm);
    AddGroove(band.drums, light, 0, 8);
    AddFill(band.drums, 7);

    AddPad(band.pad, b, 8, 64);
    AddArpeggio(band.arp, b, 8, 57, 0.5, 0.8);
    AddBass(band.bass, b, 8, 45, kBassWalk);
    AddMelody(band.lead, b, 8, scale, 64, 81, 11, 0.5);
    AddGroove(band.drums, full, 8, 8);
    AddFill(band.drums, 15);

    AddPad(band.pad, c, 16, 65);
    AddArpeggio(band.arp, c, 16, 60, 0.25, 0.7);
    AddBass(band.bass, c, 16, 45, kBassWalk);
    AddMelody(band.bell, c, 16, scale, 67, 86, 23, 0.35);
    AddGroove(band.drums, full, 16, 8);
    AddFill(band.drums, 23);

    AddPad(band.pad, d, 24, 64);
    AddArpeggio(band.arp, d, 24, 57, 0.5, 0.8);
    AddBass(band.bass, d, 24, 45, kBassWalk);
    AddMelody(band.lead, d, 24, scale, 64, 81, 11, 0.6);
    AddGroove(band.drums, full, 24, 7);
    AddGroove(band.drums, light, 31, 1);
    AddFill(band.drums, 31);

    // Interlude: half time in C major, slow arpeggio, the bell alone.
    const auto e = Chart({"Fmaj7", "G", "Em7", "Am7", "Dm7", "G", "Cmaj7", "E7"});
    AddPad(band.pad, e, 32, 65, 0.9);
    AddArpeggio(band.arp, e, 32, 60, 1.0, 0.8);
    AddBass(band.bass, e, 32, 45, kBassCalm, 0.8);
    AddMelody(band.bell, e, 32, MajorScale(60), 67, 86, 37, 0.25);
    AddGroove(band.drums, half, 32, 8);
    AddFill(band.drums, 39);

    // A tone higher, in B minor: new melodies over the first charts.
    const auto f = Transposed(b, 2);
    AddPad(band.pad, f, 40, 66);
    AddArpeggio(band.arp, f, 40, 59, 0.5, 0.8);
    AddBass(band.bass, f, 40, 47, kBassWalk);
    AddMelody(band.lead, f, 40, raised, 66, 83, 41, 0.55);
    AddGroove(band.drums, full, 40, 8);
    AddFill(band.drums, 47);

    const auto g = Transposed(c, 2);
    AddPad(band.pad, g, 48, 67);
    AddArpeggio(band.arp, g, 48, 62, 0.25, 0.7);
    AddBass(band.bass, g, 48, 47, kBassWalk);
    AddMelody(band.bell, g, 48, raised, 69, 88, 53, 0.45);
    AddGroove(band.drums, lift, 48, 8);
    AddFill(band.drums, 55);

    // The way back to A minor: no tune, the arpeggio climbs higher and the drums drive.
    const auto h = Chart({"G", "A", "F#m", "Bm", "G", "F", "Dm", "E7"});
    AddPad(band.pad, h, 56, 66);
    AddArpeggio(band.arp, h, 56, 64, 0.25, 0.8);
    AddBass(band.bass, h, 56, 45, kBassWalk);
    AddGroove(band.drums, lift, 56, 8);
    AddFill(band.drums, 63);

    // The tune again, over busier parts.
    AddPad(band.pad, b, 64, 64);
    AddArpeggio(band.arp, b, 64, 57, 0.25, 0.7);
    AddBass(band.bass, b, 64, 45, kBassWalk);
    AddMelody(band.lead, b, 64, scale, 64, 81, 11, 0.5);
    AddGroove(band.drums, full, 64, 8);
    AddFill(band.drums, 71);

    AddPad(band.pad, c, 72, 65);
    AddArpeggio(band.arp, c, 72, 60, 0.25, 0.7);
    AddBass(band.bass, c, 72, 45, kBassWalk);
    AddMelody(band.bell, c, 72, scale, 67, 86, 23, 0.35);
    AddGroove(band.drums, full, 72, 8);
    AddFill(band.drums, 79);

    // Outro: the parts thin out towards the loop's first bar.
    AddPad(band.pad, d, 80, 64);
    AddArpeggio(band.arp, d, 80, 57, 0.5, 0.8);
    AddBass(band.bass, d, 80, 45, kBassCalm);
    AddGroove(band.drums, light, 80, 8);
    AddFill(band.drums, 87); // its crash wraps to the first beat of the loop
    return Assemble(std::move(band), 108, 88, true);
}

// theme2: the timed theme (mode 2), D minor, 128 bpm, driving eighths, 104 bars (195 s), loops.
// After the tune a half-time break lets the player breathe, then the piece rises to E minor with
// new melodies, drives back through a pivot to D minor, restates the tune and closes on a falling
// cadence that leads round to the start.
Song Theme2() {
    Band band;
    band.pad.Sound = Pad(0.05);
    band.bass.Sound = Bass(0.22);
    band.arp.Sound = Pluck(0.05, -0.35);
    band.lead.Sound = Lead(0.075);
    band.bell.Sound = BellLead(0.08);
    const Scale scale = MinorScale(62);
    const Scale raised = MinorScale(64);
    const Groove drive{
        "x...x...x...x...", "....x.......x...", "x.x.x.x.x.x.x.x.", "..x...x...x...x.", "", ""};
    const Groove push{"x...x...x...x.x.", "....x.......x..o", "xoxoxoxoxoxoxoxo", "..x...x...x...x.", "",
                      "....x.......x..."};
    const Groove half{"x.......x.......", "", "x...x...x...x...", "", "", "........x......."};

    const auto a = Chart({"Dm", "Bb", "C", "Am", "Dm", "Bb", "C", "C"});
    const auto b = Chart({"Dm", "Bb", "F", "C", "Gm", "Bb", "C", "A7"});
    const auto c = Chart({"Bb", "C", "Dm", "Dm", "Bb", "C", "A", "A7"});
    const auto d = Chart({"Dm", "Bb", "F", "C", "Gm", "Bb", "A7", "A7"});
    const auto e = Chart({"Gm", "Gm", "Dm", "Dm", "Bb", "C", "A7", "A7"});

    AddPad(band.pad, a, 0, 62);
    AddBass(band.bass, a, 0, 38, kBassDrive);
    AddArpeggio(band.arp, a, 0, 62, 0.25, 0.7);
    AddGroove(band.drums, drive, 0, 8);
    AddFill(band.drums, 7);

    AddPad(band.pad, b, 8, 62);
    AddBass(band.bass, b, 8, 38, kBassDrive);
    AddArpeggio(band.arp, b, 8, 62, 0.25, 0.6);
    AddMelody(band.lead, b, 8, scale, 62, 79, 7, 0.7);
    AddGroove(band.drums, drive, 8, 8);
    AddFill(band.drums, 15);

    AddPad(band.pad, c, 16, 63);
    AddBass(band.bass, c, 16, 38, kBassDrive);
    AddArpeggio(band.arp, c, 16, 65, 0.25, 0.7);
    AddMelody(band.bell, c, 16, scale, 69, 86, 31, 0.5);
    AddGroove(band.drums, push, 16, 8);
    AddFill(band.drums, 23);

    AddPad(band.pad, d, 24, 62);
    AddBass(band.bass, d, 24, 38, kBassDrive);
    AddArpeggio(band.arp, d, 24, 62, 0.25, 0.6);
    AddMelody(band.lead, d, 24, scale, 62, 81, 7, 0.85);
    AddGroove(band.drums, push, 24, 8);
    AddFill(band.drums, 31);

    AddPad(band.pad, e, 32, 62);
    AddBass(band.bass, e, 32, 38, kBassWalk);
    AddArpeggio(band.arp, e, 32, 62, 0.5, 0.8);
    AddMelody(band.bell, e, 32, scale, 65, 84, 43, 0.4);
    AddGroove(band.drums, drive, 32, 7);
    AddFill(band.drums, 39);

    // Break: half time in the relative major, long bass notes, the bell alone.
    const auto f = Chart({"Bb", "F", "Gm", "Dm", "Bb", "F", "C", "A7"});
    AddPad(band.pad, f, 40, 63, 0.9);
    AddBass(band.bass, f, 40, 38, kBassCalm, 0.8);
    AddArpeggio(band.arp, f, 40, 62, 0.5, 0.6);
    AddMelody(band.bell, f, 40, MajorScale(65), 69, 86, 59, 0.3);
    AddGroove(band.drums, half, 40, 8);
    AddFill(band.drums, 47);

    // A tone higher, in E minor, with new melodies.
    const auto g = Transposed(b, 2);
    AddPad(band.pad, g, 48, 64);
    AddBass(band.bass, g, 48, 40, kBassDrive);
    AddArpeggio(band.arp, g, 48, 64, 0.25, 0.6);
    AddMelody(band.lead, g, 48, raised, 64, 81, 61, 0.75);
    AddGroove(band.drums, drive, 48, 8);
    AddFill(band.drums, 55);

    const auto h = Transposed(d, 2);
    AddPad(band.pad, h, 56, 64);
    AddBass(band.bass, h, 56, 40, kBassDrive);
    AddArpeggio(band.arp, h, 56, 67, 0.25, 0.7);
    AddMelody(band.bell, h, 56, raised, 71, 88, 71, 0.55);
    AddGroove(band.drums, push, 56, 8);
    AddFill(band.drums, 63);

    // Pivot back to D minor: no tune, the arpeggio climbs and the drums push.
    const auto i = Chart({"C", "D", "Bm", "Em", "C", "Bb", "Gm", "A7"});
    AddPad(band.pad, i, 64, 63);
    AddBass(band.bass, i, 64, 38, kBassDrive);
    AddArpeggio(band.arp, i, 64, 67, 0.25, 0.8);
    AddGroove(band.drums, push, 64, 8);
    AddFill(band.drums, 71);

    // The tune again.
    AddPad(band.pad, b, 72, 62);
    AddBass(band.bass, b, 72, 38, kBassDrive);
    AddArpeggio(band.arp, b, 72, 62, 0.25, 0.6);
    AddMelody(band.lead, b, 72, scale, 62, 79, 7, 0.7);
    AddGroove(band.drums, drive, 72, 8);
    AddFill(band.drums, 79);

    AddPad(band.pad, c, 80, 63);
    AddBass(band.bass, c, 80, 38, kBassDrive);
    AddArpeggio(band.arp, c, 80, 65, 0.25, 0.7);
    AddMelody(band.bell, c, 80, scale, 69, 86, 31, 0.5);
    AddGroove(band.drums, push, 80, 8);
    AddFill(band.drums, 87);

    // A falling cadence with a busy new line, then the outro into the loop.
    const auto j = Chart({"Dm", "C", "Bb", "A", "Dm", "C", "Bb", "A7"});
    AddPad(band.pad, j, 88, 62);
    AddBass(band.bass, j, 88, 38, kBassDrive);
    AddArpeggio(band.arp, j, 88, 62, 0.25, 0.6);
    AddMelody(band.lead, j, 88, scale, 62, 81, 83, 0.85);
    AddGroove(band.drums, push, 88, 8);
    AddFill(band.drums, 95);

    AddPad(band.pad, e, 96, 62);
    AddBass(band.bass, e, 96, 38, kBassWalk);
    AddArpeggio(band.arp, e, 96, 62, 0.5, 0.8);
    AddGroove(band.drums, drive, 96, 7);
    AddFill(band.drums, 103);
    return Assemble(std::move(band), 128, 104, true);
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

// menu2: an elegant C minor piece, 100 bpm, 26 bars, played once. Built unlike menu1: bass and
// keys open alone, soft strings join under a bell tune, a break of strings and bell alone
// leads to the full band with a new tune, and one held chord ends it.
Song Menu2() {
    Band band;
    band.pad.Sound = Strings(0.075);
    band.bass.Sound = Bass(0.2);
    band.arp.Sound = Keys(0.09, -0.3);
    band.lead.Sound = Lead(0.065);
    band.bell.Sound = BellLead(0.09);
    const Scale scale = MinorScale(60);
    const Groove brush{"x.......x.x.....", "....o.......o...", "", "", "x.o.x.o.x.o.x.o.", ""};
    const Groove full{"x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.x.", "", "", ""};
    const std::vector<BassStep> ostinato = {
        {0, 0.9, 0}, {1, 0.4, 1}, {1.5, 0.4, 2}, {2.5, 0.9, 1}, {3.5, 0.45, 3}};

    const auto open = Chart({"Cm", "Cm", "Ab", "G7"});
    AddBass(band.bass, open, 0, 36, ostinato);
    AddArpeggio(band.arp, open, 0, 55, 0.5, 0.6);

    const auto a = Chart({"Cm", "Ab", "Eb", "Bb", "Fm", "Ab", "G", "G7"});
    AddPad(band.pad, a, 4, 63);
    AddBass(band.bass, a, 4, 36, ostinato);
    AddArpeggio(band.arp, a, 4, 55, 0.5, 0.55);
    AddMelody(band.bell, a, 4, scale, 67, 86, 29, 0.4);
    AddGroove(band.drums, brush, 4, 8);
    AddFill(band.drums, 11, false);

    const auto pause = Chart({"Fm", "Ab", "Bb", "G7"});
    AddPad(band.pad, pause, 12, 65);
    band.bell.Notes.push_back({48, 3.5, 79, 0.7});
    band.bell.Notes.push_back({56, 3.5, 77, 0.7});
    band.bell.Notes.push_back({60, 3.5, 74, 0.8});

    const auto b = Chart({"Ab", "Bb", "Cm", "Cm", "Fm", "Bb", "Eb", "G7"});
    AddPad(band.pad, b, 16, 63);
    AddBass(band.bass, b, 16, 36, kBassWalk);
    AddArpeggio(band.arp, b, 16, 60, 0.25, 0.5);
    AddMelody(band.lead, b, 16, scale, 63, 82, 17, 0.55);
    AddGroove(band.drums, full, 16, 8);
    AddFill(band.drums, 23);

    AddPad(band.pad, Chart({"Cm", "Cm"}), 24, 63);
    band.bass.Notes.push_back({96, 6, 36, 0.9});
    band.bell.Notes.push_back({96, 6, 72, 0.9});
    return Assemble(std::move(band), 100, 26, false);
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
