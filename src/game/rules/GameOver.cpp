// The decision that ends a game.
#include "game/Game.h"

#include "platform/Paths.h"
#include "sound/Sound.h"

#include <filesystem>
#include <system_error>

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
    // Once per game: the sound, no selection, silence, and this mode's saved game is gone.
    PlaySound(TSound::GameOver);
    SelectCube(0);
    StopSound(TSound::Selected);
    StopMusic();
    std::error_code ec;
    const std::string save = ResolvePath(SaveFileName(GameMode));
    if (std::filesystem::is_regular_file(save, ec)) std::filesystem::remove(save, ec);
    return true;
}

} // namespace veltrane
