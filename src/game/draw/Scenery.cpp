#include "game/Scenery.h"

#include "render/D3DConvert.h"
#include "render/Geometry.h"
#include "render/Placement.h"
#include "render/TextureLoader.h"
#include "sound/Sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veltrane {

using namespace gfx;

namespace {

constexpr float Pi = std::numbers::pi_v<float>;
constexpr D3DCOLORVALUE White{1, 1, 1, 1};

D3DMATERIAL8 Material(D3DCOLORVALUE diffuse, float power) {
    D3DMATERIAL8 m;
    m.Diffuse = diffuse;
    m.Ambient = diffuse;
    m.Specular = White;
    m.Power = power;
    return m;
}

} // namespace

const std::array<TSceneItem, RoomPlanes> RoomItems = {{
    {"Images\\floor.jpg", {28, 24, 1}, {-1.8f, -0.25f, -0.11f}, {0, 0, 0}},
    {"Images\\wall1.jpg", {24, 12, 1}, {-15.8f, -0.25f, 5.8f}, {0, Pi / 2, Pi / 2}},
    {"Images\\wall2.jpg", {24, 12, 1}, {12.2f, -0.25f, 5.8f}, {0, -Pi / 2, -Pi / 2}},
    {"Images\\wall3.jpg", {28, 12, 1}, {-1.8f, -12.25f, 5.8f}, {-Pi / 2, 0, Pi}},
    {"Images\\wall4.jpg", {28, 12, 1}, {-1.8f, 11.75f, 5.8f}, {Pi / 2, 0, 0}},
}};
const TSceneItem BackPlaneItem{
    "Images\\background.jpg", {14.45f, 10.8375f, 1}, {-1.8f, -0.25f, 0}, {0, 0, 0}};
const TSceneItem BonusLightItem{
    "Images\\bonuslight.tga", {0.36125f, 0.36125f, 1}, {-6.387875f, 0.5266875f, 0}, {0, 0, 0}};
const TSceneItem PlugBonusItem{
    "Images\\plugbonus.tga", {1.76545f, 2.6095f, 1}, {-7.02f, -1.92f, 0.01f}, {0, 0, 0}};
const TSceneItem ScoreLineItem{"Images\\line.tga", {0.27f, 0.42f, 1}, {4, -5.33459375f, 0.01f}, {0, 0, 0}};
const TSceneItem ScoreCapItem{
    "Images\\lineleft.tga", {0.27f, 0.42f, 1}, {4.615f, -5.33459375f, 0.01f}, {0, 0, 0}};

const std::array<D3DMATERIAL8, 3> Materials = {
    Material({1, 1, 1, 0}, 10),  // matStandard
    Material({1, 1, 1, 0}, 255), // matBomb
    Material({1, 1, 1, 0}, 255), // matLine
};

// ---- TBackPlane ------------------------------------------------------------------------------

void TBackPlane::Create(IDevice* device, const std::string& fileName, TVector scale, TVector position,
                        TVector rotation) {
    Device = device;
    Texture.reset();
    if (Device) LoadTexture(*Device, fileName, Texture);
    Scale = scale;
    Position = position;
    Rotation = rotation;
    World = MakeWorld(Scale, Position, Rotation);
}

void TBackPlane::Draw(int meshRange) {
    if (!Device) return;
    Device->SetMaterial(Materials[matStandard]);
    Device->SetTexture(0, Texture);
    Device->SetTransform(D3DTS_WORLD, ToD3D(World));
    DrawMeshRange(*Device, meshRange);
    Device->SetTexture(0, nullptr);
}

// ---- TScoreLine ------------------------------------------------------------------------------

void TScoreLine::Draw(int meshRange, float fill, uint8_t gameMode, double totalMs) {
    // A gauge past its goal shows full; one that is not a number shows empty.
    const float shown = std::isnan(fill) ? 0.0f : std::clamp(fill, 0.0f, 1.0f);
    Scale.x = kLength * shown;
    Position = {kLeftEnd - kLength * shown / 2, kLineY, 0};
    Material = Materials[matLine];

    if (gameMode == 2) {
        if (shown <= kWarnBelow) {
            // The bar blinks between red and green, faster the emptier it is.
            const double k = (kWarnBelow - shown) * totalMs / 200;
            const D3DCOLORVALUE blink{static_cast<float>(std::abs(std::sin(k))),
                                      static_cast<float>(std::abs(std::cos(k))), 0, 0};
            Material.Diffuse = blink;
            Material.Ambient = blink;
            Material.Specular = White;
            Material.Power = 256;
            if (shown > 0) WarningTick((kWarnBelow - shown) / kWarnBelow, totalMs);
        } else {
            NextTick = 0;
        }
    }

    World = MakeWorld(Scale, Position, Rotation);
    if (!Device) return;
    Device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    Device->SetMaterial(Material);
    if (shown > 0) {
        Device->SetTexture(0, Cap.Texture);
        Device->SetTransform(D3DTS_WORLD, ToD3D(Cap.World));
        DrawMeshRange(*Device, meshRange);
    }
    Device->SetTexture(0, Texture);
    Device->SetTransform(D3DTS_WORLD, ToD3D(World));
    DrawMeshRange(*Device, meshRange);
    Device->SetTexture(0, nullptr);
    Device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
}

void TScoreLine::WarningTick(float x, double totalMs) {
    // The first tick comes 150 ms after the warning begins, then every 300 ms at fill 0.2
    // down to every 150 ms near empty.
    if (NextTick == 0) {
        NextTick = totalMs + 150;
    } else if (NextTick <= totalMs) {
        NextTick += 150 + 150 * (1 - x);
        PlaySound(TSound::TimeUp);
    }
}

// ---- TBonusLight -----------------------------------------------------------------------------

void TBonusLight::Create(IDevice* device, const std::string& fileName, TVector scale, TVector position,
                         TVector rotation) {
    TBackPlane::Create(device, fileName, scale, position, rotation);
    LampCount = 0;
    for (int j = 0; j < kLamps; ++j) Lamps[size_t(j)] = {Position.x - kLampStep * j, Position.y, Position.z};
}

void TBonusLight::Draw(int meshRange) {
    if (!Device) return;
    Device->SetMaterial(Materials[matStandard]);
    const int count = std::min<int>(LampCount, kLamps);
    for (int j = 0; j < count; ++j) {
        World = MakeWorld(Scale, Lamps[size_t(j)], Rotation);
        Device->SetTexture(0, Texture);
        Device->SetTransform(D3DTS_WORLD, ToD3D(World));
        DrawMeshRange(*Device, meshRange);
    }
    Device->SetTexture(0, nullptr);
}

} // namespace veltrane
