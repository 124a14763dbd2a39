#include "app/SdlWindowHost.h"

#include "app/FormMain.h"
#include "app/KeyMap.h"
#include "hosts/gfx/GlDevice.h"
#include "platform/DebugLog.h"
#include "platform/GameStates.h"
#include "platform/MessageBox.h"
#include "render/TextureLoader.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace veltrane {

namespace {

// The desktop entry's id (cmake/Install.cmake).
constexpr const char* AppId = "org.quillomar.veltrane";

// SDL's buttons left 1, middle 2, right 3 become the game's left 0, right 1, middle 2.
int GameButton(uint8_t sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return 0;
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    default:
        return -1;
    }
}

} // namespace

// SDL's video starts with the window, after the launcher's dialogs have gone.
TSdlWindowHost::TSdlWindowHost(TOptions& options) : options_(options) {}

TSdlWindowHost::~TSdlWindowHost() {
    form_.reset();
    DestroyWindow();
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void TSdlWindowHost::CreateForm() {
    form_.reset();
    form_ = std::make_unique<TFormMain>(*this, options_);
    form_->FormCreate();
}

void TSdlWindowHost::CloseDGfx() {
    if (form_) form_->CloseDGfx();
}

void TSdlWindowHost::DestroyWindow() {
    cursor_.reset();
    if (window_) SDL_DestroyWindow(window_);
    window_ = nullptr;
}

int32_t TSdlWindowHost::ScreenWidth() const {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w : 800;
}

int32_t TSdlWindowHost::ScreenHeight() const {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : 600;
}

std::unique_ptr<gfx::IDevice> TSdlWindowHost::CreateDevice(const TDeviceRequest& request,
                                                           std::string& error) {
    if (!request.Hardware) setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    // Multisampling (4x) smooths the cube edges where a hardware driver offers it. Where it is not
    // offered, and on Mesa's software renderer (which pays for every sample: bench/README.md), the
    // window keeps one sample a pixel. The renderer is known once a window has a device; the first
    // window has one sample, so a software renderer pays for no second window (about 0.6 s).
    const char* forced = std::getenv("LIBGL_ALWAYS_SOFTWARE");
    const bool software = !request.Hardware || (forced && std::string(forced) == "1");
    std::unique_ptr<gfx::TGlDevice> device = OpenWindow(request, 0, error);
    if (device && !software && !device->SoftwareRenderer()) {
        device.reset();
        std::string ignored;
        device = OpenWindow(request, 4, ignored);
        if (!device) device = OpenWindow(request, 0, error);
    }
    if (!device) return nullptr;
    vsync_ = SDL_GL_SetSwapInterval(1) == 0;
    SDL_DisplayMode mode;
    refreshHz_ =
        SDL_GetWindowDisplayMode(window_, &mode) == 0 && mode.refresh_rate > 0 ? mode.refresh_rate : 60;
    cursor_ = std::make_unique<TSdlCursorHost>(window_);
    SDL_RaiseWindow(window_);
    return device;
}

std::unique_ptr<gfx::TGlDevice> TSdlWindowHost::OpenWindow(const TDeviceRequest& request, int samples,
                                                           std::string& error) {
    // A new device gets a new window: the pixel format is chosen when the window is made.
    DestroyWindow();
    gfx::TGlDevice::PrepareWindowAttributes();
    SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, request.Hardware ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);

    Uint32 flags = SDL_WINDOW_OPENGL;
    if (request.Mode == TWindowMode::Fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
    if (request.Mode == TWindowMode::Borderless) flags |= SDL_WINDOW_BORDERLESS;
    window_ = SDL_CreateWindow(request.Caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               request.Width, request.Height, flags);
    if (!window_) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_SetWindowResizable(window_, SDL_FALSE);
    SetIcon();
    if (request.Mode == TWindowMode::Fullscreen) {
        SDL_DisplayMode wanted{};
        wanted.w = request.Width;
        wanted.h = request.Height;
        wanted.format = request.Bits == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
        SDL_DisplayMode closest;
        if (SDL_GetClosestDisplayMode(0, &wanted, &closest)) SDL_SetWindowDisplayMode(window_, &closest);
    } else if (request.Mode == TWindowMode::Windowed) {
        // The size is the outer size: where a window manager adds a frame, the client shrinks.
        int top = 0, left = 0, bottom = 0, right = 0;
        if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) == 0 &&
            (top || left || bottom || right))
            SDL_SetWindowSize(window_, request.Width - left - right, request.Height - top - bottom);
    }

    auto device = gfx::TGlDevice::Create(window_, error);
    if (!device) DestroyWindow();
    return device;
}

void TSdlWindowHost::SetIcon() {
    if (!iconRead_) {
        iconRead_ = true;
        LoadPicturePixels("Images\\icon.png", iconWidth_, iconHeight_, icon_);
    }
    if (icon_.empty()) return;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        icon_.data(), int(iconWidth_), int(iconHeight_), 32, int(iconWidth_ * 4), SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
}

bool TSdlWindowHost::Minimized() const {
    // A window the window manager has unmapped (another desktop, some managers' minimise) shows
    // nothing either: it counts as minimised, so no frames are drawn for it.
    return window_ && (SDL_GetWindowFlags(window_) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}

void TSdlWindowHost::Minimize() {
    if (window_ && !Minimized()) SDL_MinimizeWindow(window_);
}

void TSdlWindowHost::ShowNormal() {
    if (window_) SDL_RestoreWindow(window_);
}

void TSdlWindowHost::Maximize() {
    if (window_) SDL_RestoreWindow(window_);
}

void TSdlWindowHost::ShowSystemCursor(bool show) {
    // Asked on every pass; only a change reaches the display.
    if (cursorShown_ == int(show) || !videoStarted_) return;
    cursorShown_ = int(show);
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

ICursorHost& TSdlWindowHost::CursorHost() {
    if (!cursor_) cursor_ = std::make_unique<TSdlCursorHost>(window_);
    return *cursor_;
}

void TSdlWindowHost::ProcessMessages() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) Dispatch(event);
}

void TSdlWindowHost::Dispatch(const SDL_Event& event) {
    if (!form_) return;
    TFormMain& form = *form_;
    switch (event.type) {
    case SDL_QUIT:
        // Closed from inside a loading step or from the loop: the loop closes the form.
        closeRequested_ = true;
        break;
    case SDL_WINDOWEVENT:
        // A window rebuilt by the restore path leaves events of the old one in the queue (its
        // focus loss above all); only the current window's events speak for the game.
        if (!window_ || event.window.windowID != SDL_GetWindowID(window_)) break;
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            closeRequested_ = true;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (form.Active) form.ApplicationEvents1Deactivate();
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            if (!minimized_) {
                minimized_ = true;
                form.ApplicationEvents1Minimize();
            }
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
            if (minimized_ && !Minimized()) {
                minimized_ = false;
                form.ApplicationEvents1Restore();
            }
            break;
        default:
            break;
        }
        break;
    case SDL_KEYDOWN:
        if (!event.key.repeat &&
            (event.key.keysym.sym == SDLK_F11 ||
             ((event.key.keysym.mod & KMOD_ALT) &&
              (event.key.keysym.sym == SDLK_RETURN || event.key.keysym.sym == SDLK_KP_ENTER)))) {
            form.ToggleFullscreen();
            break;
        }
        form.FormKeyDown(VirtualKeyFromSdl(event.key.keysym.sym, event.key.keysym.mod));
        break;
    case SDL_MOUSEMOTION:
        form.FormMouseMove(event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (const int button = GameButton(event.button.button); button >= 0) form.FormMouseDown(button);
        break;
    case SDL_MOUSEBUTTONUP:
        if (const int button = GameButton(event.button.button); button >= 0) form.FormMouseUp(button);
        break;
    default:
        break;
    }
}

void TSdlWindowHost::PaceFrame() {
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    const uint64_t period = frequency / uint64_t(refreshHz_);
    uint64_t now = SDL_GetPerformanceCounter();
    if (!vsync_ && lastPass_ != 0 && now - lastPass_ < period) {
        SDL_Delay(Uint32((period - (now - lastPass_)) * 1000 / frequency));
        now = SDL_GetPerformanceCounter();
    }
    lastPass_ = now;
}

int TSdlWindowHost::Run() {
    if (!form_) return 1;
    // The window's class is the desktop entry's id, so a desktop shows it with its entry's name
    // and icon (X11 reads the first, Wayland the second). A player's own setting wins.
    setenv("SDL_VIDEO_X11_WMCLASS", AppId, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", AppId, 0);
    videoStarted_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    cursorShown_ = -1;
    TFormMain& form = *form_;
    int exitCode = 0;
    if (form.FormShow()) {
        form.FormActivate();
        while (!terminated_) {
            const bool loading = GameState == gsLoading;
            try {
                ProcessMessages();
                if (closeRequested_) {
                    form.FormClose();
                    break;
                }
                bool done = true;
                form.ApplicationEvents1Idle(done);
                if (terminated_) break;
                // A pass that asks for no more idle time, or a minimised or hidden window, waits
                // for the next window event: the process sleeps instead of passing 60 times a
                // second.
                if (done || Minimized()) SDL_WaitEventTimeout(nullptr, 100);
            } catch (const std::exception& e) {
                // An unreadable data file: say which and why. Loading would only fail again, so
                // a failed loading sequence ends the program; other events go on.
                DebugLog(false, std::string(" ") + e.what());
                ShowMessageBox(window_, TFormMain::Caption, e.what(), TMessageIcon::Error);
                if (loading || GameState == gsLoading) {
                    exitCode = 1;
                    form.FormClose();
                    break;
                }
            }
            PaceFrame();
        }
    } else {
        exitCode = 1;
    }
    form_.reset();
    return exitCode;
}

} // namespace veltrane
