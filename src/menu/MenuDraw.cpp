// Drawing the current menu page: blended, unlit textured quads, the highlighted item last in its
// highlight picture.
#include "menu/MenuModel.h"

namespace veltrane {

using namespace gfx;

void TD3DMenu::Draw(IDevice& device) {
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device.SetRenderState(D3DRS_LIGHTING, 0);
    if (Page >= 1 && Page <= PageCount) {
        TMenuPage& page = CurrentPage();
        for (int i = 1; i <= page.Count; ++i) {
            const TMenuItem& item = page.Items[i];
            if (i != page.Selected && item.Visible && item.Sprite) item.Sprite->Draw();
        }
        if (page.Selected >= 1 && page.Selected <= MaxMenuItems) {
            TMenuItem& item = page.Items[page.Selected];
            PlaceSprite(item.HighlightSprite, Pressed ? item.PressedLook : item.NormalLook);
            if (item.Visible && item.HighlightSprite) item.HighlightSprite->Draw();
        }
    }
    device.SetTexture(0, nullptr);
    device.SetRenderState(D3DRS_LIGHTING, 1);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
}

} // namespace veltrane
