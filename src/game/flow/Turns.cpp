// How a game advances: a new game, each level's start (bonus levels, lamps, the wrap after the
// last level into the other mode) and the turn that brings new cubes onto the board.
#include "game/Flow.h"
#include "game/Game.h"
#include "game/Scenery.h"
#include "platform/Random.h"
#include "render/Particles.h"
#include "render/PointerPosition.h"
#include "sound/Sound.h"

#include <algorithm>
#include <cstdlib>

namespace veltrane {

void TGame::StartGame() {
    ClearBoard();
    TotalScore = 0;
    PendingScore = 0;
    Level = 0;
    PointerStyle = kPointerGame;
    StartLevel();
}

void TGame::StartLevel() {
    Level += 1;
    if (Level < 1) Level = 1; // a level number never read from a table
    if (Level > MaxLevels) {
        // Past the last level play goes on from the first one in the other mode.
        Level = 1;
        GameMode = GameMode == 2 ? 1 : 2;
        if (RestoreMusicHandler)
            RestoreMusicHandler();
        else
            StartGameMusic(GameMode);
    }
    TLevel& level = CurrentLevel();
    const bool bonus = level.LevelType == ltBonus;
    level.Progress = 0;
    PendingScore = 0;
    // The timed mode starts with the bank half full, full on a bonus level.
    if (GameMode == 2) level.Progress = bonus ? level.Goal[2] : level.Goal[2] / 2;
    Scene.BonusLight.LampCount = static_cast<uint8_t>(level.LampCount());
    PickFigure(false);
    if (bonus) {
        ClearBoard();
        PlaySound(TSound::BonusLevel);
    } else {
        PlaySound(TSound::NewLevel);
    }
    DotCount = 0;

    const int perTurn = level.CubesPerTurn[GameMode];
    if (Level == 1)
        for (int k = 0; k < perTurn; ++k) AddRandomCube();
    if (bonus) {
        // Blocks to clear, growing in, and the bombs to clear them with, resting at once.
        for (int k = 0; k < perTurn; ++k) AddRandomCube();
        for (int k = 0; k < level.ExtraQuota[GameMode]; ++k) AddCube(ckBomb);
        RevealAnnounced();
    }
    if (Level != 1) {
        if (Device)
            SpawnNewLevelBanner(*Device, Particles);
        else
            SpawnParticle(Particles, kBannerList, kBannerType, {0, -3, 1}, 256, {0, 50, 0});
    }
    TimeClock = 0;
    BoardIdle = false;
}

void TGame::NextTurn() {
    RevealAnnounced();
    if (CurrentLevel().LevelType != ltBonus) {
        const int perTurn = CurrentLevel().CubesPerTurn[GameMode];
        for (int k = 0; k < perTurn; ++k) AddRandomCube();
    }
    FindPaths();
    PlaySound(TSound::NewTurn);
    BoardIdle = true;
}

void TGame::RevealAnnounced() {
    if (CheckGameOver(true)) return;
    for (int i = 1; i <= CubeCount; ++i) {
        TCube& cube = Cubes[i];
        if (cube.State != csAnnounced) continue;
        cube.Anim = 0;
        TBoardCell& entry = BoardAt(cube.Cell());
        entry.Occupancy = ocReserved;
        entry.Cube = static_cast<uint8_t>(i);
        SetCubeState(i, csGrowing);
    }
}

void TGame::AddRandomCube() {
    if (CheckGameOver(true)) return;
    // Outside play the test above does not look at the board; a full one still takes no cube.
    if (FreeCount <= 0 || CubeCount >= MaxCubes) return;

    TLevel& level = CurrentLevel();
    uint8_t kind = ckBlock;
    if (level.LevelType != ltBonus) {
        // Colour, then joker, then block: both later draws are always made.
        const int colours = std::clamp<int>(level.Colours[GameMode], 1, 7);
        kind = static_cast<uint8_t>(Random(colours) + 1);
        if (Random(level.JokerOdds) == 1) kind = ckJoker;
        int32_t& quota = level.ExtraQuota[GameMode];
        if (quota > 0 && Random(std::abs(40 - 2 * quota)) == 1) {
            kind = ckBlock;
            quota -= 1;
        }
    }

    const TCellWord cell = TakeFreeCell();
    if (cell == 0) return;
    AppendCube(kind, cell, csAnnounced);
}

} // namespace veltrane
