// Draws the floating score labels with the bitmap font.
#include "render/Font.h"
#include "render/ScoreLabels.h"

#include <cmath>

namespace veltrane {

void DrawScoreLabels(gfx::IDevice& device, gfx::IVertexBuffer& vertexBuffer, const TFonts& fonts) {
    for (int i = 1; i <= ScoreLabelCount(); ++i) {
        const TScoreLabel& label = ScoreLabel(i);
        // Halves round to even, as the game's Round does.
        DrawText(device, vertexBuffer, fonts, label.Font, label.Colour, label.Size, label.Position.x,
                 label.Position.y, label.Text, label.Position.z, int(std::nearbyint(label.Alpha)));
    }
}

} // namespace veltrane
