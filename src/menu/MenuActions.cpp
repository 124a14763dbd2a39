// The menu's command dispatcher: what choosing an item (or going back) does on each page.
#include "game/Game.h"
#include "menu/Menu.h"
#include "menu/MenuCommands.h"
#include "platform/DebugLog.h"
#include "platform/GameStates.h"
#include "platform/MessageBox.h"
#include "platform/VirtualKeys.h"
#include "render/PointerPosition.h"
#include "scores/HiScores.h"
#include "settings/Options.h"
#include "sound/Sound.h"

#include <exception>

namespace veltrane {

using namespace menucmd;

namespace {

void MainMenu(const TMenuKeyResult& r) {
    if (r.Action != maChosen) return;
    const TMenuLinks& links = MenuLinks();
    switch (r.Item) {
    case 1:
        ShowMenuPage(mpChooseGame);
        break;
    case 2:
        EnterOptions();
        break;
    case 3:
        SetGameState(gsHiScores);
        if (links.HiScores) {
            links.HiScores->Editing = false;
            links.HiScores->Table = 1;
        }
        ShowMenuPage(mpHiScores);
        ShowTableSwitch(MenuHiScoreScreen(), 1);
        break;
    case 4:
        if (links.Host) links.Host->CloseProgram();
        break;
    default:
        break;
    }
}

// The help page's switch shows the state of the Help setting (a cancelled options page may
// have reloaded it since the page was last seen).
void ShowHelpPage() {
    const TOptions* options = MenuLinks().Options;
    const bool help = options && options->Help;
    SetItemVisible(mpHelp, 2, help);
    SetItemVisible(mpHelp, 3, !help);
    ShowMenuPage(mpHelp);
}

// The tutorial page's next and previous items follow the tutorial's page; without a tutorial
// only the back item is left.
void ShowTutorialArrows() {
    const TTutorial* tutorial = MenuLinks().Menu ? MenuLinks().Menu->Tutorial.get() : nullptr;
    SetItemVisible(mpTutorial, 2, tutorial && tutorial->NextVisible());
    SetItemVisible(mpTutorial, 3, tutorial && tutorial->PreviousVisible());
}

void EnterTutorial() {
    ShowMenuPage(mpTutorial);
    SetGameState(gsTutorial);
    TD3DMenu* menu = MenuLinks().Menu;
    if (!menu) return;
    menu->Tutorial.reset();
    try {
        menu->Tutorial = std::make_unique<TTutorial>(MenuLinks().Device);
    } catch (const std::exception& e) {
        // The page stays up without pictures; its back item still leaves.
        DebugLog(false, std::string(" Tutorial not created: ") + e.what());
    }
    ShowTutorialArrows();
}

void ChooseGame(const TMenuKeyResult& r) {
    if (r.Action == maBack) {
        ShowMenuPage(mpMain);
        return;
    }
    if (r.Action != maChosen) return;
    switch (r.Item) {
    case 1:
    case 2:
        StartGameMusic(r.Item);
        if (MenuLinks().Game) MenuLinks().Game->GameMode = static_cast<uint8_t>(r.Item);
        if (MenuLinks().Options && MenuLinks().Options->Help) {
            SetGameState(gsHelp);
            ShowHelpPage();
        } else {
            StartNewGame();
        }
        break;
    case 3:
        EnterTutorial();
        break;
    case 4:
        ShowMenuPage(mpMain);
        break;
    default:
        break;
    }
}

void OptionsPage(const TMenuKeyResult& r) {
    if (r.Action == maBack)
        ShowMenuPage(mpMain);
    else if (r.Action == maChosen)
        OptionsChosen(r.Item);
}

void RunningGame(const TMenuKeyResult& r) {
    TGame* game = MenuLinks().Game;
    if (r.Action != maChosen || r.Item != 1 || !game) return;
    game->PointerStyle = kPointerGame;
    game->Phase = phMenu;
    ShowMenuPage(mpPause);
}

void Pause(const TMenuKeyResult& r) {
    TGame* game = MenuLinks().Game;
    if (r.Action != maChosen || !game) return;
    if (r.Item == 2) {
        SetGameState(gsMenu);
        StartMenuMusic();
        ShowMenuPage(mpMain);
        // The player leaves believing the game is kept: a save that failed must say so.
        std::string error;
        if (!game->SaveGame(&error)) {
            IMenuHost* host = MenuLinks().Host;
            ShowMessageBox(host ? host->MessageOwner() : nullptr, "Game not saved",
                           "Your game could not be saved:\n" + error +
                               "\n\nA game saved before, if there is one, is kept as it was.",
                           TMessageIcon::Warning);
        }
    } else if (r.Item == 3) {
        game->Phase = phPlay;
        ShowMenuPage(mpGame);
    }
}

void HighScoresPage(const TMenuKeyResult& r) {
    THiScores* scores = MenuLinks().HiScores;
    if (r.Action == maBack) {
        SetGameState(gsMenu);
        ShowMenuPage(mpMain);
        return;
    }
    if (r.Action != maChosen || !scores) return;
    if (r.Item == 1) {
        scores->Save();
        SetGameState(gsMenu);
        ShowMenuPage(mpMain);
    } else if ((r.Item == 2 || r.Item == 3) && !scores->Editing) {
        scores->Table = r.Item == 2 ? 2 : 1;
        ShowTableSwitch(MenuHiScoreScreen(), scores->Table);
    }
}

void ContinueQuestion(const TMenuKeyResult& r) {
    TGame* game = MenuLinks().Game;
    if (r.Action != maChosen || !game || (r.Item != 2 && r.Item != 3)) return;
    game->Phase = phPlay;
    std::string error;
    if (r.Item == 2) game->LoadGame(game->GameMode, &error);
    ShowMenuPage(mpGame);
    if (!error.empty()) {
        // The player asked for the saved game and gets the new one: say so, and why.
        IMenuHost* host = MenuLinks().Host;
        ShowMessageBox(host ? host->MessageOwner() : nullptr, "Saved game not loaded",
                       "Your saved game could not be read:\n" + error +
                           "\n\nA new game starts instead. The file stays as it is until this game is "
                           "saved or ends.",
                       TMessageIcon::Warning);
    }
}

void TutorialPage(const TMenuKeyResult& r) {
    if (r.Action == maBack || (r.Action == maChosen && r.Item == 1)) {
        SetGameState(gsMenu);
        ShowMenuPage(mpChooseGame);
        if (MenuLinks().Menu) MenuLinks().Menu->Tutorial.reset();
        return;
    }
    if (r.Action != maChosen || (r.Item != 2 && r.Item != 3)) return;
    if (TD3DMenu* menu = MenuLinks().Menu; menu && menu->Tutorial)
        menu->Tutorial->ShowPage(r.Item == 2 ? 1 : -1);
    ShowTutorialArrows();
}

void HelpPage(const TMenuKeyResult& r) {
    if (r.Action != maChosen) return;
    TD3DMenu* menu = MenuLinks().Menu;
    switch (r.Item) {
    case 1:
        StartNewGame();
        break;
    case 2:
        if (TOptions* options = MenuLinks().Options) options->Help = false;
        menu->SwapItems(2, 3);
        break;
    case 3:
        if (TOptions* options = MenuLinks().Options) options->Help = true;
        menu->SwapItems(3, 2);
        break;
    default:
        break;
    }
}

} // namespace

void MenuAction(uint16_t key) {
    TD3DMenu* menu = MenuLinks().Menu;
    if (!menu) return;
    const TMenuKeyResult r = menu->KeyDown(key, Now());
    if (r.Action == maNone || r.Action == maMoved) return;
    switch (r.Page) {
    case mpMain:
        MainMenu(r);
        break;
    case mpChooseGame:
        ChooseGame(r);
        break;
    case mpOptions:
        OptionsPage(r);
        break;
    case mpGame:
        RunningGame(r);
        break;
    case mpPause:
        Pause(r);
        break;
    case mpHiScores:
        HighScoresPage(r);
        break;
    case mpContinue:
        ContinueQuestion(r);
        break;
    case mpTutorial:
        TutorialPage(r);
        break;
    case mpHelp:
        HelpPage(r);
        break;
    default:
        break;
    }
}

void MenuMouseUp(int button, float x, float y) {
    TD3DMenu* menu = MenuLinks().Menu;
    if (!menu) return;
    if (menu->Page == mpOptions) OptionsSliderClick(x, y);
    if (button == 0)
        MenuAction(VK_RETURN);
    else if (button == 1)
        MenuAction(VK_ESCAPE);
    menu->Pressed = false;
}

} // namespace veltrane
