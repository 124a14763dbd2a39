// The square search: 2 x 2 windows of one colour vanish and score, with the combo that grows
// over consecutive scoring moves.
#include "game/Game.h"

#include "game/RuleLabels.h"
#include "platform/Random.h"
#include "sound/Sound.h"

#include <string>

namespace veltrane {

bool TGame::TakeSquare(int x, int y) {
    const TCellWord cells[4] = {CellWord(x, y), CellWord(x + 1, y), CellWord(x, y + 1),
                                CellWord(x + 1, y + 1)};
    int cubes[4];
    for (int k = 0; k < 4; ++k) {
        if (BoardAt(cells[k]).Occupancy != ocOccupied) return false;
        cubes[k] = CubeOn(cells[k]);
        if (cubes[k] == 0) return false;
    }
    // Jokers stand in for the colour of the others; four jokers make a square of their own.
    uint8_t reference = ckJoker;
    for (int i : cubes)
        if (Cubes[i].Kind != ckJoker) {
            reference = Cubes[i].Kind;
            break;
        }
    for (int i : cubes)
        if (Cubes[i].Kind != reference && Cubes[i].Kind != ckJoker) return false;
    if (reference < 1 || reference > ckJoker) return false; // specials and blocks never match
    // A window whose last cube already vanishes was counted before.
    if (Cubes[cubes[3]].State == csVanishing) return false;
    for (int i : cubes) Destroy(i);
    return true;
}

bool TGame::FindSquares() {
    int n = 0;
    TCellWord last = 0;
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y) {
            if (Board[x][y].Occupancy != ocOccupied || !TakeSquare(x, y)) continue;
            n += 1;
            last = CellWord(x, y);
            MoveBarren = false;
        }

    if (MatchFigure()) {
        PlaySound(TSound::ShowBonus);
        MoveBarren = false;
    }

    const int moving = StateSlot(csMoving);
    if (PrevStateCount[moving] != 0 && StateCount[moving] == 0) {
        if (n > 0)
            Combo += 1;
        else if (MoveBarren)
            Combo = 0;
    }

    if (n == 0) return false;
    if (Combo == 0) Combo = 1;
    const TLevel& level = CurrentLevel();
    PendingScore += static_cast<double>(level.SquarePoints) * n * Combo;
    if (Combo >= 3 && Combo % 2 == 1) SpecialsDue += 1;

    std::string text = std::to_string(n > 1 ? level.SquarePoints * n : level.SquarePoints);
    if (Combo > 1) text += "x" + std::to_string(Combo);
    AddPointsLabel(LabelPointAt(last), text);

    std::string message;
    switch (Combo) {
    case 1:
        PlaySound(TSound::FigureDone);
        break;
    case 2:
        message = "Double score";
        PlaySound(TSound::vDouble);
        break;
    case 3:
        message = "Triple score";
        PlaySound(TSound::vTriple);
        break;
    case 4:
        message = "Quadro score";
        PlaySound(TSound::vQuadro);
        break;
    default:
        message = std::to_string(Combo) + "x score";
        PlaySound(TSound::vExcellent);
        break;
    }
    if (!message.empty()) {
        const float r = static_cast<float>(RandomReal());
        AddMessageLabel({static_cast<float>(CellX(last) - 5), static_cast<float>(CellY(last) - 4) + r, 0},
                        message);
    }
    return true;
}

} // namespace veltrane
