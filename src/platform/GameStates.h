// The program's game state: which screen runs. The frame loop, the input routing, the menu, the
// game and the overlays all read it; SetGameState is the one way to change it.
#pragma once

#include <cstdint>

namespace veltrane {

// Values 5 and 6 are unused.
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

// The state the program is in; gsLaunch at start. Read-only: change it with SetGameState.
extern const TGameState& GameState;

// Changes the state. With VELTRANE_TRACE_STATES set in the environment, each change is written
// to standard error ("game state menu -> game"), for following a run without touching the
// game's own trace.
void SetGameState(TGameState state);

// The state's name as the code spells it without its prefix ("menu", "game", ...).
const char* GameStateName(TGameState state);

} // namespace veltrane
