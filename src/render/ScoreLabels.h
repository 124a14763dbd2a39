// Floating score labels: short texts (points, combo messages, level texts) that appear at a
// point of the scene, drift, slow down and fade out. The list needs no graphics device, so the
// rules can add labels before anything is drawn; the font code draws it.
#pragma once

#include "render/Vector.h"

#include <cstdint>
#include <string>

namespace veltrane {

constexpr int MaxScoreLabels = 20;

struct TScoreLabel {
    TVector Position{}; // z is always 1
    TVector Velocity{}; // world units per millisecond
    TVector Damping{};  // relative change of Velocity per millisecond
    float Alpha = 255;
    uint8_t Font = 1;   // 1 or 2
    uint8_t Colour = 1; // 1..7
    int32_t Size = 0;   // one texture pixel = Size / 1000 world units
    std::string Text;
};

// Adds a label at position (its z becomes 1); ignored when the list is full. Font 2 drifts
// towards -x and stops soon; font 1 rises, slowly in colour 3.
void AddScoreLabel(TVector position, uint8_t font, uint8_t colour, const std::string& text, int32_t size);
// Moves and fades every label by dt milliseconds and drops those that have faded out.
void UpdateScoreLabels(float dt);
// Empties the list.
void ClearScoreLabels();

int ScoreLabelCount();
// Label i, 1..ScoreLabelCount().
const TScoreLabel& ScoreLabel(int i);

} // namespace veltrane
