// The board part of the game screen: the opaque cubes, then path markers, the bonus figure
// preview (or the bonus-level picture) and the head-up numbers. Every object is one draw of a prebuilt mesh
// range; the numbers are formatted into stack buffers, so a frame allocates nothing.
#include "game/Game.h"
#include "game/Scenery.h"
#include "render/D3DConvert.h"
#include "render/Font.h"
#include "render/Geometry.h"
#include "render/Placement.h"
#include "render/PointerPosition.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

namespace veltrane {

using namespace gfx;

namespace {

// The head-up numbers: font 2, colour 1 (drawn over the cream plaques of the background).
constexpr int kHudFont = 2;
constexpr int kHudColour = 1;
constexpr int32_t kHudSize = 12;
constexpr int kHudAlpha = 255;
constexpr float kLevelX = -6.75f, kLevelY = 3.6f;
constexpr float kScoreX = -6.9f, kScoreY = 1.93f;
constexpr float kScoreDigitShift = 0.15f; // each extra digit starts the score this much further +x
constexpr float kBonusX = -6.4f, kBonusY = -3.5f;

// The places above are where the rest eye sees the numbers as if they floated 0.1 above the
// background. Floating, they would slide off their plaques as soon as the camera swings low
// round the room; so they lie just above the plaques instead, each place moved along the rest
// eye's line of sight onto that plane: the picture at rest stays as it was.
constexpr float kPlacedZ = 0.1f;
constexpr float kHudZ = 0.01f; // as the score line and the bonus picture, which lie elsewhere
constexpr TVector kRestEye = TCamera::RestEye;
constexpr float kOntoPanel = (kRestEye.z - kHudZ) / (kRestEye.z - kPlacedZ);

constexpr float PanelX(float x) {
    return kRestEye.x + (x - kRestEye.x) * kOntoPanel;
}
constexpr float PanelY(float y) {
    return kRestEye.y + (y - kRestEye.y) * kOntoPanel;
}

// Rounds as the game rounds, halves to the even neighbour, kept inside the 64-bit range.
int64_t RoundToInteger(double value) {
    if (std::isnan(value)) return 0;
    const double r = std::nearbyint(value);
    if (r >= 9.2e18) return std::numeric_limits<int64_t>::max();
    if (r <= -9.2e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(r);
}

// A decimal number, optionally after a prefix character, in the caller's buffer.
struct TNumberText {
    char Chars[24];
    size_t Length = 0;

    explicit TNumberText(int64_t value, char prefix = 0) {
        char* out = Chars;
        if (prefix) *out++ = prefix;
        out = std::to_chars(out, Chars + sizeof Chars, value).ptr;
        Length = size_t(out - Chars);
    }
    std::string_view View() const { return {Chars, Length}; }
};

void DrawPlaced(IDevice& device, TTexMatrix& object, const TextureHandle& texture, int range) {
    object.World = MakeWorld(object.Scale, object.Position, object.Rotation);
    device.SetTexture(0, texture);
    device.SetTransform(D3DTS_WORLD, ToD3D(object.World));
    DrawMeshRange(device, range);
}

} // namespace

void TGame::Draw(IVertexBuffer& vertexBuffer, const TFonts& fonts) {
    DrawCubes();
    DrawOverBoard(vertexBuffer, fonts);
}

void TGame::DrawCubes() {
    if (!Device) return;
    IDevice& d = *Device;
    // Texture times lighting.
    d.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    d.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);

    // A bomb has its own mesh and a shinier material, a block its own mesh.
    const int cubes = std::clamp(CubeCount, 0, MaxCubes);
    for (int i = 1; i <= cubes; ++i) {
        TCube& cube = Cubes[i];
        int range = kRangeCube;
        int material = matStandard;
        if (cube.Kind == ckBomb) {
            range = kRangeBomb;
            material = matBomb;
        } else if (cube.Kind == ckBlock) {
            range = kRangeBlock;
        }
        d.SetMaterial(Materials[size_t(material)]);
        cube.World = MakeWorld(cube.Scale, cube.Position, cube.Rotation);
        d.SetTexture(0, Scene.KindTextures[KindTextureSlot(cube.Kind)]);
        d.SetTransform(D3DTS_WORLD, ToD3D(cube.World));
        DrawMeshRange(d, range);
    }
    d.SetTexture(0, nullptr);
}

void TGame::DrawOverBoard(IVertexBuffer& vertexBuffer, const TFonts& fonts) {
    if (!Device) return;
    IDevice& d = *Device;
    // Texture times lighting, and the font's colours on the numbers.
    d.SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);

    // Path markers, not while a shot is aimed.
    if (PointerStyle != kPointerAiming && DotCount > 0) {
        d.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        d.SetMaterial(Materials[matStandard]);
        const int count = std::min(DotCount, int(Dots.Size));
        for (int k = Dots.Low; k < Dots.Low + count; ++k)
            DrawPlaced(d, Dots[k], Dots[k].Texture, kRangeSprite);
        d.SetTexture(0, nullptr);
    }

    // Beside the board: the bonus-level picture, or the figure to rebuild.
    d.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    const bool levelKnown = Level >= 1 && Level <= MaxLevels;
    const bool bonusLevel = levelKnown && CurrentLevel().LevelType == ltBonus;
    const bool figureKnown = Figure >= 1 && Figure <= std::min(FigureCount, MaxFigures);
    if (bonusLevel) {
        Scene.PlugBonus.TBackPlane::Draw(kRangeSprite); // one picture, not a row of lamps
    } else if (figureKnown) {
        TBonusFigure& figure = Figures[Figure];
        d.SetMaterial(Materials[matStandard]);
        for (int b = 1; b <= std::min<int>(figure.Width, 4); ++b)
            for (int r = 1; r <= std::min<int>(figure.Height, 4); ++r) {
                TBonusCube& place = figure.Cubes[b][r];
                if (place.ShownKind != 0)
                    DrawPlaced(d, place, Scene.KindTextures[KindTextureSlot(place.ShownKind)], kRangeCube);
            }
    }
    d.SetTexture(0, nullptr);
    d.SetMaterial(Materials[matStandard]);

    // Head-up numbers: level, score (its start moves +x with each digit), bonus to win.
    const TNumberText level(Level);
    DrawText(d, vertexBuffer, fonts, kHudFont, kHudColour, kHudSize, PanelX(kLevelX), PanelY(kLevelY),
             level.View(), kHudZ, kHudAlpha);
    const TNumberText score(RoundToInteger(TotalScore));
    DrawText(d, vertexBuffer, fonts, kHudFont, kHudColour, kHudSize,
             PanelX(kScoreDigitShift * float(score.Length) + kScoreX), PanelY(kScoreY), score.View(), kHudZ,
             kHudAlpha);
    const int64_t bonus = bonusLevel    ? int64_t(CurrentLevel().ClearBonus)
                          : figureKnown ? RoundToInteger(Figures[Figure].Value)
                                        : 0;
    const TNumberText plus(bonus, '+');
    DrawText(d, vertexBuffer, fonts, kHudFont, kHudColour, kHudSize, PanelX(kBonusX), PanelY(kBonusY),
             plus.View(), kHudZ, kHudAlpha);
    d.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
}

} // namespace veltrane
