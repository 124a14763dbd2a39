#include "overlays/Tutorial.h"

#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "render/JpegToBmp.h"
#include "render/TextureLoader.h"

#include <filesystem>

namespace veltrane {

namespace {

void ConvertPages() {
    std::error_code ec;
    if (std::filesystem::exists(ResolvePath(TutorialFileName(1, ".bmp")), ec)) return;
    // Page 1's bitmap marks the conversion as done, so it is written only after all the others.
    for (int page = 2; page <= TutorialPages; ++page) JpegToBmp(TutorialFileName(page, ".jpg"));
    JpegToBmp(TutorialFileName(1, ".jpg"));
}

} // namespace

std::string TutorialFileName(int page, const char* extension) {
    return "Images\\Tutorial\\tut" + std::to_string(page) + extension;
}

TTutorial::TTutorial(gfx::IDevice* device) {
    ConvertPages();
    Device = device;
    Sprite = std::make_unique<T3DSprite>(Device, TutorialFileName(1, ".bmp"));
    // The plane the pointer moves on, centred on the camera target.
    Sprite->Scale = {14.45f, 10.8375f, 1};
    Sprite->Position = {-1.8f, -0.25f, 0};
    Sprite->Rotation = {0, 0, 0};
    Page = 1;
}

void TTutorial::ShowPage(int delta) {
    if (delta < 0 && Page != 1) --Page;
    if (delta >= 1 && Page != TutorialPages) ++Page;
    DebugLog(false, " loading " + std::to_string(Page));
    if (Sprite && Device) LoadTexture(*Device, TutorialFileName(Page, ".bmp"), Sprite->Texture);
    DebugLog(false, " loaded" + std::to_string(Page));
}

gfx::HRESULT TTutorial::Draw() {
    return Sprite ? Sprite->Draw() : gfx::D3DERR_INVALIDCALL;
}

void TTutorial::Destroy() {
    Sprite.reset();
    Device = nullptr;
}

} // namespace veltrane
