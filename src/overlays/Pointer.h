// The mouse pointer the player sees: a sprite on a plane just above the board, one per pointer
// style, following the mouse. The system cursor stays hidden over the window. The main window
// owns the one pointer; the game is given its position with each mouse event.
#pragma once

#include "platform/Cursor.h"
#include "platform/Picture.h"
#include "platform/gfx/Device.h"
#include "render/PointerPosition.h"
#include "render/Sprite.h"

#include <array>
#include <cstdint>
#include <memory>

namespace veltrane {

class TOptions;

inline constexpr int kPointerStyles = 3;

class TPointer final {
public:
    // Centres the system cursor on the window, logs where it ended up ("Mouse created at
    // 400_300"), makes the three sprites at the camera target just above the board. The host and
    // the settings (whose window mode decides where the cursor may go) must outlive the pointer
    // (until DestroyPointer or the next CreatePointer).
    void CreatePointer(gfx::IDevice& device, ICursorHost& host, const TOptions& options);
    // Maps a mouse position in window pixels onto the pointer plane: the 4:3 picture's width (the
    // whole window at 4:3) spans 14.45 world units and its height 10.8375, centred on (-1.8, -0.25);
    // right is -x, down is -y. Over the bars beside the picture the pointer holds at its edge.
    void MovePointer(int32_t x, int32_t y);
    // Puts the pointer at a world position on its plane for keyboard play; it then shows
    // wherever the system cursor is, until the next MovePointer.
    void PlacePointer(TVector at);
    // Draws the sprite of the style, blended, as the last drawing of a frame. Windowed, only
    // while the system cursor is inside the window (or keyboard play placed the pointer); with
    // pseudo full screen the cursor is kept inside.
    void DrawPointer(int style);
    // Frees the sprites; the pointer then neither moves nor draws.
    void DestroyPointer();

    // The world position of the pointer's sprites; the camera target before CreatePointer.
    TVector PointerPosition() const;

    // Sprites of styles 1..3 (PointerSprites[0] is style 1); empty until CreatePointer.
    std::array<std::unique_ptr<T3DSprite>, kPointerStyles> PointerSprites;

private:
    bool Created() const { return host_ && PointerSprites[0]; }
    bool Fullscreen() const;
    bool PseudoFullscreen() const;
    // Pseudo full screen: a cursor on or past the window's edge goes back just inside it.
    void KeepCursorInside(const TScreenRect& r);

    ICursorHost* host_ = nullptr;
    const TOptions* options_ = nullptr;
    TPictureRect picture_; // the 4:3 picture in the window's drawing area
    float invWidth_ = 0;   // 1 / the picture's size in pixels, 0 without one
    float invHeight_ = 0;
    // Keyboard play put the pointer where it is: it shows even while the system cursor is
    // outside the window, until the mouse moves again.
    bool placedByKeys_ = false;
};

} // namespace veltrane
