// Loading the game object's resources once: full-screen pictures, path markers, materials and
// scenery, the level and figure files and the particle lists.
#include "game/Flow.h"
#include "game/Game.h"
#include "game/Scenery.h"
#include "platform/DebugLog.h"
#include "platform/GameStates.h"
#include "render/Particles.h"
#include "render/TextureLoader.h"

#include <filesystem>
#include <system_error>

namespace veltrane {

namespace {

std::string Folder;
bool FolderSet = false;

std::string ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return exe.parent_path().string() + "/";
}

void Log(const std::string& text) {
    DebugLog(false, text);
}

void Step(ILoadingSteps* steps, uint8_t n, const std::string& text) {
    Log(text);
    if (steps) steps->Step(n, text);
}

void Load(gfx::IDevice* device, const std::string& name, gfx::TextureHandle& texture) {
    texture.reset();
    if (device) LoadTexture(*device, ResourceFolder() + name, texture);
}

template <class T>
void Create(T& object, gfx::IDevice* device, const TSceneItem& item) {
    object.Create(device, ResourceFolder() + item.File, item.Scale, item.Position, item.Rotation);
}

} // namespace

const std::string& ResourceFolder() {
    if (!FolderSet) {
        Folder = ProgramFolder();
        FolderSet = true;
    }
    return Folder;
}

void SetResourceFolder(const std::string& folder) {
    Folder = folder;
    if (!Folder.empty() && Folder.back() != '/' && Folder.back() != '\\') Folder += '/';
    FolderSet = true;
}

void TGame::LoadResources(ILoadingSteps* steps) {
    Log(" loading initialise 1");
    if (Loaded) return;
    Log(" loading initialise 2");
    SetGameState(gsLoading);

    Step(steps, 15, " loading gameover");
    Load(Device, "Images\\gameover.jpg", Scene.GameOverPicture);
    Step(steps, 17, " loading help");
    Load(Device, "Images\\help.jpg", Scene.HelpPicture);
    Step(steps, 18, " loading dots");
    for (int n = 1; n <= 3; ++n)
        Load(Device, "Images\\dot" + std::to_string(n) + ".tga", Scene.DotTextures[n]);

    Log(" loading materials"); // a constant table now; the trace keeps its step
    static constexpr uint8_t RoomSteps[RoomPlanes] = {20, 22, 24, 25, 26};
    for (int n = 0; n < RoomPlanes; ++n) {
        Step(steps, RoomSteps[n], " loading room " + std::to_string(n));
        Create(Scene.Room[size_t(n)], Device, RoomItems[size_t(n)]);
    }
    Step(steps, 27, " loading backplane");
    Create(Scene.BackPlane, Device, BackPlaneItem);
    Step(steps, 29, " loading bonuslight");
    Create(Scene.BonusLight, Device, BonusLightItem);
    Log(" loading plub bonus");
    Create(Scene.PlugBonus, Device, PlugBonusItem);
    Log(" loading scoreline");
    Create(Scene.ScoreLine, Device, ScoreLineItem);
    Create(Scene.ScoreLine.Cap, Device, ScoreCapItem);

    // A bad data file throws out of here; Loaded stays false.
    Log(" loading createlevels");
    LoadLevels();
    Log(" loading createbonus");
    LoadFigures();
    Log(" loading initialise particles");
    InitParticles(Particles);
    if (Device) LoadParticleTextures(*Device, Particles);
    Loaded = true;
}

} // namespace veltrane
