// The end of a level and of a game: the level-end test with the bonus for blocks left on a bonus
// level, the level-completed sequence with its late labels, the game-over sequence and the work
// done while a menu is shown over the game.
#include "game/Flow.h"
#include "game/Game.h"
#include "platform/GameStates.h"
#include "platform/Random.h"
#include "render/ScoreLabels.h"
#include "sound/Sound.h"

#include <cmath>
#include <string>

namespace veltrane {

namespace {

// The level-completed sequence lasts until its clock reaches this; the game-over one until 6000.
constexpr double SequenceEnd = 3000;
constexpr double GameOverEnd = 6000;

void Announce(TVector position, const std::string& text) {
    AddScoreLabel(position, 1, 2, text, 14);
    PlaySound(TSound::Message);
}

void SetSlot(TDelayedLabels& labels, int slot, TVector position, std::string text) {
    TDelayedScoreLabel& label = labels[size_t(slot - 1)];
    label.Active = 1;
    label.Position = position;
    label.Text = std::move(text);
}

// Shows a waiting label once its time has come.
void ShowSlot(TDelayedLabels& labels, int slot) {
    TDelayedScoreLabel& label = labels[size_t(slot - 1)];
    if (!label.Active) return;
    Announce(label.Position, label.Text);
    label.Active = 0;
    label.Position = {0, 0, 0};
    label.Text.clear();
}

} // namespace

int TGame::CountKind(uint8_t kind) const {
    int n = 0;
    for (int i = 1; i <= CubeCount; ++i)
        if (Cubes[i].Kind == kind) ++n;
    return n;
}

bool TGame::BombCanMove() const {
    // Cells a path cannot enter: every cube but the announced and the vanishing ones.
    bool taken[10][10] = {};
    for (int i = 1; i <= CubeCount; ++i) {
        const TCube& cube = Cubes[i];
        if (cube.State == csAnnounced || cube.State >= csVanishing || !CellOnBoard(cube.Cell())) continue;
        taken[cube.X][cube.Y] = true;
    }
    auto free = [&taken](int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9 && !taken[x][y]; };
    for (int i = 1; i <= CubeCount; ++i) {
        const TCube& cube = Cubes[i];
        if (cube.Kind != ckBomb || cube.State == csAnnounced || cube.State >= csVanishing) continue;
        if (free(cube.X + 1, cube.Y) || free(cube.X - 1, cube.Y) || free(cube.X, cube.Y + 1) ||
            free(cube.X, cube.Y - 1))
            return true;
    }
    return false;
}

void TGame::CheckLevelEnd() {
    const TLevel& level = CurrentLevel();
    if (level.LevelType == ltBonus) {
        // Done when the bombs or the blocks are gone, or in the timed mode when time is up. Bombs
        // walled in by blocks count as used up: once every cube is at rest and no bomb has a free
        // cell beside it, the player has no move left, so the level ends rather than waiting.
        const bool stuck = BoardIdle && StateCount[StateSlot(csGone)] == 0 && !BombCanMove();
        if (CountKind(ckBomb) == 0 || CountKind(ckBlock) == 0 || (GameMode == 2 && level.Progress <= 0) ||
            stuck)
            CompleteBonusLevel();
        return;
    }
    if (level.Progress >= level.Goal[GameMode]) {
        BeginLevelCompleted();
        if (level.LevelType == ltBeforeBonus) StartFlyAway(Random(6));
    }
}

void TGame::CompleteBonusLevel() {
    Announce({3.4f, -2, 0}, "LEVEL COMPLETED");
    const int left = CountKind(ckBlock);
    if (left > 3) {
        SetSlot(DelayedLabels, 1, {2.67f, -2, 0}, std::to_string(left) + " cubes left");
        SetSlot(DelayedLabels, 2, {2, -2, 0}, "No bonus");
    } else {
        // A quarter of the bonus less for every block left; halves round to even.
        const double bonus = std::nearbyint((1 - 0.25 * left) * CurrentLevel().ClearBonus);
        PendingScore += bonus;
        static constexpr const char* Texts[4] = {"No cubes left", "One cube left", "Two cubes left",
                                                 "Three cubes left"};
        static constexpr float Xs[4] = {3.08f, 3.08f, 3.47f, 3.92f};
        SetSlot(DelayedLabels, 1, {Xs[left], -2, 0}, Texts[left]);
        SetSlot(DelayedLabels, 2, {2.3f, -2, 0}, "Bonus  +" + std::to_string(static_cast<long long>(bonus)));
    }
    BeginLevelCompleted();
}

void TGame::BeginLevelCompleted() {
    CountScore(true, 0);
    Phase = phLevelCompleted;
    PhaseClock = 0;
    SequenceStarting = true;
    if (CurrentLevel().LevelType == ltBonus) ClearBoard();
}

void TGame::RunPhase(float dt) {
    switch (Phase) {
    case phLevelCompleted: {
        const TLevelType type = CurrentLevel().LevelType;
        const bool first = SequenceStarting;
        SequenceStarting = false;
        if (type == ltNormal) {
            PhaseClock += 5 * dt;
        } else if (type == ltBonus) {
            if (first) PlaySound(TSound::BonusLevelDone);
            if (PhaseClock >= 1000) ShowSlot(DelayedLabels, 1);
            if (PhaseClock >= 2000) ShowSlot(DelayedLabels, 2);
        } else {
            if (first) PlaySound(TSound::FlyingBy);
            PhaseClock += 0.3 * dt;
            StepFlyAway();
            SwingCamera(PhaseClock);
        }
        // The gauge empties (points) or fills (time) as the sequence runs.
        const double share = PhaseClock / SequenceEnd;
        if (GameMode == 1)
            Gauge = static_cast<float>(1 - share);
        else if (type == ltBeforeBonus)
            Gauge = static_cast<float>(share);
        else
            Gauge = static_cast<float>(GaugeStart - (GaugeStart - 0.5) * share);
        if (PhaseClock >= SequenceEnd) {
            Camera.Reset();
            Phase = phPlay;
            StartLevel();
        }
        break;
    }
    case phGameOver:
        PhaseClock += 0.4 * dt;
        SwingCamera(PhaseClock);
        if (PhaseClock >= GameOverEnd) {
            Camera.Reset();
            Phase = phPlay;
            SetGameState(gsGameOver);
            PhaseClock = 0;
            ClearBoard();
            StartGameOverMusic();
        }
        break;
    case phMenu:
        SelectCube(0);
        StopSound(TSound::Selected);
        break;
    default:
        break;
    }
}

} // namespace veltrane
