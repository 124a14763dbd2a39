// What the menu does: one command dispatcher fed by keys and mouse buttons, the options page
// with its volume sliders and skin choice, starting, pausing, resuming and leaving games, the
// high-score page and the tutorial. Plain procedures over the objects the main window binds.
#pragma once

#include "menu/MenuModel.h"
#include "overlays/Tutorial.h"
#include "scores/Qualification.h"

#include <cstdint>
#include <memory>
#include <string>

namespace veltrane {

class ILoadingSteps;
class TGame;
class THiScores;
class TOptions;

// What the menu asks of the main window.
class IMenuHost {
public:
    // The main menu's exit item: close the main window (which ends the program).
    virtual void CloseProgram() = 0;
    // The frame clock in milliseconds (the running TotalMs): pages wait their settle time on it.
    virtual double MenuClock() const = 0;
    // The loading bar, for a new game that has to load the game's resources first (may be null).
    virtual ILoadingSteps* LoadingSteps() = 0;
    // The host's window a message box belongs to (null: a box of its own).
    virtual void* MessageOwner() { return nullptr; }

protected:
    ~IMenuHost() = default;
};

// The objects the commands act on, besides GameState.
struct TMenuLinks {
    TD3DMenu* Menu = nullptr;
    TGame* Game = nullptr;
    THiScores* HiScores = nullptr;
    gfx::IDevice* Device = nullptr; // the tutorial and the cube skins are made on it
    IMenuHost* Host = nullptr;
    TOptions* Options = nullptr; // the help switch, the volumes and the skin
};

// Set by the main window once loading has made the menu, the game and the tables; again after
// a new loading sequence. Unbinding (all null) frees the bound menu's tutorial.
void BindMenu(const TMenuLinks& links);
const TMenuLinks& MenuLinks();

// Page numbers the commands give meaning to (the menu file may hold other pages too).
enum TMenuPageNumber : int {
    mpMain = 1,
    mpChooseGame = 2,
    mpOptions = 3,
    mpGame = 4,
    mpPause = 5,
    mpHiScores = 6,
    mpContinue = 7,
    mpTutorial = 9,
    mpHelp = 10,
};

// Shows a menu page on the host's clock (settle time restarts).
void ShowMenuPage(int page);

// The dispatcher: the key goes through the menu's KeyDown, then the current page's command for
// the action and item runs. Enter/Space (and the left button) choose, Escape (and the right
// button) goes back.
void MenuAction(uint16_t key);
// A mouse button went down: the highlighted item takes its pressed look.
void MenuMouseDown();
// A mouse button came up at (x, y) in the menu plane (0 left, 1 right, 2 middle): on the options
// page the volume rows take the click first; then left = Enter, right = Escape; the pressed
// look ends.
void MenuMouseUp(int button, float x, float y);
// The hover of a mouse move at (x, y) on the host's clock.
void MenuMouseMove(float x, float y);
// On the options page, before each hover: while an arrow of a row is highlighted the row's label
// shows its highlighted picture.
void OptionsHover();
// On the options page: the two volume bars sized by SoundVol and MusicVol.
void UpdateVolumeBars();
// The main menu: gsMenu, the menu pointer, page 1, the camera's rest place, the menu music.
void EnterMenu();
// A new game of the chosen GameMode: level 1 on a clear board, the cube pictures of the chosen
// skin, the game started in gsGame; with a saved game of that mode on disk the game waits
// under the question whether to continue it.
void StartNewGame();
// The tutorial page (in gsTutorial), then the menu.
void DrawMenu(gfx::IDevice& device);

// The picture of cube texture slot 0..17 for the skin: "Images\Skin<skin>\tex<slot>.tga"; slots
// 7, 8, 9 and 17 (joker, bomb, shot, block) always come from skin 1.
std::string KindTextureName(int skin, int slot);

// The high-score screen's view of the menu (game state, page 6 and its items).
IHiScoreScreen& MenuHiScoreScreen();

} // namespace veltrane
