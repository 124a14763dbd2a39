// The whole game screen around the board, and the full-screen pictures of the menu, high-score,
// game-over and help states.
#include "game/DrawScene.h"

#include "game/Flow.h"
#include "game/Game.h"
#include "game/Scenery.h"
#include "render/D3DConvert.h"
#include "render/Font.h"
#include "render/Geometry.h"
#include "render/Particles.h"
#include "render/PictureFilter.h"
#include "render/Placement.h"

namespace veltrane {

using namespace gfx;

namespace {

// The room's ambient while the board is drawn; the scenery is drawn at full ambient.
constexpr uint32_t kFullAmbient = 0x00FFFFFF;
constexpr uint32_t kRoomAmbient = 0x00666666;
// The banner first, so the bursts show over it; list 6 stays empty.
constexpr int kParticleOrder[kParticleListCount] = {5, 1, 2, 3, 4, 6};

// A scenery picture, unfiltered where it shows pixel for pixel, smooth where it is scaled.
void DrawPicture(IDevice& device, TBackPlane& plane) {
    SetPictureFilters(device, PictureFilter(device, plane.World, plane.Texture.get()));
    plane.Draw(kRangeSprite);
}

} // namespace

void DrawPlayScene(TGame& game, IVertexBuffer& vertexBuffer, const TFonts& fonts, double totalMs) {
    if (!game.Device) return;
    IDevice& d = *game.Device;
    // The opaque cubes first: the room and background they cover then fail the depth test
    // instead of being shaded and overdrawn. Nothing blended depends on this order.
    d.SetRenderState(D3DRS_AMBIENT, kRoomAmbient);
    game.DrawCubes();

    // The background before the room: in play it covers the whole floor, which then fails the
    // depth test too. All of these are opaque, so their order changes nothing on the screen.
    d.SetRenderState(D3DRS_AMBIENT, kFullAmbient);
    TScene& scene = game.Scene;
    DrawPicture(d, scene.BackPlane);
    for (TBackPlane& plane : scene.Room) DrawPicture(d, plane);
    SetPictureFilters(d, D3DTEXF_LINEAR);

    scene.ScoreLine.Draw(kRangeSprite, game.Gauge, game.GameMode, totalMs);

    d.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    scene.BonusLight.Draw(kRangeSprite);
    d.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);

    d.SetRenderState(D3DRS_AMBIENT, kRoomAmbient);
    game.DrawOverBoard(vertexBuffer, fonts);
    DrawScoreLabels(d, vertexBuffer, fonts);
    for (const int list : kParticleOrder) DrawParticles(d, vertexBuffer, game.Particles, list);
}

void DrawBackdrop(IDevice& device, TGameState state, const TextureHandle& menuBackground,
                  const TScene* scene) {
    static const TextureHandle none;
    const TextureHandle* picture = nullptr;
    switch (state) {
    case gsMenu:
    case gsHiScores:
        picture = &menuBackground;
        break;
    case gsGameOver:
        picture = scene ? &scene->GameOverPicture : &none;
        break;
    case gsHelp:
        picture = scene ? &scene->HelpPicture : &none;
        break;
    default:
        return;
    }
    // Where the in-game background lies: it fills the view of the camera at rest.
    static const TMatrix world = MakeWorld(BackPlaneItem.Scale, BackPlaneItem.Position, {0, 0, 0});
    SetPictureFilters(device, PictureFilter(device, world, picture->get()));
    // The backdrop lies behind everything drawn after it, so it needs no depth test or depth
    // writes; the software renderer saves both for every pixel of the screen.
    device.SetRenderState(D3DRS_ZENABLE, FALSE);
    device.SetTexture(0, *picture);
    device.SetMaterial(Materials[matStandard]);
    device.SetTransform(D3DTS_WORLD, ToD3D(world));
    DrawMeshRange(device, kRangeSprite);
    device.SetRenderState(D3DRS_ZENABLE, TRUE);
    device.SetTexture(0, nullptr);
    SetPictureFilters(device, D3DTEXF_LINEAR);
}

} // namespace veltrane
