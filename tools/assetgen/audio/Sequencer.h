// A small sequencer: instruments play note events given in beats, drums play hits, and the song
// is mixed in stereo with a reverb send and a lead echo. Looping songs wrap their tails round to
// the start, so the last beat flows into the first without a seam.
#pragma once

#include "audio/Synth.h"

#include <vector>

namespace veltrane::assetgen::audio {

struct Instrument {
    Wave Shape = Wave::Saw;
    int Unison = 1;         // detuned copies of the oscillator
    double DetuneCents = 0; // spread of the copies
    Adsr Amp;
    double Cutoff = 2000; // low-pass cutoff in Hz at rest
    double CutoffEnv = 0; // extra cutoff at the note's start, decaying over FilterDecay
    double FilterDecay = 0.2;
    double Resonance = 0.8;
    double VibratoDepth = 0; // semitones
    double VibratoRate = 5;
    double VibratoDelay = 0.2;
    bool FmBell = false; // an FM bell instead of the oscillator
    double Gain = 0.2;
    double Pan = 0;
    double ReverbSend = 0.2;
    double EchoSend = 0;
};

struct NoteEvent {
    double Beat;
    double Length; // beats held
    double Midi;
    double Velocity = 1;
};

struct Part {
    Instrument Sound;
    std::vector<NoteEvent> Notes;
};

enum class Drum { Kick, Snare, Clap, HatClosed, HatOpen, Shaker, TomLow, TomHigh, Crash };

struct DrumHit {
    double Beat;
    Drum Kind;
    double Velocity = 1;
};

struct Song {
    double Bpm = 120;
    double Beats = 0; // length; a looping song repeats after exactly this many beats
    bool Loop = false;
    std::vector<Part> Parts;
    std::vector<DrumHit> Drums;
    double DrumGain = 0.5;
    double ReverbRoom = 0.7;
    double ReverbWet = 0.6;
    double EchoBeats = 0.75; // echo time for the lead, in beats
};

// Renders the song (not yet mastered). A one-shot song keeps 3 s of tail after its last beat.
Stereo RenderSong(const Song& song);

// One drum hit, mono.
Mono RenderDrum(Drum kind, double velocity);

} // namespace veltrane::assetgen::audio
