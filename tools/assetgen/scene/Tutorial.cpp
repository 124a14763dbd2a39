// The nine tutorial pages, Images/Tutorial/tut1.jpg .. tut9.jpg: one idea per page, with board
// snippets drawn from the cube pictures of the skin a new player sees (the symbol skin, skin 2)
// and short texts.
#include "common/Shapes.h"
#include "common/Text.h"
#include "common/TextLayout.h"
#include "scene/CubeFace.h"
#include "scene/Markers.h"
#include "scene/Palette.h"
#include "scene/ScenePictures.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace veltrane::assetgen::scene {

namespace {

constexpr int kPageW = 1024, kPageH = 768;
constexpr int kPageCount = 9;
// The skin the game starts with.
constexpr SkinStyle kShippedSkin = SkinStyle::Symbols;

struct Fonts {
    Font title{FontFace::SansBold, 44};
    Font body{FontFace::Sans, 24};
    Font bold{FontFace::SansBold, 22};
    Font small{FontFace::SansBold, 18};
};

const Colour kText = Rgb(kCream);
const Colour kShadow = Rgb(0x000000, 0.65f);

std::vector<std::string> Tokens(const std::string& row) {
    std::istringstream in(row);
    std::vector<std::string> out;
    for (std::string t; in >> t;) out.push_back(t);
    return out;
}

void DrawFace(Canvas& page, const Canvas& face, float cx, float cy, float opacity = 1.0f) {
    const float h = static_cast<float>(face.Width()) / 2;
    page.FillRoundRect(cx - h + 3, cy - h + 5, cx + h + 3, cy + h + 5, h * 0.2f,
                       Rgb(0x000000, 0.45f * opacity));
    page.Draw(face, static_cast<int>(std::lround(cx - h)), static_cast<int>(std::lround(cy - h)), opacity);
}

// One cell's content, named by a short token:
//   .  empty          1..7  colour cube     J joker   B bomb   S shot cube   X block
//   cN colour changer to colour N     aN announced (small) cube     *N selected cube
//   vN vanishing cube (vJ a joker, vcN a colour changer)                 o path step   T reachable target   N
//   unreachable target yN a cube turning to colour N (drawn half-painted)   RN like N, in a red danger mark
void DrawToken(Canvas& page, const std::string& t, float cx, float cy, float cell) {
    if (t.empty() || t == ".") return;
    const int size = static_cast<int>(cell * 0.8f);
    auto colour = [&](size_t i) { return std::clamp(t[i] - '1', 0, 6); };
    if (t == "o" || t == "T" || t == "N") {
        const int kind = t == "o" ? 1 : t == "T" ? 2 : 3;
        const Canvas m = MarkerPicture(kind, static_cast<int>(cell * 0.9f));
        page.Draw(m, static_cast<int>(cx - static_cast<float>(m.Width()) / 2),
                  static_cast<int>(cy - static_cast<float>(m.Height()) / 2));
        return;
    }
    switch (t[0]) {
    case 'J':
        DrawFace(page, JokerFace(size), cx, cy);
        return;
    case 'B':
        page.Draw(BombIcon(size), static_cast<int>(cx - static_cast<float>(size) / 2),
                  static_cast<int>(cy - static_cast<float>(size) / 2));
        return;
    case 'S':
        DrawFace(page, ShotFace(size), cx, cy);
        return;
    case 'X':
        DrawFace(page, BlockFace(size), cx, cy);
        return;
    case 'c':
        DrawFace(page, ColorizeFace(size, colour(1), kShippedSkin), cx, cy);
        return;
    case 'a':
        DrawFace(page, ColourFace(static_cast<int>(cell * 0.3f), colour(1), kShippedSkin), cx, cy);
        return;
    case '*':
        page.FillRoundRect(cx - cell / 2 + 2, cy - cell / 2 + 2, cx + cell / 2 - 2, cy + cell / 2 - 2, 6,
                           Rgb(kGoldLight, 0.85f));
        SoftDisc(page, cx, cy, cell * 0.6f, Rgb(0xFFFFFF, 0.9f), 1.0f);
        DrawFace(page, ColourFace(size, colour(1), kShippedSkin), cx, cy - cell * 0.06f);
        return;
    case 'v': {
        const Canvas face = t == "vJ"     ? JokerFace(size)
                            : t[1] == 'c' ? ColorizeFace(size, colour(2), kShippedSkin)
                                          : ColourFace(size, colour(1), kShippedSkin);
        DrawFace(page, face, cx, cy, 0.45f);
        const float r = cell * 0.45f;
        FillShape(page, StarPolygon(cx, cy, r, r * 0.22f, 4), Rgb(0xFFFFFF, 0.85f));
        page.FillCircle(cx, cy, cell * 0.08f, Rgb(0xFFFFFF));
        return;
    }
    case 'R':
        page.FillRoundRect(cx - cell / 2 + 2, cy - cell / 2 + 2, cx + cell / 2 - 2, cy + cell / 2 - 2, 6,
                           Rgb(0xE8402C, 0.45f));
        DrawToken(page, t.substr(1), cx, cy, cell);
        return;
    default:
        break;
    }
    if (t[0] >= '1' && t[0] <= '7') DrawFace(page, ColourFace(size, colour(0), kShippedSkin), cx, cy);
}

// A piece of the board: rows of tokens (see DrawToken) in a gold frame; (x, y) is the top left.
void DrawBoard(Canvas& page, float x, float y, float cell, const std::vector<std::string>& rows) {
    const int h = static_cast<int>(rows.size());
    int w = 0;
    for (const auto& r : rows) w = std::max(w, static_cast<int>(Tokens(r).size()));
    const float W = static_cast<float>(w) * cell, H = static_cast<float>(h) * cell;
    page.FillRoundRect(x - 14, y - 12, x + W + 16, y + H + 18, 14, Rgb(0x000000, 0.35f));
    page.FillRoundRect(x - 12, y - 12, x + W + 12, y + H + 12, 12, Rgb(kGoldDark));
    page.FillRoundRect(x - 9, y - 9, x + W + 9, y + H + 9, 10, Rgb(kGold));
    page.FillRoundRect(x - 6, y - 6, x + W + 6, y + H + 6, 8, Rgb(kDeepNavy));
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const float x0 = x + static_cast<float>(i) * cell, y0 = y + static_cast<float>(j) * cell;
            page.FillRoundRect(x0 + 2, y0 + 2, x0 + cell - 2, y0 + cell - 2, 6,
                               (i + j) % 2 ? Rgb(0x0F2F3B) : Rgb(0x123744));
        }
    for (int j = 0; j < h; ++j) {
        const auto tokens = Tokens(rows[static_cast<size_t>(j)]);
        for (size_t i = 0; i < tokens.size(); ++i)
            DrawToken(page, tokens[i], x + (static_cast<float>(i) + 0.5f) * cell,
                      y + (static_cast<float>(j) + 0.5f) * cell, cell);
    }
}

void Pointer(Canvas& page, float x, float y) {
    const Outline arrow{{x, y},           {x, y + 34},      {x + 9, y + 26}, {x + 16, y + 40},
                        {x + 22, y + 37}, {x + 15, y + 23}, {x + 26, y + 23}};
    Outline shadow = arrow;
    for (auto& p : shadow) p.first += 3, p.second += 4;
    FillShape(page, shadow, Rgb(0x000000, 0.5f));
    Outline rim = arrow;
    for (auto& p : rim) p.first = x + (p.first - x) * 1.18f - 2.5f, p.second = y + (p.second - y) * 1.14f - 3;
    FillShape(page, rim, Rgb(kInk));
    FillShape(page, arrow, Rgb(0xFFFFFF));
}

void Crosshair(Canvas& page, float cx, float cy, float r) {
    for (const auto& [w, c] : {std::pair{7.0f, Rgb(kInk)}, std::pair{3.5f, Rgb(0xFF5A3C)}}) {
        page.StrokeCircle(cx, cy, r, w, c);
        page.DrawLine(cx - r * 1.5f, cy, cx - r * 0.45f, cy, w, c);
        page.DrawLine(cx + r * 0.45f, cy, cx + r * 1.5f, cy, w, c);
        page.DrawLine(cx, cy - r * 1.5f, cx, cy - r * 0.45f, w, c);
        page.DrawLine(cx, cy + r * 0.45f, cx, cy + r * 1.5f, w, c);
    }
}

void BigArrow(Canvas& page, float x0, float y0, float x1, float y1) {
    FillShape(page, ArrowPolygon(x0 + 2, y0 + 3, x1 + 2, y1 + 3, 14), Rgb(0x000000, 0.45f));
    FillShape(page, ArrowPolygon(x0, y0, x1, y1, 14), Rgb(kGoldLight));
}

void Label(Canvas& page, const Font& font, float cx, float y, const std::string& text,
           Colour colour = Rgb(kGold)) {
    DrawShadowedTextCentred(page, font, cx, y, text, colour, kShadow, 2);
}

// Paragraphs with a gold bullet each, from (x, y) within width; returns the y after them.
float Bullets(Canvas& page, const Fonts& f, float x, float y, float width,
              const std::vector<std::string>& items) {
    for (const std::string& item : items) {
        FillShape(page, RegularPolygon(x + 7, y - 8, 7, 4), Rgb(kGold));
        for (const std::string& line : WrapText(f.body, item, width - 28)) {
            DrawShadowedText(page, f.body, x + 26, y, line, kText, kShadow, 2);
            y += 33;
        }
        y += 16;
    }
    return y;
}

// Background, title, page number and the hint for turning pages.
Canvas PageFrame(const Fonts& f, int number, const std::string& title) {
    Canvas page(kPageW, kPageH);
    for (int y = 0; y < kPageH; ++y)
        for (int x = 0; x < kPageW; ++x) {
            const float fx = static_cast<float>(x), fy = static_cast<float>(y);
            Colour c = Mix(Rgb(kNavy), Rgb(kDeepNavy), fy / kPageH);
            const float r = std::hypot(fx - 300, fy - 380) / 700.0f;
            c = Mix(c, Rgb(kTeal), 0.5f * std::max(0.0f, 1 - r) * std::max(0.0f, 1 - r));
            page.Set(x, y, c);
        }
    page.FillRect(0, 0, kPageW, 104, Rgb(0x000000, 0.25f));
    page.FillRect(0, 102, kPageW, 105, Rgb(kGold));
    DrawShadowedText(page, f.title, 48, 70, title, Rgb(kGoldLight), kShadow, 3);
    // Page number in a gold-edged disc.
    const std::string n = std::to_string(number) + " / " + std::to_string(kPageCount);
    page.FillRoundRect(866, 30, 988, 76, 23, Rgb(kGoldDark));
    page.FillRoundRect(869, 33, 985, 73, 20, Rgb(kNavy));
    Label(page, f.bold, 927, 61, n, Rgb(kGoldLight));
    // The menu's NEXT, PREVIOUS and BACK plates sit at the foot of the page; keep that band quiet.
    page.FillRect(0, 662, kPageW, 664, Rgb(kGold, 0.5f));
    page.FillRect(0, 664, kPageW, kPageH, Rgb(0x000000, 0.3f));
    const std::string hint =
        number < kPageCount ? "Click NEXT to continue" : "Click BACK to return to the menu";
    Label(page, f.small, kPageW / 2.0f, 688, hint, Rgb(kGold));
    return page;
}

Canvas Page1() {
    const Fonts f;
    Canvas p = PageFrame(f, 1, "Welcome to Veltrane");
    // The whole board, as the game shows it.
    DrawBoard(p, 56, 150, 44,
              {"2 . 4 . 3 6 . . 5", ". 1 1 . . 3 . 7 .", "5 1 1 . 7 . . . 2", ". . 2 . 2 4 . 6 .",
               "6 . . 3 . . 1 . .", "3 7 . . 5 1 . . 4", ". . 6 . . . 2 . .", "4 . . 7 . 3 . 5 .",
               ". 2 . . 1 . . 6 3"});
    Label(p, f.bold, 56 + 4.5f * 44, 584, "Four red cubes form a square");
    Bullets(p, f, 500, 170, 480,
            {"Cubes of up to seven colours stand on a board of 9 x 9 cells.",
             "Gather four cubes of one colour into a 2 x 2 square: they vanish and score.",
             "Points fill the gauge under the board. A full gauge takes you to the next level.",
             "Every colour carries its own symbol, so shapes tell them apart too:"});
    for (int i = 0; i < 7; ++i)
        DrawFace(p, ColourFace(50, i, kShippedSkin), 545 + 64 * static_cast<float>(i), 570);
    return p;
}

Canvas Page2() {
    const Fonts f;
    Canvas p = PageFrame(f, 2, "Moving a cube");
    DrawBoard(p, 60, 160, 62,
              {"*4 o o o . 3", ". 2 . o . .", "5 2 . o o T", ". 7 1 7 . 2", "6 1 N 1 . .", ". . 1 . 5 ."});
    Pointer(p, 60 + 5.75f * 62, 160 + 2.8f * 62);
    Bullets(p, f, 500, 170, 480,
            {"Click a cube to select it: it bobs and glows.",
             "Click a free cell. The cube travels there along the shortest free path, in straight steps, "
             "never diagonally.",
             "Gold studs show the way to a reachable cell.",
             "A red ring marks a cell the cube cannot reach: other cubes wall it in."});
    return p;
}

Canvas Page3() {
    const Fonts f;
    Canvas p = PageFrame(f, 3, "Squares score");
    const float cell = 60;
    DrawBoard(p, 70, 190, cell, {"3 3", "3 3"});
    Label(p, f.bold, 70 + cell, 360, "1 square");
    DrawBoard(p, 310, 190, cell, {"6 6 6", "6 6 6"});
    Label(p, f.bold, 310 + 1.5f * cell, 360, "2 squares");
    DrawBoard(p, 610, 160, cell, {"2 2 2", "2 2 2", "2 2 2"});
    Label(p, f.bold, 610 + 1.5f * cell, 390, "4 squares");
    Bullets(p, f, 70, 470, 880,
            {"Every 2 x 2 window of one colour counts, so bigger blocks score more squares at once.",
             "All cubes of the squares vanish together; plan moves that finish several squares."});
    return p;
}

Canvas Page4() {
    const Fonts f;
    Canvas p = PageFrame(f, 4, "New cubes and combos");
    DrawBoard(p, 60, 160, 62, {"1 a2 . 3 .", ". 5 . a5 2", "4 . 1 . .", "a1 . 6 . a7", ". 2 . 4 1"});
    Label(p, f.bold, 60 + 2.5f * 62, 510, "Small cubes: the next arrivals");
    Bullets(p, f, 460, 170, 520,
            {"A move that makes no square ends the turn: new cubes grow on the cells shown by small cubes, "
             "and the next ones are announced.",
             "Score with move after move for a combo:"});
    const char* combos[] = {"DOUBLE SCORE", "TRIPLE SCORE", "QUADRO SCORE", "5x SCORE"};
    for (int i = 0; i < 4; ++i) {
        const float y = 400 + 42 * static_cast<float>(i);
        const float x = 520 + 30 * static_cast<float>(i);
        DrawShadowedText(p, f.bold, x, y, combos[i],
                         Mix(Rgb(kGold), Rgb(0xFF7040), static_cast<float>(i) / 3), kShadow, 2);
    }
    Bullets(p, f, 460, 590, 520, {"When the board is full, the game is over."});
    return p;
}

Canvas Page5() {
    const Fonts f;
    Canvas p = PageFrame(f, 5, "Jokers");
    const float cell = 70;
    DrawBoard(p, 80, 180, cell, {"1 1 .", "1 J .", ". . ."});
    BigArrow(p, 330, 285, 410, 285);
    DrawBoard(p, 440, 180, cell, {"v1 v1 .", "v1 vJ .", ". . ."});
    Label(p, f.bold, 80 + 1.5f * cell, 430, "The joker completes");
    Label(p, f.bold, 440 + 1.5f * cell, 430, "the square");
    DrawFace(p, JokerFace(120), 850, 285);
    Bullets(p, f, 80, 500, 860,
            {"A joker counts as any colour: it completes a square of whatever colour it joins.",
             "Jokers stand in for any colour of a bonus figure, too."});
    return p;
}

Canvas Page6() {
    const Fonts f;
    Canvas p = PageFrame(f, 6, "Bombs and colour changers");
    const float cell = 54;
    DrawBoard(p, 50, 150, cell,
              {"2 . 5 . 1", ". Rv6 Rv3 R. .", "4 R. RB Rv1 3", ". Rv2 R. Rv7 .", "1 . 4 . 6"});
    Label(p, f.bold, 50 + 2.5f * cell, 452, "Bomb: clears 3 x 3");
    DrawBoard(p, 520, 150, cell, {"1 . 2", "5 c3 6", ". 4 ."});
    BigArrow(p, 700, 230, 760, 230);
    DrawBoard(p, 790, 150, cell, {"3 . 3", "3 vc3 3", ". 3 ."});
    Label(p, f.bold, 760, 370, "Colour changer: paints around");
    Bullets(p, f, 50, 508, 920,
            {"Move a bomb: where it lands it destroys every cube in the 3 x 3 cells around it.",
             "Move a colour changer: when it arrives, the colour cubes around it take its colour and the "
             "changer is used up."});
    return p;
}

Canvas Page7() {
    const Fonts f;
    Canvas p = PageFrame(f, 7, "Shots and blocks");
    const float cell = 58;
    DrawBoard(p, 60, 150, cell, {"v2 . 5 . S", ". 3 . v2 .", "1 . v2 . 4", ". 6 . 1 ."});
    Crosshair(p, 60 + 3.5f * cell, 150 + 1.5f * cell, 16);
    Label(p, f.bold, 60 + 2.5f * cell, 420, "Aim, click: all blue go");
    DrawBoard(p, 560, 150, cell, {"X 1 1", "X 1 1", ". X ."});
    DrawFace(p, BlockFace(110), 860, 240);
    Label(p, f.bold, 560 + 1.5f * cell, 360, "Blocks stay put");
    Bullets(p, f, 60, 490, 900,
            {"Click a shot cube to aim, then click a cube: every cube of that colour is shot off the board.",
             "Blocks cannot be moved and never belong to a square. Build around them."});
    return p;
}

Canvas Page8() {
    const Fonts f;
    Canvas p = PageFrame(f, 8, "Bonus figures and bonus levels");
    const float cell = 56;
    // The figure as shown beside the board, and the same pattern built on the board.
    p.FillRoundRect(60, 150, 280, 330, 14, Rgb(kGoldDark));
    p.FillRoundRect(63, 153, 277, 327, 12, Rgb(0x0B1D29));
    Label(p, f.small, 170, 182, "BONUS FIGURE");
    const int fig[2][3] = {{2, 4, 2}, {4, 2, 4}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            DrawFace(p, ColourFace(44, fig[r][c] - 1, kShippedSkin), 122 + 48 * static_cast<float>(c),
                     230 + 48 * static_cast<float>(r));
    Label(p, f.bold, 170, 315, "+ 250", Rgb(kGoldLight));
    BigArrow(p, 300, 240, 360, 240);
    DrawBoard(p, 390, 150, cell, {". 1 . . 6", "5 2 4 2 .", ". 4 2 4 .", "3 . . 1 ."});
    Bullets(p, f, 700, 170, 300, {"Rebuild the bonus figure anywhere on the board to win its value."});
    Bullets(p, f, 60, 440, 540,
            {"Every fifth level is a bonus level: use the bombs to blast the blocks.",
             "The fewer blocks are left, the bigger the bonus."});
    // A bomb, an arrow and blocks.
    p.Draw(BombIcon(90), 655, 475);
    BigArrow(p, 760, 520, 810, 520);
    DrawFace(p, BlockFace(80), 870, 500);
    DrawFace(p, BlockFace(80), 900, 545);
    return p;
}

Canvas Page9() {
    const Fonts f;
    Canvas p = PageFrame(f, 9, "The timed game");
    // The gauge under the board: a full bar and a nearly empty, blinking one.
    auto gauge = [&](float y, float fill, Colour tube) {
        p.FillRoundRect(80, y - 18, 940, y + 18, 18, Rgb(kGoldDark));
        p.FillRoundRect(84, y - 14, 936, y + 14, 14, Rgb(0x03080D));
        const float x1 = 88 + (932 - 88) * fill;
        p.FillRoundRect(88, y - 10, x1, y + 10, 10, tube);
        p.FillRoundRect(92, y - 8, x1 - 4, y - 2, 4, Rgb(0xFFFFFF, 0.5f));
    };
    gauge(190, 0.7f, Rgb(kGold));
    Label(p, f.bold, 510, 240, "Points fill the time bank");
    gauge(300, 0.12f, Rgb(0xE8402C));
    Label(p, f.bold, 510, 350, "Low: it blinks and ticks - hurry!", Rgb(0xFF8060));
    Bullets(p, f, 80, 420, 880,
            {"In the timed mode the time bank under the board drains all the time; every point you score "
             "fills it up again. When it is empty, the game is over.",
             "After level 100 the game goes on at level 1 in the other mode.", "That is all. Good luck!"});
    return p;
}

} // namespace

void AddTutorialPictures(std::vector<ScenePicture>& out) {
    Canvas (*pages[kPageCount])() = {Page1, Page2, Page3, Page4, Page5, Page6, Page7, Page8, Page9};
    for (int n = 1; n <= kPageCount; ++n)
        out.push_back({"Images/Tutorial/tut" + std::to_string(n) + ".jpg", false, pages[n - 1]});
}

} // namespace veltrane::assetgen::scene
