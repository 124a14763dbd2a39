// The 27 sound effects, by the number and name the game plays them with.
#pragma once

#include "audio/Synth.h"

#include <array>
#include <string_view>

namespace veltrane::assetgen::audio {

constexpr std::array<std::string_view, 27> kEffectNames = {
    "NewLevel",   "BonusLevel",  "NewTurn",    "FlyingBy", "BonusLevelDone", "SelectCube", "MoveCube",
    "MoveBomb",   "Moved",       "FigureDone", "vDouble",  "vTriple",        "vQuadro",    "vExcellent",
    "vQuillomar", "ExplodeBomb", "Colorize",   "Shot",     "ShowBonus",      "GameOver",   "MenuMove",
    "MenuEnter",  "MenuEsc",     "MenuKey",    "Selected", "TimeUp",         "Message"};

// The mastered samples of effect `number` (0..26). "Selected" is a seamless loop.
Mono MakeEffect(int number);

} // namespace veltrane::assetgen::audio
