// Entering the main menu and starting a new game from it.
#include "game/Game.h"
#include "menu/Menu.h"
#include "menu/MenuCommands.h"
#include "platform/DebugLog.h"
#include "platform/GameStates.h"
#include "platform/Paths.h"
#include "render/PointerPosition.h"
#include "render/TextureLoader.h"
#include "settings/Options.h"
#include "sound/Sound.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

namespace veltrane {

namespace {

bool FileExists(const std::string& name) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ResolvePath(name), ec);
}

// The joker, bomb, shot and block pictures are shared by every skin.
bool SharedSlot(int slot) {
    return slot == 7 || slot == 8 || slot == 9 || slot == 17;
}

} // namespace

std::string KindTextureName(int skin, int slot) {
    const int from = SharedSlot(slot) ? 1 : skin;
    return "Images\\Skin" + std::to_string(from) + "\\tex" + std::to_string(slot) + ".tga";
}

void EnterMenu() {
    SetGameState(gsMenu);
    TGame* game = MenuLinks().Game;
    if (game) game->PointerStyle = kPointerMenu;
    ShowMenuPage(mpMain);
    if (game) game->Camera.Reset();
    StartMenuMusic();
}

void StartNewGame() {
    const TMenuLinks& links = MenuLinks();
    if (!links.Game) return;
    TGame& game = *links.Game;

    game.Level = 1;
    game.ClearBoard();
    game.Levels[1].Progress = 0;
    game.Gauge = 0;
    game.GaugeStart = 0;
    if (!game.Loaded) {
        try {
            game.LoadResources(links.Host ? links.Host->LoadingSteps() : nullptr);
        } catch (const std::exception& e) {
            // Without its level table no game can start: back to the main menu.
            DebugLog(false, std::string(" StartNewGame: ") + e.what());
            EnterMenu();
            return;
        }
    }

    const int skin = links.Options ? std::clamp<int>(links.Options->Texture, 1, 5) : 1;
    auto& kinds = game.Scene.KindTextures;
    for (int slot = kinds.Low; slot <= kinds.High; ++slot) {
        kinds[slot].reset();
        if (links.Device) LoadTexture(*links.Device, KindTextureName(skin, slot), kinds[slot]);
    }

    game.StartGame();
    SetGameState(gsGame);
    if (FileExists(SaveFileName(game.GameMode))) {
        game.Phase = phMenu;
        ShowMenuPage(mpContinue);
    } else {
        game.Phase = phPlay;
        ShowMenuPage(mpGame);
    }
}

} // namespace veltrane
