// The decision that ends a game.
#include "game/Game.h"

namespace veltrane {

bool TGame::CheckGameOver(bool boardTest) {
    if (Phase == phGameOver) return true;
    if (Phase != phPlay) return false;

    bool over;
    if (boardTest) {
        over = CubeCount > MaxCubes || FreeCount <= 0;
    } else {
        // The timed mode's bank ran dry; a bonus level ends on its own instead.
        over = GameMode == 2 && Level >= 1 && Level <= MaxLevels && CurrentLevel().LevelType != ltBonus &&
               CurrentLevel().Progress < 0;
    }
    if (!over) return false;

    Phase = phGameOver;
    PhaseClock = 0;
    // The game-over effects (the "GameOver" sound, dropping the selection, stopping the looping
    // effect and the music, deleting this mode's saved game) belong here, once per game; they
    // join with the sound and saved-game code.
    return true;
}

} // namespace veltrane
