// Voice lines: espeak-ng speaks into memory, then the line is treated to sound like a game
// announcer (lower and fuller, compressed, with presence, a doubled layer and a hall).
#pragma once

#include "audio/Synth.h"

#include <string>

namespace veltrane::assetgen::audio {

// Raw speech at kSampleRate, always with the same fixed voice settings.
// Throws std::runtime_error when espeak-ng cannot start.
Mono Speak(const std::string& text, int pitch, int wordsPerMinute);

// An announcer line: Speak, then pitch, EQ, compression and reverb treatment. Not mastered yet.
Mono AnnouncerLine(const std::string& text, double pitchFactor = 0.92);

} // namespace veltrane::assetgen::audio
