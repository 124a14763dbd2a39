// The help picture shown before a game: every rule at a glance, one small drawing per rule.
// The strip along the bottom stays free for the menu's start button and help switch.
#include "ui/Screens.h"

#include "common/Text.h"
#include "ui/CubeArt.h"
#include "ui/Scenery.h"
#include "ui/Style.h"

#include <functional>
#include <string>

namespace veltrane::assetgen::ui {

namespace {

using namespace palette;

constexpr float kW = kScreenWidth;
constexpr float kRowTop = 100, kRowHeight = 106;

struct Fonts {
    Font heading{FontFace::SansBold, 21};
    Font body{FontFace::Sans, 17};
    Font narrow{FontFace::Sans, 15}; // for a line that would not fit otherwise
};

// One rule: a drawing on the left of the card, a heading and up to two lines beside it.
void Card(Canvas& c, const Fonts& fonts, float x, float y, float w, const std::string& heading,
          const std::string& line1, const std::string& line2,
          const std::function<void(float, float)>& drawing) {
    const float h = kRowHeight - 10;
    // Opaque, so the room's decorative cubes never show through the text.
    c.FillRoundRect(x, y, x + w, y + h, 14, {0.02f, 0.07f, 0.1f, 1});
    StrokeRoundRect(c, x, y, x + w, y + h, 14, 1.2f, WithAlpha(kGold, 0.35f));
    drawing(x + 66, y + h / 2);
    const float tx = x + 136;
    fonts.heading.Draw(c, tx, y + 30, heading, kPaleGold);
    const float room = x + w - 12 - tx;
    // Both lines in one size: the narrow face only when either would not fit.
    const bool fits = fonts.body.Measure(line1) <= room && fonts.body.Measure(line2) <= room;
    const Font& font = fits ? fonts.body : fonts.narrow;
    font.Draw(c, tx, y + 57, line1, kCream);
    if (!line2.empty()) font.Draw(c, tx, y + 80, line2, kMist);
}

void Cell(Canvas& c, float cx, float cy, float size) {
    StrokeRoundRect(c, cx - size / 2, cy - size / 2, cx + size / 2, cy + size / 2, 3, 1.2f,
                    {0.4f, 0.8f, 0.82f, 0.45f});
}

} // namespace

Canvas DrawHelpPicture() {
    // The resting cubes keep to the floor below the cards.
    Canvas c =
        DrawRoomBackdrop(kScreenWidth, kScreenHeight, 67, {{20, 92, kW - 20, kRowTop + 5 * kRowHeight}});
    const Font title(FontFace::SerifBold, 46);
    DrawGlowingCaps(c, title, kW / 2, 52, "HOW TO PLAY", {1.0f, 0.95f, 0.78f, 1}, {0.86f, 0.6f, 0.2f, 1},
                    {0.95f, 0.65f, 0.2f, 0.45f}, 6, 6);
    const Fonts fonts;
    const float left = 28, right = 522, width = 474;
    const auto row = [](int i) { return kRowTop + static_cast<float>(i) * kRowHeight; };
    const float s = 34; // cube size in the drawings

    Card(c, fonts, left, row(0), width, "MOVE",
         "Click a cube, then a free cell:", "it takes the shortest free path.", [&](float cx, float cy) {
             for (int i = 0; i < 3; ++i) Cell(c, cx - 40 + static_cast<float>(i) * 40, cy, 38);
             DrawCube(c, cx - 40, cy, s, CubeIcon::Colour, 3);
             for (int i = 0; i < 4; ++i) c.FillCircle(cx - 14 + static_cast<float>(i) * 13, cy, 3, kGold);
             c.StrokeCircle(cx + 40, cy, 12, 3, kGold);
         });
    Card(c, fonts, left, row(1), width, "SQUARES", "Four of one colour in a 2 x 2 square",
         "vanish and score; every 2 x 2 counts.", [&](float cx, float cy) {
             for (int i = 0; i < 4; ++i)
                 DrawCube(c, cx + (i % 2 ? 19.0f : -19.0f), cy + (i / 2 ? 19.0f : -19.0f), s,
                          CubeIcon::Colour, 1);
             StrokeRoundRect(c, cx - 41, cy - 41, cx + 41, cy + 41, 8, 2.5f, WithAlpha(kGold, 0.9f));
         });
    Card(c, fonts, left, row(2), width, "COMBOS", "Score with move after move for",
         "Double, Triple, Quadro score...", [&](float cx, float cy) {
             const Font big(FontFace::SansBold, 24);
             DrawGlowingCaps(c, big, cx, cy, "X2 X3", kCream, kGold, WithAlpha(kGold, 0.6f), 3, 1);
         });
    Card(c, fonts, left, row(3), width, "NEW CUBES", "No square made? New cubes grow.",
         "A full board ends the game.", [&](float cx, float cy) {
             DrawCube(c, cx - 22, cy, s, CubeIcon::Colour, 2);
             DrawCube(c, cx + 12, cy + 8, s * 0.55f, CubeIcon::Colour, 5);
             DrawCube(c, cx + 36, cy - 10, s * 0.3f, CubeIcon::Colour, 4);
         });
    Card(c, fonts, left, row(4), width, "BONUS FIGURE", "Rebuild the figure shown beside the",
         "board anywhere for its bonus points.", [&](float cx, float cy) {
             const int pattern[2][3] = {{6, 6, 0}, {0, 6, 2}};
             for (int r = 0; r < 2; ++r)
                 for (int k = 0; k < 3; ++k)
                     if (pattern[r][k])
                         DrawCube(c, cx - 26 + static_cast<float>(k) * 26,
                                  cy - 13 + static_cast<float>(r) * 26, 24, CubeIcon::Colour, pattern[r][k]);
             StrokeRoundRect(c, cx - 44, cy - 31, cx + 44, cy + 31, 8, 1.5f, WithAlpha(kGold, 0.8f));
         });

    Card(c, fonts, right, row(0), width, "JOKER", "Counts as any colour in a square.", "",
         [&](float cx, float cy) { DrawCube(c, cx, cy, s * 1.3f, CubeIcon::Joker); });
    Card(c, fonts, right, row(1), width, "BOMB", "Move it: it blows up the 3 x 3 cells",
         "around the cell where it lands.",
         [&](float cx, float cy) { DrawCube(c, cx, cy + 4, s * 1.3f, CubeIcon::Bomb); });
    Card(c, fonts, right, row(2), width, "COLOUR CHANGER", "Move it: it repaints the colour cubes",
         "around it in its own colour.", [&](float cx, float cy) {
             DrawCube(c, cx - 30, cy, s * 0.7f, CubeIcon::Colour, 1);
             DrawCube(c, cx + 30, cy, s * 0.7f, CubeIcon::Colour, 5);
             DrawCube(c, cx, cy, s * 1.2f, CubeIcon::Colorize, 5);
         });
    Card(c, fonts, right, row(3), width, "SHOT", "Click it, then a cube: all cubes of",
         "that colour go. Right click: put back.",
         [&](float cx, float cy) { DrawCube(c, cx, cy, s * 1.3f, CubeIcon::Shot); });
    Card(c, fonts, right, row(4), width, "BLOCK", "A block never moves.",
         "Bonus levels: clear blocks or bombs.",
         [&](float cx, float cy) { DrawCube(c, cx, cy, s * 1.3f, CubeIcon::Block); });

    const Font modes(FontFace::SansBold, 18);
    const float y = row(5) + 18;
    DrawCentredCaps(c, modes, kW / 2, y,
                    "CLASSIC: fill the gauge to finish each level.    TIMED: points refill a draining clock.",
                    kPaleGold);
    return c;
}

} // namespace veltrane::assetgen::ui
