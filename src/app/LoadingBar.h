// The loading screen: a full-screen picture with a row of 30 lights that fills as loading
// advances. A step renders a whole frame at once and lets pending window events run, from inside
// the loading code; with a clock, frames come at most every 100 ms (the full row always shows),
// since each whole frame at a large screen size costs as much as a loading step.
#pragma once

#include "platform/gfx/Device.h"
#include "render/Sprite.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace veltrane {

class TLoadingBar {
public:
    static constexpr int kLightCount = 30;

    // What a progress step asks of the main window: render one frame (which draws this bar) and
    // run the window events that are waiting.
    struct TFrameHost {
        std::function<void()> RenderFrame;
        std::function<void()> ProcessMessages;
        // Milliseconds of a steady clock; without it every step renders.
        std::function<uint32_t()> Tick;
    };
    static constexpr uint32_t kFrameGapMs = 100;

    // Loads "Images/loading.jpg" and 30 copies of "Images/bonuslight.tga"; no light is lit.
    TLoadingBar(gfx::IDevice* device, TFrameHost host);
    ~TLoadingBar() { Destroy(); }
    TLoadingBar(const TLoadingBar&) = delete;
    TLoadingBar& operator=(const TLoadingBar&) = delete;

    // The picture, then lights 1..Lit blended over it; blending is left on.
    void Draw();
    // Lights the first n lights (at most all 30), renders a frame (the first one, the full row,
    // and otherwise once kFrameGapMs have passed since the last) and runs pending events.
    void SetProgress(uint8_t n);
    // Frees the picture and the lights; the bar then draws nothing.
    void Destroy();

    gfx::IDevice* Device = nullptr;
    std::unique_ptr<T3DSprite> Background;
    uint8_t Lit = 0;
    std::array<std::unique_ptr<T3DSprite>, kLightCount> Lights; // Lights[0] is light 1, leftmost

private:
    TFrameHost host_;
    bool rendered_ = false;
    uint32_t lastFrame_ = 0;
};

} // namespace veltrane
