// Feeds arbitrary bytes to the menu file reader, then plays on the menu it built: every page in
// turn, each key the menu answers and a click (hover, then Enter) on every item. A file is either
// rejected with the file error or gives pages within their limits on which the highlight only
// ever rests on a visible, enabled item.
#include "FuzzSupport.h"

#include "menu/MenuFile.h"
#include "platform/TextReader.h"
#include "platform/VirtualKeys.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
using namespace veltrane;
using fuzz::Check;

void CheckPage(const TD3DMenu& menu, int page) {
    Check(menu.Page == page, "the current page moved");
    const TMenuPage& p = menu.Pages[page];
    Check(p.Count >= 0 && p.Count <= MaxMenuItems, "item count");
    Check(p.Selected == 0 || p.Selectable(p.Selected),
          "the highlight rests on an item that cannot be chosen");
}

void PlayPage(TD3DMenu& menu, int page, double& now) {
    menu.SetPage(page, now);
    CheckPage(menu, page);
    const int selected = menu.CurrentPage().Selected;
    // Before the settle time keys do nothing.
    Check(menu.KeyDown(VK_DOWN, now).Action == maNone && menu.CurrentPage().Selected == selected,
          "a key acted before the page settled");
    now += MenuSettleMs + 1;
    for (const uint16_t key :
         {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT, VK_DOWN, VK_TAB, VK_RETURN, VK_SPACE, VK_ESCAPE}) {
        const TMenuKeyResult r = menu.KeyDown(key, now);
        Check(r.Page == page && r.Item == menu.CurrentPage().Selected, "a key's result names another item");
        CheckPage(menu, page);
    }
    const TMenuPage& p = menu.CurrentPage();
    for (int i = 1; i <= p.Count; ++i) {
        const TVector at = p.Items[i].NormalLook.Position;
        menu.MouseMove(at.x, at.y, now);
        CheckPage(menu, page);
        menu.Pressed = true;
        const TMenuKeyResult r = menu.KeyDown(VK_RETURN, now);
        Check(r.Action == maChosen && r.Item == p.Selected, "a click was not taken as a choice");
        CheckPage(menu, page);
        menu.Pressed = false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::EnterScratchFolder();
    TTextReader reader = TTextReader::FromText(MenuFileName, std::string(fuzz::AsText(data, size)));
    std::unique_ptr<TD3DMenu> menu;
    try {
        menu = LoadMenu(nullptr, nullptr, reader);
    } catch (const TFileError&) {
        return 0; // a rejected file makes no menu, so the one in use stays
    }
    Check(menu != nullptr, "no menu and no error");
    Check(menu->PageCount >= 1 && menu->PageCount <= MaxMenuPages, "page count");
    CheckPage(*menu, 1);
    double now = 1000;
    for (int page = 1; page <= menu->PageCount; ++page) PlayPage(*menu, page, now);
    return 0;
}
