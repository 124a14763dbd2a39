// What the main window's logic needs from the real window around it: the window itself, the
// graphics device drawn into it, its place on the screen, the system cursor, message boxes'
// owner, the audio output and the event pump. The SDL shell provides it in the game; tests
// provide a fake, so the frame loop, the routing and the start-up run without a display.
#pragma once

#include "platform/Cursor.h"
#include "platform/gfx/Device.h"
#include "platform/mixer/Mixer.h"

#include <cstdint>
#include <memory>
#include <string>

namespace veltrane {

enum class TWindowMode {
    Windowed,   // a fixed border
    Borderless, // pseudo full screen: a window without border at the desktop size
    Fullscreen, // the display switched to the window's size
};

// What the device is asked for: the window's outer size and kind, and the device's.
struct TDeviceRequest {
    TWindowMode Mode = TWindowMode::Windowed;
    bool Hardware = true; // false: software rendering
    int32_t Width = 0, Height = 0, Bits = 32;
    std::string Caption;
};

class IWindowHost {
public:
    virtual ~IWindowHost() = default;

    // The desktop's size in pixels.
    virtual int32_t ScreenWidth() const = 0;
    virtual int32_t ScreenHeight() const = 0;

    // Shows the window as requested and makes a device drawing into it; null (and error) when
    // that cannot be done. The caller owns the device and frees it before the next request.
    virtual std::unique_ptr<gfx::IDevice> CreateDevice(const TDeviceRequest& request, std::string& error) = 0;

    virtual bool Minimized() const = 0;
    virtual void Minimize() = 0;
    virtual void ShowNormal() = 0;
    virtual void Maximize() = 0;

    // The system cursor over the window.
    virtual void ShowSystemCursor(bool show) = 0;
    // Cursor and window geometry for the pointer; valid once a device was made.
    virtual ICursorHost& CursorHost() = 0;
    // The owner to give message boxes (null for none).
    virtual void* MessageOwner() = 0;
    // The audio output the sound module plays through; it lives as long as the host.
    virtual IMixer& Mixer() = 0;

    // Runs the window events that are waiting (the loading bar calls it between steps).
    virtual void ProcessMessages() = 0;
    // Closes the window as its close box does, once the current event has been handled.
    virtual void RequestClose() = 0;
    // Asks the program to end after the current event.
    virtual void Terminate() = 0;
};

} // namespace veltrane
