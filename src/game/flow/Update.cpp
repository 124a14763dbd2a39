// The frame step of a running game: cube animations, the turn and square triggers, the time
// bank of the timed mode, the gauge, the level end, special cubes and the sequences.
#include "game/Game.h"

#include <algorithm>
#include <limits>

#include "render/Particles.h"
#include "render/ScoreLabels.h"

namespace veltrane {

namespace {

// Points counted into the gauge per millisecond.
constexpr double CountRate = 0.2;
// The timed mode drains faster by a tenth after 60 s of a level and every 15 s after that.
constexpr double RateStepAt = 60000;
constexpr double RateStepBack = 45000;
constexpr double RateStep = 1.1;

} // namespace

void TGame::FollowGauge() {
    if (Phase != phPlay || Level < 1 || Level > MaxLevels) return;
    const TLevel& level = CurrentLevel();
    Gauge = GaugeStart = GaugeShare(level.Progress, level.Goal[GameMode == 2 ? 2 : 1]);
}

float TGame::GaugeShare(double progress, double goal) {
    constexpr double largest = std::numeric_limits<float>::max();
    // NaN passes through: the score line shows it empty.
    return static_cast<float>(std::clamp(progress / goal, -largest, largest));
}

void TGame::Update(float dt) {
    // Nothing runs before a game has started.
    if (Level < 1 || Level > MaxLevels) return;

    CheckGameOver(false);

    // A board without a colour cube (a new game, or a level after a bonus level) gets its turn.
    // A game that is over takes no more turns.
    if (CurrentLevel().LevelType != ltBonus && Phase != phGameOver) {
        int colours = 0;
        for (int i = 1; i <= CubeCount; ++i)
            if (Cubes[i].State != csAnnounced && Cubes[i].Kind >= 1 && Cubes[i].Kind <= 7) ++colours;
        if (colours == 0) NextTurn();
    }

    PhaseClock += 0.5 * dt;
    TimeClock += dt;

    // A removed cube shifts the later ones down; the one that takes its place waits a frame.
    for (int i = 1; i <= CubeCount; ++i) UpdateCube(i, dt);

    UpdateScoreLabels(dt);
    for (int list = 1; list <= kParticleListCount; ++list) UpdateParticles(Particles, list, dt);

    const int growing = StateSlot(csGrowing), moving = StateSlot(csMoving),
              vanishing = StateSlot(csVanishing);
    BoardIdle = StateCount[growing] + StateCount[moving] + StateCount[vanishing] == 0;

    const bool grown = PrevStateCount[growing] != 0 && StateCount[growing] == 0;
    const bool moved = PrevStateCount[moving] != 0 && StateCount[moving] == 0;
    if (grown || moved) FindSquares();

    if (Phase == phPlay && GameMode == 2) {
        TLevel& level = CurrentLevel();
        level.Progress -= level.TimeRate * dt;
        if (TimeClock >= RateStepAt) {
            level.TimeRate *= RateStep;
            TimeClock = RateStepBack;
        }
    }

    CountScore(false, dt);

    if (Phase == phPlay) CheckLevelEnd();

    // A move that built no square ends the turn.
    if (PrevStateCount[moving] != 0 && StateCount[moving] == 0 && StateCount[vanishing] == 0) NextTurn();

    if (PrevStateCount[vanishing] == 0 && StateCount[vanishing] != 0 && CubeCount > 0)
        for (int i = 1; i <= CubeCount; ++i)
            if (Cubes[i].State == csVanishing) EmitVanishBurst(Cubes[i]);

    for (int k = 0; k < SpecialsDue; ++k) AddSpecial();
    SpecialsDue = 0;

    PrevStateCount = StateCount;

    RunPhase(dt);
}

void TGame::CountScore(bool all, float dt) {
    double amount = all ? PendingScore : CountRate * dt;
    if (amount > PendingScore) amount = PendingScore;
    if (!(amount > 0)) return; // nothing pending (or a frame of no length)
    PendingScore -= amount;
    TLevel& level = CurrentLevel();
    // In the timed mode points refill the bank, except on a bonus level.
    if (GameMode != 2 || level.LevelType != ltBonus) level.Progress += amount;
    TotalScore += amount;
}

} // namespace veltrane
