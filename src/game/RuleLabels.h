// The two label styles of the rules and where a label at a board cell stands.
#pragma once

#include "game/GameRecords.h"
#include "render/ScoreLabels.h"

#include <string>

namespace veltrane {

// A label for cell (X, Y) stands at (X - 6, Y - 5, 0).
inline TVector LabelPointAt(TCellWord cell) {
    return {static_cast<float>(CellX(cell) - 6), static_cast<float>(CellY(cell) - 5), 0};
}

// Points: font 2, colour 2, size 14.
inline void AddPointsLabel(TVector position, const std::string& text) {
    AddScoreLabel(position, 2, 2, text, 14);
}

// Messages ("Double score", "BONUS"): font 1, colour 3, size 12.
inline void AddMessageLabel(TVector position, const std::string& text) {
    AddScoreLabel(position, 1, 3, text, 12);
}

} // namespace veltrane
