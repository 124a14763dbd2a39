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
constexpr const char* kPrompt = "enter your name";
constexpr float kPromptX = -3.5f;
constexpr float kPromptY = -5.3f;
// The prompt's panel: the room round the text, its height and the rim's width, in world units.
constexpr float kPromptMargin = 0.3f;
constexpr float kPromptHeight = 0.44f; // the letters are 0.36 high; the screen ends 0.28 below their middle
constexpr float kRim = 0.03f;
constexpr uint32_t kPanelRim = 0xB3E7B84A;   // the menu's gold
constexpr uint32_t kPanelGlass = 0xEB050F17; // the menu panels' dark glass

} // namespace

void THiScores::Draw(gfx::IDevice& device, gfx::IVertexBuffer& vertexBuffer, const TFonts& fonts,
                     double time) const {
    const THiScoreTable& table = Shown();
    float cursorX = kNameX;
    float cursorY = 0;
    for (int rank = 1; rank <= HiScoreRanks; ++rank) {
        const THiScoreEntry& entry = table[rank - 1];
        const float y = 2.9f - 0.56f * float(rank);
        const bool edited = Editing && rank == EditRow;
        const int colour = edited ? kEditColour : kNormalColour;
        const float end =
            DrawText(device, vertexBuffer, fonts, kFont, colour, kSize, kNameX, y, entry.NameText(), kZ, 255);
        if (edited) {
            cursorX = end;
            cursorY = y;
        }
        char digits[16];
        const auto written = std::to_chars(digits, digits + sizeof digits, entry.Score);
        DrawText(device, vertexBuffer, fonts, kFont, colour, kSize, kScoreX, y,
                 std::string_view(digits, size_t(written.ptr - digits)), kZ, 255);
    }
    if (!Editing) return;
    const auto alpha = static_cast<int>(RoundHalfEven(std::fabs(std::cos(time / 100)) * 255));
    DrawText(device, vertexBuffer, fonts, kFont, kEditColour, kSize, cursorX, cursorY, "|", kZ, alpha);
    // The prompt stands below the table, where only the floor of the menu picture shows: it gets
    // a panel of its own in the menu's colours, a gold rim round dark glass, just under the text.
    const float width = TextWidth(fonts, kFont, kSize, kPrompt) + 2 * kPromptMargin;
    const float left = kPromptX + kPromptMargin;
    DrawFlatQuad(device, vertexBuffer, left + kRim, kPromptY, width + 2 * kRim, kPromptHeight + 2 * kRim,
                 kZ - 0.02f, kPanelRim);
    DrawFlatQuad(device, vertexBuffer, left, kPromptY, width, kPromptHeight, kZ - 0.01f, kPanelGlass);
    DrawText(device, vertexBuffer, fonts, kFont, kNormalColour, kSize, kPromptX, kPromptY, kPrompt, kZ, 255);
}

} // namespace veltrane
