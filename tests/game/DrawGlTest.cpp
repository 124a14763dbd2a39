// A small game drawn by the OpenGL device from the camera at rest, with the game folder's
// pictures when it has been made (generated stand-ins otherwise): the cubes show their colours
// on their cells. The frame is kept as docs/draw-game.png.
#include "GameFixture.h"
#include "TempDir.h"
#include "game/DrawScene.h"
#include "game/Flow.h"
#include "game/Scenery.h"
#include "hosts/gfx/GlTestDevice.h"
#include "render/D3DConvert.h"
#include "render/Font.h"
#include "render/Geometry.h"
#include "render/Particles.h"
#include "render/PictureFiles.h"
#include "render/PointerPosition.h"
#include "render/RestSceneStates.h"
#include "render/TextureLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

namespace veltrane {
namespace {

using namespace gfx;
namespace fs = std::filesystem;

constexpr int kWidth = 800, kHeight = 600;

struct TRgb {
    float r = 0, g = 0, b = 0;
};

// The hue angle of a colour in degrees (0 red, 120 green, 240 blue): lighting and highlights
// change brightness and saturation but leave it.
float Hue(TRgb c) {
    const float hi = std::max({c.r, c.g, c.b}), lo = std::min({c.r, c.g, c.b});
    if (hi - lo < 1e-3f) return 0;
    float h = hi == c.r   ? 60 * (c.g - c.b) / (hi - lo)
              : hi == c.g ? 120 + 60 * (c.b - c.r) / (hi - lo)
                          : 240 + 60 * (c.r - c.g) / (hi - lo);
    return h < 0 ? h + 360 : h;
}
float HueDistance(TRgb a, TRgb b) {
    const float d = std::abs(Hue(a) - Hue(b));
    return std::min(d, 360 - d);
}
float Distance(TRgb a, TRgb b) {
    return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b));
}

// The mean colour of a picture file, weighted by its alpha.
TRgb MeanColour(const fs::path& file) {
    SDL_Surface* loaded = IMG_Load(file.string().c_str());
    if (!loaded) return {};
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    double r = 0, g = 0, b = 0, w = 0;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            const uint32_t c =
                reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch)[x];
            const double a = double(c >> 24) / 255;
            r += a * double((c >> 16) & 0xFF);
            g += a * double((c >> 8) & 0xFF);
            b += a * double(c & 0xFF);
            w += a;
        }
    SDL_FreeSurface(s);
    return w > 0 ? TRgb{float(r / w), float(g / w), float(b / w)} : TRgb{};
}

// Colours of the stand-in cube pictures, kinds 1..18.
uint32_t StandInColour(int kind) {
    static const uint32_t colours[18] = {0xFFE02020, 0xFF20C020, 0xFF2040E0, 0xFFE0E020, 0xFFE020E0,
                                         0xFF20E0E0, 0xFFF08020, 0xFFFFFFFF, 0xFF303030, 0xFF808080,
                                         0xFFE06060, 0xFF60E060, 0xFF6060E0, 0xFFE0E060, 0xFFE060E0,
                                         0xFF60E0E0, 0xFFF0A060, 0xFF806040};
    return colours[kind - 1];
}
TRgb Rgb(uint32_t argb) {
    return {float((argb >> 16) & 0xFF), float((argb >> 8) & 0xFF), float(argb & 0xFF)};
}

class DrawGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        device = gfxtest::MakeGlDevice(kWidth, kHeight);
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(InitVertices(*device, vb, collector), D3D_OK);
        FixedStates();
        gameDir = VELTRANE_GAME_DIR;
        real = fs::exists(gameDir / "Images" / "Skin1" / "tex0.tga") &&
               fs::exists(gameDir / "data" / "font1.dat");
        ClearScoreLabels();
        if (real)
            LoadGameFolder();
        else
            MakeStandIns();
    }

    // The states, lights and camera the main window sets before a frame of play.
    void FixedStates() { ASSERT_TRUE(SetRestSceneStates(*device, view, projection)); }

    template <class T>
    void Create(T& object, const TSceneItem& item, const std::string& folder) {
        object.Create(device.get(), folder + item.File, item.Scale, item.Position, item.Rotation);
    }

    void LoadGameFolder() {
        const std::string folder = gameDir.string() + "/";
        for (int n = 0; n < RoomPlanes; ++n) Create(scene.Room[size_t(n)], RoomItems[size_t(n)], folder);
        Create(scene.BackPlane, BackPlaneItem, folder);
        Create(scene.BonusLight, BonusLightItem, folder);
        Create(scene.PlugBonus, PlugBonusItem, folder);
        Create(scene.ScoreLine, ScoreLineItem, folder);
        Create(scene.ScoreLine.Cap, ScoreCapItem, folder);
        for (int slot = 0; slot <= 17; ++slot)
            LoadTexture(*device, folder + "Images\\Skin1\\tex" + std::to_string(slot) + ".tga",
                        scene.KindTextures[slot]);
        for (int k = 1; k <= 3; ++k)
            LoadTexture(*device, folder + "Images\\dot" + std::to_string(k) + ".tga", scene.DotTextures[k]);
        CurrentDir here(gameDir); // the fonts are named relative to the working folder
        LoadFontTextures(*device, fonts);
        LoadFontMetrics(fonts);
    }

    void MakeStandIns() {
        TextureHandle background, floor;
        device->CreateTexture(gfxtest::SolidImage(16, 16, 0xFFD8C8A0), background);
        device->CreateTexture(gfxtest::SolidImage(16, 16, 0xFF604830), floor);
        for (size_t n = 0; n < scene.Room.size(); ++n) {
            Create(scene.Room[n], RoomItems[n], "");
            scene.Room[n].Texture = floor;
        }
        Create(scene.BackPlane, BackPlaneItem, "");
        scene.BackPlane.Texture = background;
        Create(scene.BonusLight, BonusLightItem, "");
        device->CreateTexture(gfxtest::SolidImage(16, 16, 0xFFFFD000), scene.BonusLight.Texture);
        Create(scene.ScoreLine, ScoreLineItem, "");
        device->CreateTexture(gfxtest::SolidImage(16, 16, 0xFF40A0FF), scene.ScoreLine.Texture);
        Create(scene.ScoreLine.Cap, ScoreCapItem, "");
        scene.ScoreLine.Cap.Texture = scene.ScoreLine.Texture;
        for (int slot = 0; slot <= 17; ++slot)
            device->CreateTexture(gfxtest::SolidImage(16, 16, StandInColour(slot + 1)),
                                  scene.KindTextures[slot]);
        // Letters without a picture: solid quads in the text's colour.
        for (TFont& font : fonts) {
            font.Metrics.Count = 51;
            for (TGlyph& glyph : font.Metrics.Glyphs) glyph = {0, 1, 1, 0, 16};
        }
    }

    // Where a world point lands on the screen, in pixels.
    std::pair<int, int> Pixel(TVector p) const {
        TMatrix v, pr;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                v(r, c) = view.m[r][c];
                pr(r, c) = projection.m[r][c];
            }
        const TVector ndc = TransformCoord(p, MatrixMultiply(v, pr));
        return {int(std::floor((ndc.x + 1) / 2 * kWidth)), int(std::floor((1 - ndc.y) / 2 * kHeight))};
    }

    gfxtest::TFrame Frame(TGame& game) {
        EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), D3D_OK);
        EXPECT_EQ(device->BeginScene(), D3D_OK);
        game.FollowGauge();
        DrawPlayScene(game, *vb, fonts, 1000);
        EXPECT_EQ(device->EndScene(), D3D_OK);
        return gfxtest::ReadFrame(*device);
    }

    // The mean colour of a 5 x 5 patch around a pixel.
    static TRgb Patch(const gfxtest::TFrame& frame, int cx, int cy) {
        TRgb sum;
        for (int y = cy - 2; y <= cy + 2; ++y)
            for (int x = cx - 2; x <= cx + 2; ++x) {
                sum.r += float(frame.Red(x, y)) / 25;
                sum.g += float(frame.Green(x, y)) / 25;
                sum.b += float(frame.Blue(x, y)) / 25;
            }
        return sum;
    }

    TRgb KindColour(int kind) const {
        return real ? MeanColour(gameDir / "Images" / "Skin1" /
                                 ("tex" + std::to_string(KindTextureSlot(kind)) + ".tga"))
                    : Rgb(StandInColour(kind));
    }

    std::unique_ptr<TGlDevice> device;
    TScene scene; // freed before the device; each game of a test draws with a copy
    TFonts fonts;
    VertexBufferHandle vb;
    TCollector collector;
    D3DMATRIX view, projection;
    fs::path gameDir;
    bool real = false;
};

TEST_F(DrawGlTest, CubesShowTheirColoursOnTheirCellsFromTheRestCamera) {
    const testing::TPicture board = {"11.....4.", ".......4.", "...6..X..", ".........", "....3....",
                                     ".J...5...", "..B......", "....2....", "........7"};
    auto game = testing::GameWithBoard(board);
    game->Device = device.get();
    game->Scene = scene;
    game->Levels[7] = game->Levels[1];
    game->Level = 7;
    game->TotalScore = 1234.5;
    game->CurrentLevel().Progress = 400;
    game->Scene.BonusLight.LampCount = 3;
    game->SelectCube(game->CubeOn(CellWord(5, 5)));
    game->FindPaths();
    game->HoverCell = CellWord(7, 5);
    game->ShowPath();
    if (real) {
        game->LoadFigures((gameDir / "data" / "BonusFigures.dat").string());
        game->Figure = 1;
        game->Figures[1].Value = 120;
    }
    const gfxtest::TFrame frame = Frame(*game);
    // The picture in docs shows the game's own pictures, never the stand-ins.
    if (real)
        picturetest::WritePng(fs::path(VELTRANE_SOURCE_DIR) / "docs" / "draw-game.png", kWidth, kHeight,
                              [&](int x, int y) { return frame.At(x, y) | 0xFF000000u; });

    auto empty = testing::GameWithBoard(testing::EmptyPicture());
    empty->Device = device.get();
    empty->Scene = scene;
    empty->Level = 7;
    const gfxtest::TFrame background = Frame(*empty);

    int checked = 0;
    for (int i = 1; i <= game->CubeCount; ++i) {
        const TCube& cube = game->Cubes[i];
        if (cube.Kind == ckBomb || cube.Kind == ckBlock || cube.Kind == ckJoker) continue; // not one colour
        // Beside the middle of the top, where the skins draw the colour's symbol.
        const auto [px, py] = Pixel({float(cube.X - 5), float(cube.Y - 5) - 0.28f, 0.8f});
        const TRgb seen = Patch(frame, px, py), behind = Patch(background, px, py);
        SCOPED_TRACE("kind " + std::to_string(cube.Kind) + " at " + std::to_string(cube.X) + "," +
                     std::to_string(cube.Y) + ", seen " + std::to_string(seen.r) + " " +
                     std::to_string(seen.g) + " " + std::to_string(seen.b));
        // Lit and shiny, the cube keeps its hue: of the seven colours and the background there,
        // its own is the nearest.
        int nearest = 0;
        float best = HueDistance(seen, behind);
        for (int kind = 1; kind <= 7; ++kind) {
            const float d = HueDistance(seen, KindColour(kind));
            if (d < best) {
                best = d;
                nearest = kind;
            }
        }
        EXPECT_EQ(nearest, cube.Kind);
        EXPECT_GT(Distance(seen, behind), 40.0f);
        ++checked;
    }
    EXPECT_EQ(checked, 9);
    // The score (1234, rounded) is written in the font's purple, 0.1 above the background.
    const auto [left, top] = Pixel({-6.3f, 2.2f, 0.1f});
    const auto [right, bottom] = Pixel({-6.3f - 4 * 0.3f, 1.66f, 0.1f});
    int purple = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (std::abs(frame.Red(x, y) - 115) < 40 && frame.Green(x, y) < 60 &&
                std::abs(frame.Blue(x, y) - 153) < 50)
                ++purple;
    EXPECT_GT(purple, (right - left) * (bottom - top) / 10)
        << "box " << left << "," << top << " " << right << "," << bottom;
    // Between the cubes the background shows unchanged.
    const auto [fx, fy] = Pixel({-1, -4, 0});
    EXPECT_LT(Distance(Patch(frame, fx, fy), Patch(background, fx, fy)), 3.0f);
}

TEST_F(DrawGlTest, BackdropCoversTheWholeScreen) {
    // The frame clears only the depth buffer, so the full-screen picture must reach every edge.
    TextureHandle picture;
    ASSERT_EQ(device->CreateTexture(gfxtest::SolidImage(16, 16, 0xFFC00000), picture), D3D_OK);
    EXPECT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    DrawBackdrop(*device, gsMenu, picture, &scene);
    EXPECT_EQ(device->EndScene(), D3D_OK);
    const gfxtest::TFrame frame = gfxtest::ReadFrame(*device);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{kWidth - 1, 0}, std::pair{0, kHeight - 1},
                               std::pair{kWidth - 1, kHeight - 1}, std::pair{kWidth / 2, kHeight / 2}}) {
        EXPECT_GT(frame.Red(x, y), 150) << x << "," << y;
        EXPECT_GT(frame.Red(x, y) - frame.Green(x, y), 80) << x << "," << y;
    }
}

} // namespace
} // namespace veltrane
