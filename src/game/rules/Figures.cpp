// The bonus figure: finding it rebuilt on the board, and choosing the next one with the colour
// shift and value of the level.
#include "game/Game.h"

#include "game/RuleLabels.h"
#include "platform/Random.h"
#include "sound/Sound.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace veltrane {

namespace {

// The figure's used columns and rows, kept within its 4 x 4 grid.
int UsedWidth(const TBonusFigure& f) {
    return std::clamp<int>(f.Width, 1, 4);
}
int UsedHeight(const TBonusFigure& f) {
    return std::clamp<int>(f.Height, 1, 4);
}

} // namespace

bool TGame::FigureFitsAt(int ox, int oy) const {
    const TBonusFigure& f = Figures[Figure];
    bool any = false;
    for (int c = 1; c <= UsedWidth(f); ++c)
        for (int r = 1; r <= UsedHeight(f); ++r) {
            const uint8_t shown = f.Cubes[c][r].ShownKind;
            if (shown == 0) continue;
            const TCellWord cell = CellWord(ox + c - 1, oy + r - 1);
            if (BoardAt(cell).Occupancy != ocOccupied) return false;
            const int i = CubeOn(cell);
            if (i == 0 || (Cubes[i].Kind != ckJoker && Cubes[i].Kind != shown)) return false;
            any = true;
        }
    // A figure with nothing left to build (every place shifted out) is never found.
    return any;
}

bool TGame::MatchFigure() {
    if (Figure < 1 || Figure > FigureCount || Figure > MaxFigures) return false;
    const TBonusFigure& f = Figures[Figure];
    const int width = UsedWidth(f);
    const int height = UsedHeight(f);
    for (int ox = 1; ox <= 10 - width; ++ox)
        for (int oy = 1; oy <= 10 - height; ++oy) {
            if (!FigureFitsAt(ox, oy)) continue;

            TCellWord last = 0;
            for (int c = 1; c <= width; ++c)
                for (int r = 1; r <= height; ++r) {
                    if (f.Cubes[c][r].ShownKind == 0) continue;
                    last = CellWord(ox + c - 1, oy + r - 1);
                    Destroy(CubeOn(last));
                }
            const double value = f.Value;
            PendingScore += value;
            AddMessageLabel({static_cast<float>(CellX(last) - 6), static_cast<float>(CellY(last) - 4), 0},
                            "BONUS");
            AddPointsLabel(LabelPointAt(last), std::to_string(std::llround(value)));
            PickFigure(true);
            return true;
        }
    return false;
}

void TGame::PickFigure(bool announce) {
    TLevel& level = CurrentLevel();
    if (level.FigureLast > FigureCount) level.FigureLast = static_cast<uint8_t>(std::max(0, FigureCount));

    if (FigureCount >= 1) {
        // A range that starts above the figures read (or below the first) is pulled into them,
        // so the draw never gets an empty or negative range.
        const int first = std::clamp<int>(level.FigureFirst, 1, std::min(FigureCount, MaxFigures));
        const int last = std::clamp<int>(level.FigureLast, first, std::min(FigureCount, MaxFigures));
        Figure = first + Random(last - first + 1);

        if (level.LevelType != ltBonus) {
            TBonusFigure& f = Figures[Figure];
            // A figure with more colours than the level offers is shown unshifted.
            const int shift = Random(std::max(0, level.Colours[GameMode] - f.Colours));
            for (auto& column : f.Cubes)
                for (auto& place : column) {
                    const int shown = place.Kind == 0 ? 0 : place.Kind + shift;
                    place.ShownKind = static_cast<uint8_t>(shown >= 1 && shown <= 7 ? shown : 0);
                }
            // Rounded to the nearest integer, halves to the even one.
            f.Value = std::nearbyint((1 + level.FigureRate) * f.BaseValue);
        }
    } else {
        Figure = 0; // no figures to offer
    }

    if (announce) {
        SpecialsDue += 1;
        PlaySound(Random(2) == 0 ? TSound::vExcellent : TSound::vQuillomar);
    }
}

} // namespace veltrane
