// The music writer: chord names, melodies that stay singable and in harmony, pads that keep near
// their register, and loops whose last notes ring on into their first beat.
#include "audio/Composer.h"
#include "audio/Mastering.h"
#include "audio/Songs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace veltrane::assetgen::audio {
namespace {

bool ChordHas(const Chord& c, double midi) {
    const int pc = (static_cast<int>(midi) % 12 + 12) % 12;
    return std::any_of(c.Intervals.begin(), c.Intervals.end(),
                       [&](int i) { return (c.Root + i) % 12 == pc; });
}

TEST(AudioComposer, ReadsChordNames) {
    const Chord a = ParseChord("F#m7");
    EXPECT_EQ(a.Root % 12, 6);
    EXPECT_EQ(a.Intervals, (std::vector<int>{0, 3, 7, 10}));
    const Chord b = ParseChord("Bbmaj7");
    EXPECT_EQ(b.Root % 12, 10);
    EXPECT_EQ(b.Intervals, (std::vector<int>{0, 4, 7, 11}));
    EXPECT_EQ(ParseChord("E7").Intervals.back(), 10);
    EXPECT_THROW(ParseChord("H"), std::invalid_argument);
    EXPECT_THROW(ParseChord("Cwhat"), std::invalid_argument);
}

TEST(AudioComposer, MelodiesStayInRangeAndLandOnChordTones) {
    const auto chart = Chart({"Dm", "Bb", "F", "C", "Gm", "Bb", "A7", "A7"});
    const Scale scale = MinorScale(62);
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        Part part;
        AddMelody(part, chart, 2, scale, 62, 79, seed, 0.3 + 0.015 * seed);
        ASSERT_GT(part.Notes.size(), 8u) << seed;
        double previousEnd = 0;
        for (const NoteEvent& n : part.Notes) {
            EXPECT_GE(n.Midi, 62) << "seed " << seed;
            EXPECT_LE(n.Midi, 79) << "seed " << seed;
            EXPECT_GE(n.Beat, 8.0) << "seed " << seed;
            EXPECT_LE(n.Beat + n.Length, 8.0 + 4 * 8) << "seed " << seed;
            EXPECT_GE(n.Beat + 1e-9, previousEnd) << "overlapping notes, seed " << seed;
            previousEnd = n.Beat + n.Length;
            const double inBar = std::fmod(n.Beat, 4.0);
            if (inBar == 0 || inBar == 2) {
                const Chord& chord = chart[static_cast<std::size_t>(n.Beat / 4) - 2];
                EXPECT_TRUE(ChordHas(chord, n.Midi)) << "seed " << seed << " beat " << n.Beat;
            }
        }
    }
}

TEST(AudioComposer, PadsPlayTheChordNearTheirCentre) {
    const auto chart = Chart({"Am", "F", "C", "G", "Dm", "E7"});
    Part pad;
    AddPad(pad, chart, 0, 64);
    for (std::size_t bar = 0; bar < chart.size(); ++bar) {
        double sum = 0;
        int count = 0;
        for (const NoteEvent& n : pad.Notes)
            if (n.Beat == 4.0 * static_cast<double>(bar)) {
                EXPECT_TRUE(ChordHas(chart[bar], n.Midi)) << "bar " << bar;
                sum += n.Midi, ++count;
            }
        ASSERT_EQ(count, static_cast<int>(chart[bar].Intervals.size())) << "bar " << bar;
        EXPECT_NEAR(sum / count, 64, 7) << "bar " << bar;
    }
}

TEST(AudioSequencer, ALoopRingsOnIntoItsFirstBeat) {
    Song song;
    song.Bpm = 120;
    song.Beats = 8;
    song.Loop = true;
    Part part;
    part.Sound.Amp = {0.01, 0.1, 0.8, 0.5};
    part.Notes.push_back({7, 2, 69, 1}); // held across the loop's end
    song.Parts.push_back(part);
    const Stereo s = RenderSong(song);
    ASSERT_EQ(s.Frames(), static_cast<std::size_t>(Frames(4.0)));
    // Nothing starts at beat 0, yet the held note sounds there.
    Stereo start(static_cast<std::size_t>(Frames(0.2)));
    std::copy_n(s.Left.begin(), start.Frames(), start.Left.begin());
    std::copy_n(s.Right.begin(), start.Frames(), start.Right.begin());
    EXPECT_GT(Measure(start).RmsDb, -40);
}

TEST(AudioSongs, ThemesLoopForALevelAndMenusPlayOnce) {
    for (int i = 0; i < 4; ++i) {
        const Song song = ComposeTrack(i);
        const double seconds = song.Beats * 60 / song.Bpm;
        EXPECT_EQ(song.Loop, i >= 2) << kTrackNames[static_cast<std::size_t>(i)];
        EXPECT_GE(seconds, i >= 2 ? 180.0 : 45.0) << kTrackNames[static_cast<std::size_t>(i)];
        EXPECT_GE(song.Parts.size(), 4u);
        EXPECT_FALSE(song.Drums.empty());
    }
    EXPECT_THROW(ComposeTrack(4), std::out_of_range);
}

// Per bar, how many parts play and whether the drums do: the piece's plan of entries and breaks.
std::vector<int> Texture(const Song& song) {
    std::vector<std::set<std::size_t>> playing(static_cast<std::size_t>(song.Beats / 4));
    for (std::size_t p = 0; p < song.Parts.size(); ++p)
        for (const NoteEvent& n : song.Parts[p].Notes)
            if (n.Beat < song.Beats) playing[static_cast<std::size_t>(n.Beat / 4)].insert(p);
    std::vector<int> bars;
    for (const auto& parts : playing) bars.push_back(static_cast<int>(parts.size()));
    for (const DrumHit& h : song.Drums)
        if (h.Beat < song.Beats) bars[static_cast<std::size_t>(h.Beat / 4)] |= 16;
    return bars;
}

TEST(AudioSongs, ThemesChangeKeyAndMenusHaveTheirOwnForm) {
    for (int i = 2; i < 4; ++i) {
        // Every 8-bar section's pitch classes (those held for at least 3% of its note time; the
        // bass's passing notes don't count) against the opening's: a section in another key
        // brings at least two the opening never plays.
        const Song song = ComposeTrack(i);
        const auto classes = [&](int first) {
            std::map<int, double> held;
            double total = 0;
            for (const Part& p : song.Parts)
                for (const NoteEvent& n : p.Notes)
                    if (n.Beat >= 32.0 * first && n.Beat < 32.0 * (first + 1))
                        held[static_cast<int>(std::lround(n.Midi)) % 12] += n.Length, total += n.Length;
            std::set<int> pcs;
            for (const auto& [pc, beats] : held)
                if (beats >= 0.03 * total) pcs.insert(pc);
            return pcs;
        };
        const std::set<int> opening = classes(0);
        std::size_t mostNew = 0;
        for (int section = 1; section * 32 < song.Beats; ++section) {
            std::size_t fresh = 0;
            for (int pc : classes(section)) fresh += opening.count(pc) == 0;
            mostNew = std::max(mostNew, fresh);
        }
        EXPECT_GE(mostNew, 2u) << kTrackNames[static_cast<std::size_t>(i)] << " never leaves its key";
    }
    // The menu pieces: the roles playing bar by bar must differ in a good share of bars.
    const std::vector<int> one = Texture(ComposeTrack(0)), two = Texture(ComposeTrack(1));
    std::size_t differ = 0;
    const std::size_t bars = std::min(one.size(), two.size());
    for (std::size_t b = 0; b < bars; ++b) differ += one[b] != two[b];
    EXPECT_GE(differ * 4, bars) << "the menu pieces follow one plan";
}

} // namespace
} // namespace veltrane::assetgen::audio
