// The game screen on the recording device: what is drawn, in which order and with which state,
// markers and the figure preview, the meshes and materials of the special cubes, the head-up
// numbers, the score line's fill and the full-screen pictures of the other states.
#include "game/DrawScene.h"
#include "GameFixture.h"
#include "game/Flow.h"
#include "game/Scenery.h"
#include "hosts/gfx/GlTestDevice.h"
#include "platform/gfx/D3DX.h"
#include "platform/gfx/RecordingDevice.h"
#include "render/D3DConvert.h"
#include "render/DrawCapture.h"
#include "render/Font.h"
#include "render/Particles.h"
#include "render/PointerPosition.h"
#include "render/ScoreLabels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace veltrane {
namespace {

using namespace gfx;
using drawtest::TQuad;
using drawtest::TQuadCapture;
using testing::GameWithBoard;
using testing::TPicture;

// What one draw was made with.
struct TSceneDraw {
    uint32_t StartVertex = 0;
    std::string Texture; // the test's name of the texture, "" for none
    D3DMATRIX World;
    float Power = 0;
    uint32_t AlphaBlend = 0, Ambient = 0, MagFilter = 0, MinFilter = 0, ColorOp = 0;
    TQuad Quad{};
    uint32_t ZEnable = 0;
};

// Passes every call on to a recording device and notes the state of each draw.
class TSceneDevice final : public IDevice {
public:
    TSceneDevice() {
        VertexBufferHandle stream;
        EXPECT_EQ(Inner.CreateVertexBuffer(kSharedBufferBytes, 0, kGameFVF, D3DPOOL_MANAGED, stream), D3D_OK);
        Inner.SetStreamSource(0, stream, kGameVertexSize);
        Inner.SetVertexShader(kGameFVF);
        Inner.BeginScene();
    }
    HRESULT CreateVertexBuffer(uint32_t l, uint32_t u, uint32_t f, D3DPOOL p,
                               VertexBufferHandle& vb) override {
        return Inner.CreateVertexBuffer(l, u, f, p, vb);
    }
    HRESULT CreateTexture(const TTextureImage& image, TextureHandle& texture) override {
        return Inner.CreateTexture(image, texture);
    }
    HRESULT SetStreamSource(uint32_t n, const VertexBufferHandle& vb, uint32_t stride) override {
        return Inner.SetStreamSource(n, vb, stride);
    }
    HRESULT SetVertexShader(uint32_t fvf) override { return Inner.SetVertexShader(fvf); }
    HRESULT SetTexture(uint32_t stage, const TextureHandle& t) override { return Inner.SetTexture(stage, t); }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE s, const D3DMATRIX& m) override {
        return Inner.SetTransform(s, m);
    }
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE s, D3DMATRIX& m) const override {
        return Inner.GetTransform(s, m);
    }
    HRESULT GetViewport(D3DVIEWPORT8& v) const override { return Inner.GetViewport(v); }
    HRESULT SetMaterial(const D3DMATERIAL8& m) override { return Inner.SetMaterial(m); }
    HRESULT SetRenderState(D3DRENDERSTATETYPE s, uint32_t v) override { return Inner.SetRenderState(s, v); }
    HRESULT SetTextureStageState(uint32_t stage, D3DTEXTURESTAGESTATETYPE t, uint32_t v) override {
        return Inner.SetTextureStageState(stage, t, v);
    }
    HRESULT SetLight(uint32_t i, const D3DLIGHT8& l) override { return Inner.SetLight(i, l); }
    HRESULT LightEnable(uint32_t i, bool e) override { return Inner.LightEnable(i, e); }
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, uint32_t start, uint32_t count) override {
        const TDeviceState& s = Inner.State();
        const auto name = Names.find(s.Texture.get());
        Draws.push_back({start, name == Names.end() ? "" : name->second, s.World, s.Material.Power,
                         s.RenderState(D3DRS_ALPHABLENDENABLE), s.RenderState(D3DRS_AMBIENT),
                         s.StageState(D3DTSS_MAGFILTER), s.StageState(D3DTSS_MINFILTER),
                         s.StageState(D3DTSS_COLOROP), Quads.Written.empty() ? TQuad{} : Quads.Written.back(),
                         s.RenderState(D3DRS_ZENABLE)});
        return Inner.DrawPrimitive(type, start, count);
    }
    HRESULT Clear(uint32_t n, const D3DRECT* r, uint32_t f, D3DCOLOR c, float z, uint32_t s) override {
        return Inner.Clear(n, r, f, c, z, s);
    }
    HRESULT BeginScene() override { return Inner.BeginScene(); }
    HRESULT EndScene() override { return Inner.EndScene(); }
    HRESULT Present() override { return Inner.Present(); }

    // A texture the draws will name, 2 x 2 unless told.
    TextureHandle Named(const std::string& name, uint32_t width = 2, uint32_t height = 2) {
        TextureHandle texture;
        EXPECT_EQ(Inner.CreateTexture(gfxtest::SolidImage(width, height, 0xFFFFFFFF), texture), D3D_OK);
        Names[texture.get()] = name;
        return texture;
    }

    TRecordingDevice Inner;
    TQuadCapture Quads;
    std::vector<TSceneDraw> Draws;
    std::map<const ITexture*, std::string> Names;
};

// A text as the draws show it: the letters of one font, one after the other on one line.
struct TShownText {
    std::string Text;
    float X = 0, Y = 0;
    uint32_t Colour = 0;
};

char GlyphChar(int g) {
    if (g >= 1 && g <= 10) return char('0' + g - 1);
    if (g >= 11 && g <= 36) return char('A' + g - 11);
    if (g == 45) return '+';
    return '?';
}

// Test fonts: glyph g starts at u = g / 128 and is 10 pixels wide.
TFontMetrics TestMetrics() {
    TFontMetrics m;
    m.Count = 51;
    for (int g = 1; g <= 51; ++g) m.Glyphs[size_t(g - 1)] = {float(g) / 128, 1, float(g + 1) / 128, 0, 10};
    return m;
}

class DrawSceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The fixed states the main window sets up before any frame.
        device.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
        device.SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
        device.SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        device.SetRenderState(D3DRS_AMBIENT, 0x00666666);
        // The camera at rest over a screen of 800 x 600 (the recording device's size).
        D3DMATRIX view, projection;
        ASSERT_EQ(MatrixLookAtLH(view, {-1.8f, -0.25f, 12.7f}, {-1.8f, -0.25f, 0}, {0, 0, 1}), D3D_OK);
        ASSERT_EQ(MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200), D3D_OK);
        device.SetTransform(D3DTS_VIEW, view);
        device.SetTransform(D3DTS_PROJECTION, projection);
        ClearScoreLabels();
        for (int n = 0; n < RoomPlanes; ++n)
            Place(scene.Room[size_t(n)], RoomItems[size_t(n)], "room" + std::to_string(n));
        Place(scene.BackPlane, BackPlaneItem, "background");
        scene.BackPlane.Texture = device.Named("background", 800, 600); // shown pixel for pixel
        scene.BonusLight.Create(&device, "", BonusLightItem.Scale, BonusLightItem.Position,
                                BonusLightItem.Rotation);
        scene.BonusLight.Texture = device.Named("lamp");
        scene.BonusLight.LampCount = 2;
        Place(scene.PlugBonus, PlugBonusItem, "plugbonus");
        Place(scene.ScoreLine, ScoreLineItem, "line");
        Place(scene.ScoreLine.Cap, ScoreCapItem, "cap");
        for (int k = 0; k <= 17; ++k) scene.KindTextures[k] = device.Named("kind" + std::to_string(k + 1));
        for (int k = 1; k <= 3; ++k) scene.DotTextures[k] = device.Named("dot" + std::to_string(k));
        for (int f = 0; f < kFontCount; ++f) {
            fonts[size_t(f)].Metrics = TestMetrics();
            fonts[size_t(f)].Texture = device.Named("font" + std::to_string(f + 1));
        }
        for (int s = 0; s < kParticleTextureSlots; ++s)
            effects[size_t(s)] = device.Named("effect" + std::to_string(s + 1));
        scene.GameOverPicture = device.Named("gameover");
        scene.HelpPicture = device.Named("help");
    }

    void TearDown() override { ClearScoreLabels(); }

    void Place(TBackPlane& plane, const TSceneItem& item, const std::string& name) {
        plane.Create(&device, "", item.Scale, item.Position, item.Rotation);
        plane.Texture = device.Named(name);
    }

    std::unique_ptr<TGame> Game(const TPicture& picture) {
        auto game = GameWithBoard(picture);
        game->Device = &device;
        game->Scene = scene;
        game->Particles.Textures = effects;
        return game;
    }

    // A frame of the play scene as the main window draws it: the gauge follows, then the drawing.
    void DrawScene(TGame& game, double totalMs = 1000) {
        device.Draws.clear();
        game.FollowGauge();
        DrawPlayScene(game, device.Quads, fonts, totalMs);
    }

    // The texture names of the draws, a run of letters of one font counted once.
    std::vector<std::string> Sequence() const {
        std::vector<std::string> names;
        for (const TSceneDraw& d : device.Draws)
            if (names.empty() || d.Texture.rfind("font", 0) != 0 || names.back() != d.Texture)
                names.push_back(d.Texture);
        return names;
    }

    std::vector<const TSceneDraw*> DrawsOf(const std::string& prefix) const {
        std::vector<const TSceneDraw*> draws;
        for (const TSceneDraw& d : device.Draws)
            if (d.Texture.rfind(prefix, 0) == 0) draws.push_back(&d);
        return draws;
    }

    // The texts drawn in font 2, split where a letter leaves the line of the one before.
    std::vector<TShownText> Texts() const {
        std::vector<TShownText> texts;
        float nextX = 0;
        bool following = false; // the draw before was a letter of this font
        for (const TSceneDraw& d : device.Draws) {
            if (d.Texture != "font2") {
                following = false;
                continue;
            }
            const float x = d.World.m[3][0], y = d.World.m[3][1];
            if (!following || std::abs(x - nextX) > 1e-4f || y != texts.back().Y)
                texts.push_back({"", x, y, d.Quad[0].Colour});
            texts.back().Text += GlyphChar(int(std::lround(d.Quad[0].u * 128)));
            nextX = x - d.World.m[0][0];
            following = true;
        }
        return texts;
    }

    static uint32_t StartOf(int range) { return uint32_t(SharedRanges().Range(range).First * 3); }

    TSceneDevice device;
    TScene scene;                                             // every game of a test draws with a copy of it
    std::array<TextureHandle, kParticleTextureSlots> effects; // and with these particle pictures
    TFonts fonts;
};

// Where a world point lands in an 800 x 600 frame seen from the eye, which looks at the board
// as the main window's camera does; {-1, -1} behind the eye.
std::pair<float, float> Seen(TVector eye, TVector p) {
    D3DMATRIX view, projection;
    MatrixLookAtLH(view, ToD3D(eye), {TCamera::RestEye.x, TCamera::RestEye.y, 0}, {0, 0, 1});
    MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200.0f);
    TMatrix v, pr;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            v(r, c) = view.m[r][c];
            pr(r, c) = projection.m[r][c];
        }
    const TMatrix m = MatrixMultiply(v, pr);
    const float w = p.x * m(0, 3) + p.y * m(1, 3) + p.z * m(2, 3) + m(3, 3);
    if (w <= 0) return {-1, -1};
    const TVector ndc = TransformCoord(p, m);
    return {(ndc.x + 1) * 400, (1 - ndc.y) * 300};
}

float Apart(std::pair<float, float> a, std::pair<float, float> b) {
    return std::hypot(a.first - b.first, a.second - b.second);
}

const TPicture kBoard = {"1B.......", ".X.......", "..J......", ".........", ".........",
                         ".........", ".........", ".........", "........7"};

// A normal level with figure 1: a 2 x 1 figure of colours 3 and 4, and a cube outside its size.
void GiveFigure(TGame& game, double value) {
    game.FigureCount = 1;
    game.Figure = 1;
    TBonusFigure& f = game.Figures[1];
    f.Width = 2;
    f.Height = 1;
    f.Cubes[1][1].ShownKind = 3;
    f.Cubes[2][1].ShownKind = 4;
    f.Cubes[3][1].ShownKind = 5; // beyond the width: not part of the figure
    f.Cubes[1][2].ShownKind = 6; // above the height
    f.Value = value;
}

TEST_F(DrawSceneTest, PlaySceneDrawsSceneryBoardNumbersLabelsAndParticlesInOrder) {
    auto game = Game(kBoard);
    GiveFigure(*game, 40);
    game->CurrentLevel().Progress = 500; // the line's cap shows once the gauge is not empty
    game->AddDot(CellWord(3, 1), 2);
    game->AddDot(CellWord(2, 1), 1);
    AddScoreLabel({0, 0, 1}, 1, 2, "5", 20);
    SpawnParticle(game->Particles, 1, 0, {0, 0, 1}, 256, {1, 0, 0});
    SpawnParticle(game->Particles, 5, 6, {0, -3, 1}, 256, {0, 50, 0});
    SpawnParticle(game->Particles, 3, 4, {0, 0, 1}, 256, {0, 1, 0});
    DrawScene(*game);

    // The opaque things first, nearest first (board cubes, the background over the floor, the
    // room), then the blended things in their fixed order.
    const std::vector<std::string> expected = {"kind1", "kind9", "kind18", "kind8",   "kind7",   "background",
                                               "room0", "room1", "room2",  "room3",   "room4",   "cap",
                                               "line",  "lamp",  "lamp",   "dot2",    "dot1",    "kind3",
                                               "kind4", "font2", "font1",  "effect7", "effect1", "effect5"};
    EXPECT_EQ(Sequence(), expected);

    for (const TSceneDraw& d : device.Draws) {
        const bool scenery = d.Texture.rfind("room", 0) == 0 || d.Texture == "background";
        // Only the background lands pixel for pixel and is drawn unfiltered; the room's small
        // pictures are enlarged and, like everything else, filtered.
        const uint32_t filter = d.Texture == "background" ? D3DTEXF_NONE : D3DTEXF_LINEAR;
        EXPECT_EQ(d.MagFilter, filter) << d.Texture;
        EXPECT_EQ(d.MinFilter, filter) << d.Texture;
        // The scenery at full ambient, the board and everything after at the room's ambient.
        const bool beforeBoard = scenery || d.Texture == "lamp" || d.Texture == "line" || d.Texture == "cap";
        EXPECT_EQ(d.Ambient, beforeBoard ? 0xFFFFFFu : 0x666666u) << d.Texture;
        // The board and everything over it modulate the texture (the font's colours show).
        if (!beforeBoard) {
            EXPECT_EQ(d.ColorOp, D3DTOP_MODULATE) << d.Texture;
        }
    }
    // Markers and lamps blend; board cubes do not; the figure preview does.
    for (const TSceneDraw* d : DrawsOf("dot")) EXPECT_TRUE(d->AlphaBlend);
    for (const TSceneDraw* d : DrawsOf("lamp")) EXPECT_TRUE(d->AlphaBlend);
    const std::vector<const TSceneDraw*> cubes = DrawsOf("kind");
    ASSERT_EQ(cubes.size(), 7u);
    for (size_t k = 0; k < 5; ++k) EXPECT_FALSE(cubes[k]->AlphaBlend) << k;
    for (size_t k = 5; k < 7; ++k) EXPECT_TRUE(cubes[k]->AlphaBlend) << k;
    // The frame leaves blending off and the room's ambient set.
    EXPECT_FALSE(device.Inner.State().RenderState(D3DRS_ALPHABLENDENABLE));
    EXPECT_EQ(device.Inner.State().RenderState(D3DRS_AMBIENT), 0x666666u);
    EXPECT_EQ(device.Inner.State().Texture, nullptr);
}

TEST_F(DrawSceneTest, MarkersAreHiddenWhileAimingAndWhenThereAreNone) {
    auto game = Game(kBoard);
    game->AddDot(CellWord(3, 1), 2);
    DrawScene(*game);
    ASSERT_EQ(DrawsOf("dot").size(), 1u);
    EXPECT_EQ(DrawsOf("dot")[0]->StartVertex, StartOf(kRangeSprite));
    // The marker's world is rebuilt from its placement.
    EXPECT_EQ(DrawsOf("dot")[0]->World.m[3][0], -2.0f);

    game->PointerStyle = kPointerAiming;
    DrawScene(*game);
    EXPECT_TRUE(DrawsOf("dot").empty());

    game->PointerStyle = kPointerGame;
    game->DotCount = 0;
    DrawScene(*game);
    EXPECT_TRUE(DrawsOf("dot").empty());
}

TEST_F(DrawSceneTest, BombAndBlockUseTheirMeshesAndTheBombItsShinyMaterial) {
    auto game = Game(kBoard);
    game->Cubes[2].Rotation = {0, 0, 0.5f};
    DrawScene(*game);
    const std::vector<const TSceneDraw*> cubes = DrawsOf("kind");
    ASSERT_EQ(cubes.size(), 5u);
    const std::vector<std::pair<std::string, int>> expected = {{"kind1", kRangeCube},
                                                               {"kind9", kRangeBomb},
                                                               {"kind18", kRangeBlock},
                                                               {"kind8", kRangeCube},
                                                               {"kind7", kRangeCube}};
    for (size_t k = 0; k < cubes.size(); ++k) {
        EXPECT_EQ(cubes[k]->Texture, expected[k].first);
        EXPECT_EQ(cubes[k]->StartVertex, StartOf(expected[k].second)) << expected[k].first;
        EXPECT_EQ(cubes[k]->Power, expected[k].first == "kind9" ? 255.0f : 10.0f) << expected[k].first;
    }
    // Each cube's world is rebuilt, kept in the cube and set for its draw.
    const TCube& bomb = game->Cubes[2];
    const D3DMATRIX world = ToD3D(MakeWorld(bomb.Scale, bomb.Position, bomb.Rotation));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            EXPECT_FLOAT_EQ(cubes[1]->World.m[r][c], world.m[r][c]);
            EXPECT_FLOAT_EQ(bomb.World(r, c), world.m[r][c]);
        }
}

TEST_F(DrawSceneTest, BonusLevelShowsItsPictureAndClearBonusInsteadOfTheFigure) {
    auto game = Game(kBoard);
    GiveFigure(*game, 62.5);
    DrawScene(*game);
    EXPECT_TRUE(DrawsOf("plugbonus").empty());
    ASSERT_EQ(DrawsOf("kind3").size(), 1u);
    EXPECT_EQ(DrawsOf("kind3")[0]->StartVertex, StartOf(kRangeCube));
    EXPECT_EQ(DrawsOf("kind4").size(), 1u);
    EXPECT_TRUE(DrawsOf("kind5").empty());
    EXPECT_TRUE(DrawsOf("kind6").empty());
    ASSERT_EQ(Texts().size(), 3u);
    EXPECT_EQ(Texts()[2].Text, "+62"); // 62.5 rounds to the even 62

    game->CurrentLevel().LevelType = ltBonus;
    game->CurrentLevel().ClearBonus = 300;
    DrawScene(*game);
    ASSERT_EQ(DrawsOf("plugbonus").size(), 1u);
    EXPECT_EQ(DrawsOf("plugbonus")[0]->StartVertex, StartOf(kRangeSprite));
    EXPECT_TRUE(DrawsOf("plugbonus")[0]->AlphaBlend);
    EXPECT_TRUE(DrawsOf("kind3").empty());
    EXPECT_TRUE(DrawsOf("kind4").empty());
    ASSERT_EQ(Texts().size(), 3u);
    EXPECT_EQ(Texts()[2].Text, "+300");
}

TEST_F(DrawSceneTest, HeadUpNumbersRoundHalvesToEvenInFontColourOne) {
    auto game = Game(kBoard);
    GiveFigure(*game, 40);
    game->Level = 1;
    const uint32_t purple = 0xFF730099; // colour 1 (115, 0, 153), opaque
    for (const auto& [score, shown] : std::vector<std::pair<double, std::string>>{
             {2.5, "2"}, {3.5, "4"}, {1234.5, "1234"}, {1235.5, "1236"}, {0, "0"}, {99999.4, "99999"}}) {
        game->TotalScore = score;
        DrawScene(*game);
        const std::vector<TShownText> texts = Texts();
        ASSERT_EQ(texts.size(), 3u) << score;
        // From the rest eye each text starts where it would floating 0.1 above the background
        // at its place; the score's start moves 0.15 towards +x with each digit.
        const float z = DrawsOf("font2").front()->World.m[3][2];
        const auto startsAt = [&](const TShownText& t, float x, float y) {
            EXPECT_LT(Apart(Seen(TCamera::RestEye, {t.X, t.Y, z}), Seen(TCamera::RestEye, {x, y, 0.1f})),
                      0.05f)
                << t.Text;
        };
        EXPECT_EQ(texts[0].Text, "1");
        startsAt(texts[0], -6.75f, 3.6f);
        EXPECT_EQ(texts[1].Text, shown) << score;
        startsAt(texts[1], 0.15f * float(shown.size()) - 6.9f, 1.93f);
        EXPECT_EQ(texts[2].Text, "+40");
        startsAt(texts[2], -6.4f, -3.5f);
        for (const TShownText& t : texts) EXPECT_EQ(t.Colour, purple) << t.Text;
    }
    // Letters are 10 pixels at size 12: 0.12 units wide, 0.48 high.
    const TSceneDraw* letter = DrawsOf("font2").front();
    EXPECT_FLOAT_EQ(letter->World.m[0][0], 0.12f);
    EXPECT_FLOAT_EQ(letter->World.m[1][1], 0.48f);
}

TEST_F(DrawSceneTest, HeadUpNumbersStayOnTheirPlaquesWhileTheCameraSwings) {
    auto game = Game(kBoard);
    GiveFigure(*game, 40);
    game->Level = 12;
    game->TotalScore = 98765;
    DrawScene(*game);
    const std::vector<const TSceneDraw*> letters = DrawsOf("font2");
    ASSERT_EQ(letters.size(), 2u + 5u + 3u);
    // Each letter's middle, and the spot of the background the rest eye sees it over (where
    // its plaque is); the swings of both sequences must keep the two together, as the letter
    // covers that spot within a tenth of its own height on screen.
    const TVector rest = TCamera::RestEye;
    float worst = 0;
    for (const TSceneDraw* d : letters) {
        const TVector middle{d->World.m[3][0] - d->World.m[0][0] / 2, d->World.m[3][1], d->World.m[3][2]};
        const float k = rest.z / (rest.z - middle.z);
        const TVector spot{rest.x + (middle.x - rest.x) * k, rest.y + (middle.y - rest.y) * k, 0};
        const TVector half{0, d->World.m[1][1] / 2, 0};
        for (const TPhase phase : {phLevelCompleted, phGameOver}) {
            game->Phase = phase;
            for (double t = 0; t <= 6000; t += 50) {
                game->SwingCamera(t);
                const TVector eye = game->Camera.Eye;
                const float height = Apart(Seen(eye, spot + half), Seen(eye, spot - half));
                if (height < 4) continue; // seen edge-on or from behind
                worst = std::max(worst, Apart(Seen(eye, middle), Seen(eye, spot)) / height);
            }
        }
    }
    EXPECT_LT(worst, 0.1f);
}

TEST_F(DrawSceneTest, ScoreLineFollowsTheGaugeOnlyInPlay) {
    auto game = Game(kBoard);
    game->CurrentLevel().Progress = 250;
    game->CurrentLevel().Goal[1] = 1000;
    DrawScene(*game);
    EXPECT_FLOAT_EQ(game->Gauge, 0.25f);
    EXPECT_FLOAT_EQ(game->GaugeStart, 0.25f);
    ASSERT_EQ(DrawsOf("line").size(), 1u);
    EXPECT_FLOAT_EQ(DrawsOf("line")[0]->World.m[0][0], 8.75f * 0.25f);

    // The timed mode measures its own goal.
    game->GameMode = 2;
    game->CurrentLevel().Goal[2] = 500;
    game->FollowGauge();
    EXPECT_FLOAT_EQ(game->Gauge, 0.5f);

    // In the sequences the line keeps the fill they set.
    game->Phase = phLevelCompleted;
    game->Gauge = 0.8f;
    DrawScene(*game);
    EXPECT_FLOAT_EQ(DrawsOf("line").back()->World.m[0][0], 8.75f * 0.8f);
    EXPECT_FLOAT_EQ(game->GaugeStart, 0.5f);
}

TEST_F(DrawSceneTest, BackdropShowsThePictureOfEachStateWhereTheBackgroundLies) {
    const TextureHandle menu = device.Named("menu", 800, 600);
    const std::vector<std::pair<TGameState, std::string>> states = {
        {gsMenu, "menu"}, {gsHiScores, "menu"}, {gsGameOver, "gameover"}, {gsHelp, "help"}};
    const D3DMATRIX world = ToD3D(MakeWorld({14.45f, 10.8375f, 1}, {-1.8f, -0.25f, 0}, {0, 0, 0}));
    for (const auto& [state, picture] : states) {
        device.Draws.clear();
        DrawBackdrop(device, state, menu, &scene);
        ASSERT_EQ(device.Draws.size(), 1u) << int(state);
        const TSceneDraw& d = device.Draws[0];
        EXPECT_EQ(d.Texture, picture);
        EXPECT_EQ(d.StartVertex, StartOf(kRangeSprite));
        // The menu's picture is the screen's size and stays unfiltered; the 2 x 2 ones are
        // enlarged and sampled smoothly.
        const uint32_t filter = picture == "menu" ? D3DTEXF_NONE : D3DTEXF_LINEAR;
        EXPECT_EQ(d.MagFilter, filter) << picture;
        EXPECT_EQ(d.MinFilter, filter) << picture;
        EXPECT_EQ(d.Power, 10.0f);
        // Nothing lies behind the backdrop: it is drawn without the depth test, which is on again
        // for what follows.
        EXPECT_FALSE(d.ZEnable);
        EXPECT_TRUE(device.Inner.State().RenderState(D3DRS_ZENABLE));
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(d.World.m[r][c], world.m[r][c]);
        EXPECT_EQ(device.Inner.State().StageState(D3DTSS_MAGFILTER), D3DTEXF_LINEAR);
        EXPECT_EQ(device.Inner.State().Texture, nullptr);
    }
    // A missing picture still covers the screen, untextured.
    device.Draws.clear();
    DrawBackdrop(device, gsMenu, nullptr, &scene);
    ASSERT_EQ(device.Draws.size(), 1u);
    EXPECT_EQ(device.Draws[0].Texture, "");
    // The other states have no backdrop of their own.
    for (TGameState state : {gsLaunch, gsGame, gsLoading, gsTutorial}) {
        device.Draws.clear();
        DrawBackdrop(device, state, menu, &scene);
        EXPECT_TRUE(device.Draws.empty()) << int(state);
    }
}

TEST_F(DrawSceneTest, WithoutADeviceNothingIsDrawn) {
    auto game = Game(kBoard);
    game->Device = nullptr;
    DrawScene(*game);
    EXPECT_TRUE(device.Draws.empty());
}

} // namespace
} // namespace veltrane
