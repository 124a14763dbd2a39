// The table on screen: ten rows of name and score, and the name entry's cursor and prompt.
#include "scores/HiScores.h"

#include "render/Font.h"
#include "scores/Qualification.h"

#include <charconv>
#include <cmath>

namespace veltrane {

namespace {

constexpr int kFont = 1;
constexpr int32_t kSize = 9;
constexpr float kZ = 0.1f;
constexpr int kNormalColour = 4;
constexpr int kEditColour = 5;
constexpr float kNameX = 2.0f;
constexpr float kScoreX = -4.5f;

} // namespace

void THiScores::Draw(gfx::IDevice& device, gfx::IVertexBuffer& vertexBuffer, double time) const {
    const THiScoreTable& table = Shown();
    float cursorX = kNameX;
    float cursorY = 0;
    for (int rank = 1; rank <= HiScoreRanks; ++rank) {
        const THiScoreEntry& entry = table[rank - 1];
        const float y = 2.9f - 0.56f * float(rank);
        const bool edited = Editing && rank == EditRow;
        const int colour = edited ? kEditColour : kNormalColour;
        const float end =
            DrawText(device, vertexBuffer, kFont, colour, kSize, kNameX, y, entry.NameText(), kZ, 255);
        if (edited) {
            cursorX = end;
            cursorY = y;
        }
        char digits[16];
        const auto written = std::to_chars(digits, digits + sizeof digits, entry.Score);
        DrawText(device, vertexBuffer, kFont, colour, kSize, kScoreX, y,
                 std::string_view(digits, size_t(written.ptr - digits)), kZ, 255);
    }
    if (!Editing) return;
    const auto alpha = static_cast<int>(RoundHalfEven(std::fabs(std::cos(time / 100)) * 255));
    DrawText(device, vertexBuffer, kFont, kEditColour, kSize, cursorX, cursorY, "|", kZ, alpha);
    DrawText(device, vertexBuffer, kFont, kNormalColour, kSize, -3.5f, -5.3f, "enter your name", kZ, 255);
}

} // namespace veltrane
