// The game logic without drawing: one busy frame of TGame::Update, the path search with its
// markers on an open and a maze-like board, and the square search on a full board. Every
// benchmark also counts the heap allocations of the code it measures and fails when there are
// any, since these run every frame or every move.
#include "AllocationCounter.h"
#include "game/Game.h"
#include "platform/Random.h"
#include "render/Particles.h"
#include "render/ScoreLabels.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

namespace veltrane {
namespace {

constexpr float FrameMs = 1000.0f / 60;

std::unique_ptr<TGame> NewGame() {
    auto game = std::make_unique<TGame>(nullptr);
    const std::string data = std::string(VELTRANE_GAME_DIR) + "/data/";
    game->LoadLevels(data + "Levels.dat");
    game->LoadFigures(data + "BonusFigures.dat");
    return game;
}

// Level 12 of the first mode with an empty board and nothing flying.
void EmptyLevel(TGame& game) {
    RandSeed = 20261207;
    InitParticles(game.Particles);
    ClearScoreLabels();
    game.GameMode = 1;
    game.Level = 12;
    game.Phase = phPlay;
    game.PointerStyle = kPointerGame;
    game.PointerAt = {20, 20, 0}; // off the board: no hover turns
    game.ClearBoard();
    game.PickFigure(false);
}

// A colour for cell (x, y) such that no 2 x 2 window is of one colour.
uint8_t Colour(int x, int y) {
    return static_cast<uint8_t>(1 + (x + 3 * y) % 7);
}

// 72 cubes on every row but the fifth, in every state play gives them: growing, resting,
// twitching, turning, vanishing (a burst of particles under way), a few bombs throwing sparks,
// jokers and blocks; the cube at (1, 4) is moving along the free row to (9, 5), a score label
// drifts and points are being counted.
void BusyFrame(TGame& game) {
    EmptyLevel(game);
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x) {
            if (y == 5) continue;
            const int n = x + 9 * y;
            uint8_t kind = Colour(x, y);
            if (n % 17 == 0)
                kind = ckBomb;
            else if (n % 13 == 0)
                kind = ckJoker;
            else if (n % 11 == 0)
                kind = ckBlock;
            const int i = game.PlaceCube(kind, CellWord(x, y));
            TCube& cube = game.Cubes[i];
            switch (n % 6) {
            case 0:
                game.SetCubeState(i, csGrowing);
                cube.Anim = 0.4f;
                break;
            case 1:
                cube.TurnAxis = 1;
                cube.TurnDir = 1;
                cube.TurnTarget = 1.5f;
                game.SetCubeState(i, csTwitching);
                break;
            case 2:
                cube.TurnAxis = 3;
                cube.TurnDir = -1;
                cube.TurnTarget = -1.5f;
                game.SetCubeState(i, csTurning);
                break;
            case 3:
                if (kind != ckBomb && x > 1) {
                    game.SetCubeState(i, csVanishing);
                    cube.Anim = 0.2f;
                }
                break;
            default:
                break;
            }
        }
    game.SelectCube(game.CubeOn(CellWord(1, 4)));
    game.HoverCell = CellWord(9, 5);
    game.FindPaths();
    game.ShowPath();
    game.StartMove();
    for (int k = 1; k <= 36; ++k)
        SpawnParticle(game.Particles, 1, 0, {0, 0, 1}, 256,
                      {10.0f * float(k % 6) - 25, 10.0f * float(k / 6) - 25, 0});
    AddScoreLabel({2, 3, 1}, 1, 2, "240", 20);
    game.PendingScore = 240;
    game.PrevStateCount = game.StateCount;
}

// Times one call with the steady clock: each measured frame starts from the same state, which
// is rebuilt outside the timing.
template <typename Setup, typename Work>
void TimeEach(benchmark::State& state, Setup setup, Work work) {
    long made = 0;
    for (auto _ : state) {
        setup();
        const long before = bench::AllocationCount();
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        made += bench::AllocationCount() - before;
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["allocations"] = double(made);
    if (made != 0) state.SkipWithError("the measured code allocated");
}

void BM_UpdateBusyFrame(benchmark::State& state) {
    auto game = NewGame();
    BusyFrame(*game);
    if (const std::string broken = game->CheckBoardInvariants(); !broken.empty()) {
        state.SkipWithError(("the busy board is broken: " + broken).c_str());
        return;
    }
    state.counters["cubes"] = game->CubeCount;
    state.counters["moving"] = game->StateCount[TGame::StateSlot(csMoving)];
    state.counters["vanishing"] = game->StateCount[TGame::StateSlot(csVanishing)];
    TimeEach(
        state, [&] { BusyFrame(*game); }, [&] { game->Update(FrameMs); });
}
BENCHMARK(BM_UpdateBusyFrame)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Cubes on the cells where wall(x, y) holds, and the selected cube at (1, 1); the pointer at
// (9, 5).
template <typename Wall>
void PathBoard(TGame& game, Wall wall) {
    EmptyLevel(game);
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x)
            if ((x == 1 && y == 1) || wall(x, y)) game.PlaceCube(Colour(x, y), CellWord(x, y));
    game.SelectCube(game.CubeOn(CellWord(1, 1)));
    game.HoverCell = CellWord(9, 5);
}

void BM_FindPathsShowPath(benchmark::State& state) {
    auto game = NewGame();
    const bool maze = state.range(0) != 0;
    if (maze) {
        // Walls on every even row with a gap at alternate ends: the way to (9, 5) snakes through
        // rows 1, 3 and 5, 28 steps long (the search goes at most 30).
        PathBoard(*game, [](int x, int y) { return y % 2 == 0 && x != (y % 4 == 2 ? 9 : 1); });
        state.SetLabel("maze");
    } else {
        // Seven scattered cubes besides the selected one.
        PathBoard(*game, [](int x, int y) { return (x * 7 + y * 5) % 13 == 0; });
        state.SetLabel("open");
    }
    game->FindPaths();
    game->ShowPath();
    state.counters["markers"] = game->DotCount;
    const long before = bench::AllocationCount();
    for (auto _ : state) {
        game->FindPaths();
        game->ShowPath();
        benchmark::DoNotOptimize(game->DotCount);
    }
    const long made = bench::AllocationCount() - before;
    state.counters["allocations"] = double(made);
    if (game->Dots[0].Kind != 2) state.SkipWithError("no path to the target");
    if (made != 0) state.SkipWithError("the path search allocated");
}
BENCHMARK(BM_FindPathsShowPath)->Arg(0)->Arg(1);

// 81 resting cubes with four 2 x 2 squares of one colour in them (one with a joker).
void FullBoard(TGame& game) {
    EmptyLevel(game);
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x) {
            uint8_t kind = Colour(x, y);
            if (x <= 2 && y <= 2) kind = 3;
            if (x >= 5 && x <= 6 && y >= 4 && y <= 5) kind = (x == 6 && y == 5) ? ckJoker : 5;
            if (x >= 8 && y >= 8) kind = 1;
            if (x >= 2 && x <= 3 && y >= 7 && y <= 8) kind = 6;
            game.PlaceCube(kind, CellWord(x, y));
        }
}

void BM_FindSquaresFullBoard(benchmark::State& state) {
    auto game = NewGame();
    FullBoard(*game);
    state.counters["cubes"] = game->CubeCount;
    // The four squares, and whatever cubes of the level's bonus figure the board happens to hold.
    const bool found = game->FindSquares();
    const int vanishing = game->StateCount[TGame::StateSlot(csVanishing)];
    state.counters["vanishing"] = vanishing;
    if (!found || vanishing < 16) {
        state.SkipWithError("the full board does not hold its four squares");
        return;
    }
    TimeEach(
        state, [&] { FullBoard(*game); }, [&] { benchmark::DoNotOptimize(game->FindSquares()); });
}
BENCHMARK(BM_FindSquaresFullBoard)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace veltrane
