// The four music tracks: two menu pieces played once each, two looping game themes.
#pragma once

#include "audio/Sequencer.h"

#include <array>
#include <string_view>

namespace veltrane::assetgen::audio {

constexpr std::array<std::string_view, 4> kTrackNames = {"menu1", "menu2", "theme1", "theme2"};

// The score of track `number` (0..3).
Song ComposeTrack(int number);

// The rendered, mastered track.
Stereo MakeTrack(int number);

} // namespace veltrane::assetgen::audio
