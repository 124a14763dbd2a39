// The program's global game state: one byte that the frame loop, the input routing, the menu,
// the game and the overlays all consult. Values 5 and 6 are unused.
#pragma once

#include <cstdint>

namespace veltrane {

using TGameState = uint8_t;

constexpr TGameState gsLaunch = 0;   // main window made, shared geometry not built yet
constexpr TGameState gsMenu = 1;     // the 3D menu over its background
constexpr TGameState gsHiScores = 2; // the high-score table, with or without name entry
constexpr TGameState gsGame = 3;     // a game is running
constexpr TGameState gsGameOver = 4; // game-over picture, waiting for any key or click
constexpr TGameState gsLoading = 7;  // the loading sequence runs
constexpr TGameState gsTutorial = 8; // tutorial pages behind the menu
constexpr TGameState gsHelp = 9;     // help page shown before a new game

// The state the program is in; gsLaunch at start.
extern TGameState GameState;

} // namespace veltrane
