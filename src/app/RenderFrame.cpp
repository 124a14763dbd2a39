// One frame for the current game state.
#include "app/FormMain.h"

#include "game/DrawScene.h"
#include "game/Game.h"
#include "menu/Menu.h"
#include "menu/MenuFile.h"
#include "overlays/Pointer.h"
#include "platform/GameStates.h"
#include "platform/gfx/D3DX.h"

namespace veltrane {

using namespace gfx;

HRESULT TFormMain::RenderFrame() {
    if (GameState == gsLaunch) return D3D_OK;
    if (!D3DDevice) return E_FAIL;
    IDevice& d = *D3DDevice;
    // Only depth: every state covers the whole screen with its own background.
    HRESULT hr = d.Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    if (Failed(hr)) return hr;
    hr = d.BeginScene();
    if (Failed(hr)) return hr;

    D3DMATRIX view;
    const TVector eye = Game ? Game->Camera.Eye : TCamera::RestEye;
    MatrixLookAtLH(view, {eye.x, eye.y, eye.z}, {LookAtX, LookAtY, 0}, {0, 0, 1});
    D3DMATRIX projection;
    MatrixPerspectiveFovLH(projection, 0.8f, 0.75f, 0.01f, 200.0f);
    d.SetTransform(D3DTS_VIEW, view);
    d.SetTransform(D3DTS_PROJECTION, projection);
    d.SetTransform(D3DTS_WORLD, gfx::MatrixIdentity());
    d.SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);

    if (GameState == gsLoading) {
        if (LoadingBar) LoadingBar->Draw();
    } else {
        DrawState();
    }

    hr = d.EndScene();
    if (Succeeded(hr)) hr = d.Present();
    return hr;
}

void TFormMain::DrawState() {
    IDevice& d = *D3DDevice;
    if (GameState == gsMenu || GameState == gsHiScores || GameState == gsGameOver || GameState == gsHelp)
        DrawBackdrop(d, GameState, Menu ? Menu->MenuBackground : nullptr, Game ? &Game->Scene : nullptr);
    if (GameState == gsHiScores && HiScores && VB) HiScores->Draw(d, *VB, Fonts, TotalMs);
    if (GameState == gsGame && Game && VB) {
        Game->FollowGauge();
        DrawPlayScene(*Game, *VB, Fonts, TotalMs);
    }

    d.SetRenderState(D3DRS_ZENABLE, FALSE);
    // The menu stays away from the game-over picture and sequence, and from the level-completed
    // sequence of an ordinary level.
    bool menu = GameState != gsGameOver;
    if (Game && Game->Phase == phGameOver) menu = false;
    if (Game && Game->Phase == phLevelCompleted && Game->Level >= 1 && Game->CurrentLevel().LevelType == 1)
        menu = false;
    if (menu) DrawMenu(d);
    // The pointer shows in a game only while the board waits for the player.
    bool pointer = true;
    if (GameState == gsGame && Game)
        pointer = Game->BoardIdle && Game->Phase != phLevelCompleted && Game->Phase != phGameOver;
    if (pointer) Pointer.DrawPointer(Game ? Game->PointerStyle : kPointerMenu);
    d.SetRenderState(D3DRS_ZENABLE, TRUE);
}

} // namespace veltrane
