// The main window over SDL2: the window and its OpenGL device, the event pump that feeds the
// main window's events, and the pacing of frames where the display gives no vsync.
#pragma once

#include "app/WindowHost.h"
#include "hosts/SdlCursorHost.h"
#include "hosts/mixer/SdlMixer.h"

#include <cstdint>
#include <memory>
#include <vector>

union SDL_Event;
struct SDL_Window;

namespace veltrane {

namespace gfx {
class TGlDevice;
}

class TFormMain;
class TOptions;

class TSdlWindowHost final : public IWindowHost {
public:
    // options: the settings of the run, lent to every main window made here.
    explicit TSdlWindowHost(TOptions& options);
    ~TSdlWindowHost() override;
    TSdlWindowHost(const TSdlWindowHost&) = delete;
    TSdlWindowHost& operator=(const TSdlWindowHost&) = delete;

    // Makes the main window's logic on this host (a new trace begins); frees an earlier one.
    void CreateForm();
    bool FormExists() const { return form_ != nullptr; }
    // Shows the main window made by CreateForm and runs the frame loop until the window is
    // closed or the program is told to end; the form is freed then. Returns the exit code.
    int Run();
    // Releases the form's graphics objects, if there is a form.
    void CloseDGfx();

    int32_t ScreenWidth() const override;
    int32_t ScreenHeight() const override;
    std::unique_ptr<gfx::IDevice> CreateDevice(const TDeviceRequest& request, std::string& error) override;
    bool Minimized() const override;
    void Minimize() override;
    void ShowNormal() override;
    void Maximize() override;
    void ShowSystemCursor(bool show) override;
    ICursorHost& CursorHost() override;
    void* MessageOwner() override { return window_; }
    IMixer& Mixer() override { return mixer_; }
    void ProcessMessages() override;
    void RequestClose() override { closeRequested_ = true; }
    void Terminate() override { terminated_ = true; }

private:
    void Dispatch(const SDL_Event& event);
    void DestroyWindow();
    // A new window as requested, with samples per pixel (0: no multisampling), and its device.
    std::unique_ptr<gfx::TGlDevice> OpenWindow(const TDeviceRequest& request, int samples,
                                               std::string& error);
    // Gives the window the game's icon (read once from the game folder; none when missing).
    void SetIcon();
    // Waits so that passes come no faster than the display refreshes, unless vsync does it.
    void PaceFrame();

    TOptions& options_;
    std::unique_ptr<TFormMain> form_;
    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    std::unique_ptr<TSdlCursorHost> cursor_;
    TSdlMixer mixer_;
    bool vsync_ = false;
    int refreshHz_ = 60;
    uint64_t lastPass_ = 0;
    bool minimized_ = false;
    int cursorShown_ = -1; // unknown at first
    bool closeRequested_ = false;
    bool terminated_ = false;
    bool iconRead_ = false;
    uint32_t iconWidth_ = 0, iconHeight_ = 0;
    std::vector<uint32_t> icon_; // ARGB
};

} // namespace veltrane
