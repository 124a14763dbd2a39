// Part writing from chord charts.
#include "audio/Composer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <stdexcept>
#include <string>

namespace veltrane::assetgen::audio {

Chord ParseChord(std::string_view name) {
    static constexpr int kLetters[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G')
        throw std::invalid_argument("bad chord " + std::string(name));
    int root = 60 + kLetters[name[0] - 'A'];
    std::size_t pos = 1;
    if (pos < name.size() && name[pos] == '#')
        ++root, ++pos;
    else if (pos < name.size() && name[pos] == 'b')
        --root, ++pos;
    const std::string_view kind = name.substr(pos);
    static const std::pair<std::string_view, std::vector<int>> kKinds[] = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}}, {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},   {"sus4", {0, 5, 7}},       {"sus2", {0, 2, 7}},  {"dim", {0, 3, 6}},
        {"add9", {0, 4, 7, 14}}, {"m9", {0, 3, 7, 10, 14}}, {"6", {0, 4, 7, 9}},  {"m6", {0, 3, 7, 9}}};
    for (const auto& [suffix, intervals] : kKinds)
        if (suffix == kind) return Chord{root, intervals};
    throw std::invalid_argument("bad chord " + std::string(name));
}

std::vector<Chord> Chart(std::initializer_list<std::string_view> names) {
    std::vector<Chord> chords;
    for (std::string_view n : names) chords.push_back(ParseChord(n));
    return chords;
}

std::vector<Chord> Transposed(std::vector<Chord> chords, int semitones) {
    for (Chord& c : chords) c.Root += semitones;
    return chords;
}

int Scale::Degree(int index) const {
    const int n = static_cast<int>(Steps.size());
    const int octave = index >= 0 ? index / n : -((-index + n - 1) / n);
    return Tonic + 12 * octave + Steps[static_cast<std::size_t>(index - octave * n)];
}

int Scale::NearestIndex(int midi) const {
    int best = 0;
    for (int i = -30; i <= 30; ++i)
        if (std::abs(Degree(i) - midi) < std::abs(Degree(best) - midi)) best = i;
    return best;
}

Scale MajorScale(int tonic) {
    return Scale{tonic, {0, 2, 4, 5, 7, 9, 11}};
}
Scale MinorScale(int tonic) {
    return Scale{tonic, {0, 2, 3, 5, 7, 8, 10}};
}

namespace {

int Mod12(int v) {
    return ((v % 12) + 12) % 12;
}

bool InChord(const Chord& c, int midi) {
    return std::any_of(c.Intervals.begin(), c.Intervals.end(),
                       [&](int i) { return Mod12(c.Root + i) == Mod12(midi); });
}

// Ascending voicing of the chord's pitch classes starting from inversion `k`, centred on `centre`.
std::vector<int> Voicing(const Chord& c, std::size_t k, int centre) {
    std::vector<int> classes;
    for (int i : c.Intervals)
        if (std::find(classes.begin(), classes.end(), Mod12(c.Root + i)) == classes.end())
            classes.push_back(Mod12(c.Root + i));
    std::vector<int> notes;
    int last = -100;
    for (std::size_t j = 0; j < classes.size(); ++j) {
        int p = classes[(j + k) % classes.size()];
        while (p <= last) p += 12;
        notes.push_back(p);
        last = p;
    }
    const double mean = std::accumulate(notes.begin(), notes.end(), 0.0) / static_cast<double>(notes.size());
    const int shift = static_cast<int>(std::lround((centre - mean) / 12.0)) * 12;
    for (int& n : notes) n += shift;
    return notes;
}

} // namespace

void AddPad(Part& part, const std::vector<Chord>& chords, int firstBar, int centre, double velocity) {
    std::vector<int> previous;
    for (std::size_t b = 0; b < chords.size(); ++b) {
        std::vector<int> best;
        double bestCost = 1e9;
        for (std::size_t k = 0; k < chords[b].Intervals.size(); ++k) {
            const std::vector<int> v = Voicing(chords[b], k, centre);
            double cost = 0;
            const double mean = std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
            if (previous.size() == v.size())
                for (std::size_t j = 0; j < v.size(); ++j) cost += std::abs(v[j] - previous[j]);
            cost += 0.5 * std::fabs(mean - centre);
            if (cost < bestCost) bestCost = cost, best = v;
        }
        for (int n : best)
            part.Notes.push_back(
                {4.0 * (firstBar + static_cast<double>(b)), 4.0, static_cast<double>(n), velocity});
        previous = best;
    }
}

void AddBass(Part& part, const std::vector<Chord>& chords, int firstBar, int octaveRoot,
             const std::vector<BassStep>& pattern, double velocity) {
    auto rootOf = [&](const Chord& c) {
        int r = octaveRoot + Mod12(c.Root - octaveRoot);
        if (r > octaveRoot + 7) r -= 12;
        return r;
    };
    for (std::size_t b = 0; b < chords.size(); ++b) {
        const int root = rootOf(chords[b]);
        const int next = rootOf(chords[(b + 1) % chords.size()]);
        const bool minor =
            std::find(chords[b].Intervals.begin(), chords[b].Intervals.end(), 3) != chords[b].Intervals.end();
        for (const BassStep& s : pattern) {
            int note = root;
            switch (s.Which) {
            case 1:
                note = root + 7;
                break;
            case 2:
                note = root + 12;
                break;
            case 3:
                note = next + (next > root ? -1 : 1);
                break;
            case 4:
                note = root + (minor ? 3 : 4);
                break;
            default:
                break;
            }
            const double accent = s.Beat == 0 ? 1.0 : 0.8;
            part.Notes.push_back({4.0 * (firstBar + static_cast<double>(b)) + s.Beat, s.Length,
                                  static_cast<double>(note), velocity * accent});
        }
    }
}

void AddArpeggio(Part& part, const std::vector<Chord>& chords, int firstBar, int low, double step,
                 double velocity) {
    int index = 0;
    for (std::size_t b = 0; b < chords.size(); ++b) {
        std::vector<int> tones;
        for (int p = low; p < low + 24; ++p)
            if (InChord(chords[b], p)) tones.push_back(p);
        std::vector<int> cycle = tones; // up, then down without repeating the ends
        for (std::size_t j = tones.size() - 2; j >= 1 && j < tones.size(); --j) cycle.push_back(tones[j]);
        const int perBar = static_cast<int>(std::lround(4.0 / step));
        for (int k = 0; k < perBar; ++k, ++index) {
            const double accent = k % 4 == 0 ? 1.0 : 0.75;
            part.Notes.push_back({4.0 * (firstBar + static_cast<double>(b)) + k * step, step * 0.9,
                                  static_cast<double>(cycle[static_cast<std::size_t>(index) % cycle.size()]),
                                  velocity * accent});
        }
    }
}

namespace {

struct MotifNote {
    double Beat; // within the two bars
    double Length;
    int Step; // scale steps from the previous note
    bool Rest;
};

const std::vector<std::vector<double>>& Rhythms(int level) {
    static const std::vector<std::vector<double>> sparse = {
        {2, 2}, {3, 1}, {1, 1, 2}, {2, 1, 1}, {1.5, 0.5, 2}};
    static const std::vector<std::vector<double>> medium = {
        {1, 0.5, 0.5, 1, 1}, {1.5, 0.5, 1, 1}, {1, 1, 1, 1}, {0.5, 0.5, 1, 2}, {1, 0.5, 0.5, 2}};
    static const std::vector<std::vector<double>> busy = {{0.5, 0.5, 0.5, 0.5, 1, 1},
                                                          {0.5, 1, 0.5, 1, 1},
                                                          {0.75, 0.75, 0.5, 1, 1},
                                                          {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 1}};
    return level == 0 ? sparse : level == 1 ? medium : busy;
}

std::vector<MotifNote> MakeMotif(Noise& rng, double density) {
    std::vector<MotifNote> motif;
    for (int bar = 0; bar < 2; ++bar) {
        // The second bar is calmer, so the motif breathes.
        const double d = bar == 0 ? density : density * 0.6;
        const int level = rng.Uniform() < d ? (rng.Uniform() < d ? 2 : 1) : 0;
        const auto& options = Rhythms(level);
        const auto& rhythm =
            options[static_cast<std::size_t>(rng.Uniform() * static_cast<double>(options.size()))];
        double beat = 4.0 * bar;
        for (double length : rhythm) {
            // Mostly steps, some thirds, the odd fourth: a singable line.
            static constexpr int kSteps[] = {1, -1, 1, -1, 2, -2, 1, -1, 2, -2, 3, -3};
            const int step = kSteps[static_cast<std::size_t>(rng.Uniform() * 12)];
            const bool rest = beat > 0 && rng.Uniform() < 0.08;
            motif.push_back({beat, length, step, rest});
            beat += length;
        }
    }
    return motif;
}

} // namespace

void AddMelody(Part& part, const std::vector<Chord>& chords, int firstBar, const Scale& scale, int low,
               int high, std::uint32_t seed, double density, double velocity) {
    Noise rng(seed);
    const std::vector<MotifNote> motif = MakeMotif(rng, density);
    const std::vector<MotifNote> answer = MakeMotif(rng, density);
    int index = scale.NearestIndex((low + high) / 2);
    int direction = 1;
    const int bars = static_cast<int>(chords.size());
    for (int phrase = 0; phrase * 4 < bars; ++phrase) {
        // Bars 1-2 state the motif; bars 3-4 repeat its first bar and close with the answer's
        // second bar, held long at the end of every second phrase.
        std::vector<MotifNote> notes;
        for (const MotifNote& n : motif) notes.push_back(n);
        for (const MotifNote& n : (phrase % 2 == 0 ? motif : answer))
            if (n.Beat < 4) notes.push_back({n.Beat + 8, n.Length, n.Step, n.Rest});
        for (const MotifNote& n : answer)
            if (n.Beat >= 4) notes.push_back({n.Beat + 8, n.Length, n.Step, n.Rest});
        if (phrase % 2 == 1) {
            while (!notes.empty() && notes.back().Beat >= 12) notes.pop_back();
            if (!notes.empty() && notes.back().Beat + notes.back().Length > 12)
                notes.back().Length = 12 - notes.back().Beat; // make room for the held close
            notes.push_back({12, 3.5, 0, false});
        }
        for (std::size_t k = 0; k < notes.size(); ++k) {
            const MotifNote& n = notes[k];
            const int bar = phrase * 4 + static_cast<int>(n.Beat / 4);
            if (bar >= bars) break;
            const Chord& chord = chords[static_cast<std::size_t>(bar)];
            // Turn back at the edges of the range.
            index += n.Step * direction;
            if (scale.Degree(index) > high) index -= 2 * std::abs(n.Step) + 1, direction = -1;
            if (scale.Degree(index) < low) index += 2 * std::abs(n.Step) + 1, direction = 1;
            const double inBar = std::fmod(n.Beat, 4.0);
            const bool strong = inBar == 0 || inBar == 2 || k + 1 == notes.size();
            if (strong) { // land on the nearest chord tone inside the range
                for (int d : {0, -1, 1, -2, 2, -3, 3}) {
                    const int pitch = scale.Degree(index + d);
                    if (InChord(chord, pitch) && pitch >= low && pitch <= high) {
                        index += d;
                        break;
                    }
                }
            }
            if (n.Rest) continue;
            const double length = n.Length >= 1 ? n.Length - 0.1 : n.Length * 0.85;
            part.Notes.push_back({4.0 * firstBar + 16.0 * phrase + n.Beat, length,
                                  static_cast<double>(scale.Degree(index)),
                                  velocity * (strong ? 1.0 : 0.85)});
        }
    }
}

void AddGroove(std::vector<DrumHit>& drums, const Groove& groove, int firstBar, int bars) {
    const std::pair<std::string_view, Drum> lanes[] = {
        {groove.Kick, Drum::Kick},       {groove.Snare, Drum::Snare},   {groove.HatClosed, Drum::HatClosed},
        {groove.HatOpen, Drum::HatOpen}, {groove.Shaker, Drum::Shaker}, {groove.Clap, Drum::Clap}};
    for (int b = 0; b < bars; ++b)
        for (const auto& [pattern, kind] : lanes)
            for (std::size_t s = 0; s < pattern.size() && s < 16; ++s)
                if (pattern[s] == 'x' || pattern[s] == 'o')
                    drums.push_back({4.0 * (firstBar + b) + 0.25 * static_cast<double>(s), kind,
                                     pattern[s] == 'x' ? 1.0 : 0.55});
}

void AddFill(std::vector<DrumHit>& drums, int bar, bool crashAfter) {
    const double start = 4.0 * bar + 3;
    drums.push_back({start, Drum::Snare, 0.7});
    drums.push_back({start + 0.25, Drum::Snare, 0.8});
    drums.push_back({start + 0.5, Drum::TomHigh, 0.9});
    drums.push_back({start + 0.75, Drum::TomLow, 1.0});
    if (crashAfter) drums.push_back({4.0 * (bar + 1), Drum::Crash, 0.6});
}

} // namespace veltrane::assetgen::audio
