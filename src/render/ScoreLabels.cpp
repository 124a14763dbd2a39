#include "render/ScoreLabels.h"

#include <array>
#include <stdexcept>
#include <utility>

namespace veltrane {

namespace {

// Labels 1..Count live in slots 0..Count - 1.
std::array<TScoreLabel, MaxScoreLabels> Labels;
int Count = 0;

// A label has faded out below this alpha.
constexpr float MinAlpha = 25;

} // namespace

void AddScoreLabel(TVector position, uint8_t font, uint8_t colour, const std::string& text, int32_t size) {
    if (Count >= MaxScoreLabels) return;
    TScoreLabel& label = Labels[static_cast<size_t>(Count)];
    label.Position = {position.x, position.y, 1};
    if (font == 2) {
        label.Velocity = {-0.001f, 0.001f, 0};
        label.Damping = {0, -0.006f, 0};
    } else if (colour == 3) {
        label.Velocity = {0, 0.0005f, 0};
        label.Damping = {0, -0.0005f, 0};
    } else {
        label.Velocity = {0, 0.005f, 0};
        label.Damping = {0, -0.001f, 0};
    }
    label.Alpha = 255;
    label.Font = font;
    label.Colour = colour;
    label.Size = size;
    label.Text = text;
    Count += 1;
}

void UpdateScoreLabels(float dt) {
    for (int i = 0; i < Count; ++i) {
        TScoreLabel& label = Labels[static_cast<size_t>(i)];
        label.Position.x += label.Velocity.x * dt;
        label.Position.y += label.Velocity.y * dt;
        label.Velocity.x += dt * label.Velocity.x * label.Damping.x;
        label.Velocity.y += dt * label.Velocity.y * label.Damping.y;
        label.Velocity.z += dt * label.Velocity.z * label.Damping.z;
        label.Alpha -= 0.1f * dt;
        if (label.Alpha < MinAlpha) {
            // The later labels move down one place; the one moved into this place waits for
            // the next frame. Moving keeps the texts' storage, so a frame allocates nothing.
            for (int j = i; j + 1 < Count; ++j)
                Labels[static_cast<size_t>(j)] = std::move(Labels[static_cast<size_t>(j + 1)]);
            Count -= 1;
        }
    }
}

void ClearScoreLabels() {
    Count = 0;
}

int ScoreLabelCount() {
    return Count;
}

const TScoreLabel& ScoreLabel(int i) {
    if (i < 1 || i > Count) throw std::out_of_range("score label " + std::to_string(i));
    return Labels[static_cast<size_t>(i - 1)];
}

} // namespace veltrane
