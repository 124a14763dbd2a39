#include "app/LoadingBar.h"

#include <algorithm>

namespace veltrane {

using namespace gfx;

TLoadingBar::TLoadingBar(IDevice* device, TFrameHost host) : Device(device), host_(std::move(host)) {
    // A 4:3 picture centred on the camera target.
    Background = std::make_unique<T3DSprite>(device, "Images/loading.jpg");
    Background->Scale = {14.45f, 10.8375f, 1.0f};
    Background->Position = {-1.8f, -0.25f, 0};
    Background->Rotation = {0, 0, 0};
    // With the menu camera world x grows to the left: light 1 is the leftmost.
    for (int i = 1; i <= kLightCount; ++i) {
        auto light = std::make_unique<T3DSprite>(device, "Images/bonuslight.tga");
        light->Scale = {0.36125f, 0.36125f, 1.0f};
        light->Position = {1.9f - float(i - 1) * 0.255f, -0.28f, 0};
        light->Rotation = {0, 0, 3.1415927f};
        Lights[size_t(i - 1)] = std::move(light);
    }
}

void TLoadingBar::Draw() {
    if (!Device || !Background) return;
    Background->Draw();
    Device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    for (int i = 0; i < Lit; ++i) Lights[size_t(i)]->Draw();
}

void TLoadingBar::SetProgress(uint8_t n) {
    Lit = std::min<uint8_t>(n, kLightCount);
    bool render = true;
    if (host_.Tick) {
        const uint32_t now = host_.Tick();
        render = !rendered_ || Lit == kLightCount || now - lastFrame_ >= kFrameGapMs;
        if (render) {
            rendered_ = true;
            lastFrame_ = now;
        }
    }
    if (render && host_.RenderFrame) host_.RenderFrame();
    if (host_.ProcessMessages) host_.ProcessMessages();
}

void TLoadingBar::Destroy() {
    Background.reset();
    for (auto& light : Lights) light.reset();
    Device = nullptr;
}

} // namespace veltrane
