// Test helpers for the game's flow: a game object with a full table of 100 levels, the sound on
// a recording mixer, a settings object for the camera, and the shared state of the scene (labels,
// particles, lamps, the pointer) put back to a known start for every test.
#pragma once

#include "GameFixture.h"
#include "game/Flow.h"
#include "game/Scenery.h"
#include "platform/GameStates.h"
#include "platform/Random.h"
#include "render/Particles.h"
#include "render/PointerPosition.h"

#include <gtest/gtest.h>

#include <memory>

namespace veltrane::testing {

// 100 levels as the level reader would leave them: types by number (4, 9, ... before a bonus
// level; 5, 10, ... bonus levels), three cubes a turn, five colours, no jokers or blocks, goal
// 1000 points or a bank of 10000 ms, bonus levels with two bombs.
inline void FillLevelTable(TGame& game) {
    game.LevelCount = MaxLevels;
    for (int k = 1; k <= MaxLevels; ++k) {
        TLevel& level = game.Levels[k];
        level = TLevel{};
        level.CubesPerTurn[1] = level.CubesPerTurn[2] = 3;
        level.Colours[1] = level.Colours[2] = 5;
        level.JokerOdds = 0;
        level.LevelType = k % 5 == 4 ? ltBeforeBonus : k % 5 == 0 ? ltBonus : ltNormal;
        level.ExtraQuota[1] = level.ExtraQuota[2] = level.LevelType == ltBonus ? 2 : 0;
        level.Goal[1] = 1000;
        level.Goal[2] = 10000;
        level.TimeRate = 0.1;
        level.CubePoints = 15 + 5 * (k / 5);
        level.SquarePoints = 40 + 5 * (k / 5);
        level.FigureRate = 0.2 * (k / 5);
        level.ClearBonus = 300 + 100 * (k / 5);
    }
}

class FlowTest : public ::testing::Test {
protected:
    FlowTest() {
        RandSeed = 12345;
        SetGameState(gsGame);
        ClearScoreLabels();
        game_ = std::make_unique<TGame>(nullptr);
        PointerOff();
        FillLevelTable(*game_);
        sound_.Clear();
    }

    TGame& game() { return *game_; }

    // The pointer far off the board, so no cube turns under it.
    void PointerOff() { game_->PointerAt = {40, 40, 0.01f}; }
    // The pointer over the middle of cell (X, Y).
    void PointerOver(TCellWord cell) {
        game_->PointerAt = {static_cast<float>(CellX(cell) - 5), static_cast<float>(CellY(cell) - 5), 0.01f};
    }

    // Frames of dt ms; stops early when until() holds. The number of frames run.
    template <class F>
    int RunFrames(int frames, float dt, F&& until) {
        for (int n = 1; n <= frames; ++n) {
            game_->Update(dt);
            if (until()) return n;
        }
        return frames;
    }
    int RunFrames(int frames, float dt) {
        return RunFrames(frames, dt, [] { return false; });
    }

    int CubesIn(TCubeState state) const {
        int n = 0;
        for (int i = 1; i <= game_->CubeCount; ++i)
            if (game_->Cubes[i].State == state) ++n;
        return n;
    }

    // Replaces the board with the picture (as GameWithBoard draws it) on the current level.
    void SetBoard(const TPicture& picture) {
        auto pictured = GameWithBoard(picture);
        TGame& g = *game_;
        g.ClearBoard();
        for (int i = 1; i <= pictured->CubeCount; ++i)
            PlaceOnBoard(g, pictured->Cubes[i].Cell(), pictured->Cubes[i].Kind, pictured->Cubes[i].State);
        g.PrevStateCount = g.StateCount;
    }

    TSoundRecorder sound_;
    std::unique_ptr<TGame> game_;
};

} // namespace veltrane::testing
