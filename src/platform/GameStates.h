// The program's global game state: one byte that the frame loop, the input routing, the menu,
// the game and the overlays all consult. Values 5 and 6 are unused.
#pragma once

#include <cstdint>

namespace veltrane {

enum TGameState : uint8_t {
    gsLaunch = 0,   // main window made, shared geometry not built yet
    gsMenu = 1,     // the 3D menu over its background
    gsHiScores = 2, // the high-score table, with or without name entry
    gsGame = 3,     // a game is running
    gsGameOver = 4, // game-over picture, waiting for any key or click
    gsLoading = 7,  // the loading sequence runs
    gsTutorial = 8, // tutorial pages behind the menu
    gsHelp = 9,     // help page shown before a new game
};

// The state the program is in; gsLaunch at start.
extern TGameState GameState;

} // namespace veltrane
