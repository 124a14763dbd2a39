// Keys and mouse of the main window, routed by the game state to the game, the menu, the
// high-score table and the pointer.
#include "app/FormMain.h"

#include "game/Game.h"
#include "menu/Menu.h"
#include "overlays/Pointer.h"
#include "platform/GameStates.h"
#include "platform/gfx/D3DX.h"

namespace veltrane {

using namespace gfx;

namespace {

bool Loading() {
    return GameState == gsLaunch || GameState == gsLoading;
}

bool PauseKey(uint16_t key) {
    return key == VK_ESCAPE || key == VK_F1 || key == VK_P;
}

} // namespace

void TFormMain::FormKeyDown(uint16_t key) {
    if (Loading() || !Game) return;
    if (GameState == gsGame && Game->Phase == phPlay && PauseKey(key)) {
        Game->DropSelection();
        Game->Phase = phMenu;
        ShowMenuPage(mpPause);
        return;
    }
    switch (GameState) {
    case gsGame:
        // Keyboard play moves the pointer the player sees, and its light, to the board cursor.
        if (Game->KeyDown(key)) {
            Pointer.PlacePointer(Game->PointerAt);
            SetPointerLight();
        }
        break;
    case gsMenu:
    case gsTutorial:
    case gsHelp:
        MenuAction(key);
        break;
    case gsGameOver:
        HiScoreTransition();
        break;
    case gsHiScores:
        if (HiScores) HiScoresKeyDown(*HiScores, key, MenuHiScoreScreen());
        break;
    default:
        break;
    }
}

void TFormMain::FormMouseMove(int32_t x, int32_t y) {
    if (Loading()) return;
    Pointer.MovePointer(x, y);
    const TVector at = Pointer.PointerPosition();
    if (Game) Game->PointerAt = at;
    SetPointerLight();
    if (GameState == gsGame && Game) Game->MouseMove();
    if (GameState == gsMenu) OptionsHover();
    MenuMouseMove(at.x, at.y);
}

void TFormMain::FormMouseDown(int button) {
    if (Loading() || !Game) return;
    if (Game->Phase == phGameOver) return;
    if (GameState == gsGame) Game->MouseDown(button);
    MenuMouseDown();
}

void TFormMain::FormMouseUp(int button) {
    if (Loading() || !Game) return;
    if (!Active) {
        Active = true;
        RestoreMusic();
        return;
    }
    if (Game->Phase == phGameOver) return;
    if (GameState == gsGameOver) {
        HiScoreTransition();
        return;
    }
    const TVector at = Pointer.PointerPosition();
    MenuMouseUp(button, at.x, at.y);
}

void TFormMain::HiScoreTransition() {
    if (HiScores) EnterHiScoresAfterGame(*HiScores, Game->GameMode, Game->TotalScore, MenuHiScoreScreen());
}

void TFormMain::SetPointerLight() {
    if (!D3DDevice) return;
    const TVector at = Pointer.PointerPosition();
    PointerLight.Position = {at.x, at.y, 1.05f};
    D3DDevice->SetTransform(D3DTS_WORLD, gfx::MatrixIdentity());
    D3DDevice->SetLight(1, PointerLight);
}

} // namespace veltrane
