// The still scenery of the game screen: textured quads for the room (floor and four walls), the
// background that fills the view during play, the bonus-level picture, the score line (the
// level gauge under the board) and the row of bonus lamps, with the materials they share; and the
// pictures the game's records point at. The game object owns one scene (TGame::Scene), made
// once when its resources are loaded and drawn every frame; each draw is one prebuilt mesh
// range of the shared vertex buffer, and drawing never allocates.
#pragma once

#include "game/RangeArray.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/Texture.h"
#include "render/Vector.h"

#include <array>
#include <cstdint>
#include <string>

namespace veltrane {

// ---- Shared materials (ambient = diffuse, specular white) -----------------------------------
enum TMaterialSlot : uint8_t {
    matStandard = 0, // planes, lamps, cubes, markers: power 10
    matBomb = 1,     // bomb cubes: power 255
    matLine = 2,     // the score line while it does not blink: power 255
};
extern const std::array<gfx::D3DMATERIAL8, 3> Materials;

// A textured quad placed once: its world matrix is built at creation.
class TBackPlane {
public:
    // Keeps the device and the vectors, loads Texture from fileName (a missing picture leaves
    // it empty) and builds World.
    void Create(gfx::IDevice* device, const std::string& fileName, TVector scale, TVector position,
                TVector rotation);
    // Standard material, Texture, World, the mesh range, texture off. Nothing without a device.
    void Draw(int meshRange);

    gfx::IDevice* Device = nullptr;
    TVector Scale{1, 1, 1};
    TVector Position{};
    TVector Rotation{};
    TMatrix World = MatrixIdentity();
    gfx::TextureHandle Texture;
};

// The level gauge: a bar that grows from its screen-left end as the gauge fills, with a cap on
// that end. In the timed mode a nearly empty bar blinks and ticks ("TimeUp") faster and faster.
class TScoreLine : public TBackPlane {
public:
    static constexpr float kLength = 8.75f;  // world units of a full bar
    static constexpr float kLeftEnd = 4.51f; // x of the bar's screen-left end
    static constexpr float kLineY = -5.33459375f;
    static constexpr float kWarnBelow = 0.2f; // the timed mode warns at and below this fill

    // Draws cap and bar for the gauge's fill (clamped to 0..1), blended. gameMode 2 blinks and
    // ticks; totalMs: milliseconds since the program started, the clock of the blink and the ticks.
    void Draw(int meshRange, float fill, uint8_t gameMode, double totalMs);

    gfx::D3DMATERIAL8 Material{};
    TBackPlane Cap;
    double NextTick = 0; // totalMs of the next warning tick, 0 = none planned

private:
    void WarningTick(float x, double totalMs);
};

// A row of up to five lamps, 0.289 apart towards -x from Position.
class TBonusLight : public TBackPlane {
public:
    static constexpr int kLamps = 5;
    static constexpr float kLampStep = 0.289f;

    // As TBackPlane::Create, then no lamp lit and the five lamp positions.
    void Create(gfx::IDevice* device, const std::string& fileName, TVector scale, TVector position,
                TVector rotation);
    // The first LampCount lamps with the standard material; the caller enables blending.
    // (A TBonusLight shown as one picture is drawn through TBackPlane::Draw.)
    void Draw(int meshRange);

    std::array<TVector, kLamps> Lamps{}; // Lamps[0] is lamp 1
    uint8_t LampCount = 0;               // 0..5
};

// ---- The scene, made by the game's resource loading; tests leave its pictures empty ---------
constexpr int RoomPlanes = 5; // 0 floor, 1..4 walls
struct TScene {
    std::array<TBackPlane, RoomPlanes> Room;
    TBackPlane BackPlane;   // the background during play
    TBonusLight BonusLight; // the bonus lamp row
    TBonusLight PlugBonus;  // the bonus-level picture, drawn as one plane
    TScoreLine ScoreLine;   // with its cap

    // Marker kinds 1 path step, 2 reachable target, 3 unreachable target.
    TRangeArray<gfx::TextureHandle, 1, 3> DotTextures;
    // Slot = kind - 1; slot 17 for a block (KindTextureSlot). The menu loads the chosen skin's.
    TRangeArray<gfx::TextureHandle, 0, 17> KindTextures;

    // Full-screen pictures of the game-over and help states.
    gfx::TextureHandle GameOverPicture; // "Images\gameover.jpg"
    gfx::TextureHandle HelpPicture;     // "Images\help.jpg"
};

// The instances' pictures, scales, positions and rotations.
struct TSceneItem {
    const char* File; // under the program's folder
    TVector Scale;
    TVector Position;
    TVector Rotation;
};
extern const std::array<TSceneItem, RoomPlanes> RoomItems;
extern const TSceneItem BackPlaneItem, BonusLightItem, PlugBonusItem, ScoreLineItem, ScoreCapItem;

} // namespace veltrane
