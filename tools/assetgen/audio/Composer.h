// Writing parts from a chord chart: voiced pads, bass lines, arpeggios, drum grooves and melodies
// built from a repeated motif whose strong beats land on chord tones.
#pragma once

#include "audio/Sequencer.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace veltrane::assetgen::audio {

struct Chord {
    int Root;                   // MIDI note of the root, any octave
    std::vector<int> Intervals; // semitones above the root, e.g. {0, 4, 7}
};

// "C", "Am", "F#m7", "Bbmaj7", "Gsus4", "E7", "Ddim" -> a chord.
Chord ParseChord(std::string_view name);

// A bar-by-bar chart, one chord per bar.
std::vector<Chord> Chart(std::initializer_list<std::string_view> names);
// The same chart moved by `semitones`, for a section in another key.
std::vector<Chord> Transposed(std::vector<Chord> chords, int semitones);

struct Scale {
    int Tonic;                   // MIDI note
    std::vector<int> Steps;      // semitones of one octave, e.g. major {0,2,4,5,7,9,11}
    int Degree(int index) const; // scale degree (any integer, octaves wrap) to MIDI
    int NearestIndex(int midi) const;
};
Scale MajorScale(int tonic);
Scale MinorScale(int tonic);

// Sustained chords, one per bar from `firstBar`, voiced near `centre` with smooth voice leading.
void AddPad(Part& part, const std::vector<Chord>& chords, int firstBar, int centre, double velocity = 1);

// A bass line: `pattern` gives per bar (beat, length, which: 0 root, 1 fifth, 2 octave, 3 approach).
struct BassStep {
    double Beat;
    double Length;
    int Which;
};
void AddBass(Part& part, const std::vector<Chord>& chords, int firstBar, int octaveRoot,
             const std::vector<BassStep>& pattern, double velocity = 1);

// Chord tones running up and down over two octaves from `low`, `step` beats each.
void AddArpeggio(Part& part, const std::vector<Chord>& chords, int firstBar, int low, double step,
                 double velocity = 1);

// A melody over the chords: a two-bar motif (from `seed`) stated, answered, varied.
// `low`/`high` bound the range; `density` 0..1 picks busier rhythms.
void AddMelody(Part& part, const std::vector<Chord>& chords, int firstBar, const Scale& scale, int low,
               int high, std::uint32_t seed, double density, double velocity = 1);

// Drum grooves written as 16-step strings per bar: 'x' hit, 'o' soft hit, '.' rest.
struct Groove {
    std::string_view Kick, Snare, HatClosed, HatOpen, Shaker, Clap;
};
void AddGroove(std::vector<DrumHit>& drums, const Groove& groove, int firstBar, int bars);
// A snare and tom fill over the last beat of bar `bar`; a crash on the next downbeat.
void AddFill(std::vector<DrumHit>& drums, int bar, bool crashAfter = true);

} // namespace veltrane::assetgen::audio
