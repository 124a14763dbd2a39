// What the special cubes do: the bomb, the colorize cube and the shot, and the reward that
// brings a new special cube onto the board.
#include "game/Game.h"

#include "game/RuleLabels.h"
#include "platform/Random.h"
#include "sound/Sound.h"

#include <algorithm>
#include <string>

namespace veltrane {

void TGame::Destroy(int i) {
    Cubes[i].Anim = 0;
    SetCubeState(i, csVanishing);
}

void TGame::ScoreSpecial(TCellWord labelCell, int32_t points) {
    PendingScore += points;
    AddPointsLabel(LabelPointAt(labelCell), std::to_string(points));
    MoveBarren = false;
}

void TGame::ExplodeBomb(TCellWord cell) {
    if (!CellOnBoard(cell)) return;
    const TLevel& level = CurrentLevel();
    // Clearing the bombs is the task of a bonus level in the first mode, not a source of points.
    const bool bombsPay = !(GameMode == 1 && level.LevelType == ltBonus);
    int32_t points = 0;
    for (int x = std::max(1, CellX(cell) - 1); x <= std::min(9, CellX(cell) + 1); ++x)
        for (int y = std::max(1, CellY(cell) - 1); y <= std::min(9, CellY(cell) + 1); ++y) {
            if (Board[x][y].Occupancy != ocOccupied) continue;
            const int i = CubeOn(CellWord(x, y));
            if (i == 0) continue;
            Destroy(i);
            if (Cubes[i].Kind != ckBomb || bombsPay) points += level.CubePoints;
        }
    ScoreSpecial(cell, points);
    PlaySound(TSound::ExplodeBomb);
}

void TGame::Colorize(TCellWord cell, int colour) {
    if (!CellOnBoard(cell) || colour < 0 || colour > 6) return;
    const TLevel& level = CurrentLevel();
    int32_t points = 0;
    for (int x = std::max(1, CellX(cell) - 1); x <= std::min(9, CellX(cell) + 1); ++x)
        for (int y = std::max(1, CellY(cell) - 1); y <= std::min(9, CellY(cell) + 1); ++y) {
            if (Board[x][y].Occupancy != ocOccupied) continue;
            const int i = CubeOn(CellWord(x, y));
            if (i == 0 || Cubes[i].Kind < 1 || Cubes[i].Kind > 7) continue;
            Cubes[i].Kind = static_cast<uint8_t>(colour + 1);
            points += level.CubePoints;
        }
    const int centre = CubeOn(cell);
    if (centre != 0) Destroy(centre);
    ScoreSpecial(cell, points);
    PlaySound(TSound::Colorize);
}

void TGame::ShootKind(uint8_t kind) {
    const TLevel& level = CurrentLevel();
    int32_t points = 0;
    for (int i = 1; i <= CubeCount; ++i) {
        if (Cubes[i].Kind != kind || Cubes[i].State == csAnnounced) continue;
        Destroy(i);
        points += level.CubePoints;
    }
    ScoreSpecial(HoverCell, points);
    PlaySound(TSound::Shot);
}

void TGame::AddSpecial() {
    const TLevel& level = CurrentLevel();
    char letters[3];
    int count = 0;
    if (level.AllowBomb) letters[count++] = 'B';
    if (level.AllowColorize) letters[count++] = 'C';
    if (level.AllowShot) letters[count++] = 'S';
    if (count == 0) return;
    // Two letters: an even draw between them, in the order gathered; three: one in three.
    const char letter = count == 1 ? letters[0] : letters[Random(count)];

    if (letter == 'B') {
        AddCube(ckBomb);
    } else if (letter == 'S') {
        AddCube(ckShot);
    } else {
        const int kind = ckColorize + Random(level.Colours[GameMode]);
        AddCube(static_cast<uint8_t>(kind <= ckColorizeLast ? kind : ckColorize));
    }
}

} // namespace veltrane
