// The objects the menu acts on, the small entry points of the main window's input and drawing,
// and the high-score screen over the menu.
#include "menu/Menu.h"
#include "menu/MenuCommands.h"
#include "platform/GameStates.h"

namespace veltrane {

namespace {

TMenuLinks Links;

class TMenuHiScoreScreen final : public IHiScoreScreen {
public:
    void SetGameState(TGameState state) override { veltrane::SetGameState(state); }
    void SetMenuPage(int page) override { ShowMenuPage(page); }
    void HideMenuItem(int page, int item) override { menucmd::SetItemVisible(page, item, false); }
    void ShowAndSelectMenuItem(int page, int item) override {
        TMenuPage* target = menucmd::PageOf(page);
        if (!target || item < 1 || item > MaxMenuItems) return;
        target->Items[item].Visible = true;
        target->Selected = item;
        target->LastSelected = item;
    }
};

TMenuHiScoreScreen Screen;

} // namespace

namespace menucmd {

double Now() {
    return Links.Host ? Links.Host->MenuClock() : 0.0;
}

TMenuPage* PageOf(int p) {
    if (!Links.Menu || p < 1 || p > Links.Menu->PageCount) return nullptr;
    return &Links.Menu->Pages[p];
}

void SetItemVisible(int p, int item, bool visible) {
    TMenuPage* page = PageOf(p);
    if (page && item >= 1 && item <= MaxMenuItems) page->Items[item].Visible = visible;
}

} // namespace menucmd

void BindMenu(const TMenuLinks& links) {
    if (!links.Menu && Links.Menu) Links.Menu->Tutorial.reset();
    Links = links;
}

const TMenuLinks& MenuLinks() {
    return Links;
}

IHiScoreScreen& MenuHiScoreScreen() {
    return Screen;
}

void ShowMenuPage(int page) {
    if (Links.Menu) Links.Menu->SetPage(page, menucmd::Now());
}

void MenuMouseDown() {
    if (Links.Menu) Links.Menu->Pressed = true;
}

void MenuMouseMove(float x, float y) {
    if (Links.Menu) Links.Menu->MouseMove(x, y, menucmd::Now());
}

void DrawMenu(gfx::IDevice& device) {
    if (!Links.Menu) return;
    if (GameState == gsTutorial && Links.Menu->Tutorial) Links.Menu->Tutorial->Draw();
    Links.Menu->Draw(device);
}

} // namespace veltrane
