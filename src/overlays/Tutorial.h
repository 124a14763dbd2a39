// The tutorial: nine pictures shown one at a time as a full-view sprite behind the menu. The
// pages ship as JPEG files and are converted once into bitmaps, which are what is shown.
#pragma once

#include "platform/gfx/Device.h"
#include "render/Sprite.h"

#include <cstdint>
#include <memory>
#include <string>

namespace veltrane {

constexpr int TutorialPages = 9;

// "Images\Tutorial\tut" + page + extension (".jpg" or ".bmp").
std::string TutorialFileName(int page, const char* extension);

class TTutorial final {
public:
    // Converts the nine ".jpg" pages to ".bmp" unless "Images\Tutorial\tut1.bmp" exists (it is
    // written last, so it only exists once every page has been converted), then shows page 1.
    // A page that cannot be converted raises EPictureError and no tutorial is made.
    explicit TTutorial(gfx::IDevice* device);
    ~TTutorial() { Destroy(); }
    TTutorial(const TTutorial&) = delete;
    TTutorial& operator=(const TTutorial&) = delete;

    // delta < 0: the previous page, delta >= 1: the next one, stopping at 1 and 9. The page is
    // loaded from its bitmap again on every call, with a trace line before and after.
    void ShowPage(int delta);
    gfx::HRESULT Draw();
    // Frees the sprite and lets go of the device.
    void Destroy();

    // What the menu's tutorial page shows: no "next" on the last page, no "previous" on the first.
    bool NextVisible() const { return Page != TutorialPages; }
    bool PreviousVisible() const { return Page != 1; }

    gfx::IDevice* Device = nullptr;
    std::unique_ptr<T3DSprite> Sprite;
    uint8_t Page = 1; // 1..9
};

} // namespace veltrane
